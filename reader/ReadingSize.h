#pragma once
// The reading size: the point size the chapter grid and the panes beside it are read in, and
// the scaling of every pixel measure that was laid out for the 9-point text.
//
// The size lives once per process, like the reading font it selects. At 9 points every scaled
// measure is exactly the unscaled one, so a reader who never changes the size sees the window
// pixel for pixel as it always was.

#include <string_view>

namespace orvane {

inline constexpr int kDefaultReadingSize = 9;
inline constexpr int kMinReadingSize = 9;
inline constexpr int kMaxReadingSize = 24;

// Measures of the 9-point layout that the reading size scales: a display line, the chapter
// grid's verse-number column and the chain pane's group-number column.
inline constexpr int kReadingLineHeight = 24;
inline constexpr int kVerseColumnWidth = 52;
inline constexpr int kGroupColumnWidth = 28;

// Into kMinReadingSize..kMaxReadingSize.
int ClampReadingSize(int points);
// The stored setting: a decimal number of points, clamped into the range. An empty text or
// anything else that is no whole number (garbage from a hand-edited file) gives the default.
int ReadingSizeFromText(std::string_view text);

int CurrentReadingSize();
// Clamped; returns the size now in effect.
int SetCurrentReadingSize(int points);

// A pixel measure of the 9-point layout at `points`, rounded to the nearest pixel.
constexpr int ScaledFor(int pixels, int points) {
    const int scaled = pixels * points;
    return scaled >= 0 ? (scaled + kDefaultReadingSize / 2) / kDefaultReadingSize
                       : -((-scaled + kDefaultReadingSize / 2) / kDefaultReadingSize);
}
// The same at the current reading size.
int ReadingScaled(int pixels);

} // namespace orvane
