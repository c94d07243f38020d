#pragma once
// Chooses, for every verse, the cross references its chain-reference marker will list.

#include "CrossRefs.h"

#include <vector>

namespace orvane::datagen {

struct SelectionRules {
    int MinVotes = 5;       // rows with fewer votes are not trusted
    int MaxTargets = 8;     // a hint longer than this stops being read
    int MinTargets = 2;     // a single link is not worth a marker
    int MaxRangeVerses = 6; // long target passages would flood the hint
};

// One chosen cross reference of a verse: the verse lines of its (cut) target passage,
// ascending, the verse itself left out.
using Reference = std::vector<int>;

// Index = verse line; value = the references chosen for the verse, most votes first, or empty
// when the verse gets no marker.
//
// Per verse: its rows with at least MinVotes votes, most votes first (ties: the lower target
// line, then the shorter range), each target range cut to its first MaxRangeVerses verses and
// with the verse itself left out; rows that name only the verse itself are dropped before the
// first MaxTargets rows are taken. The verse is marked when at least MinTargets rows remain.
std::vector<std::vector<Reference>> SelectReferences(const std::vector<CrossRef>& rows,
                                                     const SelectionRules& rules);

// The verse lines of all references of each verse together, ascending and without duplicates.
std::vector<std::vector<int>> SelectTargets(const std::vector<CrossRef>& rows,
                                            const SelectionRules& rules);

} // namespace orvane::datagen
