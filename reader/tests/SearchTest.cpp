#include "Search.h"
#include "Gbk.h"
#include "Markers.h"

#include <gtest/gtest.h>

#include <random>

using namespace orvane;

namespace {

std::string G(const char* utf8) {
    return Utf8ToGbk(utf8);
}

using Lines = std::vector<int>;
using Offsets = std::vector<size_t>;

} // namespace

TEST(Search, FullWidthSpaceSeparatesAlternativeKeys) {
    EXPECT_EQ(FoldFullWidthSpaces(G("神　爱　")), G("神 爱 "));
    const std::string straddle = G("啊、"); // B0 A1 A1 A2: no full-width space in it
    EXPECT_EQ(FoldFullWidthSpaces(straddle), straddle);

    const StringList corpus = {G("神爱世人"), G("神`12说"), G("爱是恒久忍耐"), G("无关"), G("神")};
    EXPECT_EQ(SearchText(corpus, G("神　爱"), 0, 4), (Lines{0, 1, 2, 4}));
    EXPECT_EQ(SearchText(corpus, G("　神说　"), 0, 4), (Lines{1})) << "markers are not text";
    EXPECT_EQ(SearchText(corpus, G("神"), 1, 3), (Lines{1}));
    EXPECT_EQ(SearchText(corpus, G("神"), -5, 99999), (Lines{0, 1, 4})) << "range clamped";
    EXPECT_TRUE(SearchText(corpus, G("神"), 3, 2).empty());
}

TEST(Search, KeyTextSplitsLikeACommaList) {
    EXPECT_EQ(SplitSearchKeys("a b,c\t,  d", true), (StringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitSearchKeys("\"a,b\" \"say \"\"hi\"\"\"", true),
              (StringList{"a,b", "say \"hi\""}));
    EXPECT_EQ(SplitSearchKeys("\"ab\"cd x\"y \"open", true),
              (StringList{"ab", "cd", "x\"y", "open"}));
    // Searching trims quoted items, highlighting keeps their blanks; both drop empty ones.
    EXPECT_EQ(SplitSearchKeys("\" a \",,\"\" b", true), (StringList{"a", "b"}));
    EXPECT_EQ(SplitSearchKeys("\" a \",,\"\" b", false), (StringList{" a ", "b"}));
    // 繸 is C0 5A and 0x81 0x60 one character too: their trail bytes are no letters to split
    // at. Bytes below 0x40 are never trail bytes, so a comma after a lead byte still splits.
    EXPECT_EQ(SplitSearchKeys(G("繸子") + ",\x81\x60", true), (StringList{G("繸子"), "\x81\x60"}));
    EXPECT_EQ(SplitSearchKeys("\x81\x2C\x81\x22", true), (StringList{"\x81", "\x81\x22"}))
        << "a lead byte before a comma is a character of its own";

    const StringList corpus = {"in the end", "in  the", "the in", "in theory"};
    EXPECT_EQ(SearchText(corpus, "\"in the\"", 0, 3), (Lines{0, 3}));
    EXPECT_EQ(SearchText(corpus, "\"the in\",end", 0, 3), (Lines{0, 2}));
    EXPECT_TRUE(SearchText(corpus, ",", 0, 3).empty()) << "a lone comma gives no keys";
}

TEST(Search, KeysMatchExactBytesOnCharacterBoundaries) {
    const std::string text = "The LORD said, Lord";
    EXPECT_EQ(FindKey(text, "Lord"), 16u);
    EXPECT_EQ(FindKey(text, "lord"), 0u);
    EXPECT_EQ(FindKey(text, "The", 1), 0u);
    EXPECT_EQ(FindKey(text, ""), 0u);
    EXPECT_TRUE(SearchText(StringList{text}, "lord", 0, 0).empty());

    // "啊阿" is B0 A1 B0 A2: the key A1 B0 is one's trail byte and the other's lead byte.
    const std::string twoChars = G("啊阿");
    EXPECT_EQ(FindKey(twoChars, "\xA1\xB0"), 0u);
    EXPECT_EQ(FindKey(twoChars, G("阿"), 1), 3u) << "from inside a character";
    EXPECT_TRUE(SearchText(StringList{twoChars}, "\xA1\xB0", 0, 0).empty());
    const std::string later = twoChars + "\xA1\xB0\xA1"; // then a real A1 B0 character
    EXPECT_EQ(FindKey(later, "\xA1\xB0"), 5u);
    EXPECT_EQ(SearchText(StringList{later}, "\xA1\xB0", 0, 0), (Lines{0}));

    EXPECT_EQ(FindAllOccurrences("aaaaa", "aa"), (Offsets{0, 2}));
    EXPECT_EQ(FindAllOccurrences(G("神说神说神"), G("神")), (Offsets{0, 4, 8}));
    EXPECT_TRUE(FindAllOccurrences(twoChars + twoChars, "\xA1\xB0").empty());
    EXPECT_TRUE(FindAllOccurrences("abc", "").empty());
    EXPECT_EQ(FindAllOccurrences("a\xB0\xA1"
                                 "a\xB0\xA1",
                                 "a\xB0"),
              (Offsets{}))
        << "a key ending in a lead byte would end inside a character";
}

TEST(Search, TrailBytesInTheAsciiRangeNeverMatchAKey) {
    // 繸 C0 5A, 蝘 CE 69, 揝 93 53, 逿 DF 54: trail bytes "Z", "i", "S", "T"; 0x81 0x60 ends in
    // the backquote that marks chain markers.
    const std::string tassels = G("衣服边上作繸子"); // 民15:38
    EXPECT_EQ(FindKey(tassels, "Z"), 0u);
    EXPECT_EQ(FindKey(tassels, G("繸子")), 11u);
    EXPECT_EQ(FindKey(G("蝘蜓") + "i", "i"), 5u) << "the real letter after the character";
    EXPECT_TRUE(FindAllOccurrences(G("揝逿") + "\x81\x60", "S").empty());
    EXPECT_TRUE(FindAllOccurrences(G("揝逿") + "\x81\x60", "`").empty());
    const std::string between = std::string("Z") + G("繸") + "Z"; // GCC 12 misjudges "Z" + G()
    EXPECT_EQ(FindAllOccurrences(between, "Z"), (Offsets{0, 3}));

    // Half a character never matches across a boundary: neither the lead byte C0 alone (it
    // would end inside 繸), nor 作's trail with 繸's lead.
    EXPECT_EQ(FindKey(tassels, "\xC0"), 0u);
    EXPECT_EQ(FindKey(tassels, tassels.substr(9, 2)), 0u);
    EXPECT_EQ(FindKey(tassels, G("作") + "\xC0"), 0u);
    const StringList corpus = {tassels, G("蝘蜓"), "Zion"};
    EXPECT_EQ(SearchText(corpus, "Z", 0, 2), (Lines{2}));
    EXPECT_EQ(SearchText(corpus, "i", 0, 2), (Lines{2}));
    EXPECT_TRUE(SearchText(corpus, G("作") + "\xC0", 0, 2).empty());
    EXPECT_EQ(SearchText(corpus, G("繸"), 0, 2), (Lines{0}));
    // A marker after the character leaves it whole in the searched text.
    EXPECT_EQ(SearchText(StringList{G("作繸`3子")}, G("繸子"), 0, 0), (Lines{0}));
    EXPECT_EQ(SearchText(StringList{"\x81\x60"
                                    "12" +
                                    G("子")},
                         "12", 0, 0),
              (Lines{0}))
        << "0x81 0x60 is a character, not a marker that eats the digits";
}

TEST(Search, IndexAgreesWithALineByLineSearch) {
    // Characters with trail bytes below and above 0x80, so trail-byte hits and long runs of
    // lead-range bytes are common; markers vanish from the searched text.
    const StringList alphabet = {"\xB0\xA1", "\xA1\xB0", "\xB0\x41", "\x81\x81", "\xC9\xF1",
                                 "\x41\xB0", "a",        "1",        " ",        "`7",
                                 "`12",      "\xC0\x5A", "Z",        "\x81\x60", "\xC0"};
    std::mt19937 rng(5);
    auto randomText = [&](int maxPieces) {
        std::string s;
        for (int i = rng() % maxPieces; i > 0; --i)
            s += alphabet[rng() % alphabet.size()];
        return s;
    };
    StringList corpus;
    for (int i = 0; i < 400; ++i)
        corpus.push_back(randomText(12));
    const TSearchIndex index(corpus);
    ASSERT_EQ(index.LineCount(), 400);
    EXPECT_EQ(index.StrippedLine(7), StripMarkers(corpus[7]));

    for (int round = 0; round < 400; ++round) {
        StringList keys;
        for (int k = 1 + rng() % 3; k > 0; --k) {
            const std::string line = StripMarkers(corpus[rng() % corpus.size()]);
            keys.push_back(line.empty() || rng() % 4 == 0
                               ? randomText(3)
                               : line.substr(rng() % line.size(), 1 + rng() % 4));
        }
        const int first = static_cast<int>(rng() % 420) - 10, last = rng() % 420;
        Lines expected;
        for (int line = std::max(first, 0); line <= std::min(last, 399); ++line) {
            const std::string text = StripMarkers(corpus[line]);
            for (const std::string& key : keys)
                if (FindKey(text, key) != 0) {
                    expected.push_back(line);
                    break;
                }
        }
        ASSERT_EQ(index.Search(keys, first, last), expected) << "round " << round;
    }
    EXPECT_TRUE(SearchText(StringList{"ab", "cd"}, "bc", 0, 1).empty()) << "across lines";
    EXPECT_TRUE(index.Search({""}, 0, 399).empty());
}
