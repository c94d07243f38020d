#pragma once
// The citation formats of the reading window's copy commands. Each is a pure function of the
// verses to copy and returns GBK text with CRLF line ends; the window only gathers the rows and
// hands the result to the clipboard.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// One verse as the formats quote it.
struct TCopyVerse {
    std::string Reference; // full reference, "创 1:3"
    std::string Text;      // the verse text without chain-reference markers
};

// One row of the chain-reference pane: the group number and "[创1:1]" + the verse text.
struct TChainPaneRow {
    std::string Number;
    std::string Text;
};

// "创 1:3": short book name, a blank, chapter number, ":", verse number. Empty for a line
// outside the text.
std::string FullReference(int verseLine);

// The verse at a line of the loaded Chinese text, ready to quote.
TCopyVerse CopyVerseOf(int verseLine);

// The marker numbers of a verse text in order of appearance, as the grid paints them: the
// digits after each backquote, 1 when they are missing or do not fit a number.
std::vector<int> MarkerNumbers(std::string_view text);

// Each verse's text on a line of its own.
std::string TextOnlyFormat(std::span<const TCopyVerse> verses);
// Each verse quoted, its reference before the closing punctuation: “…”(创 1:1)。
std::string WritingFormat(std::span<const TCopyVerse> verses);
// Several verses as one quotation naming the range: “……”(创 1:1-3). One verse as the
// writing format without its line end.
std::string MoreWritingFormat(std::span<const TCopyVerse> verses);
// The range, a tab and the verses run together. One verse without a line end.
std::string MoreTitleFormat(std::span<const TCopyVerse> verses);
// A header naming the testament and the book, then reference, tab and text per verse.
std::string CompleteFormat(bool newTestament, std::string_view bookFullName,
                           std::span<const TCopyVerse> verses);
// The verse, a rule, then for each of its markers the pane rows of that group number followed
// by an empty line; markers are removed from the whole result.
std::string ChainContentFormat(const TCopyVerse& verse, std::span<const int> markers,
                               std::span<const TChainPaneRow> pane);

} // namespace orvane
