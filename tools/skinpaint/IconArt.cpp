#include "IconArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace skinpaint {

namespace {

const QColor kInk(0, 58, 122);    // outlines
const QColor kCover(0, 112, 204); // the reading blue
const QColor kCoverLight(64, 164, 236);
const QColor kPage(255, 255, 255);
const QColor kPageShade(212, 229, 246);
const QColor kLine(136, 176, 216);
const QColor kGold(250, 184, 30);
const QColor kGoldLight(255, 222, 110);
const QColor kGoldDark(176, 108, 0);

// The colours of the hand-placed 16-pixel icon, by letter; invalid for '.'.
QColor Ink(char letter) {
    const struct {
        char letter;
        QColor color;
    } inks[] = {{'O', kInk},
                {'B', kCover},
                {'W', kPage},
                {'s', kPageShade},
                {'l', kLine},
                {'G', kGold},
                {'g', QColor(204, 132, 0)}};
    for (const auto& ink : inks)
        if (ink.letter == letter) return ink.color;
    return {};
}

// At 16 pixels outlines drawn from curves turn to mush; this one is placed by hand.
QImage PaintIcon16() {
    static const char* const rows[16] = {
        ".......GG.......", //
        ".......GG.......", //
        ".....GGGGGG.....", //
        ".....ggGGgg.....", //
        ".......GG.......", //
        ".......GG.......", //
        ".OOO...GG...OOO.", //
        "OWWWOO.gg.OOWWWO", //
        "OWWWWWOOOOWWWWWO", //
        "OWlllWsBBsWlllWO", //
        "OWWWWllBBllWWWWO", //
        "OWlllWsBBsWlllWO", //
        "OWWWWllBBllWWWWO", //
        "OWWWWWsBBsWWWWWO", //
        "OBOOOWWOOWWOOOBO", //
        ".OBBBOOOOOOBBBO.", //
    };
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16 && rows[y][x] != '\0'; ++x) {
            const QColor c = Ink(rows[y][x]);
            if (!c.isValid()) continue;
            icon.setPixelColor(x, y, c);
        }
    }
    return icon;
}

QPainterPath Mirrored(const QPainterPath& path) {
    QTransform flip;
    flip.translate(256, 0);
    flip.scale(-1, 1);
    return flip.map(path);
}

// Drawn on a 256-unit square and scaled.
QImage PaintIconScaled(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const double line = size <= 32 ? 12 : size <= 48 ? 9 : 6;

    // The cross stands behind the spine.
    QPainterPath cross;
    cross.addRect(QRectF(112, 6, 32, 108));
    cross.addRect(QRectF(76, 32, 104, 30));
    cross.setFillRule(Qt::WindingFill);
    cross = cross.simplified();
    QLinearGradient gold(76, 0, 180, 0);
    gold.setColorAt(0, kGoldLight);
    gold.setColorAt(0.45, kGold);
    gold.setColorAt(1, QColor(222, 146, 0));
    p.setPen(QPen(kGoldDark, line * 0.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(gold);
    p.drawPath(cross);

    QPainterPath coverLeft;
    coverLeft.moveTo(128, 124);
    coverLeft.cubicTo(96, 104, 50, 98, 8, 106);
    coverLeft.lineTo(8, 230);
    coverLeft.cubicTo(50, 222, 96, 228, 128, 250);
    coverLeft.closeSubpath();
    QPainterPath cover = coverLeft.united(Mirrored(coverLeft));
    QLinearGradient blue(0, 100, 0, 250);
    blue.setColorAt(0, kCoverLight);
    blue.setColorAt(1, kCover);
    p.setPen(QPen(kInk, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(blue);
    p.drawPath(cover);

    QPainterPath pageLeft;
    pageLeft.moveTo(126, 116);
    pageLeft.cubicTo(98, 92, 58, 84, 22, 90);
    pageLeft.lineTo(22, 208);
    pageLeft.cubicTo(58, 202, 98, 210, 126, 232);
    pageLeft.closeSubpath();
    QLinearGradient paper(22, 0, 126, 0);
    paper.setColorAt(0, kPage);
    paper.setColorAt(0.7, kPage);
    paper.setColorAt(1, kPageShade);
    p.setPen(QPen(kInk, line * 0.75, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(paper);
    p.drawPath(pageLeft);
    QTransform flip;
    flip.translate(256, 0);
    flip.scale(-1, 1);
    p.save();
    p.setTransform(flip, true);
    p.drawPath(pageLeft);
    p.restore();

    // Lines of text follow the curve of the pages.
    const int lines = size <= 32 ? 3 : 4;
    p.setPen(QPen(kLine, size <= 32 ? 12 : 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < lines; ++k) {
        const double dy = (size <= 32 ? 30 : 24) * k;
        QPainterPath text;
        text.moveTo(40, 116 + dy);
        text.cubicTo(66, 112 + dy, 92, 118 + dy, 110, 130 + dy);
        p.drawPath(text);
        p.drawPath(Mirrored(text));
    }
    p.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

QImage PaintIcon(int size) {
    if (size == 16) return PaintIcon16();
    return PaintIconScaled(size);
}

} // namespace skinpaint
