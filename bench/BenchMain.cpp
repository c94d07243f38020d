// Runs the benchmarks, then prints the ratio of each speed target. `--smoke` runs every
// benchmark briefly and checks nothing (used by the test suite to prove they still run).
#include "EmbeddedResources.h"
#include "RatioReporter.h"

#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    orvane::RegisterEmbeddedResources();
    bool smoke = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0)
            smoke = true;
        else
            args.push_back(argv[i]);
    }
    static char minTime[] = "--benchmark_min_time=0.001";
    if (smoke) args.push_back(minTime);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    orvane::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<orvane::bench::Target> targets = {
        {"load_bibbook", "BM_LoadVsRawInterleaved/ratio", "", 1.25},
        {"search_whole_bible", "BM_SearchWholeBible", "BM_MemmemStrippedText", 4.0},
        {"search_common_key", "BM_SearchCommonKey", "BM_MemmemStrippedText", 4.0},
        {"search_absent_key", "BM_SearchAbsentKey", "BM_MemmemStrippedText", 4.0},
        {"note_lookups_ms", "BM_NoteLookupsChapter176", "", 1.0}, // milliseconds
    };
#ifdef ORVANE_BENCH_GRID
    targets.push_back(
        {"grid_psalm119_vs_empty", "BM_LayoutPaintPsalm119", "BM_PaintEmptyGrid", 30.0});
    targets.push_back({"grid_psalm119_16pt_english_vs_9pt", "BM_LayoutPaintPsalm119LargeEnglish",
                       "BM_LayoutPaintPsalm119", 4.0});
#endif
    const bool ok = reporter.PrintRatios(targets);
    benchmark::Shutdown();
    return smoke || ok ? 0 : 1;
}
