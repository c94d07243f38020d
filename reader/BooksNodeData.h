#pragma once
// Where the reader stands in one book. The main window owns one per book; the book tree's
// nodes point at them, so returning to a book returns to its chapter and verse.

#include <cstdint>

namespace orvane {

struct TBooksNodeData {
    int32_t BookIndex = 0;    // 0..65
    int32_t ChapterIndex = 0; // chapter index through the whole Bible, 0..1188
    int32_t VerseRow = 0;     // 0-based row of the current verse within the chapter
    int32_t ChainRow = 0;     // a row of the chain-reference pane
};

} // namespace orvane
