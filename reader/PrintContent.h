#pragma once
// What a printed or exported chapter holds, gathered from the loaded text without any window:
// the title, and per verse its number, its text without markers, the references each of its
// markers leads to and, when asked, its English line. The page layout is ChapterPrint's.

#include <span>
#include <string>
#include <vector>

namespace orvane {

// The references of one marker of a verse, as the chain pane lists that marker's group.
struct TPrintChain {
    int Marker = 0;
    std::vector<int> Verses; // verse lines, in the order the group names them
};

struct TPrintVerse {
    int Line = -1;
    int Number = 0;                  // verse number within its chapter
    std::string Text;                // GBK, without markers
    std::string English;             // empty unless asked for (and for a verse the English lacks)
    std::vector<TPrintChain> Chains; // empty unless asked for
};

struct TPrintContent {
    std::string Title; // GBK: full book name and chapter
    std::vector<TPrintVerse> Verses;
};

struct TPrintOptions {
    bool Chains = true;
    bool English = false;
};

// "约翰福音 第3章" (GBK); a psalm is a "篇". Empty for a chapter index outside the tables.
std::string ChapterTitle(int chapterIndex);

// The verses given, in that order; lines outside the text are left out. The title is that of
// the first verse's chapter (the callers print within one chapter).
TPrintContent BuildPrintContent(std::span<const int> verseLines, const TPrintOptions& options);

// One marker's list as a line of text: the references, short form, joined with "；".
std::string ChainReferenceLine(const TPrintChain& chain);

} // namespace orvane
