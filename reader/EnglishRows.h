#pragma once
// The English verse under the Chinese one: wrapping it to the text column's width. Words are
// measured one by one and a line's width is the sum of its words and the blanks between them,
// so a verse is wrapped with one measurement per word whatever its length.

#include <functional>
#include <string_view>
#include <vector>

namespace orvane {

// Breaks `text` at blanks into lines no wider than `width`; the blanks at a break are dropped,
// and a word wider than the width stands alone on its line (the painter clips it). Runs of
// blanks count as one; a text of blanks only gives no line at all.
std::vector<std::string_view> WrapWords(std::string_view text, int width,
                                        const std::function<int(std::string_view)>& measure);

} // namespace orvane
