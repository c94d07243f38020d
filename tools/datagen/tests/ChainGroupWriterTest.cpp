// The writer must produce groups that the reader's parser reads back verse for verse; every
// case checks the parse-back, and the compact form where the form itself is the point.

#include "ChainGroupWriter.h"

#include "Addressing.h"
#include "BookTables.h"
#include "ChainRefs.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace orvane::datagen {
namespace {

struct Verse {
    int Book, Chapter, Number;
};

std::vector<int> Lines(std::initializer_list<Verse> verses) {
    std::vector<int> lines;
    for (const Verse& v : verses)
        lines.push_back(VerseLineOf(v.Book, v.Chapter, v.Number));
    return lines;
}

int ChapterIndex(int book, int chapterNumber) {
    return BookTable[book].FirstChapter + chapterNumber - 1;
}

// Parses `references` as the reader does while chapter index `shown` is on screen.
std::vector<int> ParseBack(const std::string& references, int shown) {
    int book = -1;
    ChapterOfLine(ChapterTable[shown].FirstLine, &book);
    return ParseChainGroup(references, book, ChapterNumber(shown));
}

constexpr int kGen = 0, kExo = 1, kPsa = 18, kJer = 23, kMat = 39, kJude = 64, kRev = 65;

TEST(ChainGroupWriter, ChainsFollowTheBookAcrossChaptersAndBreakAtANewBook) {
    const std::vector<int> targets = Lines({{kGen, 2, 18},
                                            {kGen, 2, 21},
                                            {kGen, 2, 22},
                                            {kGen, 2, 23},
                                            {kGen, 9, 1},
                                            {kExo, 3, 14},
                                            {kJer, 10, 12},
                                            {kJer, 51, 15},
                                            {kJer, 52, 1}});
    const int shown = ChapterIndex(kMat, 1);
    const std::string text = WriteChainReferences(targets, shown);
    EXPECT_EQ(text, "[002:18,21-23];[9:1] [013:14] [2310:12];[51:15];[52:1]");
    EXPECT_EQ(ParseBack(text, shown), targets);
}

TEST(ChainGroupWriter, ShownChapterIsWrittenAsNinetyNineAndNeverStartsAChain) {
    // Same book before, inside and after the shown chapter: the chain must close before the
    // "99" reference and open again after it.
    const int shown = ChapterIndex(kGen, 3);
    const std::vector<int> targets = Lines({{kGen, 1, 1},
                                            {kGen, 2, 4},
                                            {kGen, 3, 5},
                                            {kGen, 3, 7},
                                            {kGen, 3, 8},
                                            {kGen, 3, 9},
                                            {kGen, 5, 2},
                                            {kGen, 6, 1},
                                            {kExo, 1, 1}});
    const std::string text = WriteChainReferences(targets, shown);
    EXPECT_EQ(text, "[001:1];[2:4] [995,7-9] [005:2];[6:1] [011:1]");
    EXPECT_EQ(ParseBack(text, shown), targets);

    const std::vector<int> first = Lines({{kGen, 3, 22}, {kGen, 9, 1}, {kGen, 9, 7}});
    EXPECT_EQ(WriteChainReferences(first, shown), "[9922] [009:1,7]");
    EXPECT_EQ(ParseBack(WriteChainReferences(first, shown), shown), first);

    const std::vector<int> last = Lines({{kGen, 1, 1}, {kGen, 3, 20}});
    EXPECT_EQ(WriteChainReferences(last, shown), "[001:1] [9920]");
    EXPECT_EQ(ParseBack(WriteChainReferences(last, shown), shown), last);

    const std::vector<int> only = Lines({{kGen, 3, 1}, {kGen, 3, 15}});
    EXPECT_EQ(WriteChainReferences(only, shown), "[991,15]");
    EXPECT_EQ(ParseBack(WriteChainReferences(only, shown), shown), only);
}

TEST(ChainGroupWriter, WithoutNinetyNineTheGroupReadsTheSameFromAnyChapter) {
    const int home = ChapterIndex(kGen, 3);
    const std::vector<int> targets =
        Lines({{kGen, 1, 1}, {kGen, 3, 5}, {kGen, 3, 6}, {kGen, 5, 2}, {kExo, 1, 1}});
    const std::string text = WriteChainReferences(targets, home, false);
    EXPECT_EQ(text, "[001:1];[3:5-6];[5:2] [011:1]");
    for (int shown : {home, ChapterIndex(kRev, 22), 0})
        EXPECT_EQ(ParseBack(text, shown), targets);
}

TEST(ChainGroupWriter, RangesSplitAtChapterEnds) {
    // Gen 1 has 31 verses; the parser would run "30-33" on into chapter 2 by itself, but only
    // by accident of line numbering, so the range is written per chapter.
    const int shown = ChapterIndex(kMat, 5);
    std::vector<int> targets;
    for (int line = VerseLineOf(kGen, 1, 30); line <= VerseLineOf(kGen, 2, 3); ++line)
        targets.push_back(line);
    const std::string text = WriteChainReferences(targets, shown);
    EXPECT_EQ(text, "[001:30-31];[2:1-3]");
    EXPECT_EQ(ParseBack(text, shown), targets);

    // The last verse of one book and the first of the next: no chain across books.
    const std::vector<int> across = {BookTable[kMat].FirstLine - 1, BookTable[kMat].FirstLine};
    EXPECT_EQ(WriteChainReferences(across, shown), "[384:6] [391:1]");
    EXPECT_EQ(ParseBack(WriteChainReferences(across, shown), shown), across);
}

TEST(ChainGroupWriter, BookCodesChapterAndVerseNumbersAtTheEdges) {
    const int shown = ChapterIndex(kPsa, 119);
    // One-chapter books, the first and the last verse line, three-digit chapters and verses.
    const std::vector<int> targets = {0,
                                      VerseLineOf(kPsa, 118, 22),
                                      VerseLineOf(kPsa, 150, 6),
                                      VerseLineOf(30, 1, 21),
                                      VerseLineOf(56, 1, 1),
                                      VerseLineOf(63, 1, 15),
                                      VerseLineOf(kJude, 1, 1),
                                      VerseLineOf(kJude, 1, 24),
                                      VerseLineOf(kJude, 1, 25),
                                      kLastVerseLine};
    const std::string text = WriteChainReferences(targets, ChapterIndex(kMat, 1));
    EXPECT_EQ(text, "[001:1] [18118:22];[150:6] [301:21] [561:1] [631:15] [641:1,24-25] [6522:21]");
    EXPECT_EQ(ParseBack(text, ChapterIndex(kMat, 1)), targets);

    const std::vector<int> psalm = Lines(
        {{kPsa, 119, 99}, {kPsa, 119, 100}, {kPsa, 119, 105}, {kPsa, 119, 176}, {kPsa, 120, 1}});
    EXPECT_EQ(WriteChainReferences(psalm, shown), "[9999-100,105,176] [18120:1]");
    EXPECT_EQ(ParseBack(WriteChainReferences(psalm, shown), shown), psalm);
}

TEST(ChainGroupWriter, RefusesTargetsOutOfOrderOrOutsideTheText) {
    EXPECT_EQ(WriteChainReferences({}, 0), "");
    EXPECT_THROW(WriteChainReferences({5, 3}, 0), std::invalid_argument);
    EXPECT_THROW(WriteChainReferences({3, 3}, 0), std::invalid_argument);
    EXPECT_THROW(WriteChainReferences({-1}, 0), std::invalid_argument);
    EXPECT_THROW(WriteChainReferences({kVerseLineCount}, 0), std::invalid_argument);
}

} // namespace
} // namespace orvane::datagen
