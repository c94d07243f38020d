#include "ChainGroupWriter.h"

#include "Addressing.h"
#include "BookTables.h"

#include <stdexcept>

namespace orvane::datagen {
namespace {

// The verses of one chapter that a single "[...]" can carry.
struct ChapterRun {
    int Book;
    int Chapter; // chapter index
    std::vector<int> Verses;
};

std::vector<ChapterRun> SplitByChapter(const std::vector<int>& targets) {
    std::vector<ChapterRun> runs;
    int previous = -1;
    for (int line : targets) {
        if (line <= previous || line > kLastVerseLine)
            throw std::invalid_argument("chain targets must ascend strictly within the text");
        previous = line;
        int book = -1;
        const int chapter = ChapterOfLine(line, &book);
        if (runs.empty() || runs.back().Chapter != chapter) runs.push_back({book, chapter, {}});
        runs.back().Verses.push_back(line - ChapterTable[chapter].FirstLine + 1);
    }
    return runs;
}

// "18,21-23": consecutive verses collapse into a range.
std::string VerseList(const std::vector<int>& verses) {
    std::string text;
    for (size_t i = 0; i < verses.size();) {
        size_t j = i;
        while (j + 1 < verses.size() && verses[j + 1] == verses[j] + 1)
            ++j;
        if (!text.empty()) text += ',';
        text += std::to_string(verses[i]);
        if (j > i) text += '-' + std::to_string(verses[j]);
        i = j + 1;
    }
    return text;
}

std::string BookCode(int book) {
    return std::string(1, static_cast<char>('0' + book / 10)) + static_cast<char>('0' + book % 10);
}

} // namespace

std::string WriteChainReferences(const std::vector<int>& targets, int shownChapter,
                                 bool shownAsNinetyNine) {
    // The parser decides a reference's book by the character after its "]": ";" makes the
    // first reference's code the remembered one for the references after it, a blank or the
    // end closes such a chain. So a reference joins the previous one with ";" (and drops its
    // own code) exactly when both are ordinary references of the same book. A "99" reference
    // never precedes ";", which would make "99" the remembered code.
    std::string text;
    int chainBook = -1; // book of the previous reference when it may be continued
    for (const ChapterRun& run : SplitByChapter(targets)) {
        const bool shown = shownAsNinetyNine && run.Chapter == shownChapter;
        const bool continues = !shown && run.Book == chainBook;
        if (!text.empty()) text += continues ? ';' : ' ';
        text += '[';
        if (shown) {
            text += "99";
        } else {
            if (!continues) text += BookCode(run.Book);
            text += std::to_string(run.Chapter - BookTable[run.Book].FirstChapter + 1) + ':';
        }
        text += VerseList(run.Verses);
        text += ']';
        chainBook = shown ? -1 : run.Book;
    }
    return text;
}

} // namespace orvane::datagen
