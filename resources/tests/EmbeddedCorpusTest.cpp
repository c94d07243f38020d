// The containers the build embeds, read the way the program reads them.
#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "Container.h"
#include "DailyVerses.h"
#include "EmbeddedResources.h"
#include "Gbk.h"
#include "Markers.h"
#include "TxtFormat.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace orvane;

namespace {
class EmbeddedCorpus : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterEmbeddedResources();
        ASSERT_TRUE(TBibGlobe::LoadScripture());
    }
};
} // namespace

TEST_F(EmbeddedCorpus, ScriptureHasOneLinePerChapterAndVerse) {
    EXPECT_EQ(TBibGlobe::CorpusFile(kChainFile).size(), size_t(kChapterCount));
    EXPECT_EQ(TBibGlobe::CorpusFile(kChineseTextFile).size(), size_t(kVerseLineCount));
    EXPECT_TRUE(TBibGlobe::CorpusFile(2).empty());
    EXPECT_EQ(GbkToUtf8(TBibGlobe::StripMarkers(TBibGlobe::VerseText(0))), "起初神创造天地。");
    EXPECT_EQ(GbkToUtf8(TBibGlobe::StripMarkers(TBibGlobe::VerseText(26136))).substr(0, 9),
              "神爱世")
        << "John 3:16";
    EXPECT_EQ(TBibGlobe::VerseText(kVerseLineCount), "");
}

TEST_F(EmbeddedCorpus, EveryMarkerHasAGroupThatParses) {
    const StringList& chains = TBibGlobe::CorpusFile(kChainFile);
    int markers = 0;
    for (int c = 0; c < kChapterCount; ++c) {
        int book = 0;
        ChapterOfLine(ChapterTable[c].FirstLine, &book);
        for (int line = ChapterTable[c].FirstLine; line <= ChapterTable[c].LastLine; ++line) {
            const std::string& text = TBibGlobe::VerseText(line);
            for (const TMarker& marker : FindMarkers(text)) {
                const int n = marker.Number;
                const std::string group = ChainGroupText(chains[size_t(c)], n);
                ASSERT_FALSE(group.empty()) << "chapter " << c << " marker " << n;
                EXPECT_FALSE(ParseChainGroup(group, book, ChapterNumber(c)).empty());
                ++markers;
            }
        }
    }
    EXPECT_GT(markers, 10000);
}

TEST_F(EmbeddedCorpus, OtherContainersAreFoundWithoutRegardToCase) {
    StringList notes, english, daily;
    ASSERT_TRUE(TBibGlobe::LoadResourceText("bibLX", notes));
    EXPECT_EQ(notes.size(), size_t(kVerseLineCount));
    ASSERT_TRUE(TBibGlobe::LoadResourceText("biben", english));
    EXPECT_EQ(english[0].substr(0, 16), "In the beginning");
    ASSERT_TRUE(TBibGlobe::LoadResourceText("GoldOra", daily));
    EXPECT_EQ(daily.size(), 473u);
    EXPECT_EQ(GbkToUtf8(daily[0]), "起初神创造天地。(创 1:1)");

    LoadDailyVerses();
    ASSERT_EQ(DailyVerses().size(), 473u);
    const std::string& picked = PickDailyVerse();
    EXPECT_EQ(picked, DailyVerses()[size_t(DailyVerseIndex())]);
}

// The characters the GB2312 source had lost are back: none of the "？？" it left in their place
// remains, and each line of the list of repairs reads as repaired.
TEST_F(EmbeddedCorpus, TheRepairedVersesReadAsRestored) {
    const std::string lost = Utf8ToGbk("？？");
    for (int line = 0; line < kVerseLineCount; ++line)
        ASSERT_EQ(FindWhole(TBibGlobe::VerseText(line), lost), std::string::npos)
            << ShortReference(line);

    auto verse = [](int book, int chapter, int number) {
        return GbkToUtf8(
            TBibGlobe::StripMarkers(TBibGlobe::VerseText(VerseLineOf(book, chapter, number))));
    };
    EXPECT_NE(verse(3, 15, 38).find("衣服边上作繸子"), std::string::npos) << "民15:38";
    EXPECT_NE(verse(3, 15, 38).find("底边的繸子上"), std::string::npos);
    EXPECT_NE(verse(40, 7, 22).find("谤讟"), std::string::npos) << "可7:22";
    EXPECT_NE(verse(22, 17, 12).find("海浪匉訇"), std::string::npos) << "赛17:12";
    EXPECT_EQ(verse(58, 4, 13).substr(0, 9), "嗐，你") << "雅4:13";

    std::ifstream fixes(ORVANE_TEXT_DIR "/cuv-fixes.tsv");
    ASSERT_TRUE(fixes) << "the list of repairs beside the text";
    std::string row;
    std::getline(fixes, row); // the header
    int rows = 0;
    while (std::getline(fixes, row)) {
        std::istringstream fields(row);
        std::string line, reference, old, repaired;
        std::getline(fields, line, '\t');
        std::getline(fields, reference, '\t');
        std::getline(fields, old, '\t');
        std::getline(fields, repaired, '\t');
        const int verseLine = std::stoi(line);
        EXPECT_EQ(GbkToUtf8(ShortReference(verseLine)), reference);
        EXPECT_EQ(GbkToUtf8(TBibGlobe::StripMarkers(TBibGlobe::VerseText(verseLine))), repaired);
        ++rows;
    }
    EXPECT_EQ(rows, 49);
}

// Verses as the search results and the chain-reference pane show them, without markers: at the
// default column and a few other widths no display line begins with a closing mark and none
// but a verse's last ends with an opening one.
TEST_F(EmbeddedCorpus, NoLineOfAnyVerseStartsWithAClosingMark) {
    TFixedWidths widths;
    for (const int width : {200, 264, 333, 450, 700}) {
        for (int line = 0; line < kVerseLineCount; ++line) {
            const std::string text = TBibGlobe::StripMarkers(TBibGlobe::VerseText(line));
            const std::vector<uint16_t> ends = TTxtFormat::BreakLines(text, width, widths);
            size_t begin = 0;
            for (size_t k = 0; k < ends.size(); ++k) {
                size_t last = begin;
                for (size_t i = begin; i < ends[k]; i += CharLength(text, i))
                    last = i;
                EXPECT_FALSE(k > 0 && TTxtFormat::IsClosingMark(text, begin))
                    << ShortReference(line) << " at " << width;
                EXPECT_FALSE(k + 1 < ends.size() && TTxtFormat::IsOpeningMark(text, last))
                    << ShortReference(line) << " at " << width;
                begin = ends[k];
            }
        }
    }
}
