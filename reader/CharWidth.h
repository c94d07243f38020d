#pragma once
// Character advance widths for the line breaker. Widths are handed out per byte of a GBK text:
// a double-byte character's width sits on its lead byte and its trail byte gets 0, so summing
// the byte widths from any character boundary gives the pixel width of the bytes covered.

#include <functional>
#include <string_view>
#include <vector>

namespace orvane {

class IByteWidths {
public:
    virtual ~IByteWidths() = default;
    // Fills out with exactly gbk.size() widths.
    virtual void ByteWidths(std::string_view gbk, std::vector<int>& out) = 0;
};

// Every double-byte character is `wide` and every single byte `narrow` pixels wide: the metrics
// of the reading font at 9 points, good enough for the command-line tool and for tests.
class TFixedWidths final : public IByteWidths {
public:
    explicit TFixedWidths(int wide = 12, int narrow = 6) : wide_(wide), narrow_(narrow) {}
    void ByteWidths(std::string_view gbk, std::vector<int>& out) override;

private:
    int wide_;
    int narrow_;
};

// Advance widths of one font, measured once per UTF-16 code and then served from a table.
// Measuring goes through a function supplied by the window layer, so this core needs no
// toolkit; the font itself is only known by its identity.
class TCharWidth final : public IByteWidths {
public:
    using TMeasure = std::function<int(char16_t)>;

    // Binding another font empties the table. Binding the font already held keeps the table and
    // only takes the new height and measure function, so a caller may rebind before every
    // layout without losing the cache or leaving a stale measure function behind.
    void Bind(const void* font, int height, TMeasure measure);

    const void* Font() const { return font_; }
    int Height() const { return height_; }

    // Width of one character; 0 while no measure function is bound.
    int Width(char16_t c);

    void ByteWidths(std::string_view gbk, std::vector<int>& out) override;

private:
    const void* font_ = nullptr;
    bool bound_ = false;
    int height_ = 0;
    TMeasure measure_;
    // Width + 1 per code, 0 = not measured yet. The offset lets a zero-width character be
    // cached too instead of being measured again on every layout.
    std::vector<int> table_;
};

} // namespace orvane
