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

TEST(Gbk, OneRuleForWhichBytesFormACharacter) {
    // Lead 0x81..0xFE with a trail 0x40..0xFE other than 0x7F: two bytes. Trail bytes in the
    // ASCII range are common in GBK: 繸 C0 5A ("Z"), 蝘 CE 69 ("i"), 揝 93 53 ("S").
    EXPECT_EQ(CharLength(Utf8ToGbk("繸"), 0), 2u);
    EXPECT_EQ(Utf8ToGbk("繸蝘揝"), "\xC0\x5A\xCE\x69\x93\x53");
    EXPECT_EQ(CharLength("\x81\x40", 0), 2u);
    EXPECT_EQ(CharLength("\x81\x60", 0), 2u) << "a backquote can be a trail byte";
    EXPECT_EQ(CharLength("\xFE\xFE", 0), 2u);
    // Anything else is a character of its own: a lead before a byte that cannot trail, a lead
    // at the end, 0x80 and 0xFF.
    for (const char* pair :
         {"\x81\x7F", "\x81\x3F", "\x81\xFF", "\x81\x0A", "\x80\x41", "\xFF\x41"})
        EXPECT_EQ(CharLength(pair, 0), 1u) << int(static_cast<unsigned char>(pair[1]));
    EXPECT_EQ(CharLength("a\x81", 1), 1u);
    // The converters read the same characters: a lead before a blank is one replacement and
    // the blank stays a blank.
    EXPECT_EQ(GbkToUtf8("\x81 a"), "\xEF\xBF\xBD a");
    EXPECT_EQ(GbkToUtf16("\x81\x7F"
                         "Z")
                  .size(),
              3u);
    // 0x80 alone is no character, though iconv's code page reads it as the euro sign; as the
    // trail of a pair it is an ordinary trail byte. The euro sign has no GBK form.
    EXPECT_EQ(GbkToUtf8("a\x80"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(GbkToUtf16("\x80\x80"), u"\uFFFD\uFFFD");
    EXPECT_EQ(GbkToUtf16("\x81\x80\x80"), GbkToUtf16("\x81\x80") + u"\uFFFD");
    EXPECT_NE(GbkToUtf16("\x81\x80"), u"\uFFFD");
    EXPECT_EQ(Utf8ToGbk("\xE2\x82\xAC"
                        "1"),
              "?1");
}

TEST(Gbk, FindWholeMatchesOnlyWholeCharacters) {
    const std::string text = Utf8ToGbk("作繸子") + "Z`" + "\x81\x60";
    EXPECT_EQ(FindWhole(text, "Z"), 6u) << "not the trail byte of 繸";
    EXPECT_EQ(FindWhole(text, "`"), 7u);
    EXPECT_EQ(FindWhole(text, "`", 8), std::string::npos) << "0x81 0x60 is one character";
    EXPECT_EQ(FindWhole(text, "\xC0"), std::string::npos) << "half of 繸";
    EXPECT_EQ(FindWhole(text, text.substr(1, 2)), std::string::npos) << "straddling two";
    EXPECT_EQ(FindWhole(text, Utf8ToGbk("繸子")), 2u);
    EXPECT_EQ(FindWhole(text, ""), std::string::npos);
    EXPECT_EQ(FindWhole("a\x81", "\x81"), 1u) << "a lone lead at the end is whole";
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

TEST(Markers, ABackquoteThatIsATrailByteIsNoMarker) {
    // 0x81 0x60 and 0xFE 0x60 end in the backquote byte: a byte-wise scan would cut them in
    // half and swallow the digits after them.
    const std::string a = "\x81\x60", b = "\xFE\x60";
    EXPECT_EQ(StripMarkers(a + "12" + b), a + "12" + b);
    EXPECT_EQ(StripMarkers(a + "`12" + b + "`3"), a + b);
    EXPECT_EQ(StripMarkers("`1" + Utf8ToGbk("繸子")), Utf8ToGbk("繸子"));
    EXPECT_EQ(StripMarkers("\x81`5"), "\x81`5") << "lead + backquote is one character";
    EXPECT_EQ(StripMarkers("\x81 `5"), "\x81 ") << "a lead before a blank stands alone";

    const std::vector<TMarker> found = FindMarkers(a + "`7" + Utf8ToGbk("繸") + "`" + a + "`x");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].Begin, 2u);
    EXPECT_EQ(found[0].End, 4u);
    EXPECT_EQ(found[0].Number, 7);
    EXPECT_EQ(found[1].Number, 1) << "no digits";
    EXPECT_EQ(found[2].Begin, 9u);
    EXPECT_EQ(FindMarker("`99999999999").Number, 1) << "beyond int";
    EXPECT_EQ(FindMarker(a).Begin, std::string::npos);
}
