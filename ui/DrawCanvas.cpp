#include "DrawCanvas.h"

#include <QImage>
#include <QPainter>

namespace orvane {

namespace {
constexpr int kDashLength = 3; // pixels of one dash, both ends included
constexpr int kDashPitch = 6;  // from the start of one dash to the next
} // namespace

// Dashes are filled rather than stroked so they come out pixel-exact under any pen or
// antialiasing setting the caller left on the painter.
void TDrawCanvas::DrawDashedHLine(QPainter& painter, int x, const QColor& color, int xEnd, int y) {
    do {
        painter.fillRect(x, y, kDashLength, 1, color);
        x += kDashPitch;
    } while (x <= xEnd);
}

void TDrawCanvas::DrawDashedVLine(QPainter& painter, int x, const QColor& color, int yEnd, int y) {
    do {
        painter.fillRect(x, y, 1, kDashLength, color);
        y += kDashPitch;
    } while (y <= yEnd);
}

void TDrawCanvas::TileHorizontally(QPainter& painter, const QImage& bitmap, int width, int x0) {
    // An empty bitmap would never advance.
    if (bitmap.width() <= 0) return;
    for (int x = x0; x < x0 + width; x += bitmap.width())
        painter.drawImage(QPoint(x, 0), bitmap);
}

} // namespace orvane
