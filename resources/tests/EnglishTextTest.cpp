// The English text as the print and the side-by-side views read it: line for line with the
// Chinese verses.
#include "EnglishText.h"
#include "Addressing.h"
#include "BookTables.h"
#include "EmbeddedResources.h"

#include <gtest/gtest.h>

#include <string>

using namespace orvane;

namespace {

bool StartsWith(const std::string& text, const std::string& head) {
    return text.compare(0, head.size(), head) == 0;
}

class EnglishText : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterEmbeddedResources(); }
};

} // namespace

TEST_F(EnglishText, KnownVersesStandOnTheirChineseLines) {
    EXPECT_EQ(EnglishVerse(VerseLineOf(0, 1, 1)),
              "In the beginning God created the heaven and the earth.");
    EXPECT_TRUE(StartsWith(EnglishVerse(VerseLineOf(42, 3, 16)), "For God so loved the world,"));
    EXPECT_TRUE(StartsWith(EnglishVerse(VerseLineOf(42, 3, 17)), "For God sent not his Son"));
    EXPECT_EQ(EnglishVerse(kLastVerseLine),
              "The grace of our Lord Jesus Christ be with you all. Amen.");
    // The first verse of the New Testament: the two testaments meet where the tables say.
    EXPECT_TRUE(StartsWith(EnglishVerse(kFirstNewTestamentLine),
                           "The book of the generation of Jesus Christ"));
}

TEST_F(EnglishText, OnlyTheVerseTheEnglishLacksIsEmpty) {
    // 3 John has a fifteenth verse in the Chinese text only; the verses around it keep their
    // places.
    const int thirdJohn15 = VerseLineOf(63, 1, 15);
    ASSERT_GE(thirdJohn15, 0);
    EXPECT_EQ(EnglishVerse(thirdJohn15), "");
    EXPECT_TRUE(StartsWith(EnglishVerse(thirdJohn15 - 1), "But I trust I shall shortly see thee"));
    EXPECT_TRUE(StartsWith(EnglishVerse(thirdJohn15 + 1), "Jude, the servant of Jesus Christ"));

    int empty = 0;
    for (int line = 0; line <= kLastVerseLine; ++line) {
        const std::string& text = EnglishVerse(line);
        if (text.empty()) {
            ++empty;
            continue;
        }
        // No line keeps the blank the stored lines end in.
        EXPECT_NE(text.back(), ' ') << "line " << line;
    }
    EXPECT_EQ(empty, 1);
}

TEST_F(EnglishText, LinesOutsideTheTextAreEmpty) {
    EXPECT_EQ(EnglishVerse(-1), "");
    // The container holds one more line, a lone blank, after the last verse.
    EXPECT_EQ(EnglishVerse(kVerseLineCount), "");
    EXPECT_EQ(EnglishVerse(1 << 20), "");
}
