#pragma once
// The reading font and the character widths measured with it. Line breaking of every grid is
// done with these widths, so the text is measured exactly as it is painted.

#include "CharWidth.h"

#include <QFont>

namespace orvane {

// "宋体" 9 pt, regular: one object for the whole run.
const QFont& ReadingFont();
// The width cache bound to the reading font (measured through QFontMetrics).
TCharWidth& ReadingWidths();
// Advance width in pixels of a GBK text in the reading font, summed from the cache.
int ReadingTextWidth(std::string_view gbk);

} // namespace orvane
