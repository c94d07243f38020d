#include "TargetSelector.h"

#include "BookTables.h"

#include <algorithm>
#include <tuple>

namespace orvane::datagen {

std::vector<std::vector<Reference>> SelectReferences(const std::vector<CrossRef>& rows,
                                                     const SelectionRules& rules) {
    std::vector<std::vector<const CrossRef*>> byVerse(kVerseLineCount);
    for (const CrossRef& row : rows)
        if (row.Votes >= rules.MinVotes) byVerse[static_cast<size_t>(row.From)].push_back(&row);

    std::vector<std::vector<Reference>> chosen(kVerseLineCount);
    for (int verse = 0; verse < kVerseLineCount; ++verse) {
        std::vector<const CrossRef*>& candidates = byVerse[static_cast<size_t>(verse)];
        // A total order, so that the file's row order never decides which rows win.
        std::sort(candidates.begin(), candidates.end(), [](const CrossRef* a, const CrossRef* b) {
            return std::tuple(-a->Votes, a->ToFirst, a->ToLast) <
                   std::tuple(-b->Votes, b->ToFirst, b->ToLast);
        });
        std::vector<Reference> references;
        for (const CrossRef* row : candidates) {
            if (static_cast<int>(references.size()) == rules.MaxTargets) break;
            const int last = std::min(row->ToLast, row->ToFirst + rules.MaxRangeVerses - 1);
            Reference lines;
            for (int line = row->ToFirst; line <= last; ++line)
                if (line != verse) lines.push_back(line);
            if (!lines.empty()) references.push_back(std::move(lines));
        }
        if (static_cast<int>(references.size()) < rules.MinTargets) continue;
        chosen[static_cast<size_t>(verse)] = std::move(references);
    }
    return chosen;
}

std::vector<std::vector<int>> SelectTargets(const std::vector<CrossRef>& rows,
                                            const SelectionRules& rules) {
    const std::vector<std::vector<Reference>> chosen = SelectReferences(rows, rules);
    std::vector<std::vector<int>> targets(chosen.size());
    for (size_t verse = 0; verse < chosen.size(); ++verse) {
        std::vector<int>& lines = targets[verse];
        for (const Reference& reference : chosen[verse])
            lines.insert(lines.end(), reference.begin(), reference.end());
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    }
    return targets;
}

} // namespace orvane::datagen
