// Kills a process that is busy changing notes at random moments and checks that whatever it had
// reported as done survives, and that both files are always complete.

#include "BookTables.h"
#include "Gbk.h"
#include "NotesStore.h"
#include "Sanitized.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <signal.h>
#include <sstream>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace orvane;

namespace {

// Pipe records: kind ('I' about to change, 'A' change done), verse line, text size, text.
// Each is written with one write() under PIPE_BUF bytes, so it arrives whole or not at all.
void Send(int fd, char kind, int32_t line, const std::string& text) {
    std::string record(1, kind);
    const auto size = static_cast<uint32_t>(text.size());
    record.append(reinterpret_cast<const char*>(&line), sizeof line);
    record.append(reinterpret_cast<const char*>(&size), sizeof size);
    record += text;
    if (::write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size())) _exit(4);
}

std::string RandomText(std::mt19937& rng, const StringList& pieces) {
    if (rng() % 4 == 0) return {}; // a clear
    std::string text;
    const size_t count = rng() % 16 == 0 ? 300 : 1 + rng() % 20;
    for (size_t i = 0; i < count; ++i)
        text += pieces[rng() % pieces.size()];
    return text;
}

// Changes notes until killed. A flushing child also ends a "run" every few changes.
[[noreturn]] void RunChild(const fs::path& folder, int fd, unsigned seed, bool flushing,
                           const StringList& pieces) {
    try {
        std::mt19937 rng(seed);
        TNotesStore store(folder);
        for (int step = 0; step < 100000; ++step) {
            if (flushing && step % 2 == 1) {
                store.GetNote(0);
                Send(fd, 'F', 0, {});
                store.FlushNotes();
                Send(fd, 'f', 0, {});
                continue;
            }
            const int line =
                static_cast<int>(rng() % 8 == 0 ? rng() % kVerseLineCount : rng() % 64);
            const std::string text = RandomText(rng, pieces);
            Send(fd, 'I', line, text);
            store.SetNote(line, text);
            Send(fd, 'A', line, {});
        }
    } catch (...) {
        _exit(3);
    }
    _exit(0);
}

std::string ReadAll(int fd) {
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            data.append(buffer, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return data;
}

// Every line of a file the store wrote is a five-digit key and its text, each ended by CR LF.
void ExpectWellFormed(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const std::string content = s.str();
    if (content.empty()) return;
    ASSERT_TRUE(content.size() >= 2 && content.ends_with("\r\n")) << path;
    for (const auto& line : SplitLines(content)) {
        ASSERT_GE(line.size(), 5u) << path;
        for (size_t i = 0; i < 5; ++i)
            ASSERT_TRUE(line[i] >= '0' && line[i] <= '9') << path;
    }
}

TEST(NotesCrash, AcknowledgedChangesSurviveSigkill) {
    char name[] = "/tmp/orvane-notes-crash-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const fs::path folder = name;
    struct TRemove {
        fs::path Folder;
        ~TRemove() { fs::remove_all(Folder); }
    } remove{folder};
    const StringList pieces{
        Utf8ToGbk("甲"), Utf8ToGbk("乙"), Utf8ToGbk("灵修"), "a", "Z", "\t", " "};

    // Start from a notes file of a fair size, so that flushes take a while to write.
    std::vector<std::string> model(kVerseLineCount);
    {
        std::ofstream out(folder / TNotesStore::kNotesFileName, std::ios::binary);
        char key[8];
        for (int v = 1000; v < 4000; ++v) {
            std::snprintf(key, sizeof key, "%05d", v);
            model[v] = pieces[v % 3] + std::to_string(v);
            out << key << model[v] << "\r\n";
        }
    }

    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    int inFlight = 0, inFlush = 0;
    // Under the sanitizers every fork copies a huge shadow mapping; fewer kills still cover
    // each kind of moment, and the plain build makes all of them.
    const int kKills = test::kSanitized ? 40 : 240;
    for (int kill = 0; kill < kKills; ++kill) {
        const bool flushing = kill % 3 == 0;
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const unsigned childSeed = static_cast<unsigned>(rng());
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            RunChild(folder, fds[1], childSeed, flushing, pieces);
        }
        ::close(fds[1]);
        ::usleep(static_cast<useconds_t>(rng() % 8000));
        ::kill(pid, SIGKILL);
        const std::string data = ReadAll(fds[0]);
        ::close(fds[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE((WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ||
                    (WIFEXITED(status) && WEXITSTATUS(status) == 0))
            << "child failed, status " << status;

        bool pending = false, flushPending = false;
        int32_t pendingLine = 0;
        std::string pendingText;
        for (size_t at = 0; at + 9 <= data.size();) {
            const char kind = data[at];
            int32_t line;
            uint32_t size;
            std::memcpy(&line, data.data() + at + 1, 4);
            std::memcpy(&size, data.data() + at + 5, 4);
            ASSERT_LE(at + 9 + size, data.size());
            if (kind == 'I') {
                pending = true;
                pendingLine = line;
                pendingText = data.substr(at + 9, size);
            } else if (kind == 'A') {
                model[static_cast<size_t>(line)] = pendingText;
                pending = false;
            } else {
                flushPending = kind == 'F';
            }
            at += 9 + size;
        }
        inFlight += pending;
        inFlush += flushPending;

        ExpectWellFormed(folder / TNotesStore::kNotesFileName);
        ExpectWellFormed(folder / TNotesStore::kJournalFileName);
        TNotesStore check(folder);
        for (int v = 0; v < kVerseLineCount; ++v) {
            const std::string got = check.GetNote(v);
            auto& expected = model[static_cast<size_t>(v)];
            if (pending && v == pendingLine && got == pendingText) expected = got;
            ASSERT_EQ(got, expected) << "verse line " << v << " after kill " << kill;
        }
    }
    std::printf("[          ] %d kills, %d during a change, %d during a flush\n", kKills, inFlight,
                inFlush);
    EXPECT_GT(inFlight, 0);
}

} // namespace
