// The note lookups that painting a 176-verse chapter makes, with 30 000 notes stored.
#include "BookTables.h"
#include "NotesStore.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

void BM_NoteLookupsChapter176(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("orvane-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    {
        std::ofstream notes(folder / orvane::TNotesStore::kNotesFileName, std::ios::binary);
        char key[8];
        for (int i = 0; i < 30000; ++i) {
            std::snprintf(key, sizeof key, "%05d", (i * 7) % orvane::kVerseLineCount);
            notes << key << "note text of some length " << i << "\r\n";
        }
    }
    orvane::TNotesStore store(folder);
    const orvane::TChapterInfo& psalm119 = orvane::ChapterTable[478 + 118];
    store.GetNote(0); // loads both files, as the first painted row does
    for (auto _ : state) {
        size_t found = 0;
        for (int line = psalm119.FirstLine; line <= psalm119.LastLine; ++line)
            found += store.GetNote(line).empty() ? 0 : 1;
        benchmark::DoNotOptimize(found);
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_NoteLookupsChapter176)->Unit(benchmark::kMicrosecond);

} // namespace
