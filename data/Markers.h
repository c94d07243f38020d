#pragma once
// Chain-reference markers in the Chinese text: a backquote followed by decimal digits. The
// backquote byte 0x60 is also a valid GBK trail byte, so a marker is only a backquote that is a
// character of its own.

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr char kMarkerChar = '`';

// A marker found in a text: the backquote at Begin, its digits up to End (exclusive).
struct TMarker {
    size_t Begin;
    size_t End;
    // The digits read as a decimal number; 1 when there are none or they do not fit an int.
    int Number;
};

// The first marker whose backquote lies at or after `from`, which must start a character;
// npos in Begin when there is none.
TMarker FindMarker(std::string_view text, size_t from = 0);

// Every marker of a text in order of appearance.
std::vector<TMarker> FindMarkers(std::string_view text);

// The text with every marker (backquote plus the digits right after it) removed.
std::string StripMarkers(std::string_view text);

} // namespace orvane
