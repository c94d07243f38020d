#include "ChainDataBuilder.h"

#include "Addressing.h"
#include "AnchorFinder.h"
#include "BookTables.h"
#include "ChainGroupWriter.h"
#include "ChainRefs.h"
#include "DataError.h"
#include "MarkerGroups.h"
#include "Markers.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

namespace orvane::datagen {
namespace {

std::string Where(int verseLine) {
    return "verse line " + std::to_string(verseLine) + " (" + GbkToUtf8(ShortReference(verseLine)) +
           ")";
}

void CheckSource(const StringList& gbkVerses, const std::vector<VerseChars>& chars,
                 const std::vector<std::vector<Reference>>& references) {
    if (gbkVerses.size() != static_cast<size_t>(kVerseLineCount))
        throw DataError("the Chinese text has " + std::to_string(gbkVerses.size()) +
                        " lines, expected " + std::to_string(kVerseLineCount));
    if (references.size() != gbkVerses.size())
        throw std::invalid_argument("one reference list per verse line expected");
    for (int v = 0; v < kVerseLineCount; ++v)
        if (chars[static_cast<size_t>(v)].Codes.find(char16_t(kMarkerChar)) != std::u16string::npos)
            throw DataError(Where(v) + ": the source holds a backquote, which marks a marker");
}

// The verse that holds the words of `line`: the line itself, or for an empty line (merged
// into the verse before) the nearest non-empty line before it.
int HoldingVerse(const StringList& verses, int line) {
    while (line > 0 && verses[static_cast<size_t>(line)].empty())
        --line;
    return line;
}

struct Placed {
    int Verse;
    size_t Byte; // where the marker goes in the verse's source text
    std::vector<int> Targets;
};

void CheckGroupsParseBack(const std::string& line, int chapter,
                          const std::vector<Placed>& markers) {
    int book = -1;
    ChapterOfLine(ChapterTable[chapter].FirstLine, &book);
    const int chapterNumber = ChapterNumber(chapter);
    for (size_t i = 0; i < markers.size(); ++i) {
        const int marker = static_cast<int>(i + 1);
        const std::vector<int> parsed =
            ParseChainGroup(ChainGroupText(line, marker), book, chapterNumber);
        if (parsed != markers[i].Targets)
            throw DataError(Where(markers[i].Verse) + ": group " + std::to_string(marker) +
                            " does not parse back to its targets");
    }
}

class Builder {
public:
    Builder(const StringList& verses, const std::vector<std::vector<Reference>>& references,
            bool shownAsNinetyNine)
        : verses_(verses), shown99_(shownAsNinetyNine) {
        chars_.reserve(verses.size());
        for (const std::string& v : verses)
            chars_.push_back(SplitChars(v));
        CheckSource(verses, chars_, references);
        references_ = Redirect(references);
    }

    ChainData Run() {
        data_.TextLines = verses_;
        data_.ChainLines.reserve(kChapterCount);
        for (int chapter = 0; chapter < kChapterCount; ++chapter)
            BuildChapter(chapter);
        return std::move(data_);
    }

private:
    std::vector<std::vector<Reference>> Redirect(const std::vector<std::vector<Reference>>& in) {
        std::vector<std::vector<Reference>> out(in.size());
        for (size_t v = 0; v < in.size(); ++v)
            for (const Reference& reference : in[v]) {
                Reference lines;
                for (int line : reference) {
                    const int holding = HoldingVerse(verses_, line);
                    data_.Stats.RedirectedTargets += holding != line;
                    if (holding != static_cast<int>(v)) lines.push_back(holding);
                }
                lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
                if (!lines.empty()) out[v].push_back(std::move(lines));
            }
        return out;
    }

    std::vector<const VerseChars*> TargetChars(const Reference& reference) const {
        std::vector<const VerseChars*> target;
        for (int line : reference)
            target.push_back(&chars_[static_cast<size_t>(line)]);
        return target;
    }

    // The verse's groups, in text order.
    std::vector<Placed> PlaceVerse(int v) {
        const std::vector<Reference>& refs = references_[static_cast<size_t>(v)];
        const VerseChars& verse = chars_[static_cast<size_t>(v)];
        std::vector<std::optional<WordSpan>> anchors;
        for (const Reference& reference : refs) {
            const auto word = finder_.SharedWord(verse, TargetChars(reference));
            if (word)
                anchors.push_back(WordSpan{word->Start, word->Length});
            else
                anchors.push_back(std::nullopt);
        }
        const auto fits = [&](size_t r, size_t position) {
            return finder_.SharesWordAt(verse, position, TargetChars(refs[r]));
        };
        std::vector<Placed> placed;
        const auto reword =
            [&](size_t r,
                const std::vector<std::pair<size_t, size_t>>& blocked) -> std::optional<WordSpan> {
            const auto word = finder_.SharedWord(verse, TargetChars(refs[r]), blocked);
            if (!word) return std::nullopt;
            return WordSpan{word->Start, word->Length};
        };
        for (const MarkerGroup& group : GroupByAnchor(anchors, kMaxMarkersPerVerse, fits, reword)) {
            Placed p{v, verse.ByteAt[group.Position], {}};
            for (size_t r : group.References) {
                const Reference& reference = refs[r];
                p.Targets.insert(p.Targets.end(), reference.begin(), reference.end());
                ++data_.Stats.ReferencesListed;
                data_.Stats.ReferencesBeforeSharedWord +=
                    finder_.SharesWordAt(verse, group.Position, TargetChars(reference));
            }
            std::sort(p.Targets.begin(), p.Targets.end());
            p.Targets.erase(std::unique(p.Targets.begin(), p.Targets.end()), p.Targets.end());
            const std::string& text = verses_[static_cast<size_t>(v)];
            if (p.Byte < text.size() && text[p.Byte] >= '0' && text[p.Byte] <= '9')
                throw DataError(Where(v) + ": a marker cannot stand before a digit");
            placed.push_back(std::move(p));
        }
        return placed;
    }

    void BuildChapter(int chapter) {
        ChainStats& stats = data_.Stats;
        std::string line;
        std::vector<Placed> markers;
        const TChapterInfo& info = ChapterTable[chapter];
        for (int v = info.FirstLine; v <= info.LastLine; ++v) {
            if (references_[static_cast<size_t>(v)].empty()) continue;
            const std::vector<Placed> placed = PlaceVerse(v);
            std::string& text = data_.TextLines[static_cast<size_t>(v)];
            // Inserted from the back, so the byte offsets in front stay valid.
            for (size_t g = placed.size(); g-- > 0;)
                text.insert(placed[g].Byte, kMarkerChar + std::to_string(markers.size() + g + 1));
            for (const Placed& p : placed) {
                const std::string references = WriteChainReferences(p.Targets, chapter, shown99_);
                markers.push_back(p);
                line += '~' + std::to_string(markers.size()) + references;
                stats.TargetLines += static_cast<long long>(p.Targets.size());
                for (char c : references)
                    stats.References += c == '[';
                if (p.Targets.size() > stats.LargestGroupTargets) {
                    stats.LargestGroupTargets = p.Targets.size();
                    stats.LargestGroupVerse = v;
                }
            }
            ++stats.MarkedVerses;
            stats.Markers += static_cast<int>(placed.size());
            stats.VersesWithSeveralMarkers += placed.size() >= 2;
        }
        CheckGroupsParseBack(line, chapter, markers);
        if (static_cast<int>(markers.size()) > stats.MostMarkersInChapter) {
            stats.MostMarkersInChapter = static_cast<int>(markers.size());
            stats.MostMarkersChapter = chapter;
        }
        stats.LongestChainLine = std::max(stats.LongestChainLine, line.size());
        data_.ChainLines.push_back(std::move(line));
    }

    const StringList& verses_;
    const bool shown99_;
    std::vector<VerseChars> chars_;
    std::vector<std::vector<Reference>> references_;
    AnchorFinder finder_;
    ChainData data_;
};

} // namespace

ChainData BuildChainData(const StringList& gbkVerses,
                         const std::vector<std::vector<Reference>>& references,
                         bool shownAsNinetyNine) {
    return Builder(gbkVerses, references, shownAsNinetyNine).Run();
}

} // namespace orvane::datagen
