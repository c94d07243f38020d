#pragma once
// Chain references: one line per chapter, a sequence of groups "~<label>[ref] [ref];[ref]...".
// A group lists the verses that a numbered marker in the chapter's text points to.

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The group of marker `marker` in a chapter's chain-reference line: from the "[" after
// "~<marker>" up to the next "~" (or the end). Empty when the line has no such group.
std::string ChainGroupText(std::string_view chapterLine, int marker);

// Verse lines named by a group's references, in the order they stand, duplicates kept.
// "99" references mean the chapter shown in the reading window: book index `shownBook`,
// chapter number `shownChapter` within it.
//
// Beyond the literal reading rules of the data, three cases are settled here:
// - a "[" without its "]" ends the parse;
// - a range written high to low ("9-5") adds the same verses as "5-9";
// - a chapter number that would fall before the book's first chapter is raised to it, one past
//   the end of the Bible is lowered to the last chapter, and verse lines that fall outside the
//   text are dropped, so the result can always be used to index the corpus.
std::vector<int> ParseChainGroup(std::string_view group, int shownBook, int shownChapter);

// Decimal text to integer, `fallback` when the text is not a whole 32-bit decimal number
// (optional sign, digits only).
int StrToIntDef(std::string_view text, int fallback);

} // namespace orvane
