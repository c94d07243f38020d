#pragma once
// Verse addressing over BookTable and ChapterTable. Every place in the program names a verse by
// its verse line (0..31102); these functions translate between that and book/chapter/verse.

#include <string>

namespace orvane {

// Book index of a verse line, or -1 for a line outside 0..31102.
int BookOfLine(int verseLine);

// Chapter index of a verse line; `book` (optional) receives its book index. A line outside
// 0..31102 gives chapter index 0 and book -1.
int ChapterOfLine(int verseLine, int* book = nullptr);

// "创1:1": short name, chapter number within the book, ":", verse number, no blanks. The empty
// text for a line outside 0..31102; `chapter` (optional) receives the chapter index.
std::string ShortReference(int verseLine, int* chapter = nullptr);

// Chapter number within its book (1-based) of a chapter index.
int ChapterNumber(int chapterIndex);

// Verse number (1-based) of a verse line within its chapter.
int VerseNumber(int verseLine);

// Verse line of (book index, chapter number, verse number), or -1 when book, chapter or verse
// lie outside the tables.
int VerseLineOf(int book, int chapterNumber, int verseNumber);

// New Testament books are 39..65.
bool IsNewTestament(int book);

} // namespace orvane
