// Which verses a print or a PDF of the reading window takes.
#include "wnBook.h"

namespace orvane {

std::vector<int> TfmBook::ChosenVerseLines() const {
    std::vector<int> lines;
    // A single selected row is only where the reader stands, not a choice of verses.
    if (!MarkedRows.isEmpty() || SelectedRangeRows().size() > 1)
        for (const int row : VerseSelectionRows())
            if (const int line = ShownVerseLine(row); line >= 0) lines.push_back(line);
    if (!lines.empty() || gridFirstLine_ < 0) return lines;
    for (int line = gridFirstLine_; line <= gridLastLine_; ++line)
        lines.push_back(line);
    return lines;
}

} // namespace orvane
