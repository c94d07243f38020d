#include "CrossRefs.h"

#include "BookTables.h"
#include "DataError.h"

#include <array>
#include <charconv>
#include <string>

namespace orvane::datagen {
namespace {

void Fail(size_t lineNumber, const std::string& what) {
    throw DataError("crossrefs:" + std::to_string(lineNumber) + ": " + what);
}

std::array<int, 4> ReadFields(std::string_view line, size_t lineNumber) {
    std::array<int, 4> fields{};
    const char* p = line.data();
    const char* end = line.data() + line.size();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            if (p == end || *p != '\t') Fail(lineNumber, "expected four TAB-separated integers");
            ++p;
        }
        const auto [next, ec] = std::from_chars(p, end, fields[i]);
        if (ec != std::errc() || next == p)
            Fail(lineNumber, "expected four TAB-separated integers");
        p = next;
    }
    if (p != end) Fail(lineNumber, "expected four TAB-separated integers");
    return fields;
}

} // namespace

std::vector<CrossRef> ParseCrossRefs(std::string_view text) {
    std::vector<CrossRef> rows;
    rows.reserve(text.size() / 18);
    size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) continue;

        const auto [from, first, last, votes] = ReadFields(line, lineNumber);
        for (int verse : {from, first, last})
            if (verse < 0 || verse > kLastVerseLine)
                Fail(lineNumber, "verse line " + std::to_string(verse) + " is outside the text");
        if (last < first) Fail(lineNumber, "target range runs backwards");
        rows.push_back({from, first, last, votes});
    }
    return rows;
}

} // namespace orvane::datagen
