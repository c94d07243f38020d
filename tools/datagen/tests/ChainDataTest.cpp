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

#include <memory>

namespace orvane::datagen {
namespace {

struct Marker {
    int Number;
    size_t Position;
};

// Every backquote-and-digits run in a verse line, in order.
std::vector<Marker> FindMarkers(const std::string& line) {
    std::vector<Marker> markers;
    for (size_t at = line.find(kMarkerChar); at != std::string::npos;
         at = line.find(kMarkerChar, at + 1)) {
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
        std::vector<std::vector<int>> Targets;
        ChainData Data;
    };
    static inline std::unique_ptr<Built> built_;

    static void SetUpTestSuite() {
        const std::string dir = ORVANE_TEXT_DIR;
        built_ = std::make_unique<Built>();
        built_->Source = GbkEncoder().EncodeLines(ReadTextFile(dir + "/cuv.txt"), "cuv.txt");
        built_->Targets =
            SelectTargets(ParseCrossRefs(ReadTextFile(dir + "/crossrefs.tsv")), SelectionRules{});
        built_->Data = BuildChainData(built_->Source, built_->Targets);
    }
    static void TearDownTestSuite() { built_.reset(); }
};

TEST_F(RealChainData, EveryMarkerParsesBackToItsChosenVerses) {
    const ChainData& data = built_->Data;
    ASSERT_EQ(data.ChainLines.size(), static_cast<size_t>(kChapterCount));
    ASSERT_EQ(data.TextLines.size(), static_cast<size_t>(kVerseLineCount));

    int markedVerses = 0;
    for (int chapter = 0; chapter < kChapterCount; ++chapter) {
        const std::string& line = data.ChainLines[static_cast<size_t>(chapter)];
        const int book = BookOfChapter(chapter);
        const int chapterNumber = ChapterNumber(chapter);
        int expectedNumber = 1;
        for (int v = ChapterTable[chapter].FirstLine; v <= ChapterTable[chapter].LastLine; ++v) {
            const std::vector<int>& targets = built_->Targets[static_cast<size_t>(v)];
            const std::vector<Marker> markers = FindMarkers(data.TextLines[static_cast<size_t>(v)]);
            if (targets.empty()) {
                EXPECT_TRUE(markers.empty()) << "verse line " << v;
                continue;
            }
            ++markedVerses;
            ASSERT_EQ(markers.size(), 1u) << "verse line " << v;
            EXPECT_EQ(markers[0].Position, 0u) << "verse line " << v;
            ASSERT_EQ(markers[0].Number, expectedNumber) << "verse line " << v;
            EXPECT_EQ(ParseChainGroup(ChainGroupText(line, expectedNumber), book, chapterNumber),
                      targets)
                << "chapter " << chapter << " marker " << expectedNumber;
            ++expectedNumber;
        }
        // No group beyond the markers: the line holds exactly one group per marker.
        EXPECT_EQ(std::count(line.begin(), line.end(), '~'), expectedNumber - 1)
            << "chapter " << chapter;
    }
    EXPECT_EQ(markedVerses, data.Stats.MarkedVerses);
    EXPECT_GT(markedVerses, 10000);
}

TEST_F(RealChainData, StrippingTheMarkersGivesBackTheSourceText) {
    for (int v = 0; v < kVerseLineCount; ++v)
        ASSERT_EQ(StripMarkers(built_->Data.TextLines[static_cast<size_t>(v)]),
                  built_->Source[static_cast<size_t>(v)])
            << "verse line " << v;
    // The example verse: "起初神创造天地。" marked at its start.
    EXPECT_EQ(built_->Data.TextLines[0].substr(0, 2), "`1");
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

TEST(ChainDataBuilder, NumbersMarkersPerChapterIntoThreeDigits) {
    const int psalm119 = BookTable[18].FirstChapter + 118;
    const TChapterInfo& info = ChapterTable[psalm119];
    std::vector<std::vector<int>> targets(static_cast<size_t>(kVerseLineCount));
    for (int v = info.FirstLine; v <= info.LastLine; ++v)
        targets[static_cast<size_t>(v)] = {0, v == info.FirstLine ? info.LastLine : v - 1};
    targets[static_cast<size_t>(info.LastLine + 1)] = {5, 6}; // Psalm 120:1 starts again at 1

    const ChainData data = BuildChainData(PlainVerses(), targets);
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
    std::vector<std::vector<int>> targets(static_cast<size_t>(kVerseLineCount));
    targets[10] = {1, 2};

    StringList verses = PlainVerses();
    verses[500] = "a`b";
    EXPECT_THROW(BuildChainData(verses, targets), DataError);
    // A GBK character whose trail byte is 0x60 reads as a marker to the reader.
    verses[500] = "\x81\x60";
    EXPECT_THROW(BuildChainData(verses, targets), DataError);

    verses = PlainVerses();
    verses[11] = "3 digits ahead"; // unmarked: fine
    EXPECT_NO_THROW(BuildChainData(verses, targets));
    verses[10] = "3 digits ahead"; // marked: "`13 ..." would read as marker 13
    EXPECT_THROW(BuildChainData(verses, targets), DataError);

    verses.pop_back();
    EXPECT_THROW(BuildChainData(verses, targets), DataError);
}

} // namespace
} // namespace orvane::datagen
