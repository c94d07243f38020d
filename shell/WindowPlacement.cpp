#include "WindowPlacement.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace orvane {
namespace {

// Larger than any desktop of several screens, small enough that no sum of two overflows.
constexpr int kMaxCoordinate = 100000;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::optional<int> WholeNumber(std::string_view text) {
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < -kMaxCoordinate || value > kMaxCoordinate) return std::nullopt;
    return value;
}

} // namespace

std::optional<QRect> ParseWindowRect(std::string_view text) {
    std::vector<int> numbers;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        const auto number = WholeNumber(text.substr(start, comma - start));
        if (!number) return std::nullopt;
        numbers.push_back(*number);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (numbers.size() != 4 || numbers[2] <= 0 || numbers[3] <= 0) return std::nullopt;
    return QRect(numbers[0], numbers[1], numbers[2], numbers[3]);
}

std::string FormatWindowRect(const QRect& rect) {
    return std::to_string(rect.left()) + ',' + std::to_string(rect.top()) + ',' +
           std::to_string(rect.width()) + ',' + std::to_string(rect.height());
}

QRect FitRectInto(const QRect& rect, const QRect& room, QSize minimum) {
    if (!room.isValid()) return rect;
    const int width = std::min(std::max(rect.width(), minimum.width()), room.width());
    const int height = std::min(std::max(rect.height(), minimum.height()), room.height());
    const int left = std::clamp(rect.left(), room.left(), room.right() + 1 - width);
    const int top = std::clamp(rect.top(), room.top(), room.bottom() + 1 - height);
    return {left, top, width, height};
}

std::optional<int> ParseSplitSize(std::string_view text, int limit) {
    const auto number = WholeNumber(text);
    if (!number || *number < 0 || *number > limit) return std::nullopt;
    return number;
}

} // namespace orvane
