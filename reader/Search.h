#pragma once
// Full-text search of the Chinese text: key lists, key matching and the whole-corpus index.

#include "Gbk.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Every full-width space (GBK A1 A1) that starts a character becomes one half-width space. A
// trail byte A1 followed by a lead byte A1 is two other characters and is left alone.
std::string FoldFullWidthSpaces(std::string_view text);

// Splits a key text into keys. Items are separated by commas and by blanks (any byte up to the
// space); an item in double quotes may hold blanks and commas, loses its quotes, and a doubled
// quote inside it stands for one quote. With trimItems (running a search) every item is
// trimmed of blanks; without it (highlighting) a quoted item keeps its blanks. Empty items are
// dropped either way, so a lone comma gives no keys.
StringList SplitSearchKeys(std::string_view text, bool trimItems);

// 1-based byte position of the first occurrence of key in text that starts and ends on character
// boundaries, at or after the 0-based offset from; 0 when there is none or the key is empty.
// So "Z" never matches the trail byte of a double-byte character, nor a stray lead byte the
// first half of one. Bytes compare exactly: letter case and full/half-width forms matter.
size_t FindKey(std::string_view text, std::string_view key, size_t from = 0);

// 0-based offsets of all occurrences of key, left to right; after a match the scan goes on
// behind it, so occurrences never overlap. Empty for an empty key.
std::vector<size_t> FindAllOccurrences(std::string_view text, std::string_view key);

// The marker-free text of every verse line in one buffer, so that a search over a range of
// lines is one memmem pass per key instead of a string per line.
class TSearchIndex {
public:
    TSearchIndex() = default;
    explicit TSearchIndex(const StringList& lines) { Build(lines); }

    // lines: the Chinese text, one verse per line, markers included.
    void Build(const StringList& lines);

    int LineCount() const { return static_cast<int>(offsets_.size()) - 1; }
    std::string_view StrippedLine(int line) const;

    // Ascending verse lines within [firstLine, lastLine] (clamped to the corpus) whose text
    // holds any of the keys; keys are alternatives, so a verse is listed once. A key never
    // matches across two lines. Empty keys are ignored; no keys, no results.
    std::vector<int> Search(const StringList& keys, int firstLine, int lastLine) const;

private:
    std::string text_;
    std::vector<size_t> offsets_{0}; // line i is text_[offsets_[i], offsets_[i + 1])
};

// A search as typed: full-width spaces folded, the text split into trimmed keys, then the
// lines of [firstLine, lastLine] that hold any key.
std::vector<int> SearchText(const TSearchIndex& index, std::string_view keyText, int firstLine,
                            int lastLine);
std::vector<int> SearchText(const StringList& corpusLines, std::string_view keyText, int firstLine,
                            int lastLine);

} // namespace orvane
