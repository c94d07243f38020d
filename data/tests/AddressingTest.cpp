#include "Addressing.h"
#include "BookTables.h"
#include "Gbk.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {
std::string Ref(int line) {
    return GbkToUtf8(ShortReference(line));
}
} // namespace

TEST(BookTables, EveryInvariantHolds) {
    int line = 0;
    for (int c = 0; c < kChapterCount; ++c) {
        const TChapterInfo& ch = ChapterTable[c];
        EXPECT_EQ(ch.FirstLine, line) << c;
        EXPECT_EQ(ch.VerseCount, ch.LastLine - ch.FirstLine + 1) << c;
        EXPECT_GT(ch.VerseCount, 0) << c;
        line = ch.LastLine + 1;
    }
    EXPECT_EQ(line, kVerseLineCount);
    int chapter = 0;
    line = 0;
    for (int b = 0; b < kBookCount; ++b) {
        const TBookInfo& book = BookTable[b];
        EXPECT_EQ(book.FirstChapter, chapter) << b;
        EXPECT_EQ(book.FirstLine, line) << b;
        EXPECT_EQ(book.ChapterCount, book.LastChapter - book.FirstChapter + 1) << b;
        EXPECT_EQ(book.FirstLine, ChapterTable[book.FirstChapter].FirstLine) << b;
        EXPECT_EQ(book.LastLine, ChapterTable[book.LastChapter].LastLine) << b;
        EXPECT_LE(std::string(book.FullName).size(), 14u) << b;
        EXPECT_LE(std::string(book.ShortName).size(), 4u) << b;
        chapter = book.LastChapter + 1;
        line = book.LastLine + 1;
    }
    EXPECT_EQ(chapter, kChapterCount);
    EXPECT_EQ(GbkToUtf8(BookTable[45].FullName), "歌林多前书") << "names as stored";
    EXPECT_EQ(GbkToUtf8(BookTable[18].ShortName), "诗");
    EXPECT_EQ(ChapterTable[BookTable[18].FirstChapter + 118].VerseCount, 176) << "Psalm 119";
}

TEST(Addressing, ShortReferencesAtTheSeams) {
    EXPECT_EQ(Ref(0), "创1:1");
    EXPECT_EQ(Ref(23144), "玛4:6");
    EXPECT_EQ(Ref(23145), "太1:1");
    EXPECT_EQ(Ref(30673), "约叁1:15");
    EXPECT_EQ(Ref(30674), "犹1:1");
    EXPECT_EQ(Ref(31102), "启22:21");
    int chapter = -5;
    EXPECT_EQ(ShortReference(31103, &chapter), "");
    EXPECT_EQ(chapter, 0);
    EXPECT_EQ(ShortReference(-1), "");
}

TEST(Addressing, ChapterAndBookOfLine) {
    int book = -5;
    EXPECT_EQ(ChapterOfLine(31103, &book), 0);
    EXPECT_EQ(book, -1);
    EXPECT_EQ(ChapterOfLine(-7, &book), 0);
    EXPECT_EQ(book, -1);
    EXPECT_EQ(ChapterOfLine(31102, &book), 1188);
    EXPECT_EQ(book, 65);
    EXPECT_EQ(ChapterOfLine(1532, &book), 49);
    EXPECT_EQ(book, 0);
    EXPECT_EQ(ChapterOfLine(1533, &book), 50);
    EXPECT_EQ(book, 1);
    for (int b : {30, 56, 62, 63, 64}) { // one-chapter books
        for (int line = BookTable[b].FirstLine; line <= BookTable[b].LastLine; ++line)
            EXPECT_EQ(ChapterNumber(ChapterOfLine(line)), 1) << line;
    }
    EXPECT_FALSE(IsNewTestament(38));
    EXPECT_TRUE(IsNewTestament(39));
}

TEST(Addressing, VerseLineOfInvertsTheReference) {
    for (int line = 0; line < kVerseLineCount; ++line) {
        int book = -1;
        const int chapter = ChapterOfLine(line, &book);
        ASSERT_EQ(VerseLineOf(book, ChapterNumber(chapter), VerseNumber(line)), line);
    }
    EXPECT_EQ(VerseLineOf(39, 1, 1), 23145);
    EXPECT_EQ(VerseLineOf(18, 119, 176), ChapterTable[478 + 118].LastLine);
    EXPECT_EQ(VerseLineOf(66, 1, 1), -1);
    EXPECT_EQ(VerseLineOf(0, 51, 1), -1);
    EXPECT_EQ(VerseLineOf(0, 1, 32), -1);
    EXPECT_EQ(VerseLineOf(0, 0, 1), -1);
}
