// Loading BIBBOOK (decompress + split into lines) against a bare BZip2 decompression of the
// same bytes.
#include "BibGlobe.h"
#include "Container.h"

#include <benchmark/benchmark.h>
#include <bzlib.h>

#include <cstring>
#include <string>

namespace {

void BM_RawBz2Decompress(benchmark::State& state) {
    const std::string_view bytes = orvane::FindResource("BIBBOOK");
    uint32_t length;
    std::memcpy(&length, bytes.data() + 12, 4);
    std::string out(length, '\0');
    for (auto _ : state) {
        unsigned outLength = length;
        const int r = BZ2_bzBuffToBuffDecompress(out.data(), &outLength,
                                                 const_cast<char*>(bytes.data() + 16),
                                                 unsigned(bytes.size() - 16), 0, 0);
        if (r != BZ_OK) state.SkipWithError("decompression failed");
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_RawBz2Decompress)->Unit(benchmark::kMillisecond);

void BM_LoadBibbook(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<orvane::StringList> corpus;
        if (!orvane::TBibGlobe::LoadScripture(corpus)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(corpus.data());
    }
}
BENCHMARK(BM_LoadBibbook)->Unit(benchmark::kMillisecond);

} // namespace
