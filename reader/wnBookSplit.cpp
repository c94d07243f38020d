// The reading window's two splitters as the main window keeps them between runs.
#include "wnBook.h"

#include <QSplitter>

namespace orvane {
namespace {

// Gives the first pane of `splitter` `size` pixels (first == true) or its second one, the other
// pane taking what is left; before the first layout the total is the splitter's own idea of it.
void SetPaneSize(QSplitter* splitter, bool first, int size) {
    QList<int> sizes = splitter->sizes();
    if (sizes.size() != 2) return;
    const int total = sizes[0] + sizes[1];
    size = std::clamp(size, 0, std::max(0, total));
    sizes = first ? QList<int>{size, total - size} : QList<int>{total - size, size};
    splitter->setSizes(sizes);
}

int PaneSize(const QSplitter* splitter, int index) {
    const QList<int> sizes = splitter->sizes();
    return index < sizes.size() ? sizes[index] : 0;
}

} // namespace

int TfmBook::TreeWidth() const {
    return PaneSize(splV, 0);
}
void TfmBook::SetTreeWidth(int width) {
    SetPaneSize(splV, true, width);
}
int TfmBook::BottomPaneHeight() const {
    return PaneSize(splH, 1);
}
void TfmBook::SetBottomPaneHeight(int height) {
    SetPaneSize(splH, false, height);
}

} // namespace orvane
