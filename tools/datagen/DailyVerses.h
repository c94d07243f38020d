#pragma once
// The daily-verse corpus: one self-contained line per listed verse, e.g. "起初神创造天地。(创 1:1)"
// (GBK), the text followed by its full reference in ASCII parentheses.

#include "Gbk.h"

#include <string_view>

namespace orvane::datagen {

// `gbkVerses`: the verse texts (GBK, kVerseLineCount lines). `listText`: one verse line number
// per line. DataError naming the list's 1-based line for an entry that is not a verse line or
// names an empty verse (its words stand in the verse before it, so the line would show a bare
// reference).
StringList BuildDailyVerses(const StringList& gbkVerses, std::string_view listText);

} // namespace orvane::datagen
