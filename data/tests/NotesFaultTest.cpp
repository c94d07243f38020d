// A disk that fills up while the notes are saved. The file-size limit of a forked child stands in
// for the full disk: every write past it fails with EFBIG, as ENOSPC would, at the byte where
// the disk would have run out. The parent then checks the files the child left behind.

#include "Gbk.h"
#include "NotesStore.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
using orvane::test::TempDir;
namespace fs = std::filesystem;

namespace {

// Runs body in a child whose files cannot grow past limit bytes; body's result is the child's
// exit code (0 when everything it checked held).
int WithFullDisk(rlim_t limit, const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit cap{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &cap) != 0) _exit(90);
        int code = 91;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

size_t FilesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

const std::string kBig(8000, 'n');

TEST(NotesFullDisk, SetNoteThrowsAndKeepsTheJournalAndTheLookups) {
    TempDir dir;
    const std::string journal = "00001" + kBig + "\r\n00002" + Utf8ToGbk("乙") + "\r\n";
    dir.Write(TNotesStore::kJournalFileName, journal);

    const int code = WithFullDisk(4096, [&] {
        TNotesStore store(dir.Path());
        if (store.GetNote(2) != Utf8ToGbk("乙")) return 1;
        try {
            store.SetNote(2, "changed");
            return 2; // the failure went unreported
        } catch (const std::runtime_error& e) {
            if (std::string(e.what()).find(TNotesStore::kJournalFileName) == std::string::npos)
                return 3;
        }
        // What the store shows is what a restart would show.
        if (store.GetNote(2) != Utf8ToGbk("乙")) return 4;
        try {
            store.SetNote(3, "new");
            return 5;
        } catch (const std::runtime_error&) {
        }
        return store.GetNote(3).empty() ? 0 : 6;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dir.Read(TNotesStore::kJournalFileName), journal);
    EXPECT_EQ(FilesIn(dir.Path()), 1u) << "no temporary file is left behind";
    TNotesStore next(dir.Path());
    EXPECT_EQ(next.GetNote(1), kBig);
    EXPECT_EQ(next.GetNote(2), Utf8ToGbk("乙"));
}

TEST(NotesFullDisk, FlushKeepsBothFilesAndTheNextRunMergesThem) {
    TempDir dir;
    const std::string notes = "00001" + kBig + "\r\n00002old\r\n";
    dir.Write(TNotesStore::kNotesFileName, notes);

    // The journal is small enough to be saved; the merged notes file is not.
    const int code = WithFullDisk(4096, [&] {
        TNotesStore store(dir.Path());
        if (store.GetNote(2) != "old") return 1;
        store.SetNote(2, "new");
        store.SetNote(3, "added");
        if (store.FlushNotes()) return 2; // a failed save reported as success
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dir.Read(TNotesStore::kNotesFileName), notes);
    EXPECT_EQ(dir.Read(TNotesStore::kJournalFileName), "00002new\r\n00003added\r\n");
    EXPECT_EQ(FilesIn(dir.Path()), 2u) << "no temporary file is left behind";

    // With room again, the next run shows the saved notes and folds them in at its end.
    TNotesStore next(dir.Path());
    EXPECT_EQ(next.GetNote(1), kBig);
    EXPECT_EQ(next.GetNote(2), "new");
    EXPECT_EQ(next.GetNote(3), "added");
    EXPECT_TRUE(next.FlushNotes());
    EXPECT_EQ(dir.Read(TNotesStore::kNotesFileName),
              "00001" + kBig + "\r\n00002new\r\n00003added\r\n");
    EXPECT_FALSE(fs::exists(dir.Path() / TNotesStore::kJournalFileName));
}

TEST(NotesFullDisk, EveryCutOfTheNotesFileLeavesTheOldOne) {
    // The limit falls at every few hundred bytes of the new file: wherever the disk runs out,
    // the notes file is the old one and the journal survives for the next run.
    TempDir dir;
    std::string notes;
    for (int v = 0; v < 60; ++v)
        notes += "000" + std::to_string(10 + v) + std::string(60, 'a') + "\r\n";
    const std::string changed(60, 'b'); // same length: the new file is as long as the old
    for (rlim_t limit = 256; limit < notes.size(); limit += 373) {
        fs::remove_all(dir.Path());
        fs::create_directories(dir.Path());
        dir.Write(TNotesStore::kNotesFileName, notes);
        const int code = WithFullDisk(limit, [&] {
            TNotesStore store(dir.Path());
            store.GetNote(10);
            store.SetNote(20, changed);
            return store.FlushNotes() ? 1 : 0;
        });
        ASSERT_EQ(code, 0) << "limit " << limit;
        EXPECT_EQ(dir.Read(TNotesStore::kNotesFileName), notes) << "limit " << limit;
        TNotesStore next(dir.Path());
        EXPECT_EQ(next.GetNote(20), changed) << "limit " << limit;
    }
}

} // namespace
