#include "NotesStore.h"
#include "AppPaths.h"
#include "Gbk.h"
#include "Sanitized.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace fs = std::filesystem;
using namespace orvane;

namespace {

std::string G(const char* utf8) {
    return Utf8ToGbk(utf8);
}

class NotesStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/orvane-notes-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        Folder = name;
    }
    void TearDown() override { fs::remove_all(Folder); }

    void Write(const char* name, const std::string& content) {
        std::ofstream(Folder / name, std::ios::binary) << content;
    }
    std::string Read(const char* name) {
        std::ifstream in(Folder / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Exists(const char* name) { return fs::exists(Folder / name); }
    size_t FileCount() {
        return static_cast<size_t>(std::distance(fs::directory_iterator(Folder), {}));
    }

    fs::path Folder;
    const char* kNotes = TNotesStore::kNotesFileName;
    const char* kJournal = TNotesStore::kJournalFileName;
};

TEST_F(NotesStoreTest, ChangesGoToTheJournalOneLinePerVerse) {
    TNotesStore store(Folder);
    EXPECT_EQ(store.GetNote(42), "");
    EXPECT_TRUE(store.SetNote(42, G("甲")));
    EXPECT_TRUE(store.SetNote(42, G("乙")));
    EXPECT_EQ(Read(kJournal), "00042" + G("乙") + "\r\n");
    EXPECT_EQ(store.GetNote(42), G("乙"));
    EXPECT_FALSE(Exists(kNotes)); // the notes file is only written at the end of a run

    // A text with line breaks stays one line: its breaks become TABs.
    store.SetNote(31102, "a\r\nb\nc\rd");
    EXPECT_EQ(store.GetNote(31102), "a\tb\tc\td");
    EXPECT_EQ(Read(kJournal), "00042" + G("乙") + "\r\n31102a\tb\tc\td\r\n");
    EXPECT_EQ(FileCount(), 1u); // no temporary file left behind
}

TEST_F(NotesStoreTest, FlushFoldsTheJournalIntoTheNotesFile) {
    Write(kNotes, "00001" + G("一") + "\r\n00042" + G("甲") + "\r\n00100" + G("百") + "\r\n");
    TNotesStore store(Folder);
    EXPECT_EQ(store.GetNote(42), G("甲"));
    store.SetNote(42, G("乙"));
    store.SetNote(1, ""); // exists only in the notes file
    EXPECT_EQ(Read(kJournal), "00042" + G("乙") + "\r\n00001\r\n");
    EXPECT_EQ(store.GetNote(1), "");
    store.SetNote(5, G("五"));

    EXPECT_TRUE(store.FlushNotes());
    EXPECT_EQ(Read(kNotes),
              "00042" + G("乙") + "\r\n00100" + G("百") + "\r\n00005" + G("五") + "\r\n");
    EXPECT_FALSE(Exists(kJournal));
    EXPECT_EQ(FileCount(), 1u);

    // The lists were freed: the next lookup reads the files again.
    Write(kNotes, "00042" + G("丙") + "\r\n");
    EXPECT_EQ(store.GetNote(42), G("丙"));
    EXPECT_TRUE(store.FlushNotes()); // nothing pending: the notes file stays as it is
    EXPECT_EQ(Read(kNotes), "00042" + G("丙") + "\r\n");
}

TEST_F(NotesStoreTest, JournalOfAnEarlierRunTakesPrecedenceAndIsMergedLater) {
    Write(kNotes, "00042" + G("甲") + "\r\n00043" + G("丙") + "\r\n");
    Write(kJournal, "00042" + G("乙") + "\r\n00043\r\n");
    {
        TNotesStore store(Folder);
        EXPECT_EQ(store.GetNote(42), G("乙"));
        EXPECT_EQ(store.GetNote(43), "");
        store.SetNote(44, "x");
        EXPECT_EQ(Read(kJournal), "00042" + G("乙") + "\r\n00043\r\n00044x\r\n");
    }
    {
        TNotesStore store(Folder); // only changes were made, nothing was looked up
        store.SetNote(45, "y");
        EXPECT_TRUE(store.FlushNotes());
        EXPECT_TRUE(Exists(kJournal)); // the notes list was never loaded: merge next time
    }
    TNotesStore store(Folder);
    EXPECT_EQ(store.GetNote(45), "y");
    EXPECT_TRUE(store.FlushNotes());
    EXPECT_EQ(Read(kNotes), "00042" + G("乙") + "\r\n00044x\r\n00045y\r\n");
    EXPECT_FALSE(Exists(kJournal));
}

TEST_F(NotesStoreTest, ClearingAChangedNoteKeepsItCleared) {
    Write(kNotes, "00042" + G("甲") + "\r\n");
    TNotesStore store(Folder);
    store.SetNote(42, G("乙"));
    store.SetNote(42, "");
    EXPECT_EQ(Read(kJournal), "00042\r\n"); // a bare key, so the older text cannot come back
    EXPECT_EQ(store.GetNote(42), "");
    store.SetNote(50, "x"); // new in this run, then cleared: the bare key is appended
    store.SetNote(50, "");
    EXPECT_TRUE(store.FlushNotes());
    EXPECT_EQ(Read(kNotes), "00050\r\n");
    EXPECT_EQ(store.GetNote(42), "");
    EXPECT_EQ(store.GetNote(50), "");
}

// The folding rule as it reads: a backward scan of the journal for every notes line.
void LiteralMerge(StringList& n, StringList& j) {
    for (size_t i = n.size(); i-- > 0;) {
        for (size_t k = j.size(); k-- > 0;) {
            if (n[i].size() < 5 || j[k].size() < 5 || n[i].compare(0, 5, j[k], 0, 5) != 0) continue;
            if (j[k].size() > 5)
                n[i] = j[k];
            else
                n.erase(n.begin() + static_cast<ptrdiff_t>(i));
            j.erase(j.begin() + static_cast<ptrdiff_t>(k));
            break;
        }
    }
    n.insert(n.end(), j.begin(), j.end());
}

TEST(NotesMerge, GivesTheResultOfTheFoldingRule) {
    StringList n{"00001a", "00002b", "00003c"}, j{"00002B", "00003", "00004d", "00005"};
    ASSERT_TRUE(TNotesStore::MergeNotes(n, j));
    EXPECT_EQ(n, (StringList{"00001a", "00002B", "00004d", "00005"}));

    // Duplicate keys: the last notes line takes the last journal line.
    n = {"00042a", "00042b"}, j = {"00042x", "00042y"};
    TNotesStore::MergeNotes(n, j);
    EXPECT_EQ(n, (StringList{"00042x", "00042y"}));
    n = {"00042a", "00042b"}, j = {"00042"};
    TNotesStore::MergeNotes(n, j);
    EXPECT_EQ(n, (StringList{"00042a"}));

    // Lines too short for a key never match; other five-character keys do.
    n = {"abc", "abcdeN", ""}, j = {"abc", "abcdeJ"};
    TNotesStore::MergeNotes(n, j);
    EXPECT_EQ(n, (StringList{"abc", "abcdeJ", "", "abc"}));

    std::mt19937 rng(7);
    const StringList pieces{"00001", "00001a", "00001b", "00002", "00002c", "00003d", "0000", ""};
    for (int round = 0; round < 2000; ++round) {
        StringList a, b;
        for (int k = static_cast<int>(rng() % 8); k > 0; --k)
            a.push_back(pieces[rng() % 8]);
        for (int k = static_cast<int>(rng() % 8); k > 0; --k)
            b.push_back(pieces[rng() % 8]);
        StringList la = a, lb = b;
        LiteralMerge(la, lb);
        ASSERT_TRUE(TNotesStore::MergeNotes(a, b));
        ASSERT_EQ(a, la) << "round " << round;
    }
}

TEST_F(NotesStoreTest, HandEditedFilesAreReadAndWrittenBackUnharmed) {
    const std::string longLine = "00007" + std::string(200000, 'x');
    const std::string badGbk = "00008\x81\xff\x80";
    Write(kNotes, "abc\n\nxyz12note\r00042first\r\n00042second\n" + longLine + "\r" + badGbk +
                      "\r\n00009" + G("尾"));
    Write(kJournal, "00010J1\r\n00010J2\r\n"); // a duplicate in the journal: the first wins
    TNotesStore store(Folder);
    EXPECT_EQ(store.GetNote(42), "first");
    EXPECT_EQ(store.GetNote(7), longLine.substr(5));
    EXPECT_EQ(store.GetNote(8), "\x81\xff\x80");
    EXPECT_EQ(store.GetNote(9), G("尾"));
    EXPECT_EQ(store.GetNote(10), "J1");
    store.SetNote(10, "K");
    EXPECT_EQ(Read(kJournal), "00010K\r\n00010J2\r\n");
    EXPECT_TRUE(store.FlushNotes());
    EXPECT_EQ(Read(kNotes), "abc\r\n\r\nxyz12note\r\n00042first\r\n00042second\r\n" + longLine +
                                "\r\n" + badGbk + "\r\n00009" + G("尾") +
                                "\r\n00010K\r\n00010J2\r\n");
}

TEST_F(NotesStoreTest, RefusedJournalWriteThrowsAndChangesNothing) {
    TNotesStore store(Folder);
    store.SetNote(42, G("甲"));
    const fs::path blocker = Folder / (std::string(kJournal) + TNotesStore::kTempSuffix);
    fs::create_directory(blocker);
    try {
        store.SetNote(42, G("乙"));
        ADD_FAILURE() << "no error for a refused write";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(kJournal), std::string::npos) << e.what();
    }
    EXPECT_THROW(store.SetNote(43, "x"), std::runtime_error);
    EXPECT_EQ(Read(kJournal), "00042" + G("甲") + "\r\n");
    EXPECT_EQ(store.GetNote(42), G("甲")); // memory rolled back to what is on disk
    EXPECT_EQ(store.GetNote(43), "");

    fs::remove(blocker);
    store.SetNote(43, "x");
    EXPECT_EQ(Read(kJournal), "00042" + G("甲") + "\r\n00043x\r\n");

    // Failing at the final rename leaves no temporary file behind.
    fs::remove(Folder / kJournal);
    fs::create_directories(Folder / kJournal / "sub");
    TNotesStore other(Folder);
    EXPECT_THROW(other.SetNote(1, "y"), std::runtime_error);
    EXPECT_FALSE(fs::exists(blocker));
}

TEST_F(NotesStoreTest, FailedSaveOrUnreadableFileKeepsTheJournal) {
    Write(kNotes, "00042" + G("甲") + "\r\n");
    const fs::path blocker = Folder / (std::string(kNotes) + TNotesStore::kTempSuffix);
    {
        TNotesStore store(Folder);
        EXPECT_EQ(store.GetNote(42), G("甲"));
        store.SetNote(42, G("乙"));
        fs::create_directory(blocker);
        EXPECT_FALSE(store.FlushNotes());
        EXPECT_EQ(Read(kNotes), "00042" + G("甲") + "\r\n");
        EXPECT_EQ(Read(kJournal), "00042" + G("乙") + "\r\n");
        fs::remove(blocker);
    }
    // A notes file that cannot be read must not be taken for an empty one and overwritten.
    fs::rename(Folder / kNotes, Folder / "saved");
    fs::create_directory(Folder / kNotes);
    {
        TNotesStore store(Folder);
        EXPECT_THROW(store.GetNote(42), std::runtime_error);
        store.SetNote(43, "x");
        EXPECT_TRUE(store.FlushNotes());
        EXPECT_TRUE(Exists(kJournal));
    }
    fs::remove(Folder / kNotes);
    fs::rename(Folder / "saved", Folder / kNotes);
    TNotesStore store(Folder);
    EXPECT_EQ(store.GetNote(42), G("乙"));
    EXPECT_TRUE(store.FlushNotes());
    EXPECT_EQ(Read(kNotes), "00042" + G("乙") + "\r\n00043x\r\n");
}

TEST_F(NotesStoreTest, VerseLinesOutsideTheTextHaveNoNote) {
    TNotesStore store(Folder);
    EXPECT_EQ(store.GetNote(-1), "");
    EXPECT_EQ(store.GetNote(31103), "");
    EXPECT_THROW(store.SetNote(-1, "x"), std::out_of_range);
    EXPECT_THROW(store.SetNote(31103, "x"), std::out_of_range);
    EXPECT_THROW(store.SetNote(100000, "x"), std::out_of_range);
    EXPECT_FALSE(Exists(kJournal));
}

TEST_F(NotesStoreTest, LargeStoresAnswerEveryLookupAndMerge) {
    // Speed lives in the benchmarks; this checks that the indexes give the literal answers.
    std::string notes;
    char key[8];
    for (int v = 0; v < 30000; ++v) {
        std::snprintf(key, sizeof key, "%05d", v + 1103);
        notes += std::string(key) + "n\r\n";
    }
    Write(kNotes, notes);
    TNotesStore store(Folder);
    EXPECT_EQ(store.GetNote(20000), "n");
    size_t found = 0;
    for (int v = 23145; v < 23145 + 176; ++v)
        found += store.GetNote(v).size();
    EXPECT_EQ(found, 176u);
    EXPECT_EQ(store.GetNote(1102), "");

    StringList n, j;
    for (int v = 0; v < 30000; ++v)
        n.push_back(std::to_string(10000 + v) + "a");
    for (int v = 0; v < 30000; ++v)
        j.push_back(std::to_string(10000 + v) + "b");
    ASSERT_TRUE(TNotesStore::MergeNotes(n, j));
    EXPECT_EQ(n.size(), 30000u);
    EXPECT_EQ(n.front(), "10000b");
    EXPECT_EQ(n.back(), "39999b");
}

TEST_F(NotesStoreTest, ProcessWideStoreLivesBesideTheExecutable) {
    SetExecutablePath(Folder / "orvane");
    ResetNotes();
    Notes().SetNote(3, "x");
    EXPECT_EQ(&Notes(), &Notes());
    EXPECT_EQ(Read(kJournal), "00003x\r\n");
    ResetNotes();
    SetExecutablePath({});
}

} // namespace
