#include "HistoryList.h"

#include "BookTables.h"

#include <charconv>
#include <cstdio>

namespace orvane {
namespace {

constexpr char kVerseKind = '0';

// The whole text as a decimal number, or 0.
int NumberOr0(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end ? value : 0;
}

} // namespace

std::string THistoryList::Strings(int index) const {
    if (index < 0 || index >= Count()) return {};
    return Items[size_t(index)];
}

std::string THistoryList::Name(int index) const {
    const std::string entry = Strings(index);
    const size_t eq = entry.find('=');
    return eq == std::string::npos ? std::string() : entry.substr(0, eq);
}

std::string THistoryList::Value(int index) const {
    const std::string entry = Strings(index);
    const size_t eq = entry.find('=');
    return eq == std::string::npos ? std::string() : entry.substr(eq + 1);
}

int THistoryList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string_view entry = Items[size_t(i)];
        if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
            entry[name.size()] == '=')
            return i;
    }
    return -1;
}

int THistoryList::VerseLine(int index) const {
    if (index < 0 || index >= Count()) return -1;
    const std::string name = Name(index);
    return name.empty() ? 0 : NumberOr0(std::string_view(name).substr(1));
}

int THistoryList::ChainRow(int index) const {
    if (index < 0 || index >= Count()) return -1;
    return NumberOr0(Value(index));
}

std::string THistoryList::NameOf(int verseLine) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.5d", verseLine);
    return std::string(1, kVerseKind) + digits;
}

bool THistoryList::RecordLocation(int verseLine, int chainRow) {
    if (verseLine < 0 || verseLine > kLastVerseLine) return false;
    const std::string name = NameOf(verseLine);
    const int found = IndexOfName(name);
    if (found >= 0) {
        Position_ = found;
        return true;
    }
    // A new verse after going back starts a new branch: what lay ahead is forgotten.
    if (Position_ >= 0 && Position_ < Count() - 1) Items.resize(size_t(Position_) + 1);
    Items.push_back(name + "=" + std::to_string(chainRow));
    Position_ = Count() - 1;
    return true;
}

} // namespace orvane
