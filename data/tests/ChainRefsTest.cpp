#include "ChainRefs.h"
#include "Addressing.h"
#include "BookTables.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
// Verse line of book b, chapter c, verse v, computed the way the parser does: verses beyond the
// chapter run on into the following chapters.
int L(int b, int c, int v) {
    return ChapterTable[BookTable[b].FirstChapter + c - 1].FirstLine + v - 1;
}
std::vector<int> Range(int from, int to) {
    std::vector<int> r;
    for (int i = from; i <= to; ++i)
        r.push_back(i);
    return r;
}
} // namespace

TEST(ChainGroupText, FindsOnlyNumericLabelsUpToTheNextGroup) {
    const std::string line = "~*99[1801:1]~1[001:1] [9922]~12[4001:1]~2[0230:1]";
    EXPECT_EQ(ChainGroupText(line, 1), "[001:1] [9922]");
    EXPECT_EQ(ChainGroupText(line, 12), "[4001:1]");
    EXPECT_EQ(ChainGroupText(line, 2), "[0230:1]") << "last group runs to the line end";
    EXPECT_EQ(ChainGroupText(line, 3), "");
    EXPECT_EQ(ChainGroupText("", 1), "");
}

TEST(ParseChainGroup, ChainsBlanksAndShownChapter) {
    EXPECT_EQ(ParseChainGroup("[2310:12];[51:15]", 0, 1),
              (std::vector<int>{L(23, 10, 12), L(23, 51, 15)}));
    EXPECT_EQ(
        ParseChainGroup("[1856:*];[57:*];[58:*];[59:*];[60:*]", 0, 1),
        (std::vector<int>{L(18, 56, 1), L(18, 57, 1), L(18, 58, 1), L(18, 59, 1), L(18, 60, 1)}));
    EXPECT_EQ(ParseChainGroup("[9922] [009:1,7]", 1, 3),
              (std::vector<int>{L(1, 3, 22), L(0, 9, 1), L(0, 9, 7)}));
    EXPECT_EQ(ParseChainGroup("[002:18,21-23]", 5, 5),
              (std::vector<int>{L(0, 2, 18), L(0, 2, 21), L(0, 2, 22), L(0, 2, 23)}));
    // A blank after a chain's last reference ends the chain; the next carries its own code.
    EXPECT_EQ(ParseChainGroup("[4001:1];[2:3] [4101:1]", 0, 1),
              (std::vector<int>{L(40, 1, 1), L(40, 2, 3), L(41, 1, 1)}));
    EXPECT_EQ(ParseChainGroup("[1834:*]", 0, 1), std::vector<int>{L(18, 34, 1)});
    EXPECT_EQ(ParseChainGroup("[1834]", 0, 1), std::vector<int>{L(18, 34, 1)}) << "chapter only";
    // Duplicates are kept, in the order written.
    EXPECT_EQ(ParseChainGroup("[001:2,1,2]", 0, 1), (std::vector<int>{1, 0, 1}));
}

TEST(ParseChainGroup, QuirksOfTheData) {
    // The chain remembers "99": "24:42-46" becomes verses 1..46 of the shown chapter.
    std::vector<int> expected = Range(L(18, 119, 13), L(18, 119, 20));
    for (int v : Range(L(18, 119, 1), L(18, 119, 46)))
        expected.push_back(v);
    EXPECT_EQ(ParseChainGroup("[9913-20];[24:42-46]", 18, 119), expected);
    // A chapter past the end of the Bible is lowered to the last chapter.
    EXPECT_EQ(ParseChainGroup("[172:1];[1889:6]", 0, 1),
              (std::vector<int>{L(17, 2, 1), ChapterTable[1188].FirstLine + 5}));
    // "/" after a reference clears the book code: book 0, chapter 35.
    EXPECT_EQ(ParseChainGroup("[0129:24,26,27] [035:25]/", 0, 1),
              (std::vector<int>{L(1, 29, 24), L(1, 29, 26), L(1, 29, 27), L(0, 35, 25)}));
    // "99" is always the chapter passed in, whatever line the group came from.
    EXPECT_EQ(ParseChainGroup("[995]", 42, 3), std::vector<int>{L(42, 3, 5)});
    // A verse beyond its chapter runs into the next chapter.
    EXPECT_EQ(ParseChainGroup("[001:32]", 0, 1), std::vector<int>{L(0, 2, 1)});
    // Empty parts between commas count as verse 1; a trailing comma adds nothing.
    EXPECT_EQ(ParseChainGroup("[001:3,,5,]", 0, 1), (std::vector<int>{2, 0, 4}));
}

TEST(ParseChainGroup, BadInputStopsOrSkipsWithoutHarm) {
    EXPECT_TRUE(ParseChainGroup("", 0, 1).empty());
    EXPECT_TRUE(ParseChainGroup("no brackets", 0, 1).empty());
    EXPECT_EQ(ParseChainGroup("[001:1] [002:1", 0, 1), std::vector<int>{0}) << "unclosed [ stops";
    EXPECT_TRUE(ParseChainGroup("[7701:1]", 0, 1).empty()) << "book 77 does not exist";
    EXPECT_TRUE(ParseChainGroup("[995]", -1, 1).empty()) << "no shown book";
    EXPECT_EQ(ParseChainGroup("[6522:20-25]", 0, 1), Range(L(65, 22, 20), 31102))
        << "verse lines past the end of the text are dropped";
    EXPECT_EQ(ParseChainGroup("[001:3-1]", 0, 1), (std::vector<int>{0, 1, 2})) << "reversed range";
    EXPECT_EQ(ParseChainGroup("[000:1]", 0, 1), std::vector<int>{0}) << "chapter 0 raised to 1";
    EXPECT_EQ(ParseChainGroup("[001:1-2147483647]", 0, 1).size(), size_t(kVerseLineCount))
        << "a huge range stays bounded by the text";
    EXPECT_EQ(ParseChainGroup("[0099999999999:1]", 0, 1), std::vector<int>{0})
        << "an unreadable chapter counts as 1";
    EXPECT_EQ(ParseChainGroup("[]", 0, 1), std::vector<int>{0})
        << "empty content: book 0 chapter 1";
    EXPECT_EQ(ParseChainGroup("[0]", 0, 1), std::vector<int>{0});
}
