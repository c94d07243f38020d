#pragma once
// The English verse text (container BIBEN), read only for the features that show it. Its lines
// are aligned with the Chinese verse lines: line v is the English of verse line v.

#include <string>

namespace orvane {

// The English of verse line `verseLine`, without the blank the stored lines end in. Empty for a
// line outside the text and for a verse the English text does not have (3 John 1:15). The
// container is decompressed on the first call; a failed load returns empty and is tried again
// on the next call.
const std::string& EnglishVerse(int verseLine);

} // namespace orvane
