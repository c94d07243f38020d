#pragma once
// The one crossing between the core's GBK bytes and Qt's Unicode strings. Every widget, tool-tip,
// clipboard text and file name goes through here, so that the reader shows, copies and stores
// the same characters everywhere.
//
// Characters are delimited by the core's rule (CharLength in data/Gbk.h). A character that GBK
// does not define (a lone lead byte, a lead byte before a byte that is no trail, 0x80, 0xFF)
// becomes one U+FFFD; every other byte keeps its meaning, so 81 20 FF reads U+FFFD U+0020
// U+FFFD. The other way, a character GBK cannot hold becomes "?".

#include <QString>

#include <string>
#include <string_view>

namespace orvane {

QString FromGbk(std::string_view gbk);
std::string ToGbk(const QString& text);

} // namespace orvane
