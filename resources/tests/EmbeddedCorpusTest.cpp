// The containers the build embeds, read the way the program reads them.
#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "Container.h"
#include "DailyVerses.h"
#include "EmbeddedResources.h"
#include "Gbk.h"

#include <gtest/gtest.h>

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
            for (size_t q = text.find('`'); q != std::string::npos; q = text.find('`', q + 1)) {
                const int n = std::atoi(text.c_str() + q + 1);
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
