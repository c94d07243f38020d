#include "TxtFormat.h"
#include "CharWidth.h"
#include "Gbk.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace orvane;

namespace {

std::string G(const char* utf8) {
    return Utf8ToGbk(utf8);
}

std::vector<uint16_t> Break(std::string_view text, int width) {
    TFixedWidths widths;
    return TTxtFormat::BreakLines(text, width, widths);
}

// The display lines of a text, in UTF-8 so that failures read well.
std::vector<std::string> Lines(std::string_view text, int width) {
    std::vector<std::string> lines;
    size_t begin = 0;
    for (uint16_t end : Break(text, width)) {
        lines.push_back(GbkToUtf8(text.substr(begin, end - begin)));
        begin = end;
    }
    return lines;
}

using V = std::vector<std::string>;
using E = std::vector<uint16_t>;

// Text made of random pieces, each a whole character or token of the given list.
std::string RandomText(std::mt19937& rng, const std::vector<std::string>& pieces, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += pieces[rng() % pieces.size()];
    return text;
}

bool IsAny(std::string_view gbkChar, const std::vector<std::string>& utf8Marks) {
    return std::count(utf8Marks.begin(), utf8Marks.end(), GbkToUtf8(gbkChar)) > 0;
}

// Whether a line is one character or word and then nothing but closing marks and blanks: no
// character is left to send down with a closing mark that starts the next line.
bool NothingToSendDown(std::string_view line, const std::vector<std::string>& closing) {
    size_t i = 0;
    while (i < line.size() && line[i] == ' ') // a blank skipped after the break before
        ++i;
    if (i < line.size() && CharLength(line, i) == 2)
        i += 2;
    else
        while (i < line.size() && CharLength(line, i) == 1 && line[i] != ' ')
            ++i;
    for (; i < line.size(); i += CharLength(line, i))
        if (line[i] != ' ' && !IsAny(line.substr(i, CharLength(line, i)), closing)) return false;
    return true;
}

// Blanks at its head aside: a blank skipped after a break is painted on the next line.
bool AllOf(std::string_view line, const std::vector<std::string>& marks) {
    size_t i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    for (; i < line.size(); i += CharLength(line, i))
        if (!IsAny(line.substr(i, CharLength(line, i)), marks)) return false;
    return true;
}

} // namespace

TEST(TxtFormat, WorkedExamplesAtSixtyPixels) {
    EXPECT_EQ(Lines(G("一二三四五六七八九十"), 60), (V{"一二三四五", "六七八九十"}));
    EXPECT_EQ(Lines(G("一二三四五。六七八九十"), 60), (V{"一二三四", "五。六七八", "九十"}));
    // Counting the full stop among the ten characters leaves one for the last line.
    EXPECT_EQ(Lines(G("一二三四五。七八九十"), 60), (V{"一二三四", "五。七八九", "十"}));
    EXPECT_EQ(Lines(G("一二三四`12五六七八"), 60), (V{"一二三四", "`12五六七", "八"}));
    EXPECT_EQ(Lines(G("一二三四five五六"), 60), (V{"一二三四", "five五六"}));
}

TEST(TxtFormat, ClosingMarksDoNotStartALineUnlessADigitStoppedIt) {
    for (const char* mark : {"，", "；", "。", "）", "」", "、", "！", "：", "？", "』", "”"})
        EXPECT_EQ(Lines(G("一二三四五") + G(mark) + G("六"), 60)[1],
                  std::string("五") + mark + "六");
    // A number ending a line before a double-byte character stops the rule for the rest of
    // the text; a number running on into letters lets it work again.
    EXPECT_EQ(Lines(G("一二三四12五，六七八。九"), 60), (V{"一二三四12", "五，六七八", "。九"}));
    EXPECT_EQ(Lines(G("一二三四五五，六七八。九"), 60), (V{"一二三四五", "五，六七", "八。九"}));
    EXPECT_EQ(Lines(G("一二三四12五六七八34x九十一。"), 60),
              (V{"一二三四12", "五六七八", "34x九十", "一。"}));
    // Never half a character: a line ending in a narrow character or a blank sends the last
    // character or word before the blanks down whole.
    EXPECT_EQ(Lines(G("一二三a)，"), 55), (V{"一二三", "a)，"}));
    EXPECT_EQ(Lines(G("一二三四 ，"), 57), (V{"一二三", "四 ，"}));
    EXPECT_EQ(Lines(G("一。"), 12), (V{"一", "。"})) << "nothing left to send down";

    // Without numbers and with marks never side by side, no line begins with one.
    std::mt19937 rng(7);
    const V marks = {"，", "。", "、", "”", "？"};
    for (int round = 0; round < 300; ++round) {
        std::string text = G("中");
        for (int n = 0; n < 20; ++n) {
            text += RandomText(rng, {"a", "ab", "abc", G("中")}, 1) + G("中");
            if (rng() % 2) text += G(marks[rng() % marks.size()].c_str());
        }
        const int width = 36 + rng() % 100;
        for (const std::string& line : Lines(text, width))
            for (const std::string& mark : marks)
                EXPECT_NE(line.substr(0, mark.size()), mark) << GbkToUtf8(text) << " " << width;
    }
}

TEST(TxtFormat, RunsOfClosingMarksGoDownWithTheCharacterBeforeThem) {
    EXPECT_EQ(Lines(G("一二三四五）。六"), 60), (V{"一二三四", "五）。六"}));
    EXPECT_EQ(Lines(G("一二三四（五）。六"), 72), (V{"一二三四", "（五）。六"}))
        << "the opening mark goes down with the character it opens";
    EXPECT_EQ(Lines(G("一二三四”。），六"), 60), (V{"一二三", "四”。），", "六"}));
    EXPECT_EQ(Lines(G("一二三四， 。六"), 60), (V{"一二三", "四， 。六"})) << "blanks in the run";
    EXPECT_EQ(Lines(G("一二三四ab）。六"), 66), (V{"一二三四", "ab）。六"})) << "a word whole";
    EXPECT_EQ(Lines(G("一二三四`12）。六"), 78), (V{"一二三四", "`12）。六"}));
    EXPECT_EQ(Lines(G("一）。，"), 24), (V{"一）", "。，"})) << "nothing left to send down";
    // A blank the line filled up on does not let a mark start the next line either.
    EXPECT_EQ(Lines(G("一二三ab ，四"), 54), (V{"一二三", "ab ，四"}));
    // The digit stop still switches the rule off for the rest of the text.
    EXPECT_EQ(Lines(G("一二三12五六七）。八"), 48), (V{"一二三12", "五六七）", "。八"}));
}

TEST(TxtFormat, OpeningMarksDoNotEndALine) {
    for (const char* mark : {"（", "「", "『", "“", "‘"})
        EXPECT_EQ(Lines(G("一二三四") + G(mark) + G("五六"), 60)[1], std::string(mark) + "五六");
    EXPECT_EQ(Lines(G("一二三“「四五"), 60), (V{"一二三", "“「四五"})) << "a run goes down whole";
    EXPECT_EQ(Lines(G("一二三四12（五"), 60), (V{"一二三四12", "（五"}))
        << "after a digit stop too";
    EXPECT_EQ(Lines(G("（（（（（（一"), 60), (V{"（（（（（", "（一"})) << "nothing else to keep";
    EXPECT_EQ(Lines(G("一二三四五（"), 60), (V{"一二三四五", "（"})) << "the text's end";

    // Random verses of characters, words and marks (no digits, so no digit stop): a line begins
    // with a closing mark only when the line before has nothing left to send down, and ends
    // with an opening one only when it holds nothing else.
    std::mt19937 rng(13);
    const V closing = {"，", "。", "）", "”", "、", "」"}, opening = {"（", "“", "「"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = 0; n < 25; ++n) {
            const unsigned pick = rng() % 10;
            if (pick < 4)
                text += G("中");
            else if (pick < 6)
                text += G(closing[rng() % closing.size()].c_str());
            else if (pick < 8)
                text += G(opening[rng() % opening.size()].c_str());
            else
                text += RandomText(rng, {"ab", "`", G("繸"), "\x81\x60", " "}, 1);
        }
        const int width = 24 + rng() % 120;
        const E ends = Break(text, width);
        std::string_view previous;
        size_t begin = 0;
        for (size_t k = 0; k < ends.size(); ++k) {
            const std::string_view line = std::string_view(text).substr(begin, ends[k] - begin);
            if (k > 0 && IsAny(line.substr(0, CharLength(line, 0)), closing)) {
                EXPECT_TRUE(NothingToSendDown(previous, closing))
                    << GbkToUtf8(text) << " " << width << " line " << k;
            }
            size_t last = 0;
            for (size_t i = 0; i < line.size(); i += CharLength(line, i))
                last = i;
            if (k + 1 < ends.size() && IsAny(line.substr(last), opening)) {
                EXPECT_TRUE(AllOf(line, opening))
                    << GbkToUtf8(text) << " " << width << " line " << k;
            }
            previous = line;
            begin = ends[k];
        }
    }
}

TEST(TxtFormat, TrailBytesThatLookAsciiStayInsideTheirCharacter) {
    // 繸 C0 5A: its "Z" is no letter of the English word after it, which moves down alone
    // instead of taking the lead byte C0 with it.
    EXPECT_EQ(Lines(G("一二三四繸ab"), 66), (V{"一二三四繸", "ab"}));
    EXPECT_EQ(Lines(G("一二三四繸子"), 60), (V{"一二三四繸", "子"}));
    EXPECT_EQ(Lines(G("一二三四繸。"), 60), (V{"一二三四", "繸。"})) << "down whole with the mark";
    // 0x81 0x60 ends in a backquote but is no marker: the number after it moves down alone.
    EXPECT_EQ(Break(G("一二三四") +
                        "\x81\x60"
                        "12" +
                        G("五"),
                    66),
              (E{10, 14}));
    // 蝘 CE 69 and 鹯 FB 72 at a line end next to a marker.
    EXPECT_EQ(Lines(G("一二三四蝘`7鹯"), 60), (V{"一二三四蝘", "`7鹯"}));
    EXPECT_EQ(Lines(G("一二三`7鹯蜓"), 60), (V{"一二三`7鹯", "蜓"}));
}

TEST(TxtFormat, MarkersWordsAndNumbersStayWholeUnlessTheyStartTheText) {
    EXPECT_EQ(Lines(G("一二三四五x`1五"), 72), (V{"一二三四五", "x`1五"}));
    EXPECT_EQ(Lines(G("一二三四五123五"), 72), (V{"一二三四五", "123五"}));
    EXPECT_EQ(Lines(G("一二三四五abc五"), 66), (V{"一二三四五", "abc五"}));
    // Nor does the text's last byte stick out past the width.
    EXPECT_EQ(Lines(G("一二三四五`12"), 75), (V{"一二三四五", "`12"}));
    EXPECT_EQ(Lines(G("一二三四a1"), 60), (V{"一二三四a1"}));
    // A run reaching back to the start of the text is cut at the width.
    EXPECT_EQ(Lines(G("abcdefghijkl中"), 60), (V{"abcdefghij", "kl中"}));
    EXPECT_EQ(Lines(G("12345678901中"), 60), (V{"1234567890", "1中"}));

    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        std::vector<std::pair<size_t, size_t>> tokens;
        for (int n = 0; n < 30; ++n) {
            const std::string token = RandomText(rng, {"`7", "`123", "w", "word", "0", "2024"}, 1);
            tokens.push_back({text.size(), token.size()});
            text += token + RandomText(rng, {G("中"), G("，")}, 1);
        }
        const int width = 30 + rng() % 120;
        for (uint16_t end : Break(text, width))
            for (auto [start, size] : tokens)
                EXPECT_FALSE(end > start && end < start + size) << GbkToUtf8(text) << " " << width;
    }
}

TEST(TxtFormat, AMarkerGoesDownWithTheWordItStandsBefore) {
    EXPECT_EQ(Lines(G("一二三四`12五六"), 72), (V{"一二三四", "`12五六"}));
    EXPECT_EQ(Lines(G("一二三四五`1六"), 72), (V{"一二三四五", "`1六"})) << "an exact fit";
    // Leaving a ball behind is no number at a line's end: the closing rule keeps working.
    EXPECT_EQ(Lines(G("一二三`4五六七。八"), 54), (V{"一二三", "`4五六", "七。八"}));
    // A marker that starts the line has nowhere to go and is cut as before.
    EXPECT_EQ(Lines(G("`12五"), 18), (V{"`12", "五"}));
}

TEST(TxtFormat, SpacesAndLineFeedsAtABreak) {
    // The space the line fills up on stays at its end; one right behind a break is painted at
    // the head of the next line without counting towards its width.
    EXPECT_EQ(Lines(G("一二三四a 五六"), 57), (V{"一二三四a ", "五六"}));
    EXPECT_EQ(Lines(G("一二三四五 六七八九十"), 60), (V{"一二三四五", " 六七八九十"}));
    EXPECT_EQ(Lines(G("一二三四ab 五"), 60), (V{"一二三四ab", " 五"}));
    EXPECT_EQ(Lines(G("一二三四五 "), 60), (V{"一二三四五 "})) << "trailing space kept";

    EXPECT_EQ(Break(G("一二\r\n三四"), 60), (E{6, 10}));
    EXPECT_EQ(Break(G("一二\n三四"), 60), (E{5, 9}));
    EXPECT_EQ(Break("\r\n\r\n", 60), (E{2, 4}));
    EXPECT_EQ(Break("\n\rx", 60), (E{1, 2, 3}));
    EXPECT_EQ(Break("\x81\x0A"
                    "ab",
                    60),
              (E{2, 4}))
        << "a line feed is never a trail byte: the lead before it stands alone";
    EXPECT_EQ(Break("\x81\x41\x0A"
                    "ab",
                    60),
              (E{3, 5}));
}

TEST(TxtFormat, EveryLineTakesAtLeastOneCharacter) {
    EXPECT_EQ(Lines(G("一二"), 10), (V{"一", "二"}));
    EXPECT_EQ(Lines(G("一abcdefghij"), 20), (V{"一", "abc", "def", "ghi", "j"}));
    EXPECT_EQ(Lines(G("一`123456二"), 20), (V{"一", "`12", "345", "6二"}));
    EXPECT_EQ(Lines(G("一a二"), 0), (V{"一", "a", "二"}));
    EXPECT_EQ(Lines(G("一a二"), -5), (V{"一", "a", "二"}));
    EXPECT_TRUE(Break("", 60).empty());
    EXPECT_EQ(Break(G("一") + "\x81", 6), (E{2, 3})) << "lone lead byte at the end";

    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += G("中");
    const E capped = Break(many, 12);
    ASSERT_EQ(capped.size(), TTxtFormat::kMaxLines);
    EXPECT_EQ(capped[1022], 2046);
    EXPECT_EQ(capped.back(), many.size()) << "the last line takes the rest";
    std::string huge(70000, 'a');
    huge.replace(65534, 2, G("中"));
    EXPECT_EQ(Break(huge, 1 << 30).back(), 65534) << "16-bit ends, whole characters";

    // Random bytes and random per-byte widths, trail bytes and negative widths included.
    struct TRandomWidths final : IByteWidths {
        std::mt19937 rng{1};
        void ByteWidths(std::string_view gbk, std::vector<int>& out) override {
            out.resize(gbk.size());
            for (int& w : out)
                w = static_cast<int>(rng() % 20) - 2;
        }
    } random;
    TFixedWidths fixed;
    std::mt19937 rng(3);
    const V pieces = {"a",    "7",    "`",        " ",     "\r",   "\n",   "\x80",
                      "\xFF", "\x81", "\x81\x41", G("，"), G("“"), G("中")};
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomText(rng, pieces, rng() % 60);
        const int width = static_cast<int>(rng() % 160) - 10;
        IByteWidths& widths = round % 2 ? static_cast<IByteWidths&>(fixed) : random;
        const E ends = TTxtFormat::BreakLines(text, width, widths);
        ASSERT_EQ(ends.empty(), text.empty());
        std::vector<bool> boundary(text.size() + 1, false);
        for (size_t i = 0; i <= text.size(); i += i < text.size() ? CharLength(text, i) : 1)
            boundary[i] = true;
        uint16_t previous = 0;
        for (uint16_t end : ends) {
            ASSERT_LT(previous, end);
            ASSERT_TRUE(end <= text.size() && boundary[end]) << "cut inside a character";
            previous = end;
        }
        EXPECT_EQ(previous, text.size());
    }
}

TEST(TxtFormat, SplitAtLinesCutsAnOccurrenceAtEachLineEnd) {
    auto pieces = [](size_t begin, size_t length) {
        std::string out;
        for (auto p : TTxtFormat::SplitAtLines({4, 8, 10}, begin, length))
            out += std::to_string(p.Line) + ":" + std::to_string(p.Begin) + "-" +
                   std::to_string(p.End) + " ";
        return out;
    };
    EXPECT_EQ(pieces(4, 2), "1:4-6 ");
    EXPECT_EQ(pieces(2, 8), "0:2-4 1:4-8 2:8-10 ");
    EXPECT_EQ(pieces(3, 0), "");
}

TEST(CharWidth, MeasuresEachCharacterOncePerFont) {
    std::map<char16_t, int> calls;
    auto measure = [&](char16_t c) {
        ++calls[c];
        return c == u'\t' ? 0 : (c < 0x80 ? 7 : 13);
    };
    int fontA = 0, fontB = 0;
    TCharWidth cache;
    cache.Bind(&fontA, -16, measure);
    EXPECT_EQ(cache.Height(), 16);
    std::vector<int> widths;
    for (int i = 0; i < 2; ++i) {
        cache.ByteWidths(G("中a中\t"), widths);
        cache.Bind(&fontA, 16, measure);
    }
    EXPECT_EQ(widths, (std::vector<int>{13, 0, 7, 13, 0, 0}));
    EXPECT_EQ(calls, (std::map<char16_t, int>{{u'中', 1}, {u'a', 1}, {u'\t', 1}}));
    cache.Bind(&fontB, 20, measure);
    EXPECT_EQ(cache.Width(u'中'), 13);
    EXPECT_EQ(calls[u'中'], 2) << "another font starts afresh";

    cache.ByteWidths("\x81\x20"
                     "a\x81",
                     widths);
    EXPECT_EQ(widths, (std::vector<int>{13, 7, 7, 13}))
        << "a lead byte before a blank is a damaged character of its own, the blank a blank";
    cache.ByteWidths(G("繸") + "Z\x81\x60", widths);
    EXPECT_EQ(widths, (std::vector<int>{13, 0, 7, 13, 0})) << "trail bytes Z and ` carry no width";
    EXPECT_EQ(TCharWidth().Width(u'a'), 0) << "unbound";
}
