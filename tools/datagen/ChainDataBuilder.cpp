#include "ChainDataBuilder.h"

#include "Addressing.h"
#include "BookTables.h"
#include "ChainGroupWriter.h"
#include "ChainRefs.h"
#include "DataError.h"
#include "Markers.h"

#include <stdexcept>
#include <string>

namespace orvane::datagen {
namespace {

std::string Where(int verseLine) {
    return "verse line " + std::to_string(verseLine) + " (" + GbkToUtf8(ShortReference(verseLine)) +
           ")";
}

void CheckSource(const StringList& gbkVerses, const std::vector<std::vector<int>>& targets) {
    if (gbkVerses.size() != static_cast<size_t>(kVerseLineCount))
        throw DataError("the Chinese text has " + std::to_string(gbkVerses.size()) +
                        " lines, expected " + std::to_string(kVerseLineCount));
    if (targets.size() != gbkVerses.size())
        throw std::invalid_argument("one target list per verse line expected");
    for (int v = 0; v < kVerseLineCount; ++v) {
        const std::string& text = gbkVerses[static_cast<size_t>(v)];
        // The reader finds markers byte by byte, and a GBK trail byte may take the backquote's
        // value as well; either would be misread as a marker, so the byte itself is refused.
        if (text.find(kMarkerChar) != std::string::npos)
            throw DataError(Where(v) + ": the source holds byte 0x60 (a backquote, or a "
                                       "character whose GBK form reads as a marker)");
        if (!targets[static_cast<size_t>(v)].empty() && !text.empty() && text[0] >= '0' &&
            text[0] <= '9')
            throw DataError(Where(v) + ": a marker cannot stand before a leading digit");
    }
}

void CheckGroupsParseBack(const std::string& line, int chapter,
                          const std::vector<int>& markedVerses,
                          const std::vector<std::vector<int>>& targets) {
    int book = -1;
    ChapterOfLine(ChapterTable[chapter].FirstLine, &book);
    const int chapterNumber = ChapterNumber(chapter);
    for (size_t i = 0; i < markedVerses.size(); ++i) {
        const int marker = static_cast<int>(i + 1);
        const std::vector<int> parsed =
            ParseChainGroup(ChainGroupText(line, marker), book, chapterNumber);
        if (parsed != targets[static_cast<size_t>(markedVerses[i])])
            throw DataError(Where(markedVerses[i]) + ": group " + std::to_string(marker) +
                            " does not parse back to its targets");
    }
}

} // namespace

ChainData BuildChainData(const StringList& gbkVerses, const std::vector<std::vector<int>>& targets,
                         bool shownAsNinetyNine) {
    CheckSource(gbkVerses, targets);
    ChainData data;
    data.TextLines = gbkVerses;
    data.ChainLines.reserve(kChapterCount);
    ChainStats& stats = data.Stats;

    std::vector<int> markedVerses;
    for (int chapter = 0; chapter < kChapterCount; ++chapter) {
        std::string line;
        markedVerses.clear();
        const TChapterInfo& info = ChapterTable[chapter];
        for (int v = info.FirstLine; v <= info.LastLine; ++v) {
            const std::vector<int>& list = targets[static_cast<size_t>(v)];
            if (list.empty()) continue;
            markedVerses.push_back(v);
            const std::string marker = std::to_string(markedVerses.size());
            const std::string references = WriteChainReferences(list, chapter, shownAsNinetyNine);
            line += '~' + marker + references;
            data.TextLines[static_cast<size_t>(v)].insert(0, kMarkerChar + marker);

            ++stats.MarkedVerses;
            stats.TargetLines += static_cast<long long>(list.size());
            for (char c : references)
                stats.References += c == '[';
            if (list.size() > stats.LargestGroupTargets) {
                stats.LargestGroupTargets = list.size();
                stats.LargestGroupVerse = v;
            }
        }
        CheckGroupsParseBack(line, chapter, markedVerses, targets);
        if (static_cast<int>(markedVerses.size()) > stats.MostMarkersInChapter) {
            stats.MostMarkersInChapter = static_cast<int>(markedVerses.size());
            stats.MostMarkersChapter = chapter;
        }
        stats.LongestChainLine = std::max(stats.LongestChainLine, line.size());
        data.ChainLines.push_back(std::move(line));
    }
    return data;
}

} // namespace orvane::datagen
