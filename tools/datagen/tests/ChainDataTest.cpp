// The chain-reference data as the reader will see it: every marker in the text must lead, via
// its chapter's line and the reader's own parser, to exactly the verses chosen for it.

#include "ChainDataBuilder.h"

#include "Addressing.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "CrossRefs.h"
#include "DataError.h"
#include "GbkEncoder.h"
#include "Markers.h"
#include "TargetSelector.h"
#include "TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace orvane::datagen {
namespace {

struct Marker {
    int Number;
    size_t Position;
};

// Every backquote-and-digits run in a verse line, in order, walking whole characters.
std::vector<Marker> FindMarkers(const std::string& line) {
    std::vector<Marker> markers;
    for (size_t at = 0; at < line.size(); at += CharLength(line, at)) {
        if (line[at] != kMarkerChar) continue;
        size_t end = at + 1;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9')
            ++end;
        markers.push_back({StrToIntDef(line.substr(at + 1, end - at - 1), -1), at});
    }
    return markers;
}

int BookOfChapter(int chapter) {
    int book = -1;
    ChapterOfLine(ChapterTable[chapter].FirstLine, &book);
    return book;
}

class RealChainData : public testing::Test {
protected:
    struct Built {
        StringList Source;
        std::vector<std::vector<int>> Targets; // per verse, all its groups' lines together
        ChainData Data;
    };
    static inline std::unique_ptr<Built> built_;

    static void SetUpTestSuite() {
        const std::string dir = ORVANE_TEXT_DIR;
        built_ = std::make_unique<Built>();
        built_->Source = GbkEncoder().EncodeLines(ReadTextFile(dir + "/cuv.txt"), "cuv.txt");
        const auto references = SelectReferences(
            ParseCrossRefs(ReadTextFile(dir + "/crossrefs.tsv")), SelectionRules{});
        built_->Data = BuildChainData(built_->Source, references);
        // What the groups of a verse must list together: its references' lines, a merged
        // (empty) verse replaced by the verse before it that holds its words.
        built_->Targets.resize(references.size());
        for (size_t v = 0; v < references.size(); ++v) {
            std::vector<int>& lines = built_->Targets[v];
            for (const Reference& reference : references[v])
                for (int line : reference) {
                    while (built_->Source[static_cast<size_t>(line)].empty())
                        --line;
                    if (line != static_cast<int>(v)) lines.push_back(line);
                }
            std::sort(lines.begin(), lines.end());
            lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        }
    }
    static void TearDownTestSuite() { built_.reset(); }
};

TEST_F(RealChainData, EveryMarkerParsesBackToItsChosenVerses) {
    const ChainData& data = built_->Data;
    ASSERT_EQ(data.ChainLines.size(), static_cast<size_t>(kChapterCount));
    ASSERT_EQ(data.TextLines.size(), static_cast<size_t>(kVerseLineCount));

    int markedVerses = 0, markers = 0;
    for (int chapter = 0; chapter < kChapterCount; ++chapter) {
        const std::string& line = data.ChainLines[static_cast<size_t>(chapter)];
        const int book = BookOfChapter(chapter);
        const int chapterNumber = ChapterNumber(chapter);
        int expectedNumber = 1;
        for (int v = ChapterTable[chapter].FirstLine; v <= ChapterTable[chapter].LastLine; ++v) {
            const std::vector<int>& targets = built_->Targets[static_cast<size_t>(v)];
            const std::string& text = data.TextLines[static_cast<size_t>(v)];
            const std::vector<Marker> found = FindMarkers(text);
            if (targets.empty()) {
                EXPECT_TRUE(found.empty()) << "verse line " << v;
                continue;
            }
            ++markedVerses;
            ASSERT_GE(found.size(), 1u) << "verse line " << v;
            ASSERT_LE(found.size(), kMaxMarkersPerVerse) << "verse line " << v;
            std::vector<int> listed;
            for (const Marker& m : found) {
                ASSERT_EQ(m.Number, expectedNumber) << "verse line " << v;
                const std::vector<int> group =
                    ParseChainGroup(ChainGroupText(line, expectedNumber), book, chapterNumber);
                for (int target : group)
                    ASSERT_FALSE(built_->Source[static_cast<size_t>(target)].empty())
                        << "verse line " << v << " points at the empty line " << target;
                listed.insert(listed.end(), group.begin(), group.end());
                ++expectedNumber;
                ++markers;
            }
            std::sort(listed.begin(), listed.end());
            listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
            EXPECT_EQ(listed, targets) << "verse line " << v;
        }
        // No group beyond the markers: the line holds exactly one group per marker.
        EXPECT_EQ(std::count(line.begin(), line.end(), '~'), expectedNumber - 1)
            << "chapter " << chapter;
    }
    EXPECT_EQ(markedVerses, data.Stats.MarkedVerses);
    EXPECT_EQ(markers, data.Stats.Markers);
    EXPECT_GT(markedVerses, 10000);
}

TEST_F(RealChainData, MarkersStandBeforeTheWordsTheyLink) {
    const ChainStats& s = built_->Data.Stats;
    EXPECT_GE(s.VersesWithSeveralMarkers * 10, s.MarkedVerses * 4) << "40% with two or more";
    EXPECT_GE(s.ReferencesBeforeSharedWord * 10, s.ReferencesListed * 6) << "60% before a word";
    EXPECT_EQ(s.RedirectedTargets, 130);
    // 约3:16: the marker of 约壹4:9 ("...将他独生子差到世间来...") before 独生子.
    const std::string& verse = built_->Data.TextLines[26045 + 51 + 25 + 15];
    const size_t word = verse.find(Utf8ToGbk("独生子"));
    ASSERT_NE(word, std::string::npos);
    ASSERT_GE(word, 3u);
    EXPECT_TRUE(isdigit(static_cast<unsigned char>(verse[word - 1]))) << GbkToUtf8(verse);
    // Every marker carries its number (FindMarkers walks whole characters).
    for (const std::string& text : built_->Data.TextLines)
        for (const Marker& m : FindMarkers(text)) {
            size_t end = m.Position + 1;
            while (end < text.size() && isdigit(static_cast<unsigned char>(text[end])))
                ++end;
            ASSERT_GT(end, m.Position + 1) << GbkToUtf8(text);
        }
}

TEST_F(RealChainData, StrippingTheMarkersGivesBackTheSourceText) {
    for (int v = 0; v < kVerseLineCount; ++v)
        ASSERT_EQ(StripMarkers(built_->Data.TextLines[static_cast<size_t>(v)]),
                  built_->Source[static_cast<size_t>(v)])
            << "verse line " << v;
    // The example verse: "起初神创造天地。", linked by its start and by "创造".
    EXPECT_EQ(GbkToUtf8(built_->Data.TextLines[0]), "`1起初神`2创造天地。");
}

TEST_F(RealChainData, ExercisesEveryFormTheParserHasToTell) {
    // The real data must reach the writer's harder paths, or the test above proves little.
    size_t shown = 0, chains = 0;
    for (const std::string& line : built_->Data.ChainLines) {
        shown += line.find("[99") != std::string::npos;
        chains += line.find("];[") != std::string::npos;
    }
    EXPECT_GT(shown, 100u);
    EXPECT_GT(chains, 100u);
    // Psalm 119 carries three-digit marker numbers.
    const int psalm119 = BookTable[18].FirstChapter + 118;
    EXPECT_FALSE(
        ChainGroupText(built_->Data.ChainLines[static_cast<size_t>(psalm119)], 100).empty());
}

// Synthetic text: every verse "x", so that the cases below control the markers alone.
StringList PlainVerses() {
    return StringList(static_cast<size_t>(kVerseLineCount), "x");
}

// One reference per target line.
std::vector<Reference> EachAlone(const std::vector<int>& lines) {
    std::vector<Reference> references;
    for (int line : lines)
        references.push_back({line});
    return references;
}

TEST(ChainDataBuilder, NumbersMarkersPerChapterIntoThreeDigits) {
    const int psalm119 = BookTable[18].FirstChapter + 118;
    const TChapterInfo& info = ChapterTable[psalm119];
    std::vector<std::vector<int>> targets(static_cast<size_t>(kVerseLineCount));
    std::vector<std::vector<Reference>> references(static_cast<size_t>(kVerseLineCount));
    for (int v = info.FirstLine; v <= info.LastLine; ++v)
        targets[static_cast<size_t>(v)] = {0, v == info.FirstLine ? info.LastLine : v - 1};
    targets[static_cast<size_t>(info.LastLine + 1)] = {5, 6}; // Psalm 120:1 starts again at 1
    for (size_t v = 0; v < targets.size(); ++v)
        references[v] = EachAlone(targets[v]);

    const ChainData data = BuildChainData(PlainVerses(), references);
    const std::string& line = data.ChainLines[static_cast<size_t>(psalm119)];
    for (int n : {1, 10, 99, 100, 176}) {
        const int verse = info.FirstLine + n - 1;
        const std::string marked = std::string(1, kMarkerChar).append(std::to_string(n)) + 'x';
        EXPECT_EQ(data.TextLines[static_cast<size_t>(verse)], marked);
        EXPECT_EQ(ParseChainGroup(ChainGroupText(line, n), 18, 119),
                  targets[static_cast<size_t>(verse)]);
    }
    EXPECT_TRUE(ChainGroupText(line, 177).empty());
    EXPECT_EQ(data.TextLines[static_cast<size_t>(info.LastLine + 1)], "`1x");
    EXPECT_EQ(data.ChainLines[static_cast<size_t>(psalm119 + 1)], "~1[001:6-7]");
    EXPECT_EQ(data.ChainLines[0], "");
    EXPECT_EQ(data.Stats.MostMarkersInChapter, 176);
}

TEST(ChainDataBuilder, RefusesSourcesTheMarkersWouldCorrupt) {
    std::vector<std::vector<Reference>> references(static_cast<size_t>(kVerseLineCount));
    references[10] = EachAlone({1, 2});

    StringList verses = PlainVerses();
    verses[500] = "a`b";
    EXPECT_THROW(BuildChainData(verses, references), DataError);

    verses = PlainVerses();
    verses[11] = "3 digits ahead"; // unmarked: fine
    EXPECT_NO_THROW(BuildChainData(verses, references));
    verses[10] = "3 digits ahead"; // marked: "`13 ..." would read as marker 13
    EXPECT_THROW(BuildChainData(verses, references), DataError);

    verses.pop_back();
    EXPECT_THROW(BuildChainData(verses, references), DataError);
}

TEST(ChainDataBuilder, AnchorsEachReferenceBeforeTheWordItSharesWithItsTarget) {
    const auto G = [](const char* utf8) { return Utf8ToGbk(utf8); };
    StringList verses = PlainVerses();
    // 0x81 0x60 and 0xC0 0x5A: characters whose trail byte reads as "`" and "Z" on its own.
    verses[0] = G("起初神创造天地。") + "\x81\x60" + G("耶和华") + "\xC0\x5A" + G("繸子。");
    verses[100] = G("耶和华创造万物。"); // shares 创造
    verses[101] = G("天地都要废去。");   // shares 天地
    verses[102] = G("耶和华说。");       // only the common 耶和华: no word
    verses[103] = G("衣服边上作繸子。"); // shares 繸子, after the odd trail bytes
    verses[104] = "";                    // merged into 103: the reference goes there
    std::vector<std::vector<Reference>> references(static_cast<size_t>(kVerseLineCount));
    references[0] = EachAlone({100, 101, 102, 104});
    const ChainData data = BuildChainData(verses, references);

    EXPECT_EQ(data.TextLines[0], "`1" + G("起初神`2创造`3天地。") + "\x81\x60" + G("耶和华") +
                                     "\xC0\x5A" + G("`4繸子。"));
    const std::string& line = data.ChainLines[0];
    EXPECT_EQ(ParseChainGroup(ChainGroupText(line, 1), 0, 1), (std::vector<int>{102}));
    EXPECT_EQ(ParseChainGroup(ChainGroupText(line, 2), 0, 1), (std::vector<int>{100}));
    EXPECT_EQ(ParseChainGroup(ChainGroupText(line, 3), 0, 1), (std::vector<int>{101}));
    EXPECT_EQ(ParseChainGroup(ChainGroupText(line, 4), 0, 1), (std::vector<int>{103}));
    EXPECT_EQ(data.Stats.Markers, 4);
    EXPECT_EQ(data.Stats.ReferencesBeforeSharedWord, 3);
    EXPECT_EQ(data.Stats.RedirectedTargets, 1);
}

TEST(ChainDataBuilder, KeepsAtMostFourMarkersAVerse) {
    const auto G = [](const char* utf8) { return Utf8ToGbk(utf8); };
    StringList verses = PlainVerses();
    verses[0] = G("甲乙丙丁戊己庚辛壬癸子丑");
    const char* pairs[] = {"甲乙", "丙丁", "戊己", "庚辛", "壬癸", "子丑"};
    std::vector<std::vector<Reference>> references(static_cast<size_t>(kVerseLineCount));
    for (int i = 0; i < 6; ++i) {
        verses[static_cast<size_t>(200 + i)] = G(pairs[i]);
        references[0].push_back({200 + i});
    }
    references[0].push_back({210}); // "x": no word, at the verse start
    const ChainData data = BuildChainData(verses, references);
    EXPECT_EQ(data.Stats.Markers, 4);
    EXPECT_EQ(FindMarkers(data.TextLines[0]).size(), 4u);
    std::vector<int> listed;
    for (int n = 1; n <= 4; ++n) {
        const auto group = ParseChainGroup(ChainGroupText(data.ChainLines[0], n), 0, 1);
        listed.insert(listed.end(), group.begin(), group.end());
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<int>{200, 201, 202, 203, 204, 205, 210}));
}

} // namespace
} // namespace orvane::datagen
