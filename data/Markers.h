#pragma once
// Chain-reference markers in the Chinese text: a backquote followed by decimal digits.

#include <string>
#include <string_view>

namespace orvane {

inline constexpr char kMarkerChar = '`';

// The text with every marker (backquote plus the digits right after it) removed.
std::string StripMarkers(std::string_view text);

} // namespace orvane
