#pragma once
// Builds the two chain-reference texts of the container: the chain-reference file (one line of
// groups per chapter) and the Chinese text with a numbered marker in front of every verse that
// has a group.

#include "Gbk.h"

#include <cstddef>
#include <vector>

namespace orvane::datagen {

struct ChainStats {
    int MarkedVerses = 0;
    long long TargetLines = 0; // verse lines listed, over all groups
    long long References = 0;  // "[...]" written, over all groups
    size_t LargestGroupTargets = 0;
    int LargestGroupVerse = -1; // verse line of the marker with the most targets
    int MostMarkersInChapter = 0;
    int MostMarkersChapter = -1; // chapter index
    size_t LongestChainLine = 0; // bytes
};

struct ChainData {
    StringList ChainLines; // kChapterCount lines
    StringList TextLines;  // kVerseLineCount lines, GBK
    ChainStats Stats;
};

// `gbkVerses`: the verse texts (GBK, kVerseLineCount lines). `targets`: per verse line, the
// strictly ascending verse lines its marker lists, empty for no marker (see SelectTargets).
//
// Markers are numbered 1, 2, 3 ... within each chapter in verse order and stand at the start
// of their verse. Every group is parsed back as the reader will parse it; a group that would
// not give back its targets is a DataError, so faulty data never reaches a container. Also a
// DataError: a wrong line count, a byte 0x60 in the source (the backquote is reserved for
// markers, and a GBK character with that trail byte would read as one), and a
// marked verse that starts with an ASCII digit (the digit would join the marker number).
ChainData BuildChainData(const StringList& gbkVerses, const std::vector<std::vector<int>>& targets,
                         bool shownAsNinetyNine = true);

} // namespace orvane::datagen
