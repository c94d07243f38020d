#pragma once
// Text rules shared by the two notes windows. Both show Unicode text, while the notes file and
// the counts the user sees are in GBK bytes: a Chinese character counts 2, a line break 2 (the
// CR LF it is stored as on disk).

#include <QString>

namespace orvane {

// GBK bytes of `text` with every line break counted as CR LF. A character GBK cannot hold
// counts as the one "?" byte it would be stored as.
int GbkByteCount(const QString& text);

// "总字数：N" for the status bars.
QString CountCaption(const QString& text);

// True when every character of `text` survives the round trip through GBK. Otherwise false,
// and `firstLost` (optional) receives the first character that would be lost.
bool FitsGbk(const QString& text, QString* firstLost = nullptr);

// `text` without blanks and control characters (U+0000..U+0020) at either end. Unlike
// QString::trimmed this keeps the ideographic space U+3000 that opens a Chinese paragraph.
QString TrimBlankEnds(const QString& text);

} // namespace orvane
