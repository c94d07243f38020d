#include "Addressing.h"

#include "BookTables.h"

namespace orvane {

int BookOfLine(int verseLine) {
    if (verseLine < 0 || verseLine > kLastVerseLine) return -1;
    for (int b = 0; b < kBookCount; ++b)
        if (BookTable[b].LastLine >= verseLine) return b;
    return -1;
}

int ChapterOfLine(int verseLine, int* book) {
    const int b = BookOfLine(verseLine);
    if (book) *book = b;
    if (b < 0) return 0;
    for (int c = BookTable[b].FirstChapter; c <= BookTable[b].LastChapter; ++c)
        if (ChapterTable[c].LastLine >= verseLine) return c;
    return 0; // unreachable: the tables' invariants are checked at compile time
}

int ChapterNumber(int chapterIndex) {
    int book = 0;
    ChapterOfLine(ChapterTable[chapterIndex].FirstLine, &book);
    return chapterIndex - BookTable[book].FirstChapter + 1;
}

int VerseNumber(int verseLine) {
    return verseLine - ChapterTable[ChapterOfLine(verseLine)].FirstLine + 1;
}

std::string ShortReference(int verseLine, int* chapter) {
    int book = -1;
    const int c = ChapterOfLine(verseLine, &book);
    if (chapter) *chapter = c;
    if (book < 0) return {};
    return std::string(BookTable[book].ShortName) +
           std::to_string(c - BookTable[book].FirstChapter + 1) + ":" +
           std::to_string(verseLine - ChapterTable[c].FirstLine + 1);
}

int VerseLineOf(int book, int chapterNumber, int verseNumber) {
    if (book < 0 || book >= kBookCount) return -1;
    const TBookInfo& b = BookTable[book];
    if (chapterNumber < 1 || chapterNumber > b.ChapterCount) return -1;
    const TChapterInfo& c = ChapterTable[b.FirstChapter + chapterNumber - 1];
    if (verseNumber < 1 || verseNumber > c.VerseCount) return -1;
    return c.FirstLine + verseNumber - 1;
}

bool IsNewTestament(int book) {
    return book >= kFirstNewTestamentBook;
}

} // namespace orvane
