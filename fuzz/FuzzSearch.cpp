// Key splitting and matching, each checked against a plain reading of its rule: a key matches
// only where it covers whole characters, and the whole-corpus index lists exactly the lines that a
// line-by-line scan would.

#include "FuzzCheck.h"
#include "Gbk.h"
#include "Markers.h"
#include "Search.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

using namespace orvane;

namespace {

// Per byte offset (the text's end included): whether a character starts there.
std::vector<bool> Boundaries(std::string_view text) {
    std::vector<bool> starts(text.size() + 1, false);
    for (size_t i = 0; i < text.size(); i += CharLength(text, i))
        starts[i] = true;
    starts[text.size()] = true;
    return starts;
}

// 0-based offset of the first match >= from that starts and ends on character boundaries,
// npos when none.
size_t NaiveFind(std::string_view text, std::string_view key, size_t from) {
    if (key.empty()) return std::string_view::npos;
    const std::vector<bool> boundary = Boundaries(text);
    for (size_t i = from; i + key.size() <= text.size(); ++i)
        if (boundary[i] && boundary[i + key.size()] && text.substr(i, key.size()) == key) return i;
    return std::string_view::npos;
}

std::vector<size_t> NaiveAll(std::string_view text, std::string_view key) {
    std::vector<size_t> hits;
    size_t from = 0;
    for (;;) {
        const size_t hit = NaiveFind(text, key, from);
        if (hit == std::string_view::npos) return hits;
        hits.push_back(hit);
        from = hit + key.size();
    }
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string key = in.ConsumeRandomLengthString(16);
    const size_t from = in.ConsumeIntegralInRange<size_t>(0, 80);
    const bool trim = in.ConsumeBool();
    const int first = in.ConsumeIntegralInRange(-2, 12);
    const int last = in.ConsumeIntegralInRange(-2, 12);
    const std::string text = in.ConsumeRemainingBytesAsString();

    // FindKey and FindAllOccurrences against the plain rule.
    const size_t expected = NaiveFind(text, key, from);
    FUZZ_CHECK(FindKey(text, key, from) == (expected == std::string_view::npos ? 0 : expected + 1));
    FUZZ_CHECK(FindAllOccurrences(text, key) == NaiveAll(text, key));

    // Folding full-width spaces never grows the text and leaves no full-width space starting a
    // character.
    const std::string folded = FoldFullWidthSpaces(text);
    FUZZ_CHECK(folded.size() <= text.size());
    FUZZ_CHECK(NaiveFind(folded, "\xA1\xA1", 0) == std::string_view::npos);

    // Split keys are never empty; trimmed ones have no blanks at their ends, and outside
    // quotes no key holds a comma or a blank.
    const StringList keys = SplitSearchKeys(text, trim);
    const bool quoted = text.find('"') != std::string::npos;
    for (const std::string& k : keys) {
        FUZZ_CHECK(!k.empty());
        if (trim) FUZZ_CHECK(!IsBlank(k.front()) && !IsBlank(k.back()));
        if (!quoted)
            for (size_t i = 0; i < k.size(); i += CharLength(k, i))
                FUZZ_CHECK(!IsBlank(k[i]) && k[i] != ',');
    }

    // The index over the text's lines lists what a scan of each stripped line finds.
    const StringList lines = SplitLines(text);
    const TSearchIndex index(lines);
    FUZZ_CHECK(index.LineCount() == static_cast<int>(lines.size()));
    StringList searchKeys = keys;
    searchKeys.push_back(key);
    std::vector<int> naive;
    for (int l = std::max(first, 0); l <= std::min<int>(last, static_cast<int>(lines.size()) - 1);
         ++l) {
        const std::string stripped = StripMarkers(lines[l]);
        FUZZ_CHECK(index.StrippedLine(l) == stripped);
        for (const std::string& k : searchKeys)
            if (NaiveFind(stripped, k, 0) != std::string_view::npos) {
                naive.push_back(l);
                break;
            }
    }
    FUZZ_CHECK(index.Search(searchKeys, first, last) == naive);
    return 0;
}
