#pragma once
// The words and characters too common to link two verses: a marker placed before them would
// point at grammar, not at what the verses share.

#include <string>
#include <vector>

namespace orvane::datagen {

// UTF-8. Multi-character words: a shared word equal to one of them is no anchor.
const std::vector<std::string>& CommonWords();

// UTF-8, one character each. Grammar characters: trimmed off the front of a shared word
// ("们的神" is "神") ...
const std::vector<std::string>& LeadingGrammar();

// ... and off its back ("耶和华的" is "耶和华", a common word, so no word at all).
const std::vector<std::string>& TrailingGrammar();

} // namespace orvane::datagen
