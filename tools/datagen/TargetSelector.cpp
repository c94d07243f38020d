#include "TargetSelector.h"

#include "BookTables.h"

#include <algorithm>
#include <tuple>

namespace orvane::datagen {

std::vector<std::vector<int>> SelectTargets(const std::vector<CrossRef>& rows,
                                            const SelectionRules& rules) {
    std::vector<std::vector<const CrossRef*>> byVerse(kVerseLineCount);
    for (const CrossRef& row : rows)
        if (row.Votes >= rules.MinVotes) byVerse[static_cast<size_t>(row.From)].push_back(&row);

    std::vector<std::vector<int>> targets(kVerseLineCount);
    for (int verse = 0; verse < kVerseLineCount; ++verse) {
        std::vector<const CrossRef*>& candidates = byVerse[static_cast<size_t>(verse)];
        // A total order, so that the file's row order never decides which rows win.
        std::sort(candidates.begin(), candidates.end(), [](const CrossRef* a, const CrossRef* b) {
            return std::tuple(-a->Votes, a->ToFirst, a->ToLast) <
                   std::tuple(-b->Votes, b->ToFirst, b->ToLast);
        });
        std::vector<int> lines;
        int taken = 0;
        for (const CrossRef* row : candidates) {
            if (taken == rules.MaxTargets) break;
            const int last = std::min(row->ToLast, row->ToFirst + rules.MaxRangeVerses - 1);
            const size_t before = lines.size();
            for (int line = row->ToFirst; line <= last; ++line)
                if (line != verse) lines.push_back(line);
            if (lines.size() > before) ++taken;
        }
        if (taken < rules.MinTargets) continue;
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        targets[static_cast<size_t>(verse)] = std::move(lines);
    }
    return targets;
}

} // namespace orvane::datagen
