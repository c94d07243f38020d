#include "Markers.h"

namespace orvane {

std::string StripMarkers(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (true) {
        const size_t q = text.find(kMarkerChar, i);
        if (q == std::string_view::npos) break;
        out.append(text.substr(i, q - i));
        i = q + 1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
    }
    out.append(text.substr(i));
    return out;
}

} // namespace orvane
