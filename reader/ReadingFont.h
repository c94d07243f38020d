#pragma once
// The reading font and the character widths measured with it. Line breaking of every grid is
// done with these widths, so the text is measured exactly as it is painted. Both follow the
// reading size (ReadingSize.h): one font object and one width cache per point size, so going
// back to a size already read in measures nothing again.

#include "CharWidth.h"

#include <QFont>

namespace orvane {

// "宋体" at the reading size (9 pt unless the reader chose otherwise), regular.
const QFont& ReadingFont();
// The width cache bound to the reading font (measured through QFontMetrics).
TCharWidth& ReadingWidths();
// Advance width in pixels of a GBK text in the reading font, summed from the cache.
int ReadingTextWidth(std::string_view gbk);
// The Latin face the English verses are read in, at the reading size.
const QFont& EnglishFont();

} // namespace orvane
