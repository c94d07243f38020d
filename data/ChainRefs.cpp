#include "ChainRefs.h"

#include "BookTables.h"
#include "Gbk.h"

#include <algorithm>
#include <charconv>

namespace orvane {

int StrToIntDef(std::string_view text, int fallback) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return fallback;
    return value;
}

std::string ChainGroupText(std::string_view chapterLine, int marker) {
    std::string key(1, '~');
    key.append(std::to_string(marker)).push_back('[');
    // The line is walked as GBK characters: a trail byte may equal "~", "[" or "]".
    const size_t at = FindWhole(chapterLine, key);
    if (at == std::string_view::npos) return {};
    const size_t start = at + key.size() - 1;
    const size_t end = FindWhole(chapterLine, "~", start);
    return std::string(
        chapterLine.substr(start, end == std::string_view::npos ? end : end - start));
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds one item of a verse list ("6" or "1-3") of chapter `chapter` (text) of `book`.
void AddItem(std::vector<int>& out, int book, std::string_view chapter, std::string_view item) {
    if (book < 0 || book >= kBookCount) return;
    const int c = StrToIntDef(chapter, 1);
    // Computed in 64 bits: a chapter number from the data may be any 32-bit value.
    long long index = static_cast<long long>(BookTable[book].FirstChapter) + c - 1;
    index = std::clamp<long long>(index, 0, kChapterCount - 1);
    const long long first = ChapterTable[static_cast<size_t>(index)].FirstLine;

    long long lo, hi;
    const size_t dash = item.find('-');
    if (dash == std::string_view::npos) {
        lo = hi = first + StrToIntDef(item, 1) - 1;
    } else {
        lo = first + StrToIntDef(item.substr(0, dash), 1) - 1;
        hi = first + StrToIntDef(item.substr(dash + 1), 1) - 1;
        if (lo > hi) std::swap(lo, hi);
    }
    lo = std::max<long long>(lo, 0);
    hi = std::min<long long>(hi, kLastVerseLine);
    for (long long v = lo; v <= hi; ++v)
        out.push_back(static_cast<int>(v));
}

} // namespace

std::vector<int> ParseChainGroup(std::string_view text, int shownBook, int shownChapter) {
    std::vector<int> result;
    std::string remembered;
    size_t pos = 0;
    while (true) {
        const size_t open = FindWhole(text, "[", pos);
        if (open == std::string_view::npos) break;
        const size_t close = FindWhole(text, "]", open + 1);
        if (close == std::string_view::npos) break;
        const bool atEnd = close + 1 >= text.size();
        const char c = atEnd ? '\0' : text[close + 1];

        size_t start = open + 1;
        auto ownCode = [&] {
            const size_t n = std::min<size_t>(2, close - start);
            std::string code(text.substr(start, n));
            start += n;
            return code;
        };
        std::string code;
        if (atEnd) {
            code = remembered.empty() ? ownCode() : remembered;
        } else if (c == ' ') {
            if (remembered.empty()) {
                code = ownCode();
            } else {
                code = remembered;
                remembered.clear();
            }
        } else if (c == ';') {
            if (remembered.empty()) remembered = ownCode();
            code = remembered;
        } else {
            remembered.clear();
        }
        const std::string_view content = text.substr(start, close - start);

        int book;
        std::string_view chapter, verses;
        std::string shownChapterText;
        if (code == "99") {
            book = shownBook;
            shownChapterText = std::to_string(shownChapter);
            chapter = shownChapterText;
            verses = content;
        } else {
            book = StrToIntDef(code, 0);
            size_t digits = 0;
            while (digits < content.size() && IsDigit(content[digits]))
                ++digits;
            chapter = content.substr(0, digits);
            if (digits == content.size())
                verses = "1";
            else
                verses = content.substr(digits + 1);
        }

        size_t from = 0;
        while (true) {
            const size_t comma = verses.find(',', from);
            if (comma == std::string_view::npos) {
                if (from < verses.size()) AddItem(result, book, chapter, verses.substr(from));
                break;
            }
            AddItem(result, book, chapter, verses.substr(from, comma - from));
            from = comma + 1;
        }
        pos = close + 1;
    }
    return result;
}

} // namespace orvane
