#include "MarkerGroups.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace orvane::datagen {
namespace {

struct Group {
    MarkerGroup Marker;
    size_t WordEnd = 0; // end of the longest word anchored here (the position for none)
    bool Unanchored = false;
};

size_t Size(const Group& g) {
    return g.Marker.References.size();
}

class Grouping {
public:
    Grouping(const Fits& fits, const Reword& reword) : fits_(fits), reword_(reword) {}

    void Add(size_t r, const std::optional<WordSpan>& anchor) {
        const size_t place = anchor ? anchor->Start : 0;
        auto it = std::find_if(groups_.begin(), groups_.end(),
                               [&](const Group& g) { return g.Marker.Position == place; });
        if (it == groups_.end()) {
            it = groups_.insert(
                std::upper_bound(groups_.begin(), groups_.end(), place,
                                 [](size_t p, const Group& g) { return p < g.Marker.Position; }),
                Group{{place, {}}, place, false});
        }
        it->Marker.References.push_back(r);
        std::sort(it->Marker.References.begin(), it->Marker.References.end());
        if (anchor)
            it->WordEnd = std::max(it->WordEnd, place + anchor->Length);
        else
            it->Unanchored = true;
    }

    // Gives up overlapping groups until none overlaps; a bounded number of rounds, after which
    // the references of a group given up simply join its neighbour.
    void SeparateOverlaps() {
        for (int round = 0; round < 64; ++round) {
            size_t g = 1;
            while (g < groups_.size() && groups_[g].Marker.Position >= groups_[g - 1].WordEnd)
                ++g;
            if (g >= groups_.size()) return;
            const bool laterWins = std::tuple(WordsLost(g), Size(groups_[g])) >
                                   std::tuple(WordsLost(g - 1), Size(groups_[g - 1]));
            Dissolve(laterWins ? g - 1 : g, laterWins ? g : g - 1, round < 63);
        }
    }

    void Cap(size_t maxGroups) {
        while (groups_.size() > std::max<size_t>(maxGroups, 1)) {
            // The group whose references lose the fewest words goes; a group without a word
            // loses none. Ties: the smaller, then the later.
            size_t smallest = 0;
            std::vector<size_t> lost(groups_.size());
            for (size_t g = 0; g < groups_.size(); ++g)
                lost[g] = WordsLost(g);
            for (size_t g = 1; g < groups_.size(); ++g)
                if (std::tuple(lost[g], Size(groups_[g])) <=
                    std::tuple(lost[smallest], Size(groups_[smallest])))
                    smallest = g;
            size_t into;
            if (smallest == 0) {
                into = 1;
            } else if (smallest + 1 == groups_.size()) {
                into = smallest - 1;
            } else {
                const size_t at = groups_[smallest].Marker.Position;
                const size_t before = at - groups_[smallest - 1].Marker.Position;
                const size_t after = groups_[smallest + 1].Marker.Position - at;
                into = after < before ? smallest + 1 : smallest - 1;
            }
            Dissolve(smallest, into, false);
        }
    }

    std::vector<MarkerGroup> Result() {
        std::vector<MarkerGroup> out;
        for (Group& g : groups_)
            out.push_back(std::move(g.Marker));
        return out;
    }

private:
    // References of group `g` that share the word at its place and at no other group's.
    size_t WordsLost(size_t g) const {
        size_t lost = 0;
        const size_t at = groups_[g].Marker.Position;
        for (size_t r : groups_[g].Marker.References) {
            if (!fits_(r, at)) continue;
            bool elsewhere = false;
            for (size_t o = 0; o < groups_.size() && !elsewhere; ++o)
                elsewhere = o != g && fits_(r, groups_[o].Marker.Position);
            lost += !elsewhere;
        }
        return lost;
    }

    // Group `from` is given up: each reference goes to the largest group it shares a word at,
    // else (with `reword`) to a word of its own clear of the other groups, else to `fallback`.
    void Dissolve(size_t from, size_t fallback, bool allowReword) {
        const Group gone = std::move(groups_[from]);
        groups_.erase(groups_.begin() + static_cast<std::ptrdiff_t>(from));
        const size_t fallbackPlace =
            groups_[fallback > from ? fallback - 1 : fallback].Marker.Position;
        std::vector<std::pair<size_t, size_t>> blocked;
        for (const Group& g : groups_)
            blocked.emplace_back(g.Marker.Position, std::max(g.WordEnd, g.Marker.Position + 1));
        for (size_t r : gone.Marker.References) {
            Group* best = nullptr;
            for (Group& g : groups_)
                if (fits_(r, g.Marker.Position) && (!best || Size(g) > Size(*best))) best = &g;
            if (best) {
                best->Marker.References.push_back(r);
                std::sort(best->Marker.References.begin(), best->Marker.References.end());
                continue;
            }
            if (allowReword && !gone.Unanchored) {
                if (const std::optional<WordSpan> word = reword_(r, blocked)) {
                    Add(r, word);
                    blocked.emplace_back(word->Start, word->Start + word->Length);
                    continue;
                }
            }
            for (Group& g : groups_)
                if (g.Marker.Position == fallbackPlace) {
                    g.Marker.References.push_back(r);
                    std::sort(g.Marker.References.begin(), g.Marker.References.end());
                    g.Unanchored = g.Unanchored || gone.Unanchored;
                }
        }
    }

    const Fits& fits_;
    const Reword& reword_;
    std::vector<Group> groups_; // in text order, one per place
};

} // namespace

std::vector<MarkerGroup> GroupByAnchor(const std::vector<std::optional<WordSpan>>& anchors,
                                       size_t maxGroups, const Fits& fits, const Reword& reword) {
    std::map<size_t, size_t> anchoredAt; // place -> references anchored there first
    for (const auto& a : anchors)
        if (a) ++anchoredAt[a->Start];
    Grouping grouping(fits, reword);
    for (size_t r = 0; r < anchors.size(); ++r) {
        std::optional<WordSpan> anchor = anchors[r];
        if (anchor) {
            size_t best = anchoredAt[anchor->Start];
            for (const auto& other : anchors)
                if (other && anchoredAt[other->Start] > best && fits(r, other->Start)) {
                    best = anchoredAt[other->Start];
                    anchor = other;
                }
        }
        grouping.Add(r, anchor);
    }
    grouping.SeparateOverlaps();
    grouping.Cap(maxGroups);
    return grouping.Result();
}

} // namespace orvane::datagen
