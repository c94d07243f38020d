#pragma once
// Personal notes, one per verse, kept beside the executable in two GBK text files:
//
//   Orvane.tip   the notes as of the last completed run
//   Orvane.ti~   the journal: changes since then, present only while changes are pending
//
// Both hold one line per note: the verse line zero-padded to five digits (the key) followed
// directly by the note text. A journal line holding the key alone records a cleared note.
// Every change goes to the journal at once; lookups consult the journal before the notes file;
// at shutdown FlushNotes folds the journal into the notes file and removes it. A journal left by
// a crashed run is simply read again and merged at the end of the next run.
//
// Decisions beyond the plain file rules:
// - Both files are replaced, never rewritten in place: the new content goes to a temporary file
//   in the same folder, is flushed to disk and renamed over the old file, so a crash at any
//   moment leaves either the old or the new complete file.
// - Clearing a note whose key already has a journal line turns that line into the bare key.
//   Dropping the line instead would let an older text of the notes file show again.
// - A line break inside a note's text is stored as a TAB (the form the note editor uses), so a
//   text can never split into further lines that would read back as notes of other verses.
// - A verse line outside 0..kLastVerseLine has no note: GetNote returns "" and SetNote throws
//   std::out_of_range, because its key would not be five digits and would corrupt the files.
// - A file that exists but cannot be read makes GetNote/SetNote throw std::runtime_error and
//   stays unloaded (the next call tries again); treating it as empty would let the next save
//   overwrite the notes it holds.
// - Lines shorter than five bytes have no key and never match; such lines, lines with other
//   keys and duplicates of hand-edited files are kept as they are and written back.
// - A lookup shows the first line of a key, while the folding rule gives a journal line to the
//   last one. When a hand-edited file holds a key twice, FlushNotes therefore makes the first line
//   of every key the journal names show the journal's note (or drops the key's lines for a
//   cleared note), so that a flush never hides a saved note or brings back a cleared one.
//
// Only the GUI thread uses the store; it takes no locks.

#include "AppPaths.h"
#include "Gbk.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class TNotesStore {
public:
    static constexpr const char* kNotesFileName = "Orvane.tip";
    static constexpr const char* kJournalFileName = "Orvane.ti~";
    // Appended to a file's name to give the temporary file its new content is written to.
    static constexpr const char* kTempSuffix = ".new";
    static constexpr size_t kKeyLength = 5;

    explicit TNotesStore(std::filesystem::path folder = KeepingFolder());

    TNotesStore(const TNotesStore&) = delete;
    TNotesStore& operator=(const TNotesStore&) = delete;

    // The current note of a verse, "" when it has none. Loads both files on first use.
    std::string GetNote(int verseLine);

    // Records a new or changed note, or clears it when `text` is empty, and saves the journal
    // before returning. Returns true. Throws std::out_of_range for a verse line outside the text
    // and std::runtime_error when the journal cannot be saved; the journal file and the store
    // then stay as they were before the call.
    bool SetNote(int verseLine, const std::string& text);

    // Folds `journal` into `notes`: for each line of `notes` from the last to the first, the
    // last journal line with the same key replaces it (or deletes it when that journal line is
    // the bare key) and leaves the journal; the journal lines left over are then appended in
    // their order. Returns false, with both lists unchanged, when the merge cannot be done.
    static bool MergeNotes(StringList& notes, StringList& journal);

    // The verse line named by a file line's key, or -1 when the line has none that can be
    // looked up (fewer than five leading digits, or a number beyond the text).
    static int KeyedVerseLine(std::string_view line);

    // When both files were loaded and the journal file exists: merges, saves the notes file and
    // deletes the journal. Always frees both lists, so a later lookup reads the files again.
    // Returns false when the notes file could not be saved or the journal not removed; the
    // journal file is then kept and merged again by the next run.
    bool FlushNotes();

    const std::filesystem::path& Folder() const { return Folder_; }
    std::filesystem::path NotesPath() const { return Folder_ / kNotesFileName; }
    std::filesystem::path JournalPath() const { return Folder_ / kJournalFileName; }

private:
    // One loaded file: its lines in file order and, per verse line, the index of the first line
    // with that key (-1 when none), so that a lookup never scans the lines.
    struct TNoteLines {
        bool Loaded = false;
        StringList Lines;
        std::vector<int32_t> FirstLine;

        void Load(const std::filesystem::path& path);
        void Free();
    };

    std::filesystem::path Folder_;
    TNoteLines Notes_;
    TNoteLines Journal_;
};

// The process-wide store, created on first use for KeepingFolder().
TNotesStore& Notes();

// Drops the process-wide store without flushing it; the next Notes() creates a fresh one for
// the KeepingFolder() of that moment. For tests and tools that move the executable path.
void ResetNotes();

} // namespace orvane
