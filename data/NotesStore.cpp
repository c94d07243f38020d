#include "NotesStore.h"

#include "BookTables.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <unistd.h>
#include <unordered_map>
#include <utility>

namespace orvane {
namespace {

// The verse line named by a line's key, or -1 when the line does not start with five digits
// naming a verse of the text. Only such keys can be looked up.
int VerseLineOfKey(std::string_view line) {
    if (line.size() < TNotesStore::kKeyLength) return -1;
    int value = 0;
    for (size_t i = 0; i < TNotesStore::kKeyLength; ++i) {
        const char c = line[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value <= kLastVerseLine ? value : -1;
}

std::string KeyOf(int verseLine) {
    char key[TNotesStore::kKeyLength + 1];
    std::snprintf(key, sizeof key, "%05d", verseLine);
    return key;
}

bool IsValidVerseLine(int verseLine) {
    return verseLine >= 0 && verseLine <= kLastVerseLine;
}

// A note is one line of the file; a line break in its text would start a line of its own that
// reads back as a separate (possibly keyed) line, so breaks are stored as TABs.
std::string OneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += '\t';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int error) {
    throw std::runtime_error("notes store: cannot " + what + " " + path.string() + ": " +
                             std::strerror(error));
}

// Makes a completed rename or unlink survive a power loss. Best effort: the change itself has
// already happened and is what the program goes on with, so a failure here is not reported.
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Replaces the file at `path` by `lines`, each ended with CR LF. The content is written to a
// temporary file beside it, synced and renamed over the old file: whenever the process stops,
// the file is either the old or the new one, never a mixture or a truncated copy.
void SaveLines(const std::filesystem::path& path, const StringList& lines) {
    std::string content;
    size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    content.reserve(size);
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }

    std::filesystem::path temp = path;
    temp += TNotesStore::kTempSuffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) Fail("create the temporary file for", path, errno);
    const char* failed = WriteAll(fd, content) ? nullptr : "write";
    if (!failed && ::fsync(fd) != 0) failed = "sync";
    int error = errno;
    if (::close(fd) != 0 && !failed) {
        failed = "close";
        error = errno;
    }
    if (!failed && ::rename(temp.c_str(), path.c_str()) != 0) {
        failed = "replace";
        error = errno;
    }
    if (failed) {
        ::unlink(temp.c_str());
        Fail(std::string("save (") + failed + ")", path, error);
    }
    SyncFolder(path.parent_path());
}

// The whole file, or nothing when it does not exist. Any other failure throws: reading an
// unreadable file as empty would let the next save overwrite the notes it holds.
std::string ReadFileIfPresent(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        Fail("open", path, errno);
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            Fail("read", path, error);
        }
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return content;
}

// A hand-edited notes file may hold a key twice. Lookups show the first line of a key, but the
// folding rule hands a journal line to the last one, so after a flush the older first line would
// hide the note just saved (and a cleared note would come back). For every verse the journal
// names, the merged list is brought back to showing what the journal showed: the first line of
// the key becomes the journal's line, or, for a cleared note, the key's lines go. Where the rule
// already gives that, nothing changes.
void KeepShownNotes(StringList& merged, const std::vector<std::pair<int, std::string>>& shown) {
    if (shown.empty()) return;
    std::unordered_map<int, int64_t> first; // verse line -> its first line in merged, -1 none
    for (const auto& entry : shown)
        first.emplace(entry.first, -1);
    for (size_t i = 0; i < merged.size(); ++i) {
        const auto it = first.find(VerseLineOfKey(merged[i]));
        if (it != first.end() && it->second < 0) it->second = static_cast<int64_t>(i);
    }
    std::unordered_map<int, bool> purge;
    for (const auto& [verseLine, line] : shown) {
        const int64_t at = first[verseLine];
        if (at < 0) continue; // no line of the key: the note reads as cleared, as it should
        std::string& now = merged[static_cast<size_t>(at)];
        if (line.size() > TNotesStore::kKeyLength) {
            if (now != line) now = line;
        } else if (now.size() > TNotesStore::kKeyLength) {
            purge[verseLine] = true;
        }
    }
    if (purge.empty()) return;
    std::erase_if(merged,
                  [&](const std::string& line) { return purge.contains(VerseLineOfKey(line)); });
}

} // namespace

void TNotesStore::TNoteLines::Load(const std::filesystem::path& path) {
    if (Loaded) return;
    StringList lines = SplitLines(ReadFileIfPresent(path));
    std::vector<int32_t> first(kVerseLineCount, -1);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int verseLine = VerseLineOfKey(lines[i]);
        if (verseLine >= 0 && first[verseLine] < 0) first[verseLine] = static_cast<int32_t>(i);
    }
    Lines = std::move(lines);
    FirstLine = std::move(first);
    Loaded = true;
}

void TNotesStore::TNoteLines::Free() {
    Loaded = false;
    StringList().swap(Lines);
    std::vector<int32_t>().swap(FirstLine);
}

TNotesStore::TNotesStore(std::filesystem::path folder) : Folder_(std::move(folder)) {}

std::string TNotesStore::GetNote(int verseLine) {
    if (!IsValidVerseLine(verseLine)) return {};
    Notes_.Load(NotesPath());
    Journal_.Load(JournalPath());
    for (const TNoteLines* list : {&Journal_, &Notes_}) {
        const int32_t at = list->FirstLine[verseLine];
        if (at >= 0) return list->Lines[static_cast<size_t>(at)].substr(kKeyLength);
    }
    return {};
}

bool TNotesStore::SetNote(int verseLine, const std::string& text) {
    if (!IsValidVerseLine(verseLine))
        throw std::out_of_range("notes store: verse line " + std::to_string(verseLine) +
                                " is outside the text");
    Journal_.Load(JournalPath());
    // A cleared note is written as the bare key whether or not the journal already holds a
    // line for it: removing that line would bring back an older text from the notes file.
    std::string line = KeyOf(verseLine) + OneLine(text);

    int32_t& at = Journal_.FirstLine[verseLine];
    const bool appended = at < 0;
    if (appended) {
        Journal_.Lines.push_back(std::move(line));
        at = static_cast<int32_t>(Journal_.Lines.size() - 1);
    } else {
        Journal_.Lines[static_cast<size_t>(at)].swap(line); // `line` now holds the old one
    }
    try {
        SaveLines(JournalPath(), Journal_.Lines);
    } catch (...) {
        // The journal file is unchanged; undo the change in memory so that lookups keep
        // showing what a restart would show.
        if (appended) {
            Journal_.Lines.pop_back();
            at = -1;
        } else {
            Journal_.Lines[static_cast<size_t>(at)].swap(line);
        }
        throw;
    }
    return true;
}

int TNotesStore::KeyedVerseLine(std::string_view line) {
    return VerseLineOfKey(line);
}

bool TNotesStore::MergeNotes(StringList& notes, StringList& journal) {
    // The rule reads as a backward scan of the journal for every notes line, which is
    // quadratic. The same result comes from handing out, for each notes line from the last to
    // the first, the highest-placed journal line of its key that no later notes line took.
    try {
        std::unordered_map<std::string_view, std::vector<size_t>> byKey;
        for (size_t j = 0; j < journal.size(); ++j) {
            if (journal[j].size() < kKeyLength) continue;
            byKey[std::string_view(journal[j]).substr(0, kKeyLength)].push_back(j);
        }
        constexpr size_t kKeep = static_cast<size_t>(-1);
        constexpr size_t kDelete = static_cast<size_t>(-2);
        std::vector<size_t> fate(notes.size(), kKeep); // or the journal line replacing it
        std::vector<char> taken(journal.size(), 0);
        for (size_t i = notes.size(); i-- > 0;) {
            if (notes[i].size() < kKeyLength) continue;
            const auto it = byKey.find(std::string_view(notes[i]).substr(0, kKeyLength));
            if (it == byKey.end() || it->second.empty()) continue;
            const size_t j = it->second.back();
            it->second.pop_back();
            taken[j] = 1;
            fate[i] = journal[j].size() > kKeyLength ? j : kDelete;
        }
        byKey.clear(); // it points into `journal`, whose lines are moved below

        // Every allocation happens before the first line moves, so a failure leaves both lists
        // as they were. The journal keeps the lines that were not taken (they are also
        // appended to the notes).
        StringList merged;
        merged.reserve(notes.size() + journal.size());
        StringList left;
        left.reserve(journal.size());
        for (size_t j = 0; j < journal.size(); ++j)
            if (!taken[j]) left.push_back(journal[j]);
        for (size_t i = 0; i < notes.size(); ++i) {
            if (fate[i] == kDelete) continue;
            merged.push_back(std::move(fate[i] == kKeep ? notes[i] : journal[fate[i]]));
        }
        for (size_t j = 0; j < journal.size(); ++j)
            if (!taken[j]) merged.push_back(std::move(journal[j]));
        notes.swap(merged);
        journal.swap(left);
        return true;
    } catch (...) {
        return false;
    }
}

bool TNotesStore::FlushNotes() {
    bool ok = true;
    std::error_code ec;
    if (Notes_.Loaded && Journal_.Loaded && std::filesystem::exists(JournalPath(), ec)) {
        // What the journal shows for each verse it names, taken before the merge consumes it.
        std::vector<std::pair<int, std::string>> shown;
        try {
            for (size_t i = 0; i < Journal_.Lines.size(); ++i) {
                const int v = VerseLineOfKey(Journal_.Lines[i]);
                if (v >= 0 && Journal_.FirstLine[v] == static_cast<int32_t>(i))
                    shown.emplace_back(v, Journal_.Lines[i]);
            }
        } catch (...) {
            ok = false;
        }
        ok = ok && MergeNotes(Notes_.Lines, Journal_.Lines);
        if (ok) {
            try {
                KeepShownNotes(Notes_.Lines, shown);
                SaveLines(NotesPath(), Notes_.Lines);
                if (::unlink(JournalPath().c_str()) != 0 && errno != ENOENT) ok = false;
                SyncFolder(Folder_);
            } catch (...) {
                // Called while the program shuts down, so nothing escapes; the journal stays
                // and is merged again by the next run.
                ok = false;
            }
        }
    }
    Notes_.Free();
    Journal_.Free();
    return ok;
}

namespace {
std::unique_ptr<TNotesStore>& Instance() {
    static std::unique_ptr<TNotesStore> store;
    return store;
}
} // namespace

TNotesStore& Notes() {
    if (!Instance()) Instance() = std::make_unique<TNotesStore>(KeepingFolder());
    return *Instance();
}

void ResetNotes() {
    Instance().reset();
}

} // namespace orvane
