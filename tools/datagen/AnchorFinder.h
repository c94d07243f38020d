#pragma once
// Finds where a chain-reference marker belongs in its verse: in front of the word the verse
// shares with the reference's target passage.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane::datagen {

// A GBK text split into whole characters: one code per character (lead byte << 8 | trail byte
// for a double-byte character, the byte itself for a single-byte one) and the byte offset
// where each starts. A trail byte that happens to equal an ASCII letter, digit or backquote
// stays part of its character.
struct VerseChars {
    std::u16string Codes;
    std::vector<size_t> ByteAt;    // one entry per character, then the text's length
    std::vector<uint32_t> Bigrams; // every pair of neighbouring codes, sorted, for a quick test
};
VerseChars SplitChars(std::string_view gbk);

// A Chinese ideograph of GBK (not a punctuation mark, symbol, letter or user-defined code).
bool IsChineseCharacter(char16_t code);

class AnchorFinder {
public:
    struct Word {
        size_t Start;  // character index in the verse
        size_t Length; // characters, at least 2
    };

    AnchorFinder();

    // The longest word of two or more Chinese characters that `verse` shares with one of the
    // `target` verses, grammar characters and common words trimmed off its ends; the first in
    // the verse among equally long ones. None when the verse shares no such word.
    // Words that overlap one of the `blocked` [first, end) character ranges are passed over.
    std::optional<Word>
    SharedWord(const VerseChars& verse, const std::vector<const VerseChars*>& target,
               const std::vector<std::pair<size_t, size_t>>& blocked = {}) const;

    // Whether a marker at character `at` stands directly before such a word of `target`.
    bool SharesWordAt(const VerseChars& verse, size_t at,
                      const std::vector<const VerseChars*>& target) const;

private:
    // The longest run from `start` that one target verse also holds (0 or at least 2).
    size_t SharedRun(const VerseChars& verse, size_t start,
                     const std::vector<const VerseChars*>& target) const;
    // Where the common words stand in the verse: [first, end) character ranges.
    std::vector<std::pair<size_t, size_t>> CommonWordsIn(const VerseChars& verse) const;
    // `verse.Codes[start, start + length)` with grammar characters and common words (whole or
    // cut) trimmed off both ends; none when fewer than two characters remain.
    std::optional<Word> Trim(const VerseChars& verse,
                             const std::vector<std::pair<size_t, size_t>>& common, size_t start,
                             size_t length) const;

    std::vector<std::u16string> commonWords_;
    std::u16string leading_;
    std::u16string trailing_;
};

} // namespace orvane::datagen
