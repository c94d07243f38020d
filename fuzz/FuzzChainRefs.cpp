// Chain-reference lines and groups as a damaged data file could hold them: every verse line the
// parser hands out must index the text, and a marker's group must be a piece of its line.

#include "BookTables.h"
#include "ChainRefs.h"
#include "FuzzCheck.h"
#include "Gbk.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace orvane;

namespace {

void CheckVerses(const std::vector<int>& verses) {
    for (int v : verses)
        FUZZ_CHECK(v >= 0 && v <= kLastVerseLine);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    // The shown chapter normally is a real one; stray values must not break the parser either.
    const int shownBook =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(0, kBookCount - 1) : in.ConsumeIntegral<int>();
    const int shownChapter =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 150) : in.ConsumeIntegral<int>();
    const int marker =
        in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 200) : in.ConsumeIntegral<int>();
    const std::string line = in.ConsumeRemainingBytesAsString();

    const std::string group = ChainGroupText(line, marker);
    if (!group.empty()) {
        FUZZ_CHECK(group.front() == '[');
        FUZZ_CHECK(FindWhole(group, "~") == std::string::npos);
        const std::string key = "~" + std::to_string(marker) + "[";
        const size_t at = FindWhole(line, key);
        FUZZ_CHECK(at != std::string::npos);
        FUZZ_CHECK(line.compare(at + key.size() - 1, group.size(), group) == 0);
    }
    CheckVerses(ParseChainGroup(group, shownBook, shownChapter));
    CheckVerses(ParseChainGroup(line, shownBook, shownChapter));
    return 0;
}
