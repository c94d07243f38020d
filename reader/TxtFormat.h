#pragma once
// Line breaking of verse and reference texts for the reading grids.

#include "CharWidth.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orvane {

class TTxtFormat {
public:
    // A text never gets more display lines than this; the last one takes whatever remains.
    static constexpr size_t kMaxLines = 1024;
    // Line ends are 16-bit; bytes past this many are not laid out (verses are far shorter).
    static constexpr size_t kMaxTextBytes = 65535;

    // Breaks text into display lines no wider than width pixels where the text allows it.
    // Returns the 1-based position of the last byte of each display line (equivalently the
    // 0-based end, exclusive, of each line); the number of display lines is the size. Ends are
    // strictly increasing, every line holds at least one whole character, and the last end is
    // the text's length (up to kMaxTextBytes). An empty text has no display lines.
    static std::vector<uint16_t> BreakLines(std::string_view text, int width, IByteWidths& widths);

    // Whether the character at byte i (which starts a character) is one of the marks that no
    // display line begins with (， ； 。 ） 」 、 ！ ： ？ 』 ”) or ends with (（ 「 『 “ ‘).
    static bool IsClosingMark(std::string_view text, size_t i);
    static bool IsOpeningMark(std::string_view text, size_t i);

    // A stretch of text cut at the display lines it crosses: the bytes [Begin, End) of display
    // line Line. Used to draw a highlighted occurrence that runs on to the next line.
    struct TPiece {
        size_t Line;
        size_t Begin;
        size_t End;
    };
    static std::vector<TPiece> SplitAtLines(const std::vector<uint16_t>& ends, size_t begin,
                                            size_t length);
};

} // namespace orvane
