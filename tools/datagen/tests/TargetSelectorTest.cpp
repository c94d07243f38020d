#include "TargetSelector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace orvane::datagen {
namespace {

constexpr int kFrom = 1000;

std::vector<int> Select(const std::vector<CrossRef>& rows, SelectionRules rules = {}) {
    return SelectTargets(rows, rules)[kFrom];
}

TEST(TargetSelector, KeepsTheMostVotedRowsUpToTheCap) {
    std::vector<CrossRef> rows;
    // Votes 1..12 on targets 2001..2012, plus a tie at 12 votes on a lower line.
    for (int i = 1; i <= 12; ++i)
        rows.push_back({kFrom, 2000 + i, 2000 + i, i});
    rows.push_back({kFrom, 1500, 1500, 12});
    EXPECT_EQ(Select(rows), (std::vector<int>{1500, 2006, 2007, 2008, 2009, 2010, 2011, 2012}));

    SelectionRules rules;
    rules.MaxTargets = 2;
    EXPECT_EQ(Select(rows, rules), (std::vector<int>{1500, 2012}));
    rules.MinVotes = 11;
    rules.MaxTargets = 8;
    EXPECT_EQ(Select(rows, rules), (std::vector<int>{1500, 2011, 2012}));
}

TEST(TargetSelector, RowsBelowTheThresholdOrBelowTwoTargetsLeaveTheVerseUnmarked) {
    EXPECT_TRUE(Select({{kFrom, 10, 10, 4}, {kFrom, 20, 20, 4}}).empty());
    EXPECT_EQ(Select({{kFrom, 10, 10, 5}, {kFrom, 20, 20, 5}}), (std::vector<int>{10, 20}));
    // One range row is one target, however many verses it spans.
    EXPECT_TRUE(Select({{kFrom, 10, 12, 50}, {kFrom, 20, 20, 4}}).empty());
    SelectionRules one;
    one.MinTargets = 1;
    EXPECT_EQ(Select({{kFrom, 10, 12, 50}}, one), (std::vector<int>{10, 11, 12}));
}

TEST(TargetSelector, CutsLongRangesAndLeavesOutTheVerseItself) {
    // A 21-verse passage keeps its first six verses.
    EXPECT_EQ(Select({{kFrom, 200, 220, 9}, {kFrom, 5, 5, 9}}),
              (std::vector<int>{5, 200, 201, 202, 203, 204, 205}));
    // A row naming only the verse itself neither counts nor takes a place under the cap.
    SelectionRules rules;
    rules.MaxTargets = 2;
    EXPECT_EQ(Select({{kFrom, kFrom, kFrom, 99}, {kFrom, 10, 10, 6}, {kFrom, 20, 20, 5}}, rules),
              (std::vector<int>{10, 20}));
    EXPECT_TRUE(Select({{kFrom, kFrom, kFrom, 99}, {kFrom, 10, 10, 6}}).empty());
    // A range around the verse loses just the verse.
    EXPECT_EQ(Select({{kFrom, kFrom - 1, kFrom + 1, 7}, {kFrom, 10, 10, 6}}),
              (std::vector<int>{10, kFrom - 1, kFrom + 1}));
}

TEST(TargetSelector, MergesOverlapsAndDoesNotDependOnRowOrder) {
    std::vector<CrossRef> rows = {{kFrom, 30, 33, 8},   {kFrom, 32, 35, 8},  {kFrom, 33, 33, 8},
                                  {kFrom, 7, 7, 6},     {kFrom, 40, 40, 6},  {kFrom, 41, 41, 6},
                                  {kFrom, 9, 9, 6},     {kFrom, 8, 8, 6},    {kFrom, 8, 9, 6},
                                  {kFrom + 1, 1, 1, 9}, {kFrom + 1, 2, 2, 9}};
    const std::vector<std::vector<int>> expected = SelectTargets(rows, {});
    // Ties at 6 votes: 7, 8, 8-9, 9, 40 win the remaining five places over 41.
    EXPECT_EQ(expected[kFrom], (std::vector<int>{7, 8, 9, 30, 31, 32, 33, 34, 35, 40}));
    EXPECT_EQ(expected[kFrom + 1], (std::vector<int>{1, 2}));

    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(rows.begin(), rows.end(), random);
        EXPECT_EQ(SelectTargets(rows, {}), expected);
    }
}

} // namespace
} // namespace orvane::datagen
