// Loading BIBBOOK (decompress + split into lines) against a bare BZip2 decompression of the
// same bytes. The target's ratio comes from BM_LoadVsRawInterleaved: the two run in turns, so
// a slow spell of the machine falls on both, and the fastest turn of each is compared.
#include "BibGlobe.h"
#include "Container.h"

#include <benchmark/benchmark.h>
#include <bzlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool RawDecompress(std::string& out) {
    const std::string_view bytes = orvane::FindResource("BIBBOOK");
    uint32_t length;
    std::memcpy(&length, bytes.data() + 12, 4);
    out.resize(length);
    unsigned outLength = length;
    return BZ2_bzBuffToBuffDecompress(out.data(), &outLength, const_cast<char*>(bytes.data() + 16),
                                      unsigned(bytes.size() - 16), 0, 0) == BZ_OK;
}

bool Load() {
    std::vector<orvane::StringList> corpus;
    const bool ok = orvane::TBibGlobe::LoadScripture(corpus);
    benchmark::DoNotOptimize(corpus.data());
    return ok;
}

void BM_RawBz2Decompress(benchmark::State& state) {
    std::string out;
    for (auto _ : state) {
        if (!RawDecompress(out)) state.SkipWithError("decompression failed");
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_RawBz2Decompress)->Unit(benchmark::kMillisecond);

void BM_LoadBibbook(benchmark::State& state) {
    for (auto _ : state)
        if (!Load()) state.SkipWithError("load failed");
}
BENCHMARK(BM_LoadBibbook)->Unit(benchmark::kMillisecond);

void BM_LoadVsRawInterleaved(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    double raw = std::numeric_limits<double>::infinity(), load = raw;
    std::string out;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (!RawDecompress(out)) state.SkipWithError("decompression failed");
        benchmark::DoNotOptimize(out.data());
        const auto t1 = Clock::now();
        if (!Load()) state.SkipWithError("load failed");
        const auto t2 = Clock::now();
        raw = std::min(raw, std::chrono::duration<double, std::milli>(t1 - t0).count());
        load = std::min(load, std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    state.counters["raw_ms"] = raw;
    state.counters["load_ms"] = load;
    state.counters["ratio"] = load / raw;
}
BENCHMARK(BM_LoadVsRawInterleaved)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
