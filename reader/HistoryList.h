#pragma once
// The reading window's navigation history: the verses reached by jumps, oldest first, and the
// one that is current. Lasts while the program runs; never stored.
//
// Each entry is one "name=value" string: the name is the kind character "0" followed by the
// verse line, zero-padded to at least five digits ("000123"); the value is the chain-reference
// pane row that went with the jump.

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class THistoryList {
public:
    int Count() const { return int(Items.size()); }
    // Index of the current entry; -1 while the list is empty. Only RecordLocation moves it.
    int Position() const { return Position_; }

    // The whole "name=value" string of an entry; empty for an index outside the list.
    std::string Strings(int index) const;
    // The part before the first "=" (empty when there is none), and the part after it.
    std::string Name(int index) const;
    std::string Value(int index) const;
    // Index of the first entry with this name, or -1.
    int IndexOfName(std::string_view name) const;

    // Verse line and chain-reference row of an entry: 0 when the stored text is not a number,
    // -1 for an index outside the list.
    int VerseLine(int index) const;
    int ChainRow(int index) const;

    // Makes the verse current. A verse already listed just becomes current, keeping its place
    // and its first chain-reference row; a new one drops every entry after the current one and
    // is appended. Returns false, changing nothing, for a verse line outside the Bible: such an
    // entry could never be jumped to.
    bool RecordLocation(int verseLine, int chainRow);

    // "0" + the verse line as at least five digits.
    static std::string NameOf(int verseLine);

private:
    std::vector<std::string> Items;
    int Position_ = -1;
};

} // namespace orvane
