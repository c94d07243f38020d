// A whole-Bible search for one key against a plain memmem pass over the same marker-free text.
#include "BibGlobe.h"
#include "Gbk.h"
#include "Search.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

const orvane::TSearchIndex& Index() {
    static const orvane::TSearchIndex index = [] {
        orvane::TBibGlobe::LoadScripture();
        return orvane::TSearchIndex(orvane::TBibGlobe::CorpusFile(orvane::kChineseTextFile));
    }();
    return index;
}

// A key that occurs in a few dozen verses, so both sides scan the whole text.
const std::string& Key() {
    static const std::string key = orvane::Utf8ToGbk("哭了");
    return key;
}

void BM_MemmemStrippedText(benchmark::State& state) {
    const orvane::TSearchIndex& index = Index();
    std::string text;
    for (int i = 0; i < index.LineCount(); ++i)
        text.append(index.StrippedLine(i)).push_back('\n');
    for (auto _ : state) {
        size_t hits = 0;
        const char* p = text.data();
        const char* end = text.data() + text.size();
        while (const void* hit = memmem(p, size_t(end - p), Key().data(), Key().size())) {
            ++hits;
            p = static_cast<const char*>(hit) + Key().size();
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_MemmemStrippedText)->Unit(benchmark::kMicrosecond);

// A search as the reading window runs it (fold, split, index search) for a key that occurs in
// well over a thousand verses and for one that occurs nowhere.
void SearchTyped(benchmark::State& state, const char* utf8Key) {
    const orvane::TSearchIndex& index = Index();
    const std::string key = orvane::Utf8ToGbk(utf8Key);
    for (auto _ : state) {
        auto lines = orvane::SearchText(index, key, 0, index.LineCount() - 1);
        benchmark::DoNotOptimize(lines.data());
    }
}
void BM_SearchCommonKey(benchmark::State& state) {
    SearchTyped(state, "耶稣");
}
BENCHMARK(BM_SearchCommonKey)->Unit(benchmark::kMicrosecond);
void BM_SearchAbsentKey(benchmark::State& state) {
    SearchTyped(state, "电脑");
}
BENCHMARK(BM_SearchAbsentKey)->Unit(benchmark::kMicrosecond);

void BM_SearchWholeBible(benchmark::State& state) {
    const orvane::TSearchIndex& index = Index();
    const orvane::StringList keys = {Key()};
    for (auto _ : state) {
        auto lines = index.Search(keys, 0, index.LineCount() - 1);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_SearchWholeBible)->Unit(benchmark::kMicrosecond);

} // namespace
