#include "Gbk.h"
#include "Markers.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(Gbk, ConversionsRoundTripAndNeverStopOnBadBytes) {
    const std::string gbk = Utf8ToGbk("起初神创造天地。abc");
    EXPECT_EQ(gbk.size(), 8u * 2 + 3);
    EXPECT_EQ(GbkToUtf8(gbk), "起初神创造天地。abc");
    EXPECT_EQ(GbkToUtf16(gbk).size(), 11u);
    // A lone lead byte at the end and an invalid pair still convert, with replacements.
    EXPECT_EQ(GbkToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(GbkToUtf8(std::string("\xff\xff"
                                    "b"))
                  .back(),
              'b');
    EXPECT_EQ(Utf8ToGbk("\xE2\x82"), "?") << "truncated UTF-8";
}

TEST(Gbk, SplitLinesTakesAnyLineEnd) {
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines("a"), StringList{"a"});
    EXPECT_EQ(SplitLines("a\n"), StringList{"a"});
    EXPECT_EQ(SplitLines("a\n\n"), (StringList{"a", ""}));
    EXPECT_EQ(SplitLines("\n"), StringList{""});
    EXPECT_EQ(SplitLines("\n\na\nb"), (StringList{"", "", "a", "b"}));
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (StringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (StringList{"", ""}));
    EXPECT_EQ(SplitLines("a\n\rb"), (StringList{"a", "", "b"})) << "LF CR is two line ends";
}

TEST(Gbk, CaseFoldingLeavesDoubleByteCharactersAlone) {
    // "丄" (81 41) and "乣" (81 61): trail bytes that look like 'A' and 'a'.
    const std::string upperLike = "\x81\x41", lowerLike = "\x81\x61";
    EXPECT_NE(FoldCaseGbk(upperLike), FoldCaseGbk(lowerLike));
    EXPECT_EQ(FoldCaseGbk("Main" + lowerLike), "MAIN" + lowerLike);
}

TEST(Markers, StripMarkersRemovesBackquoteAndItsDigitsOnly) {
    EXPECT_EQ(StripMarkers(Utf8ToGbk("起初神创`1造天地。")), Utf8ToGbk("起初神创造天地。"));
    EXPECT_EQ(StripMarkers("`1`22`333"), "") << "markers only";
    EXPECT_EQ(StripMarkers("a`12b3`c"), "ab3c") << "digits after the marker's run stay";
    EXPECT_EQ(StripMarkers("no markers"), "no markers");
    EXPECT_EQ(StripMarkers("end`"), "end");
}
