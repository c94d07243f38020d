#pragma once
// GBK byte rules and conversions. The core keeps all text as GBK bytes in std::string, because
// line breaking, search stepping and stored files are defined over those bytes; conversion to
// Unicode happens only at the edges (the UI, the command-line tool, the build-time generator).

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

using StringList = std::vector<std::string>;

// A GBK lead byte starts a double-byte character; every other byte is a single-byte character
// unless it follows a lead byte.
inline bool IsLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
inline bool IsLeadByte(char c) {
    return IsLeadByte(static_cast<unsigned char>(c));
}

// Number of bytes of the character that starts at text[i] (1 or 2). A lead byte at the very
// end of the text counts as a single byte so that callers never step past the end.
inline size_t CharLength(std::string_view text, size_t i) {
    return (IsLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
}

// Conversions through iconv. Invalid input bytes become '?' (to GBK) or U+FFFD (to UTF-8) so
// that a damaged file never stops the caller.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);

// Splits text into lines at CR, LF or CR LF. A line end at the very end of the text does not
// start another (empty) line, so "" and "a\n" give zero and one line.
StringList SplitLines(std::string_view text);

// ASCII-only case folding that leaves double-byte characters intact: a GBK trail byte may lie
// in the range of ASCII letters and must not be folded.
std::string FoldCaseGbk(std::string_view text);

// Blanks and control characters (bytes up to and including the space) trimmed at both ends.
std::string_view TrimBlanks(std::string_view text);

} // namespace orvane
