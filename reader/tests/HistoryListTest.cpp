#include "HistoryList.h"

#include "BookTables.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvane;

namespace {

constexpr int A = 0, B = 1533, C = 23145, D = kLastVerseLine;

std::vector<int> Verses(const THistoryList& list) {
    std::vector<int> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.VerseLine(i));
    return lines;
}

THistoryList Visited(std::initializer_list<int> verses) {
    THistoryList list;
    for (int v : verses)
        list.RecordLocation(v, 0);
    return list;
}

} // namespace

TEST(HistoryList, EmptyListHasNoCurrentEntryAndReadsMinusOneOutside) {
    THistoryList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Position(), -1);
    EXPECT_EQ(list.VerseLine(0), -1);
    EXPECT_EQ(list.ChainRow(0), -1);
    list.RecordLocation(B, 2);
    EXPECT_EQ(list.VerseLine(-1), -1);
    EXPECT_EQ(list.ChainRow(1), -1);
    EXPECT_EQ(list.Strings(1), "");
}

TEST(HistoryList, EntriesAreNameEqualsChainRowWithAtLeastFiveDigits) {
    THistoryList list;
    list.RecordLocation(123, 4);
    list.RecordLocation(0, 0);
    list.RecordLocation(D, 17);
    EXPECT_EQ(list.Strings(0), "000123=4");
    EXPECT_EQ(list.Strings(1), "000000=0");
    EXPECT_EQ(list.Strings(2), "031102=17");
    EXPECT_EQ(list.Name(0), "000123");
    EXPECT_EQ(list.Value(2), "17");
    EXPECT_EQ(Verses(list), (std::vector<int>{123, 0, D}));
    EXPECT_EQ(list.ChainRow(0), 4);
    EXPECT_EQ(list.ChainRow(2), 17);
    EXPECT_EQ(list.Position(), 2);
}

TEST(HistoryList, NamesAreLookedUpWhole) {
    const THistoryList list = Visited({1234, 12340});
    EXPECT_EQ(list.IndexOfName(THistoryList::NameOf(1234)), 0);
    EXPECT_EQ(list.IndexOfName(THistoryList::NameOf(12340)), 1);
    EXPECT_EQ(list.IndexOfName("01234"), -1);
    EXPECT_EQ(list.IndexOfName(THistoryList::NameOf(123)), -1);
}

TEST(HistoryList, NewVerseAfterGoingBackDropsWhatLayAhead) {
    THistoryList list = Visited({A, B, C});
    list.RecordLocation(B, 0); // back
    EXPECT_EQ(list.Position(), 1);
    EXPECT_EQ(list.Count(), 3);
    list.RecordLocation(D, 0);
    EXPECT_EQ(Verses(list), (std::vector<int>{A, B, D}));
    EXPECT_EQ(list.Position(), 2);
    list.RecordLocation(B, 0); // back again
    EXPECT_EQ(list.Position(), 1);

    // From the very first entry everything after it goes.
    list.RecordLocation(A, 0);
    list.RecordLocation(C, 0);
    EXPECT_EQ(Verses(list), (std::vector<int>{A, C}));
    EXPECT_EQ(list.Position(), 1);
}

TEST(HistoryList, ListedVerseOnlyBecomesCurrent) {
    THistoryList list = Visited({A, B, C});
    list.RecordLocation(A, 5);
    EXPECT_EQ(Verses(list), (std::vector<int>{A, B, C}));
    EXPECT_EQ(list.Position(), 0);
    EXPECT_EQ(list.ChainRow(0), 0) << "the first row stored is kept";
    list.RecordLocation(B, 0); // forward
    EXPECT_EQ(list.Position(), 1);
    EXPECT_EQ(list.Count(), 3);

    // The current verse again, at the end: nothing changes.
    list.RecordLocation(C, 0);
    list.RecordLocation(C, 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Position(), 2);
}

TEST(HistoryList, SameVerseWithTwoChainRowsIsOneEntryKeepingTheFirst) {
    THistoryList list;
    list.RecordLocation(B, 3);
    list.RecordLocation(B, 7);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.ChainRow(0), 3);
    EXPECT_EQ(list.Position(), 0);
}

TEST(HistoryList, VerseLinesOutsideTheBibleAreNotRecorded) {
    THistoryList list;
    EXPECT_FALSE(list.RecordLocation(-1, 0));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Position(), -1);
    list = Visited({A, B, C});
    list.RecordLocation(A, 0);
    EXPECT_FALSE(list.RecordLocation(kVerseLineCount, 0));
    EXPECT_FALSE(list.RecordLocation(-5, 0));
    EXPECT_EQ(Verses(list), (std::vector<int>{A, B, C})) << "nothing after the current dropped";
    EXPECT_EQ(list.Position(), 0);
    EXPECT_TRUE(list.RecordLocation(D, 0));
}

TEST(HistoryList, HasNoUpperLimit) {
    THistoryList list;
    for (int v = 0; v < 5000; ++v)
        list.RecordLocation(v, v % 7);
    EXPECT_EQ(list.Count(), 5000);
    EXPECT_EQ(list.Position(), 4999);
    EXPECT_EQ(list.VerseLine(4321), 4321);
    EXPECT_EQ(list.ChainRow(4321), 4321 % 7);
}
