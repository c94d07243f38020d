#include "EnglishRows.h"

namespace orvane {

std::vector<std::string_view> WrapWords(std::string_view text, int width,
                                        const std::function<int(std::string_view)>& measure) {
    std::vector<std::string_view> lines;
    const int blank = measure(" ");
    size_t lineBegin = std::string_view::npos;
    size_t lineEnd = 0;
    int lineWidth = 0;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i >= text.size()) break;
        size_t end = i;
        while (end < text.size() && text[end] != ' ')
            ++end;
        const int w = measure(text.substr(i, end - i));
        if (lineBegin == std::string_view::npos) {
            lineBegin = i;
            lineWidth = w;
        } else if (lineWidth + blank + w <= width) {
            lineWidth += blank + w;
        } else {
            lines.push_back(text.substr(lineBegin, lineEnd - lineBegin));
            lineBegin = i;
            lineWidth = w;
        }
        lineEnd = end;
        i = end;
    }
    if (lineBegin != std::string_view::npos)
        lines.push_back(text.substr(lineBegin, lineEnd - lineBegin));
    return lines;
}

} // namespace orvane
