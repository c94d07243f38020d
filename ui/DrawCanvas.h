#pragma once
// Small drawing routines shared by the chapter grid and the skinned tool-bar panel.

#include <QColor>

class QImage;
class QPainter;

namespace orvane {

class TDrawCanvas {
public:
    TDrawCanvas() = delete;

    // Three-pixel dashes every six pixels from (x, y) while x <= xEnd. One dash is always drawn,
    // so a line whose end lies before its start still marks its starting point.
    static void DrawDashedHLine(QPainter& painter, int x, const QColor& color, int xEnd, int y);
    // The same downwards from (x, y) while y <= yEnd.
    static void DrawDashedVLine(QPainter& painter, int x, const QColor& color, int yEnd, int y);
    // Copies of `bitmap` side by side along y = 0 from x0, as many as start before x0 + width.
    static void TileHorizontally(QPainter& painter, const QImage& bitmap, int width, int x0);
};

} // namespace orvane
