#include "Splitter.h"

#include "SkinState.h"

#include <QPainter>

namespace orvane {
namespace {

class TSplitterHandle : public QSplitterHandle {
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintSplitter(p, rect(), orientation(), palette());
    }
};

} // namespace

TSplitter::TSplitter(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent) {
    setHandleWidth(4);
    setChildrenCollapsible(false);
}

QSplitterHandle* TSplitter::createHandle() {
    return new TSplitterHandle(orientation(), this);
}

void PaintSplitter(QPainter& p, const QRect& r, Qt::Orientation orientation,
                   const QPalette& palette) {
    // A horizontal splitter lays its widgets side by side: its handle is the vertical bar.
    const bool vertical = orientation == Qt::Horizontal;
    if (SkinIndex != kSkinSystem) {
        p.fillRect(r, SkinFaceColor);
        if (vertical)
            DrawKeyed(p, QPoint(-1, r.height() / 2 - 8), SkinSplitterV);
        else
            DrawKeyed(p, QPoint(r.width() / 2 - 8, -1), SkinSplitterH);
        return;
    }
    p.fillRect(r, palette.color(QPalette::Button));
    const QColor light = palette.color(QPalette::HighlightedText);
    const QColor dark = palette.color(QPalette::Highlight);
    if (vertical) {
        const int x = r.left() + r.width() / 2;
        for (int i = 0; i <= r.height() / 3; ++i) {
            const int y = r.top() + 3 * i;
            p.setPen(light);
            p.drawPoint(x, y);
            p.drawPoint(x - 2, y);
            p.setPen(dark);
            p.drawPoint(x + 1, y + 1);
            p.drawPoint(x - 1, y + 1);
        }
    } else {
        const int y = r.top() + r.height() / 2;
        for (int i = 0; i <= r.width() / 3; ++i) {
            const int x = r.left() + 3 * i;
            p.setPen(light);
            p.drawPoint(x, y);
            p.drawPoint(x, y - 2);
            p.setPen(dark);
            p.drawPoint(x + 1, y + 1);
            p.drawPoint(x + 1, y - 1);
        }
    }
}

} // namespace orvane
