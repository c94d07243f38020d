#include "Search.h"

#include "Markers.h"

#include <algorithm>
#include <cstring>
#include <string.h> // memmem

namespace orvane {
namespace {

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// First character boundary at or after offset, walking from the start of the text.
size_t BoundaryAtOrAfter(std::string_view text, size_t offset) {
    size_t i = 0;
    while (i < offset && i < text.size())
        i += CharLength(text, i);
    return i;
}

// Whether at starts a character of the line that starts at lineStart. The bytes right before
// at are looked at instead of walking the whole line: a byte that cannot be a lead byte always
// ends a character, and every lead-range byte is also a valid trail, so a run of lead-range
// bytes that follows one starts on a boundary and pairs up from its front. With an even run at
// starts a character; with an odd one the run's last byte is a lead, and it takes the byte at
// at as its trail unless that byte cannot be one.
bool StartsCharacter(const char* text, size_t lineStart, size_t at) {
    size_t j = at;
    while (j > lineStart && IsLeadByte(text[j - 1]))
        --j;
    return (at - j) % 2 == 0 || !IsTrailByte(text[at]);
}

} // namespace

std::string FoldFullWidthSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharLength(text, i);
        if (text.substr(i, n) == kFullWidthSpace)
            out += ' ';
        else
            out.append(text.substr(i, n));
        i += n;
    }
    return out;
}

StringList SplitSearchKeys(std::string_view text, bool trimItems) {
    StringList keys;
    const size_t n = text.size();
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string item;
        if (text[i] == '"') {
            // An unclosed quote takes the rest of the text.
            for (++i; i < n;) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                const size_t len = CharLength(text, i);
                item.append(text.substr(i, len));
                i += len;
            }
        } else {
            const size_t begin = i;
            while (i < n && !IsBlank(text[i]) && text[i] != ',')
                i += CharLength(text, i);
            item.assign(text.substr(begin, i - begin));
        }
        if (trimItems) item = std::string(TrimBlanks(item));
        if (!item.empty()) keys.push_back(std::move(item));
        skipBlanks();
        if (i < n && text[i] == ',') {
            ++i;
            skipBlanks();
        }
    }
    return keys;
}

size_t FindKey(std::string_view text, std::string_view key, size_t from) {
    const size_t hit = FindWhole(text, key, BoundaryAtOrAfter(text, from));
    return hit == std::string_view::npos ? 0 : hit + 1;
}

std::vector<size_t> FindAllOccurrences(std::string_view text, std::string_view key) {
    std::vector<size_t> hits;
    size_t boundary = 0;
    while (true) {
        const size_t hit = FindWhole(text, key, boundary);
        if (hit == std::string_view::npos) break;
        hits.push_back(hit);
        // Matches start and end on boundaries, so the scan resumes right behind this one.
        boundary = hit + key.size();
    }
    return hits;
}

void TSearchIndex::Build(const StringList& lines) {
    text_.clear();
    offsets_.assign(1, 0);
    offsets_.reserve(lines.size() + 1);
    size_t total = 0;
    for (const std::string& line : lines)
        total += line.size();
    text_.reserve(total);
    for (const std::string& line : lines) {
        text_ += StripMarkers(line);
        offsets_.push_back(text_.size());
    }
}

std::string_view TSearchIndex::StrippedLine(int line) const {
    if (line < 0 || line >= LineCount()) return {};
    return std::string_view(text_).substr(offsets_[line], offsets_[line + 1] - offsets_[line]);
}

std::vector<int> TSearchIndex::Search(const StringList& keys, int firstLine, int lastLine) const {
    firstLine = std::max(firstLine, 0);
    lastLine = std::min(lastLine, LineCount() - 1);
    if (firstLine > lastLine) return {};

    std::vector<char> matched(static_cast<size_t>(lastLine - firstLine) + 1, 0);
    const char* const base = text_.data();
    const auto offsetsBegin = offsets_.begin();
    const auto offsetsEnd = offsets_.begin() + lastLine + 2;
    const size_t stop = offsets_[lastLine + 1];
    for (const std::string& key : keys) {
        if (key.empty()) continue;
        size_t pos = offsets_[firstLine];
        int line = firstLine; // offsets_[line] <= pos throughout
        while (stop - pos >= key.size()) {
            const void* found = memmem(base + pos, stop - pos, key.data(), key.size());
            if (found == nullptr) break;
            const size_t at = static_cast<const char*>(found) - base;
            line = static_cast<int>(std::upper_bound(offsetsBegin + line + 1, offsetsEnd, at) -
                                    offsetsBegin - 1);
            const size_t lineEnd = offsets_[line + 1];
            const std::string_view lineText(base + offsets_[line], lineEnd - offsets_[line]);
            if (at + key.size() <= lineEnd && StartsCharacter(base, offsets_[line], at) &&
                EndsOnBoundary(lineText, at - offsets_[line], key.size())) {
                matched[line - firstLine] = 1;
                pos = lineEnd; // one hit lists the verse; go on with the next line
                ++line;
            } else {
                pos = at + 1;
            }
        }
    }
    std::vector<int> lines;
    for (size_t i = 0; i < matched.size(); ++i)
        if (matched[i]) lines.push_back(firstLine + static_cast<int>(i));
    return lines;
}

std::vector<int> SearchText(const TSearchIndex& index, std::string_view keyText, int firstLine,
                            int lastLine) {
    return index.Search(SplitSearchKeys(FoldFullWidthSpaces(keyText), true), firstLine, lastLine);
}

std::vector<int> SearchText(const StringList& corpusLines, std::string_view keyText, int firstLine,
                            int lastLine) {
    return SearchText(TSearchIndex(corpusLines), keyText, firstLine, lastLine);
}

} // namespace orvane
