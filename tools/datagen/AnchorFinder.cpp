#include "AnchorFinder.h"

#include "CommonWords.h"
#include "Gbk.h"

#include <algorithm>

namespace orvane::datagen {
namespace {

uint32_t Bigram(char16_t a, char16_t b) {
    return uint32_t(a) << 16 | b;
}

bool HasBigram(const std::vector<const VerseChars*>& target, uint32_t bigram) {
    for (const VerseChars* t : target)
        if (std::binary_search(t->Bigrams.begin(), t->Bigrams.end(), bigram)) return true;
    return false;
}

bool Holds(const std::vector<const VerseChars*>& target, std::u16string_view run) {
    for (const VerseChars* t : target)
        if (std::u16string_view(t->Codes).find(run) != std::u16string_view::npos) return true;
    return false;
}

std::u16string Codes(const std::string& utf8) {
    return SplitChars(Utf8ToGbk(utf8)).Codes;
}

} // namespace

VerseChars SplitChars(std::string_view gbk) {
    VerseChars chars;
    for (size_t i = 0; i < gbk.size(); i += CharLength(gbk, i)) {
        const auto byte = [&](size_t k) { return static_cast<unsigned char>(gbk[k]); };
        chars.ByteAt.push_back(i);
        chars.Codes.push_back(CharLength(gbk, i) == 2 ? char16_t(byte(i) << 8 | byte(i + 1))
                                                      : char16_t(byte(i)));
    }
    chars.ByteAt.push_back(gbk.size());
    for (size_t i = 0; i + 1 < chars.Codes.size(); ++i)
        chars.Bigrams.push_back(Bigram(chars.Codes[i], chars.Codes[i + 1]));
    std::sort(chars.Bigrams.begin(), chars.Bigrams.end());
    return chars;
}

bool IsChineseCharacter(char16_t code) {
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (lead < 0x81 || trail < 0x40) return false;
    if (lead >= 0xA1 && lead <= 0xA9) return false; // punctuation and symbols
    // Above 0xA0 in these rows lie the user-defined codes; below it, GBK's extra ideographs.
    if ((lead >= 0xAA && lead <= 0xAF) || lead >= 0xF8) return trail < 0xA1;
    return true;
}

AnchorFinder::AnchorFinder() {
    for (const std::string& word : CommonWords()) {
        commonWords_.push_back(Codes(word));
    }
    for (const std::string& c : LeadingGrammar())
        leading_ += Codes(c);
    for (const std::string& c : TrailingGrammar())
        trailing_ += Codes(c);
}

size_t AnchorFinder::SharedRun(const VerseChars& verse, size_t start,
                               const std::vector<const VerseChars*>& target) const {
    const std::u16string& v = verse.Codes;
    // Neighbouring pairs are a cheap upper bound; the run itself is then checked whole.
    size_t end = start;
    while (end < v.size() && IsChineseCharacter(v[end]) &&
           (end == start || HasBigram(target, Bigram(v[end - 1], v[end]))))
        ++end;
    for (size_t length = end - start; length >= 2; --length)
        if (Holds(target, std::u16string_view(v).substr(start, length))) return length;
    return 0;
}

std::vector<std::pair<size_t, size_t>> AnchorFinder::CommonWordsIn(const VerseChars& verse) const {
    std::vector<std::pair<size_t, size_t>> found;
    const std::u16string_view v(verse.Codes);
    for (const std::u16string& w : commonWords_)
        for (size_t at = v.find(w); at != std::u16string_view::npos; at = v.find(w, at + 1))
            found.emplace_back(at, at + w.size());
    return found;
}

std::optional<AnchorFinder::Word>
AnchorFinder::Trim(const VerseChars& verse, const std::vector<std::pair<size_t, size_t>>& common,
                   size_t start, size_t length) const {
    const std::u16string& codes = verse.Codes;
    const auto trimmed = [&](bool front) -> size_t {
        const std::u16string_view run = std::u16string_view(codes).substr(start, length);
        if (front ? leading_.find(run.front()) != std::u16string::npos
                  : trailing_.find(run.back()) != std::u16string::npos)
            return 1;
        const size_t end = start + length;
        for (const auto& [s, e] : common) {
            // A common word at the edge goes; so does the part of one the edge cuts through
            // ("和华" is the end of "耶和华", not a word of its own).
            if (front && s <= start && start < e) return e - start;
            if (!front && s < end && end <= e) return end - s;
        }
        return 0;
    };
    while (length >= 2) {
        if (const size_t n = std::min(trimmed(true), length); n > 0) {
            start += n;
            length -= n;
        } else if (const size_t m = std::min(trimmed(false), length); m > 0) {
            length -= m;
        } else {
            break;
        }
    }
    if (length < 2) return std::nullopt;
    return Word{start, length};
}

std::optional<AnchorFinder::Word>
AnchorFinder::SharedWord(const VerseChars& verse, const std::vector<const VerseChars*>& target,
                         const std::vector<std::pair<size_t, size_t>>& blocked) const {
    std::optional<Word> best;
    const auto common = CommonWordsIn(verse);
    for (size_t i = 0; i + 1 < verse.Codes.size(); ++i) {
        const size_t run = SharedRun(verse, i, target);
        if (run < 2) continue;
        const std::optional<Word> word = Trim(verse, common, i, run);
        const auto overlaps = [&](const std::pair<size_t, size_t>& b) {
            return word->Start < b.second && b.first < word->Start + word->Length;
        };
        if (word && std::none_of(blocked.begin(), blocked.end(), overlaps) &&
            (!best || word->Length > best->Length ||
             (word->Length == best->Length && word->Start < best->Start)))
            best = word;
    }
    return best;
}

bool AnchorFinder::SharesWordAt(const VerseChars& verse, size_t at,
                                const std::vector<const VerseChars*>& target) const {
    const size_t run = SharedRun(verse, at, target);
    if (run < 2) return false;
    const std::optional<Word> word = Trim(verse, CommonWordsIn(verse), at, run);
    return word && word->Start == at;
}

} // namespace orvane::datagen
