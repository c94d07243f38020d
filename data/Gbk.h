#pragma once
// GBK byte rules and conversions. The core keeps all text as GBK bytes in std::string, because
// line breaking, search stepping and stored files are defined over those bytes; conversion to
// Unicode happens only at the edges (the UI, the command-line tool, the build-time generator).

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

using StringList = std::vector<std::string>;

// The one rule of this program for which bytes form a character: a lead byte 0x81..0xFE followed
// by a trail byte 0x40..0xFE other than 0x7F is one double-byte character; every other byte is a
// character of its own, a lead byte with no valid trail after it included. Trail bytes overlap
// ASCII ("Z", "`", "[" ...), so a byte's meaning depends on where the characters start: walk the
// text from a known boundary with CharLength, never look at single bytes out of that walk.
inline bool IsLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
inline bool IsLeadByte(char c) {
    return IsLeadByte(static_cast<unsigned char>(c));
}
inline bool IsTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}
inline bool IsTrailByte(char c) {
    return IsTrailByte(static_cast<unsigned char>(c));
}

// Number of bytes of the character that starts at text[i] (1 or 2). A lead byte at the very
// end of the text counts as a single byte so that callers never step past the end.
inline size_t CharLength(std::string_view text, size_t i) {
    return (i + 1 < text.size() && IsLeadByte(text[i]) && IsTrailByte(text[i + 1])) ? 2 : 1;
}

// Whether a match of `length` bytes at `at`, which starts a character, also ends on a boundary:
// only its last byte can pair with the byte behind the match.
bool EndsOnBoundary(std::string_view text, size_t at, size_t length);

// First occurrence of `what` at or after `from` (which must start a character) that starts and
// ends on character boundaries; npos when there is none or `what` is empty. A byte search finds
// the candidates; the walk over the characters only runs up to each candidate.
size_t FindWhole(std::string_view text, std::string_view what, size_t from = 0);

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
