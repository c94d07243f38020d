#pragma once
// Builds the two chain-reference texts of the container: the chain-reference file (one line of
// groups per chapter) and the Chinese text with numbered markers in front of the words that
// link each verse to the verses its groups list.

#include "Gbk.h"
#include "TargetSelector.h"

#include <cstddef>
#include <vector>

namespace orvane::datagen {

struct ChainStats {
    int MarkedVerses = 0;
    int Markers = 0;
    int VersesWithSeveralMarkers = 0;
    long long ReferencesListed = 0;
    long long ReferencesBeforeSharedWord = 0; // their marker stands before a word they share
    int RedirectedTargets = 0;                // empty verse lines replaced by the verse before
    long long TargetLines = 0;                // verse lines listed, over all groups
    long long References = 0;                 // "[...]" written, over all groups
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

inline constexpr size_t kMaxMarkersPerVerse = 4;

// `gbkVerses`: the verse texts (GBK, kVerseLineCount lines). `references`: per verse line, the
// references chosen for it (see SelectReferences), empty for no marker.
//
// A reference to an empty verse line (a verse the translation merged into the one before)
// points at the verse before it that holds the text instead. Each reference is anchored
// before the longest word its verse shares with its target (see AnchorFinder); references
// anchored at one place share a marker, at most kMaxMarkersPerVerse per verse (see
// GroupByAnchor). Markers are numbered 1, 2, 3 ... within each chapter in text order.
//
// Every group is parsed back as the reader will parse it; a group that would not give back
// its targets is a DataError, so faulty data never reaches a container. Also a DataError: a
// wrong line count, a backquote in the source (reserved for markers; a GBK character whose
// trail byte has that value is fine, the reader walks whole characters) and a marker that would
// stand before an ASCII digit (the digit would join the marker number).
ChainData BuildChainData(const StringList& gbkVerses,
                         const std::vector<std::vector<Reference>>& references,
                         bool shownAsNinetyNine = true);

} // namespace orvane::datagen
