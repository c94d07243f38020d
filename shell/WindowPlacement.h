#pragma once
// Where the main window stood when it was closed, as kept in the settings file: "WINDOW RECT"
// is "left,top,width,height" with the corner of the outer frame and the window's own size (the
// window manager's frame comes on top at the next start, as it did this time).

#include <QRect>

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The rectangle the text states; nothing for text that is not four whole numbers, a size that is
// not positive, or numbers too large for any screen (a hand-edited or damaged file).
std::optional<QRect> ParseWindowRect(std::string_view text);
std::string FormatWindowRect(const QRect& rect);

// The rectangle shrunk to the room and then moved into it, so that a window saved on a larger or
// since removed screen opens whole on the screen there is; `room` invalid leaves it as it is.
// Never smaller than `minimum` (the room permitting).
QRect FitRectInto(const QRect& rect, const QRect& room, QSize minimum = {200, 150});

// A splitter position as kept ("SPLIT LEFT", "SPLIT BOTTOM"): a pane size in pixels, or nothing
// for text that is not a whole number within 0..limit.
std::optional<int> ParseSplitSize(std::string_view text, int limit);

} // namespace orvane
