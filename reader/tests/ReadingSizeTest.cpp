#include "ReadingSize.h"
#include "EnglishRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvane;

namespace {

// Every character 1 unit wide, blanks included: line widths are their lengths.
int Length(std::string_view word) {
    return int(word.size());
}

std::vector<std::string> Wrap(std::string_view text, int width) {
    std::vector<std::string> out;
    for (std::string_view line : WrapWords(text, width, Length))
        out.emplace_back(line);
    return out;
}

} // namespace

TEST(ReadingSize, StoredTextReadsAsAClampedSizeAndGarbageAsTheDefault) {
    EXPECT_EQ(ReadingSizeFromText("14"), 14);
    EXPECT_EQ(ReadingSizeFromText(" 16 "), 16);
    EXPECT_EQ(ReadingSizeFromText("+12"), 12);
    EXPECT_EQ(ReadingSizeFromText("9"), 9);
    EXPECT_EQ(ReadingSizeFromText("24"), 24);
    // Outside the range: its nearer end, however far outside.
    EXPECT_EQ(ReadingSizeFromText("8"), 9);
    EXPECT_EQ(ReadingSizeFromText("0"), 9);
    EXPECT_EQ(ReadingSizeFromText("-3"), 9);
    EXPECT_EQ(ReadingSizeFromText("25"), 24);
    EXPECT_EQ(ReadingSizeFromText("99999999999999999999999"), 24);
    EXPECT_EQ(ReadingSizeFromText("-99999999999999999999999"), 9);
    // No whole number at all.
    for (const char* garbage : {"", "  ", "abc", "12pt", "1.5", "0x10", "--5", "+", "1 2"})
        EXPECT_EQ(ReadingSizeFromText(garbage), kDefaultReadingSize) << '"' << garbage << '"';
}

TEST(ReadingSize, TheCurrentSizeIsClampedAndScalesNothingAtNinePoints) {
    EXPECT_EQ(SetCurrentReadingSize(30), 24);
    EXPECT_EQ(CurrentReadingSize(), 24);
    EXPECT_EQ(SetCurrentReadingSize(1), 9);
    // The 9-point layout exactly as it was: every measure unchanged, odd ones included.
    for (int px : {0, 1, 3, 4, 7, 16, 24, 52, 78})
        EXPECT_EQ(ReadingScaled(px), px);
    SetCurrentReadingSize(16);
    EXPECT_EQ(ReadingScaled(16), 28); // 28.4
    EXPECT_EQ(ReadingScaled(24), 43); // 42.7, to the nearest pixel
    EXPECT_EQ(ReadingScaled(-9), -16);
    SetCurrentReadingSize(kDefaultReadingSize);
    // Monotonic across the range: a larger size never gets a smaller ball or line.
    for (int pt = kMinReadingSize; pt < kMaxReadingSize; ++pt)
        EXPECT_LE(ScaledFor(16, pt), ScaledFor(16, pt + 1));
}

TEST(EnglishRows, WordsWrapAtBlanksWithinTheWidth) {
    EXPECT_EQ(Wrap("In the beginning God created", 12),
              (std::vector<std::string>{"In the", "beginning", "God created"}));
    // A line exactly as wide as the width still fits.
    EXPECT_EQ(Wrap("abc def", 7), (std::vector<std::string>{"abc def"}));
    EXPECT_EQ(Wrap("abc def", 6), (std::vector<std::string>{"abc", "def"}));
    // Runs of blanks and the trailing blank of a stored verse vanish at the edges.
    EXPECT_EQ(Wrap("  a   b  ", 10), (std::vector<std::string>{"a   b"}));
    EXPECT_TRUE(Wrap("", 10).empty());
    EXPECT_TRUE(Wrap("    ", 10).empty());
}

TEST(EnglishRows, AWordWiderThanTheColumnStandsAloneOnItsLine) {
    EXPECT_EQ(Wrap("a Mahershalalhashbaz b", 5),
              (std::vector<std::string>{"a", "Mahershalalhashbaz", "b"}));
    EXPECT_EQ(Wrap("x y", 0), (std::vector<std::string>{"x", "y"}));
}
