#include "ReadingSize.h"

#include <algorithm>
#include <charconv>

namespace orvane {
namespace {

int& Current() {
    static int points = kDefaultReadingSize;
    return points;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

int ClampReadingSize(int points) {
    return std::clamp(points, kMinReadingSize, kMaxReadingSize);
}

int ReadingSizeFromText(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error == std::errc::invalid_argument || at != end)
        return kDefaultReadingSize;
    // A number too long for any type is still clearly above or below the range.
    if (error == std::errc::result_out_of_range)
        return text.front() == '-' ? kMinReadingSize : kMaxReadingSize;
    return int(std::clamp<long long>(value, kMinReadingSize, kMaxReadingSize));
}

int CurrentReadingSize() {
    return Current();
}

int SetCurrentReadingSize(int points) {
    Current() = ClampReadingSize(points);
    return Current();
}

int ReadingScaled(int pixels) {
    return ScaledFor(pixels, Current());
}

} // namespace orvane
