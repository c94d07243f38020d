#include "CopyFormats.h"

#include "BookTables.h"
#include "Gbk.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orvane;

namespace {

// Verses written in UTF-8 for readability; the formats work on GBK.
TCopyVerse Verse(const char* reference, const char* text) {
    return {Utf8ToGbk(reference), Utf8ToGbk(text)};
}

std::string Utf8(const std::string& gbk) {
    return GbkToUtf8(gbk);
}

const std::vector<TCopyVerse> kGenesis = {
    Verse("创 1:1", "起初神创造天地。"),
    Verse("创 1:2", "地是空虚混沌，渊面黑暗；神的灵运行在水面上。"),
    Verse("创 1:3", "神说：“要有光”，就有了光。"),
};

TEST(CopyFormats, FullReferenceNamesBookChapterAndVerseWithABlank) {
    EXPECT_EQ(Utf8(FullReference(0)), "创 1:1");
    EXPECT_EQ(Utf8(FullReference(2)), "创 1:3");
    EXPECT_EQ(Utf8(FullReference(kFirstNewTestamentLine)), "太 1:1");
    EXPECT_EQ(Utf8(FullReference(kLastVerseLine)), "启 22:21");
    EXPECT_EQ(FullReference(-1), "");
    EXPECT_EQ(FullReference(kVerseLineCount), "");
}

TEST(CopyFormats, TextOnlyPutsEachVerseOnItsOwnLineInTheGivenOrder) {
    const std::vector<TCopyVerse> marked = {kGenesis[2], kGenesis[0]};
    EXPECT_EQ(Utf8(TextOnlyFormat(marked)), "神说：“要有光”，就有了光。\r\n起初神创造天地。\r\n");
    EXPECT_EQ(TextOnlyFormat({}), "");
    const std::vector<TCopyVerse> empty = {Verse("创 1:1", "")};
    EXPECT_EQ(TextOnlyFormat(empty), "\r\n");
}

TEST(CopyFormats, WritingFormatPutsTheReferenceBeforeTheClosingPunctuation) {
    const std::vector<TCopyVerse> one(kGenesis.begin(), kGenesis.begin() + 1);
    EXPECT_EQ(Utf8(WritingFormat(one)), "“起初神创造天地”(创 1:1)。\r\n");
    EXPECT_EQ(Utf8(WritingFormat(kGenesis)),
              "“起初神创造天地”(创 1:1)。\r\n"
              "“地是空虚混沌，渊面黑暗；神的灵运行在水面上”(创 1:2)。\r\n"
              "“神说：“要有光”，就有了光”(创 1:3)。\r\n");
}

TEST(CopyFormats, WritingFormatNeverSplitsADoubleByteCharacter) {
    // A half-width ending is one byte; the reference goes in front of it.
    const std::vector<TCopyVerse> colon = {Verse("徒 7:1", "大祭司就说:")};
    EXPECT_EQ(Utf8(WritingFormat(colon)), "“大祭司就说”(徒 7:1):\r\n");
    // A character whose trail byte reads as ASCII ("塀" is 89 42, the "B"): seen from the end
    // it looks like a one-byte ending, yet the whole character stays after the reference.
    const std::vector<TCopyVerse> trail = {Verse("创 1:1", "A塀")};
    ASSERT_EQ(trail[0].Text, "A\x89\x42");
    EXPECT_EQ(Utf8(WritingFormat(trail)), "“A”(创 1:1)塀\r\n");
    // Text ending with a damaged lone lead byte: counted as one byte, nothing runs past the end.
    const std::vector<TCopyVerse> damaged = {{Utf8ToGbk("创 1:1"), "ab\xB0"}};
    EXPECT_EQ(WritingFormat(damaged), Utf8ToGbk("“ab”(创 1:1)") + "\xB0\r\n");
    // The restored characters end verses too: 繸 (C0 5A) and one ending in the backquote byte
    // stay whole after the reference; a lead byte before a digit is two characters.
    EXPECT_EQ(Utf8(WritingFormat(std::vector{Verse("民 15:38", "作繸")})), "“作”(民 15:38)繸\r\n");
    const std::vector<TCopyVerse> backquote = {{Utf8ToGbk("创 1:1"), "ab\x81\x60"}};
    EXPECT_EQ(WritingFormat(backquote), Utf8ToGbk("“ab”(创 1:1)") + "\x81\x60\r\n");
    const std::vector<TCopyVerse> digit = {{Utf8ToGbk("创 1:1"), "ab\x81"
                                                                 "7"}};
    EXPECT_EQ(WritingFormat(digit), Utf8ToGbk("“") + "ab\x81" + Utf8ToGbk("”(创 1:1)") + "7\r\n");
    EXPECT_EQ(MoreWritingFormat(backquote), Utf8ToGbk("“ab”(创 1:1)") + "\x81\x60");
}

TEST(CopyFormats, WritingFormatOfAnEmptyVerseIsTwoQuotesAndTheReference) {
    const std::vector<TCopyVerse> empty = {Verse("约壹 5:7", "")};
    EXPECT_EQ(Utf8(WritingFormat(empty)), "“”(约壹 5:7)\r\n");
    EXPECT_EQ(Utf8(MoreWritingFormat(empty)), "“”(约壹 5:7)");
    const std::vector<TCopyVerse> single = {Verse("创 1:1", "?")};
    EXPECT_EQ(Utf8(WritingFormat(single)), "“”(创 1:1)?\r\n");
}

TEST(CopyFormats, MoreWritingFormatQuotesARangeOrOneVerse) {
    EXPECT_EQ(Utf8(MoreWritingFormat(kGenesis)),
              "“起初神创造天地。地是空虚混沌，渊面黑暗；神的灵运行在水面上。神说：“要有光”，"
              "就有了光。”(创 1:1-3)\r\n");
    const std::vector<TCopyVerse> two(kGenesis.begin() + 1, kGenesis.end());
    EXPECT_TRUE(Utf8(MoreWritingFormat(two)).ends_with("”(创 1:2-3)\r\n"));
    const std::vector<TCopyVerse> one(kGenesis.begin() + 2, kGenesis.end());
    EXPECT_EQ(Utf8(MoreWritingFormat(one)), "“神说：“要有光”，就有了光”(创 1:3)。");
    EXPECT_EQ(MoreWritingFormat({}), "");
}

TEST(CopyFormats, MoreTitleFormatNamesTheRangeThenATab) {
    EXPECT_EQ(Utf8(MoreTitleFormat(kGenesis)),
              "创 1:1-3\t起初神创造天地。地是空虚混沌，渊面黑暗；神的灵运行在水面上。神说：“要有光”"
              "，就有了光。\r\n");
    const std::vector<TCopyVerse> one(kGenesis.begin(), kGenesis.begin() + 1);
    EXPECT_EQ(Utf8(MoreTitleFormat(one)), "创 1:1\t起初神创造天地。");
    EXPECT_EQ(MoreTitleFormat({}), "");
    // Verse numbers of two and three digits end the range as they are.
    const std::vector<TCopyVerse> psalm = {Verse("诗 119:99", "甲"), Verse("诗 119:176", "乙")};
    EXPECT_EQ(Utf8(MoreTitleFormat(psalm)), "诗 119:99-176\t甲乙\r\n");
    // A reference that does not end in digits gives an empty range end.
    const std::vector<TCopyVerse> odd = {Verse("创 1:1", "甲"), Verse("x", "乙")};
    EXPECT_EQ(Utf8(MoreTitleFormat(odd)), "创 1:1-\t甲乙\r\n");
}

TEST(CopyFormats, CompleteFormatOpensWithTestamentAndBook) {
    const std::vector<TCopyVerse> two(kGenesis.begin(), kGenesis.begin() + 2);
    EXPECT_EQ(Utf8(CompleteFormat(false, Utf8ToGbk("创世记"), two)),
              "《旧约》创世记:\r\n"
              "创 1:1\t起初神创造天地。\r\n"
              "创 1:2\t地是空虚混沌，渊面黑暗；神的灵运行在水面上。\r\n");
    const std::vector<TCopyVerse> john = {Verse("约 3:16", "神爱世人，")};
    EXPECT_EQ(Utf8(CompleteFormat(true, Utf8ToGbk("约翰福音"), john)),
              "《新约》约翰福音:\r\n约 3:16\t神爱世人，\r\n");
}

TEST(CopyFormats, MarkerNumbersFollowTheText) {
    EXPECT_EQ(MarkerNumbers(Utf8ToGbk("`1起初`12神`3创造")), (std::vector<int>{1, 12, 3}));
    EXPECT_TRUE(MarkerNumbers(Utf8ToGbk("起初神创造天地。")).empty());
    // A backquote without digits, or digits beyond a number, paint as ball 1.
    EXPECT_EQ(MarkerNumbers("a`b`99999999999c`"), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(MarkerNumbers("``7"), (std::vector<int>{1, 7}));
    // A backquote that is the trail byte of 0x81 0x60 is no marker, nor are the digits after it.
    EXPECT_EQ(MarkerNumbers("\x81\x60"
                            "5`6"),
              (std::vector<int>{6}));
    EXPECT_EQ(MarkerNumbers(Utf8ToGbk("`2繸`3子")), (std::vector<int>{2, 3}));
}

TEST(CopyFormats, ChainContentListsEachMarkersRowsAndDropsTheMarkers) {
    const TCopyVerse verse = Verse("创 1:1", "起初神创造天地。");
    const std::vector<TChainPaneRow> pane = {
        {"1", Utf8ToGbk("[约1:1]`2太初有道，")},
        {"1", Utf8ToGbk("[来11:3]我们因着信，")},
        {"2", Utf8ToGbk("[诗33:6]诸天藉耶和华的命而造，")},
        {"3", Utf8ToGbk("[赛42:5]创造诸天，")},
    };
    const std::string rule(42, '-');
    const std::vector<int> two = {1, 2};
    EXPECT_EQ(Utf8(ChainContentFormat(verse, two, pane)), "[创 1:1]起初神创造天地。\r\n" + rule +
                                                              "\r\n"
                                                              "[约1:1]太初有道，\r\n"
                                                              "[来11:3]我们因着信，\r\n"
                                                              "\r\n"
                                                              "[诗33:6]诸天藉耶和华的命而造，\r\n");
    // Without markers the rule line keeps its line end.
    EXPECT_EQ(Utf8(ChainContentFormat(verse, {}, pane)),
              "[创 1:1]起初神创造天地。\r\n" + rule + "\r\n");
    // A marker whose group has no rows still leaves its empty line, except at the very end.
    const std::vector<int> missing = {9, 3};
    EXPECT_EQ(Utf8(ChainContentFormat(verse, missing, pane)),
              "[创 1:1]起初神创造天地。\r\n" + rule + "\r\n\r\n[赛42:5]创造诸天，\r\n");
    const std::vector<int> onlyMissing = {9};
    EXPECT_EQ(Utf8(ChainContentFormat(verse, onlyMissing, pane)),
              "[创 1:1]起初神创造天地。\r\n" + rule + "\r\n");
}

TEST(CopyFormats, ChainContentRepeatsAGroupForARepeatedMarker) {
    const TCopyVerse verse = Verse("创 2:4", "甲");
    const std::vector<TChainPaneRow> pane = {{"4", "x"}};
    const std::vector<int> twice = {4, 4};
    EXPECT_EQ(ChainContentFormat(verse, twice, pane),
              Utf8ToGbk("[创 2:4]甲\r\n") + std::string(42, '-') + "\r\nx\r\n\r\nx\r\n");
}

} // namespace
