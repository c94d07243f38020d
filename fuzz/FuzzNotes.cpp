// The notes files as a user could hand-edit them, then a run of changes, restarts and crashes:
// a note the store acknowledged is what every later lookup shows, across flushes and crashes.

#include "BookTables.h"
#include "FuzzCheck.h"
#include "FuzzScratch.h"
#include "Gbk.h"
#include "NotesStore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <unistd.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

int KeyOf(std::string_view line) {
    if (line.size() < 5) return -1;
    int v = 0;
    for (size_t i = 0; i < 5; ++i) {
        if (line[i] < '0' || line[i] > '9') return -1;
        v = v * 10 + (line[i] - '0');
    }
    return v <= kLastVerseLine ? v : -1;
}

// What a lookup must show for each verse named in the files: the journal's first line of the
// key, else the notes file's first line of it.
std::map<int, std::string> Visible(const std::string& notes, const std::string& journal) {
    std::map<int, std::string> shown;
    for (const std::string* file : {&journal, &notes})
        for (const std::string& line : SplitLines(*file)) {
            const int v = KeyOf(line);
            if (v >= 0) shown.emplace(v, line.substr(5));
        }
    return shown;
}

std::string OneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += '\t';
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The verses the operations pick from: a few keys a hand-edited file is likely to hold too.
constexpr int kVerses[] = {0, 1, 2, 3, 4, 5, 7, 10, 42, 99, 1000, 23145, 31101, 31102};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string notes = in.ConsumeRandomLengthString(4096);
    const std::string journal = in.ConsumeRandomLengthString(4096);

    const fs::path& folder = ScratchFolder();
    for (const auto& entry : fs::directory_iterator(folder))
        fs::remove_all(entry.path());
    if (!notes.empty() || in.ConsumeBool())
        std::ofstream(folder / TNotesStore::kNotesFileName, std::ios::binary) << notes;
    if (!journal.empty() || in.ConsumeBool())
        std::ofstream(folder / TNotesStore::kJournalFileName, std::ios::binary) << journal;

    std::map<int, std::string> expected = Visible(notes, journal);
    for (int v : kVerses)
        expected.emplace(v, "");
    auto checkAll = [&](TNotesStore& store) {
        for (const auto& [verse, text] : expected) {
            const std::string shown = store.GetNote(verse);
            if (shown != text)
                std::fprintf(stderr, "verse %d: expected \"%s\", shown \"%s\"\n", verse,
                             text.c_str(), shown.c_str());
            FUZZ_CHECK(shown == text);
        }
    };

    auto store = std::make_unique<TNotesStore>(folder);
    checkAll(*store);
    int steps = 0;
    while (in.remaining_bytes() > 0 && ++steps <= 64) {
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
        case 1:
        case 2: {
            const int verse = kVerses[in.ConsumeIntegralInRange<size_t>(0, std::size(kVerses) - 1)];
            const std::string text = in.ConsumeRandomLengthString(40);
            FUZZ_CHECK(store->SetNote(verse, text));
            expected[verse] = OneLine(text);
            FUZZ_CHECK(store->GetNote(verse) == expected[verse]);
            break;
        }
        case 3: // the end of a run, then the next run
            FUZZ_CHECK(store->FlushNotes());
            store = std::make_unique<TNotesStore>(folder);
            checkAll(*store);
            break;
        case 4: // a crash: nothing flushed, the next run starts from the files as they are
            store = std::make_unique<TNotesStore>(folder);
            checkAll(*store);
            break;
        case 5: // a flush without lookups first (only the journal loaded), then the next run
            store = std::make_unique<TNotesStore>(folder);
            FUZZ_CHECK(store->SetNote(kVerses[0], expected[kVerses[0]]));
            FUZZ_CHECK(store->FlushNotes());
            store = std::make_unique<TNotesStore>(folder);
            checkAll(*store);
            break;
        }
    }
    FUZZ_CHECK(store->FlushNotes());
    store = std::make_unique<TNotesStore>(folder);
    checkAll(*store);
    return 0;
}
