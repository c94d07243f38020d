#include "IconKit.h"

#include <cstring>

namespace iconpaint {

QImage BlankCell() {
    QImage img(Cell, Cell, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void Begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::NoBrush);
}

QPen Stroke(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void FillPixels(QPainter& p, const QRect& r, const QColor& colour) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, colour);
    p.restore();
}

void Sheet(QPainter& p, const QRect& r, const QColor& fill, const QColor& edge) {
    p.save();
    // The outline runs through the centres of the border pixels; a 1-px corner radius only
    // trims the four corner pixels, which keeps the sides crisp.
    const QRectF line = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(line, 1.0, 1.0);
    p.restore();
}

void PutBitmap(QImage& img, int x, int y, const char* const* rows, int rowCount,
               const QColor& colour) {
    const QRgb px = colour.rgba();
    for (int r = 0; r < rowCount; ++r) {
        const int len = static_cast<int>(std::strlen(rows[r]));
        for (int c = 0; c < len; ++c) {
            if (rows[r][c] != '#') continue;
            const int xx = x + c;
            const int yy = y + r;
            if (xx >= 0 && yy >= 0 && xx < img.width() && yy < img.height())
                img.setPixel(xx, yy, px);
        }
    }
}

namespace {
// Open, single-stroke shapes: at this size a slashed zero would read as an eight.
const char* const Digits[10][7] = {
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};
} // namespace

const char* const* Digit5x7(int d) {
    return Digits[d];
}

} // namespace iconpaint
