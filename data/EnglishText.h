#pragma once
// The English verse text: line v is the English verse of verse line v. It is decompressed from
// its container the first time a verse is asked for, not before.

#include <string>

namespace orvane {

// The verse's English text as stored (GBK bytes, normally ASCII), with its trailing blanks;
// empty for a verse line outside the text, or while the container cannot be read (the next
// call tries again).
const std::string& EnglishVerse(int verseLine);

} // namespace orvane
