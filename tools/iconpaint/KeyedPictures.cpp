// Pictures copied with magenta as the transparent colour. Their edges cannot be antialiased
// against an unknown ground (a half-magenta pixel would show as a pink fringe), so each is drawn
// smoothly, then every pixel is either made opaque or keyed out at half coverage.
#include "IconKit.h"
#include "Icons.h"

#include <QRadialGradient>

namespace iconpaint {

namespace {

// Turns a smoothly painted picture into a 24-bit one with a hard magenta key.
QImage KeyOut(const QImage& painted) {
    const QImage straight = painted.convertToFormat(QImage::Format_ARGB32);
    QImage out(straight.size(), QImage::Format_RGB888);
    for (int y = 0; y < straight.height(); ++y)
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb px = straight.pixel(x, y);
            out.setPixel(x, y,
                         qAlpha(px) >= 128 ? qRgb(qRed(px), qGreen(px), qBlue(px)) : Magenta.rgb());
        }
    return out;
}

struct BallLook {
    QColor light, body, rim;
};

// The number is written over the ball in teal, so every body stays pale enough to carry it.
const BallLook BallLooks[4] = {
    {{0xFF, 0xFF, 0xFF}, {0xE2, 0xE8, 0xEF}, {0x86, 0x95, 0xA6}}, // system look: neutral
    {{0xF4, 0xFD, 0xFB}, {0xC2, 0xEA, 0xE3}, {0x4E, 0xA5, 0x9B}}, // light: blue-green
    {{0xFF, 0xF7, 0xEE}, {0xFF, 0xCF, 0xAA}, {0xDC, 0x70, 0x32}}, // red: warm
    {{0xFA, 0xFA, 0xFA}, {0xD6, 0xD6, 0xD6}, {0x84, 0x84, 0x84}}, // black: grey
};

} // namespace

namespace {

// A ball `width` px wide at the left of a 16 x 16 picture.
QImage Ball(int skin, double width) {
    const BallLook& look = BallLooks[(skin >= 0 && skin < 4) ? skin : 0];
    QImage img(Cell, Cell, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Begin(p);
    p.setBrush(look.rim);
    // The number is written high on the picture (its glyphs span rows 2..10), so the ball sits
    // half a pixel above the middle to keep the number centred on it.
    const double r = width / 2;
    const QPointF centre(r + 0.5, 7.5);
    p.drawEllipse(centre, r, r);
    // Lit softly from the upper left; the body stays flat where the digits go.
    const double k = r / 7.5;
    QRadialGradient shade(centre - QPointF(1.5, 2.0) * k, 8.5 * k, centre - QPointF(3.0, 3.5) * k);
    shade.setColorAt(0.0, look.light);
    shade.setColorAt(0.55, look.body);
    shade.setColorAt(1.0, look.body.darker(108));
    p.setBrush(shade);
    p.drawEllipse(centre, r - 1, r - 1);
    p.end();
    return KeyOut(img);
}

} // namespace

QImage MarkerBall(int skin) {
    return Ball(skin, 15.0);
}

QImage NarrowMarkerBall(int skin) {
    return Ball(skin, 11.0);
}

QImage CheckFlag() {
    QImage img(14, 11, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Begin(p);
    QPolygonF tick;
    tick << QPointF(2.5, 5.5) << QPointF(5.5, 8.5) << QPointF(11.5, 2.5);
    p.setPen(Stroke(QColor(0x1F, 0x6E, 0x36), 3.4));
    p.drawPolyline(tick);
    p.setPen(Stroke(QColor(0x38, 0xA8, 0x58), 1.6));
    p.drawPolyline(tick);
    p.end();
    return KeyOut(img);
}

} // namespace iconpaint
