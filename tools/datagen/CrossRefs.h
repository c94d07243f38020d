#pragma once
// Rows of the cross-reference table: "from<TAB>to_first<TAB>to_last<TAB>votes", all verse
// lines 0-based, votes a signed count of how many readers endorsed the link.

#include <string_view>
#include <vector>

namespace orvane::datagen {

struct CrossRef {
    int From;
    int ToFirst;
    int ToLast;
    int Votes;
};

// All rows of the table in file order. DataError naming the 1-based line for a row that is not
// four integers, a verse line outside the text or a range that runs backwards.
std::vector<CrossRef> ParseCrossRefs(std::string_view text);

} // namespace orvane::datagen
