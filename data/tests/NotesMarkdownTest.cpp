// The notes document: what a reader sees when the export is opened in any Markdown viewer.
#include "NotesMarkdown.h"

#include "Addressing.h"
#include "Gbk.h"
#include "NotesStore.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <stdexcept>

using namespace orvane;

namespace {

std::string G(const char* utf8) {
    return Utf8ToGbk(utf8);
}

// A verse text with a chain-reference marker in it, so that its removal shows.
std::string FakeVerse(int line) {
    return "v" + std::to_string(line) + "`12" + G("。");
}

const std::array<int, 10> kNoBookmarks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

std::string Document(std::vector<TNoteEntry> notes, std::span<const int> marks = kNoBookmarks) {
    return GbkToUtf8(NotesMarkdown(std::move(notes), marks, FakeVerse));
}

const int Gen1_1 = VerseLineOf(0, 1, 1);
const int Gen2_3 = VerseLineOf(0, 2, 3);
const int Exo3_14 = VerseLineOf(1, 3, 14);
const int John3_16 = VerseLineOf(42, 3, 16);
const int Rev22_21 = VerseLineOf(65, 22, 21);

} // namespace

TEST(NotesMarkdownTest, BooksAndNotesComeInBibleOrderWhateverTheInputOrder) {
    const std::string doc = Document({{John3_16, G("爱")},
                                      {Gen2_3, G("安息")},
                                      {Rev22_21, G("阿们")},
                                      {Gen1_1, G("起初")},
                                      {Exo3_14, G("自有永有")}});
    EXPECT_EQ(doc, "# 批注\n\n"
                   "## 创世记\n\n"
                   "### 创世记 1:1\n\n> v0。\n\n起初\n\n"
                   "### 创世记 2:3\n\n> v" +
                       std::to_string(Gen2_3) +
                       "。\n\n安息\n\n"
                       "## 出埃及记\n\n"
                       "### 出埃及记 3:14\n\n> v" +
                       std::to_string(Exo3_14) +
                       "。\n\n自有永有\n\n"
                       "## 约翰福音\n\n"
                       "### 约翰福音 3:16\n\n> v" +
                       std::to_string(John3_16) +
                       "。\n\n爱\n\n"
                       "## 启示录\n\n"
                       "### 启示录 22:21\n\n> v31102。\n\n阿们\n");
}

TEST(NotesMarkdownTest, AVerseNamedTwiceAndLinesOutsideTheTextShowOnce) {
    // The first entry of a verse is the one the reader shows (the journal's, collected first).
    const std::string doc =
        Document({{Gen1_1, G("新")}, {-1, "x"}, {31103, "y"}, {Gen1_1, G("旧")}, {99999, "z"}});
    EXPECT_NE(doc.find("新"), std::string::npos);
    EXPECT_EQ(doc.find("旧"), std::string::npos);
    EXPECT_EQ(doc.find("###"), doc.rfind("###")) << doc;
}

TEST(NotesMarkdownTest, TabsAreLineBreaksAndBlankEndsAreDropped) {
    // Hard line breaks (a backslash at the end) inside a paragraph; a run of empty lines is
    // one paragraph break; blanks and TABs around the note and its lines go.
    const std::string doc = Document({{Gen1_1, G("\t  第一行 \t第二行\t\t\t第三段\t \t")}});
    EXPECT_NE(doc.find("> v0。\n\n第一行\\\n第二行\n\n第三段\n"), std::string::npos) << doc;
    EXPECT_EQ(doc.back(), '\n');
    EXPECT_NE(doc.substr(doc.size() - 2), "\n\n");
}

TEST(NotesMarkdownTest, EmptyNotesAreLeftOutAndNoNotesAtAllIsSaid) {
    EXPECT_EQ(Document({}), "# 批注\n\n没有批注。\n");
    EXPECT_EQ(Document({{Gen1_1, "\t \t"}, {Gen2_3, ""}, {John3_16, "   "}}),
              "# 批注\n\n没有批注。\n");
    // A book heading only where a note is shown.
    const std::string doc = Document({{Gen1_1, "\t"}, {John3_16, G("爱")}});
    EXPECT_EQ(doc.find("创世记"), std::string::npos) << doc;
}

TEST(NotesMarkdownTest, MarkupInANoteIsEscapedAndTrailBytesAreNot) {
    const std::string doc = Document({{Gen1_1, "# not a heading\t- no list\t1. no number\t"
                                               "a*b*_c_ [l](u) <b> `x` |t| ~~s~~ &amp; \\\t"
                                               "2024-1-1 = a+b #3\t1)"}});
    EXPECT_NE(doc.find("\\# not a heading\\\n"
                       "\\- no list\\\n"
                       "1\\. no number\\\n"
                       "a\\*b\\*\\_c\\_ \\[l\\](u) \\<b\\> \\`x\\` \\|t\\| \\~\\~s\\~\\~ "
                       "\\&amp; \\\\\\\n"
                       "2024-1-1 = a+b #3\\\n"
                       "1\\)\n"),
              std::string::npos)
        << doc;

    // Each of these characters has a second byte that reads as "\", "[", "`", "_" or "~" when
    // taken alone; escaping it would break the character.
    const std::string gbk = "\xB1\x5C\xD5\x5B\x81\x60\x84\x5F\xFB\x7E";
    EXPECT_EQ(EscapeMarkdown(gbk, true), gbk);
    EXPECT_EQ(EscapeMarkdown(gbk + "_", false), gbk + "\\_");
    // A byte that leads no character stands alone: the "[" after it is markup.
    EXPECT_EQ(EscapeMarkdown("\xFF[", false), "\xFF\\[");
}

TEST(NotesMarkdownTest, VerseTextLosesItsMarkersAndAnEmptyVerseHasNoQuote) {
    const auto verses = [](int line) -> std::string {
        return line == Gen1_1 ? "`1*" + G("起初") + "`23" : "";
    };
    const std::string doc =
        GbkToUtf8(NotesMarkdown({{Gen1_1, "a"}, {Gen2_3, "b"}}, kNoBookmarks, verses));
    EXPECT_NE(doc.find("### 创世记 1:1\n\n> \\*起初\n\na\n\n"), std::string::npos) << doc;
    EXPECT_NE(doc.find("### 创世记 2:3\n\nb\n"), std::string::npos) << doc;
    // Without a source of verse texts the document still comes out, without quotes.
    EXPECT_EQ(GbkToUtf8(NotesMarkdown({{Gen1_1, "a"}}, kNoBookmarks, nullptr)),
              "# 批注\n\n## 创世记\n\n### 创世记 1:1\n\na\n");
}

TEST(NotesMarkdownTest, BookmarksFollowTheNotesBySlot) {
    std::array<int, 10> marks = kNoBookmarks;
    marks[7] = Gen1_1;
    marks[2] = John3_16;
    marks[3] = 31103; // a hand-edited file: leads nowhere, as in the reader
    marks[9] = Gen1_1;
    const std::string doc = Document({{Gen2_3, "n"}}, marks);
    const std::string tail = "## 书签\n\n"
                             "### 书签 2：约翰福音 3:16\n\n> v" +
                             std::to_string(John3_16) +
                             "。\n\n"
                             "### 书签 7：创世记 1:1\n\n> v0。\n\n"
                             "### 书签 9：创世记 1:1\n\n> v0。\n";
    ASSERT_GE(doc.size(), tail.size());
    EXPECT_EQ(doc.substr(doc.size() - tail.size()), tail) << doc;
    EXPECT_EQ(Document({}, marks).find("# 批注\n\n没有批注。\n\n## 书签\n\n"), 0u);
}

TEST(NotesMarkdownTest, DamagedNoteBytesNeverStopTheDocument) {
    // NUL bytes, a lone lead byte at the very end, bytes that are no GBK, a CR left by hand.
    const std::string damaged = std::string("a\0b", 3) + "\xFF\x80\r" + G("字") + "\x81";
    const std::string doc = NotesMarkdown({{Gen1_1, damaged}}, kNoBookmarks, FakeVerse);
    EXPECT_NE(doc.find(damaged), std::string::npos);
    EXPECT_FALSE(GbkToUtf8(doc).empty());
    const std::string huge(1 << 20, 'x');
    EXPECT_GT(NotesMarkdown({{Gen1_1, huge}}, kNoBookmarks, FakeVerse).size(), huge.size());
}

TEST(NotesMarkdownTest, CollectedNotesAreWhatTheReaderShows) {
    test::TempDir dir;
    // The journal's line wins over the notes file's, a bare key clears; lines without a usable
    // key are skipped by both the store and the count of damaged lines.
    dir.Write(TNotesStore::kNotesFileName, "00000" + G("旧一") + "\r\n00005" + G("五") +
                                               "\r\nxx\r\n4" + G("短") + "\r\n" + "99999" +
                                               G("界外") + "\r\n31102" + G("末") + "\r\n");
    dir.Write(TNotesStore::kJournalFileName, "00000" + G("新一") + "\r\n00005\r\n00007\t\r\n");
    TNotesStore store(dir.Path());
    const std::vector<TNoteEntry> notes = CollectNotes(store);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].VerseLine, 0);
    EXPECT_EQ(notes[0].Text, G("新一"));
    EXPECT_EQ(notes[1].VerseLine, 7);
    EXPECT_EQ(notes[2].VerseLine, 31102);
    const std::string doc = GbkToUtf8(NotesMarkdown(notes, kNoBookmarks, FakeVerse));
    EXPECT_EQ(doc.find("创世记 1:7"), std::string::npos); // its note holds only a TAB
    EXPECT_NE(doc.find("启示录 22:21"), std::string::npos);

    EXPECT_EQ(TNotesStore::KeyedVerseLine("31102x"), 31102);
    EXPECT_EQ(TNotesStore::KeyedVerseLine("31103x"), -1);
    EXPECT_EQ(TNotesStore::KeyedVerseLine("0042"), -1);
    EXPECT_EQ(TNotesStore::KeyedVerseLine("00a42"), -1);
}

TEST(NotesMarkdownTest, AnUnreadableNotesFileIsAnErrorNotAnEmptyDocument) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / TNotesStore::kNotesFileName);
    TNotesStore store(dir.Path());
    EXPECT_THROW(CollectNotes(store), std::runtime_error);
}
