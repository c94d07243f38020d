#include "CharWidth.h"

#include "Gbk.h"

#include <algorithm>
#include <cstdlib>

namespace orvane {
namespace {

// A width the breaker can add up a few thousand times without overflowing an int.
constexpr int kMaxCharWidth = 1 << 16;

} // namespace

void TFixedWidths::ByteWidths(std::string_view gbk, std::vector<int>& out) {
    out.assign(gbk.size(), 0);
    for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i))
        out[i] = CharLength(gbk, i) == 2 ? wide_ : narrow_;
}

void TCharWidth::Bind(const void* font, int height, TMeasure measure) {
    if (!bound_ || font != font_) {
        font_ = font;
        bound_ = true;
        table_.clear();
    }
    height_ = std::abs(height);
    measure_ = std::move(measure);
}

int TCharWidth::Width(char16_t c) {
    const size_t code = c;
    if (table_.size() <= code) table_.resize(code + 1, 0);
    if (table_[code] != 0) return table_[code] - 1;
    if (!measure_) return 0;
    const int w = std::clamp(measure_(c), 0, kMaxCharWidth);
    table_[code] = w + 1;
    return w;
}

void TCharWidth::ByteWidths(std::string_view gbk, std::vector<int>& out) {
    out.assign(gbk.size(), 0);
    size_t chars = 0;
    for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i))
        ++chars;

    // The converter turns every character, valid or not, into one UTF-16 unit, so the units
    // normally line up with the characters. Should they ever not, each character is converted
    // on its own, which is slow but cannot put a width on the wrong byte.
    const std::u16string units = GbkToUtf16(gbk);
    size_t k = 0;
    for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i), ++k) {
        char16_t c = u'\uFFFD';
        if (units.size() == chars) {
            c = units[k];
        } else {
            const std::u16string one = GbkToUtf16(gbk.substr(i, CharLength(gbk, i)));
            if (!one.empty()) c = one.front();
        }
        out[i] = Width(c);
    }
}

} // namespace orvane
