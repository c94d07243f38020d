#pragma once
// Writes the reference part of a chain-reference group so that the reader's parser gives back
// exactly the intended verse lines, in the same order.

#include <string>
#include <vector>

namespace orvane::datagen {

// The references of one group, e.g. "[002:18,21-23] [9922] [2310:12];[51:15]".
//
// `targets`: verse lines, strictly ascending. `shownChapter`: chapter index of the chapter
// whose line holds the group; its verses are written as "99" references when
// `shownAsNinetyNine` is set, else like any other chapter's (the "99" form only resolves
// correctly while that very chapter is the one on screen).
//
// std::invalid_argument when `targets` is not strictly ascending within the text.
std::string WriteChainReferences(const std::vector<int>& targets, int shownChapter,
                                 bool shownAsNinetyNine = true);

} // namespace orvane::datagen
