#include "PrintContent.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "CopyFormats.h"
#include "EnglishText.h"
#include "Gbk.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr int kPsalms = 18;

const std::string& ChainLineOf(int chapter) {
    static const std::string none;
    const StringList& lines = TBibGlobe::CorpusFile(kChainFile);
    return chapter >= 0 && size_t(chapter) < lines.size() ? lines[size_t(chapter)] : none;
}

// A verse's markers each once, in the order they first stand: the same number twice in one
// verse names the same group, and the page lists a group once.
std::vector<int> DistinctMarkers(const std::string& text) {
    std::vector<int> markers;
    for (const int m : MarkerNumbers(text))
        if (std::find(markers.begin(), markers.end(), m) == markers.end()) markers.push_back(m);
    return markers;
}

} // namespace

std::string ChapterTitle(int chapterIndex) {
    if (chapterIndex < 0 || chapterIndex >= kChapterCount) return {};
    int book = 0;
    ChapterOfLine(ChapterTable[size_t(chapterIndex)].FirstLine, &book);
    std::string title = BookTable[size_t(book)].FullName;
    title += Utf8ToGbk(" 第");
    title += std::to_string(ChapterNumber(chapterIndex));
    title += Utf8ToGbk(book == kPsalms ? "篇" : "章");
    return title;
}

TPrintContent BuildPrintContent(std::span<const int> verseLines, const TPrintOptions& options) {
    TPrintContent content;
    for (const int line : verseLines) {
        if (line < 0 || line > kLastVerseLine) continue;
        int book = 0;
        const int chapter = ChapterOfLine(line, &book);
        if (content.Verses.empty()) content.Title = ChapterTitle(chapter);
        const std::string& marked = TBibGlobe::VerseText(line);
        TPrintVerse verse;
        verse.Line = line;
        verse.Number = VerseNumber(line);
        verse.Text = TBibGlobe::StripMarkers(marked);
        if (options.English) verse.English = EnglishVerse(line);
        if (options.Chains) {
            // "99" in a group names the group's own chapter, which is the verse's.
            for (const int marker : DistinctMarkers(marked)) {
                const std::string group = ChainGroupText(ChainLineOf(chapter), marker);
                std::vector<int> verses = ParseChainGroup(group, book, ChapterNumber(chapter));
                if (!verses.empty()) verse.Chains.push_back({marker, std::move(verses)});
            }
        }
        content.Verses.push_back(std::move(verse));
    }
    return content;
}

std::string ChainReferenceLine(const TPrintChain& chain) {
    const std::string separator = Utf8ToGbk("；");
    std::string line;
    for (const int v : chain.Verses) {
        if (!line.empty()) line += separator;
        line += ShortReference(v);
    }
    return line;
}

} // namespace orvane
