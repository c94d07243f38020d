#pragma once
// Gathers the references of one verse under its markers: one marker per place in the verse.

#include <cstddef>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvane::datagen {

// The characters [Start, Start + Length) of a verse that a reference shares with its target.
struct WordSpan {
    size_t Start;
    size_t Length;
};

struct MarkerGroup {
    size_t Position = 0;            // character index the marker stands before
    std::vector<size_t> References; // indexes into the verse's references, ascending
};

// Whether reference `r` shares a word that starts at character `position`.
using Fits = std::function<bool(size_t r, size_t position)>;
// Reference `r`'s longest shared word that overlaps none of the `blocked` [first, end) ranges.
using Reword =
    std::function<std::optional<WordSpan>(size_t r, const std::vector<std::pair<size_t, size_t>>&)>;

// `anchors`: per reference, the word it shares with its target, or none.
// - A reference that also shares the word at a place where more references are anchored moves
//   there (fewer, fuller markers). References anchored at one place form one group; those
//   without a word stand at the verse start (together with a word that opens the verse).
// - A group whose place lies inside another group's word is given up in favour of the other
//   (the one whose references would lose more words, ties the larger, then the earlier): two
//   balls within one word would read as links of two words.
//   Its references go to a group they share a word at, else to the place of their longest word
//   clear of the other groups' words (`reword`), else to the other group.
// - While there are more than `maxGroups` groups, the smallest is given up: the one whose
//   references lose the fewest words (a group without a word loses none), ties the one with
//   the fewest references, then the later. Its references go to the largest group they share a
//   word at, else to its nearest neighbour (ties: the earlier).
// The groups come back in text order.
std::vector<MarkerGroup> GroupByAnchor(const std::vector<std::optional<WordSpan>>& anchors,
                                       size_t maxGroups, const Fits& fits, const Reword& reword);

} // namespace orvane::datagen
