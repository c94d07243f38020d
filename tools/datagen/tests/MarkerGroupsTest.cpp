#include "MarkerGroups.h"

#include <gtest/gtest.h>

namespace orvane::datagen {
namespace {

using Anchors = std::vector<std::optional<WordSpan>>;

std::vector<size_t> Places(const std::vector<MarkerGroup>& groups) {
    std::vector<size_t> places;
    for (const MarkerGroup& g : groups)
        places.push_back(g.Position);
    return places;
}

const Reword kNoOtherWord = [](size_t, const std::vector<std::pair<size_t, size_t>>&) {
    return std::optional<WordSpan>();
};

TEST(MarkerGroups, OnePlaceOneMarkerAndTheWordlessAtTheStart) {
    const Anchors anchors = {WordSpan{5, 2}, std::nullopt, WordSpan{5, 3}, WordSpan{0, 2},
                             WordSpan{9, 2}};
    const Fits fits = [&](size_t r, size_t at) { return anchors[r] && anchors[r]->Start == at; };
    const auto groups = GroupByAnchor(anchors, 4, fits, kNoOtherWord);
    EXPECT_EQ(Places(groups), (std::vector<size_t>{0, 5, 9}));
    EXPECT_EQ(groups[0].References, (std::vector<size_t>{1, 3}));
    EXPECT_EQ(groups[1].References, (std::vector<size_t>{0, 2}));
}

TEST(MarkerGroups, NoBallInsideAnotherMarkersWord) {
    // "创造" at 3 and "造天地" at 4 overlap; reference 1 also shares "天地" at 5.
    const Anchors anchors = {WordSpan{3, 2}, WordSpan{4, 3}, WordSpan{3, 2}};
    const Fits fits = [&](size_t r, size_t at) {
        return anchors[r]->Start == at || (r == 1 && at == 5);
    };
    const Reword reword = [](size_t r, const std::vector<std::pair<size_t, size_t>>& blocked) {
        for (const auto& [first, end] : blocked)
            if (first < 7 && 5 < end) return std::optional<WordSpan>();
        return r == 1 ? std::optional<WordSpan>(WordSpan{5, 2}) : std::nullopt;
    };
    auto groups = GroupByAnchor(anchors, 4, fits, reword);
    EXPECT_EQ(Places(groups), (std::vector<size_t>{3, 5}));
    // Without another word the smaller group joins the larger.
    groups = GroupByAnchor(anchors, 4, fits, kNoOtherWord);
    EXPECT_EQ(Places(groups), (std::vector<size_t>{3}));
    EXPECT_EQ(groups[0].References, (std::vector<size_t>{0, 1, 2}));
}

TEST(MarkerGroups, BeyondFourTheGroupThatLosesLeastGoesToItsNeighbour) {
    // Places 0 (no word), 10, 20, 30, 40; reference 5 shares words at 20 and at 40.
    const Anchors anchors = {std::nullopt,    WordSpan{10, 2}, WordSpan{20, 2},
                             WordSpan{30, 2}, WordSpan{40, 2}, WordSpan{40, 2}};
    const Fits fits = [&](size_t r, size_t at) {
        return (anchors[r] && anchors[r]->Start == at) || (r == 5 && at == 20);
    };
    auto groups = GroupByAnchor(anchors, 4, fits, kNoOtherWord);
    // The wordless group loses nothing: its reference joins the nearest marker.
    EXPECT_EQ(Places(groups), (std::vector<size_t>{10, 20, 30, 40}));
    EXPECT_EQ(groups[0].References, (std::vector<size_t>{0, 1}));
    groups = GroupByAnchor(anchors, 2, fits, kNoOtherWord);
    ASSERT_EQ(groups.size(), 2u);
    size_t total = 0;
    for (const MarkerGroup& g : groups)
        total += g.References.size();
    EXPECT_EQ(total, anchors.size());
}

} // namespace
} // namespace orvane::datagen
