#pragma once
// The two fixed tables that map a verse line (0-based line of the Chinese text) to its book,
// chapter and verse. Both are compile-time constants; the invariants between them are checked
// by static_asserts in BookTables.cpp.

#include <array>
#include <cstdint>

namespace orvane {

inline constexpr int kBookCount = 66;
inline constexpr int kChapterCount = 1189;
inline constexpr int kVerseLineCount = 31103;
inline constexpr int kLastVerseLine = kVerseLineCount - 1;
inline constexpr int kFirstNewTestamentBook = 39;
inline constexpr int kFirstNewTestamentLine = 23145;

struct TBookInfo {
    const char* FullName;  // GBK, at most 14 bytes
    const char* ShortName; // GBK, one or two characters
    int32_t FirstLine;
    int32_t LastLine;
    int32_t ChapterCount;
    int32_t FirstChapter;
    int32_t LastChapter;
};

struct TChapterInfo {
    int32_t VerseCount;
    int32_t FirstLine;
    int32_t LastLine;
};

extern const std::array<TBookInfo, kBookCount> BookTable;
extern const std::array<TChapterInfo, kChapterCount> ChapterTable;

} // namespace orvane
