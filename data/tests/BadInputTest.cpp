// Hand-edited notes files and damaged containers, one case per row. Each row states what the
// program makes of the input; none may crash, and no note the user saved may be lost.
// The README's "Bad input" table lists the same rows.

#include "Bz2Streams.h"
#include "Container.h"
#include "Errors.h"
#include "ForgedContainer.h"
#include "Gbk.h"
#include "NotesStore.h"
#include "Sanitized.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The tables below are laid out by hand, one case or record a row.
// clang-format off

using namespace orvane;
using orvane::test::Forge;
using orvane::test::TempDir;
using orvane::test::U32;

namespace {

std::string G(const char* utf8) {
    return Utf8ToGbk(utf8);
}

// ---- Notes files ----------------------------------------------------------------------------

struct NotesRow {
    const char* name;
    std::string notes;   // "Orvane.tip" as the user left it
    std::string journal; // "Orvane.ti~", empty for none
    std::vector<std::pair<int, std::string>> shown; // what lookups show before and after
    std::pair<int, std::string> change;             // a note saved during the run
    std::vector<std::string> kept;                  // lines the notes file still holds at the end
};

std::ostream& operator<<(std::ostream& out, const NotesRow& row) {
    return out << row.name;
}

const std::string kLongNote = "00003" + std::string(1 << 20, 'L') + "end";

const std::vector<NotesRow> kNotesRows = {
    {"KeyShorterThanFiveDigitsIsNoNoteAndIsKept", "4211\r\n0042\r\n00042a\r\n", "",
     {{42, "a"}, {4211, ""}}, {7, "x"}, {"4211", "0042", "00042a", "00007x"}},
    {"NonDigitKeyIsNoNoteAndIsKept", "abcde note\r\n0004x2\r\n-0001y\r\n00001b\r\n", "",
     {{1, "b"}, {4, ""}}, {7, "x"}, {"abcde note", "0004x2", "-0001y", "00001b"}},
    {"KeyBeyondTheTextIsNoNoteAndIsKept", "99999far\r\n31103past\r\n31102last\r\n", "",
     {{31102, "last"}}, {7, "x"}, {"99999far", "31103past", "31102last"}},
    {"DuplicateKeyInNotesShowsTheFirst", "00042" + G("甲") + "\r\n00042" + G("乙") + "\r\n", "",
     {{42, G("甲")}}, {7, "x"}, {"00042" + G("甲"), "00042" + G("乙")}},
    {"DuplicateKeyInNotesTakesTheSavedNote",
     "00042" + G("甲") + "\r\n00042" + G("乙") + "\r\n", "", {}, {42, G("丁")},
     {"00042" + G("丁")}},
    {"DuplicateKeyInNotesStaysClearedWhenCleared", "00042a\r\n00042b\r\n00043c\r\n", "", {},
     {42, ""}, {"00043c"}},
    {"DuplicateKeyInJournalShowsTheFirst", "00010old\r\n", "00010J1\r\n00010J2\r\n",
     {{10, "J1"}}, {7, "x"}, {"00010J1"}},
    {"LineOverOneMegabyteIsReadAndKept", kLongNote + "\r\n00004short\r\n", "",
     {{3, kLongNote.substr(5)}, {4, "short"}}, {7, "x"}, {kLongNote}},
    {"InvalidGbkIsKeptByteForByte", std::string("00008\x81\xff\x80\x81", 9) + "\r\n", "",
     {{8, std::string("\x81\xff\x80\x81", 4)}}, {7, "x"},
     {std::string("00008\x81\xff\x80\x81", 9)}},
    {"NulBytesStayInsideTheirNote", std::string("00009a\0b", 8) + "\r\n", "",
     {{9, std::string("a\0b", 3)}}, {7, "x"}, {std::string("00009a\0b", 8)}},
    {"CrOnlyLineEnds", "00001a\r00002b\r00003c", "00002\r", {{1, "a"}, {2, ""}, {3, "c"}},
     {7, "x"}, {"00001a", "00003c"}},
    {"MixedLineEnds", "00001a\n00002b\r\n00003c\r\r00004d\n\r00005e", "00005E\r\n",
     {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "E"}}, {7, "x"},
     {"00001a", "00002b", "00003c", "00004d", "00005E"}},
    {"BareKeyInNotesReadsAsNoNote", "00006\r\n", "", {{6, ""}}, {6, "now"}, {"00006now"}},
    {"EmptyFiles", "", "", {{0, ""}}, {0, "first"}, {"00000first"}},
};

class NotesBadInput : public ::testing::TestWithParam<NotesRow> {};

TEST_P(NotesBadInput, ReadsWithoutLosingANote) {
    const NotesRow& row = GetParam();
    TempDir dir;
    dir.Write(TNotesStore::kNotesFileName, row.notes);
    if (!row.journal.empty()) dir.Write(TNotesStore::kJournalFileName, row.journal);
    {
        TNotesStore store(dir.Path());
        for (const auto& [verse, text] : row.shown) EXPECT_EQ(store.GetNote(verse), text) << verse;
        store.SetNote(row.change.first, row.change.second);
        EXPECT_EQ(store.GetNote(row.change.first), row.change.second);
        EXPECT_TRUE(store.FlushNotes());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / TNotesStore::kJournalFileName));
    TNotesStore next(dir.Path());
    for (const auto& [verse, text] : row.shown) {
        if (verse != row.change.first) {
            EXPECT_EQ(next.GetNote(verse), text) << verse;
        }
    }
    EXPECT_EQ(next.GetNote(row.change.first), row.change.second) << "the saved note";
    const StringList lines = SplitLines(dir.Read(TNotesStore::kNotesFileName));
    for (const std::string& line : row.kept)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end())
            << line.substr(0, 40);
}

INSTANTIATE_TEST_SUITE_P(Rows, NotesBadInput, ::testing::ValuesIn(kNotesRows),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- Containers -----------------------------------------------------------------------------

// A well-formed container of the files given, made by the writer.
std::string Packed(const std::vector<std::string>& contents) {
    TempDir dir;
    StringList inputs;
    for (size_t i = 0; i < contents.size(); ++i)
        inputs.push_back(dir.Write(std::string("f").append(std::to_string(i)).append(".txt"),
                                   contents[i]));
    EXPECT_TRUE(WriteContainer(inputs, dir.File("out")));
    return dir.Read("out");
}

const std::string& TwoFiles() {
    static const std::string bytes = Packed({"alpha\nbeta\n", G("起初，神创造天地。\n")});
    return bytes;
}

uint32_t StatedBodyLength() {
    const auto* u = reinterpret_cast<const unsigned char*>(TwoFiles().data() + 12);
    return uint32_t(u[0]) | uint32_t(u[1]) << 8 | uint32_t(u[2]) << 16 | uint32_t(u[3]) << 24;
}

std::string WithFlippedByte(size_t at) {
    std::string bytes = TwoFiles();
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
    return bytes;
}

std::string WithByte(size_t at, uint8_t value) {
    std::string bytes = TwoFiles();
    bytes[at] = static_cast<char>(value);
    return bytes;
}

std::string WithBodyLength(uint32_t length) {
    std::string bytes = TwoFiles();
    bytes.replace(12, 4, U32(length));
    return bytes;
}

enum class EOutcome {
    Reads,   // true, the files as checked
    Refused, // false: "打开《圣经》文件失败！" at start-up; the lists stay as they were
    Raises,  // an error reaches the caller (the same message at start-up); the lists stay
};

struct ContainerRow {
    const char* name;
    std::function<std::string()> bytes;
    EOutcome outcome;
    std::function<void(const std::vector<StringList>&)> check = nullptr;
};

std::ostream& operator<<(std::ostream& out, const ContainerRow& row) {
    return out << row.name;
}

const std::vector<ContainerRow> kContainerRows = {
    {"MagicByte0", [] { return WithByte(0, 'k'); }, EOutcome::Refused},
    {"MagicByte3", [] { return WithByte(3, 0); }, EOutcome::Refused},
    {"ReservedByteIsIgnored", [] { return WithByte(4, 0xEE); }, EOutcome::Reads,
     [](const auto& files) { EXPECT_EQ(files[0], (StringList{"alpha", "beta"})); }},
    {"FileCountZero", [] { return WithByte(5, 0); }, EOutcome::Refused},
    {"FileCountTooLarge", [] { return WithByte(5, 200); }, EOutcome::Raises},
    {"FileCountTooSmallSplitsFewerFiles", [] { return WithByte(5, 1); }, EOutcome::Reads,
     [](const auto& files) { EXPECT_EQ(files.size(), 1u); }},
    {"NameBlockLengthPastTheBody", [] { return WithByte(7, 0xFF); }, EOutcome::Raises},
    {"ReservedTailIsIgnored", [] { return WithByte(10, 0x55); }, EOutcome::Reads,
     [](const auto& files) { EXPECT_EQ(files.size(), 2u); }},
    {"BodyLengthTooLong", [] { return WithBodyLength(StatedBodyLength() + 1); },
     EOutcome::Raises},
    {"BodyLengthTooShort", [] { return WithBodyLength(10); }, EOutcome::Raises},
    {"BodyLengthZero", [] { return WithBodyLength(0); }, EOutcome::Raises},
    {"BodyLengthBeyondBelief", [] { return WithBodyLength(0xFFFFFFFF); }, EOutcome::Raises},
    {"StreamSignatureDamaged", [] { return WithByte(16, 'X'); }, EOutcome::Raises},
    {"StreamBlockDamaged", [] { return WithFlippedByte(40); }, EOutcome::Raises},
    {"FileSizePastTheBody", [] { return Forge(1, 3, "n\r\n" + U32(9) + "xy"); }, EOutcome::Raises},
    {"FileSizesOverflowWhenAdded",
     [] { return Forge(2, 0, U32(0xFFFFFFFF) + U32(2) + "xy"); }, EOutcome::Raises},
    {"TruncatedInsideTheHeader", [] { return TwoFiles().substr(0, 7); }, EOutcome::Refused},
    {"TruncatedBeforeTheStream", [] { return TwoFiles().substr(0, 16); }, EOutcome::Raises},
    {"TruncatedInsideTheStream",
     [] { return TwoFiles().substr(0, TwoFiles().size() / 2); }, EOutcome::Raises},
    // The files are whole before the stream's closing check value, which is not waited for.
    {"TruncatedLastByte", [] { return TwoFiles().substr(0, TwoFiles().size() - 1); },
     EOutcome::Reads, [](const auto& files) { EXPECT_EQ(files[0], (StringList{"alpha", "beta"})); }},
    {"TrailingGarbageIsIgnored", [] { return TwoFiles() + "garbage"; }, EOutcome::Reads,
     [](const auto& files) { EXPECT_EQ(files[1].size(), 1u); }},
    {"TwoHundredFiftyFiveFiles",
     [] {
         std::vector<std::string> contents;
         for (int i = 0; i < 255; ++i) contents.push_back("file " + std::to_string(i) + "\n");
         return Packed(contents);
     },
     EOutcome::Reads,
     [](const auto& files) {
         ASSERT_EQ(files.size(), 255u);
         EXPECT_EQ(files[254], StringList{"file 254"});
     }},
    {"ZeroByteFileInside", [] { return Packed({"", "x"}); }, EOutcome::Reads,
     [](const auto& files) {
         EXPECT_TRUE(files[0].empty());
         EXPECT_EQ(files[1], StringList{"x"});
     }},
    {"ZeroByteContainer", [] { return std::string(); }, EOutcome::Refused},
};

class ContainerBadInput : public ::testing::TestWithParam<ContainerRow> {};

TEST_P(ContainerBadInput, GivesItsStatedOutcome) {
    const ContainerRow& row = GetParam();
    const std::string bytes = row.bytes();
    StringList names = {"keep"};
    std::vector<StringList> files = {{"keep"}};
    switch (row.outcome) {
    case EOutcome::Reads:
        ASSERT_TRUE(ReadContainerBytes(bytes, names, files));
        if (row.check) row.check(files);
        return;
    case EOutcome::Refused:
        EXPECT_FALSE(ReadContainerBytes(bytes, names, files));
        break;
    case EOutcome::Raises:
        // Every error the reader raises is one of these; the start-up catches them all.
        try {
            ReadContainerBytes(bytes, names, files);
            ADD_FAILURE() << "read without an error";
        } catch (const EContainerError&) {
        } catch (const EStreamError&) {
        }
        break;
    }
    EXPECT_EQ(names, StringList{"keep"});
    EXPECT_EQ(files, std::vector<StringList>{{"keep"}});
}

INSTANTIATE_TEST_SUITE_P(Rows, ContainerBadInput, ::testing::ValuesIn(kContainerRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ContainerBadInputFiles, ZeroByteFileOnDiskIsRefused) {
    TempDir dir;
    StringList names = {"keep"};
    std::vector<StringList> files;
    EXPECT_FALSE(ReadContainer(names, files, "", dir.Write("empty.bib", "")));
    EXPECT_EQ(names, StringList{"keep"});
}

// A damaged length field must cost no more memory than the stream really holds. Checked in a
// child whose data size is capped well below the stated length; AddressSanitizer's own
// reservations do not fit such a cap, so the check is left to the plain build.
TEST(ContainerBadInputFiles, StatedBodyLengthIsNotAllocatedUpFront) {
    if (test::kSanitized) GTEST_SKIP() << "needs a plain build";
    const std::string bytes = WithBodyLength(500u << 20);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        rlimit cap{256u << 20, 256u << 20};
        if (setrlimit(RLIMIT_DATA, &cap) != 0) _exit(3);
        StringList names;
        std::vector<StringList> files;
        try {
            ReadContainerBytes(bytes, names, files);
        } catch (const EStreamError&) {
            _exit(0);
        } catch (const std::bad_alloc&) {
            _exit(1);
        } catch (...) {
            _exit(2);
        }
        _exit(2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the stated length was allocated before reading";
}

} // namespace
// clang-format on
