#include "SplashArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace splashpaint {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kMidX = kWidth / 2.0;

// Where the light comes from: the middle of the open book.
const QPointF kSource(kMidX, 150);

// The card's outline and the medallion that rises above its top edge.
QPainterPath Silhouette() {
    QPainterPath card;
    card.addRoundedRect(QRectF(0, 16, kWidth, kHeight - 16), 18, 18);
    QPainterPath medal;
    medal.addEllipse(QPointF(kMidX, 32), 28, 28);
    return card.united(medal);
}

QColor Rgba(int r, int g, int b, double a) {
    QColor c(r, g, b);
    c.setAlphaF(float(a));
    return c;
}

// A small fixed sequence of numbers in [0, 1) for the stars.
double Hash(int i, int salt) {
    unsigned h = unsigned(i) * 2654435761u ^ unsigned(salt) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return (h & 0xFFFFFF) / double(0x1000000);
}

void PaintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.00, QColor(10, 20, 48));
    sky.setColorAt(0.45, QColor(28, 42, 96));
    sky.setColorAt(0.75, QColor(70, 52, 104));
    sky.setColorAt(1.00, QColor(34, 24, 56));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), sky);

    // Faint stars in the upper sky, fewer near the light.
    for (int i = 0; i < 70; ++i) {
        const QPointF at(8 + Hash(i, 1) * (kWidth - 16), 20 + Hash(i, 2) * 120);
        if (std::hypot(at.x() - kSource.x(), at.y() - kSource.y()) < 90) continue;
        const double size = 0.6 + Hash(i, 3) * 1.1;
        p.setPen(Qt::NoPen);
        p.setBrush(Rgba(255, 244, 214, 0.35 + 0.5 * Hash(i, 4)));
        p.drawEllipse(at, size, size);
    }

    // The warm glow round the book.
    QRadialGradient glow(kSource, 190);
    glow.setColorAt(0.0, Rgba(255, 226, 150, 0.85));
    glow.setColorAt(0.25, Rgba(255, 190, 110, 0.45));
    glow.setColorAt(0.6, Rgba(200, 120, 140, 0.12));
    glow.setColorAt(1.0, Rgba(200, 120, 140, 0.0));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), glow);
}

void PaintRays(QPainter& p) {
    // Wedges of light fanning upwards from the book, brightest at their root.
    constexpr int rays = 15;
    for (int i = 0; i < rays; ++i) {
        const double centre = kPi + kPi * (i + 0.5) / rays; // from left round to right
        const double half = kPi / rays * (i % 2 == 0 ? 0.32 : 0.18);
        const double reach = 320;
        QPainterPath wedge;
        wedge.moveTo(kSource);
        wedge.lineTo(kSource + QPointF(std::cos(centre - half), std::sin(centre - half)) * reach);
        wedge.lineTo(kSource + QPointF(std::cos(centre + half), std::sin(centre + half)) * reach);
        wedge.closeSubpath();
        QRadialGradient fade(kSource, reach);
        const double strength = i % 2 == 0 ? 0.30 : 0.18;
        fade.setColorAt(0.0, Rgba(255, 236, 180, strength));
        fade.setColorAt(0.55, Rgba(255, 220, 160, strength * 0.35));
        fade.setColorAt(1.0, Rgba(255, 220, 160, 0.0));
        p.fillPath(wedge, fade);
    }
}

// One page of the open book: from the spine out to `outer` (negative to the left).
QPainterPath Page(double outer, double lift) {
    const double spine = kMidX;
    const double top = 132, bottom = 212;
    QPainterPath page;
    page.moveTo(spine, top + 6);
    page.cubicTo(spine + outer * 0.35, top - 8 - lift, spine + outer * 0.75, top - 4 - lift,
                 spine + outer, top - lift);
    page.lineTo(spine + outer, bottom - lift);
    page.cubicTo(spine + outer * 0.75, bottom - 4 - lift, spine + outer * 0.35, bottom - 8 - lift,
                 spine, bottom + 4);
    page.closeSubpath();
    return page;
}

void PaintBook(QPainter& p) {
    // Shadow on the "table" under the book.
    QRadialGradient shadow(QPointF(kMidX, 222), 120);
    shadow.setColorAt(0.0, Rgba(8, 6, 20, 0.55));
    shadow.setColorAt(1.0, Rgba(8, 6, 20, 0.0));
    p.save();
    p.scale(1.0, 0.22);
    p.fillRect(QRectF(0, 222 / 0.22 - 140, kWidth, 280), shadow);
    p.restore();

    // The cover, a little larger than the pages.
    QPainterPath cover = Page(-104, -4).united(Page(104, -4));
    p.fillPath(cover.translated(0, 5), QColor(92, 30, 28));
    p.strokePath(cover.translated(0, 5), QPen(QColor(60, 18, 18), 1));

    // The edges of the pages beneath, then the open pages.
    for (int layer = 3; layer >= 1; --layer) {
        const QColor edge(226 - layer * 10, 212 - layer * 10, 184 - layer * 10);
        p.fillPath(Page(-98, -layer * 1.2).translated(0, layer * 1.3), edge);
        p.fillPath(Page(98, -layer * 1.2).translated(0, layer * 1.3), edge);
    }
    for (int side : {-1, 1}) {
        const QPainterPath page = Page(96 * side, 0);
        QLinearGradient paper(kMidX, 0, kMidX + 96 * side, 0);
        paper.setColorAt(0.0, QColor(200, 178, 140));
        paper.setColorAt(0.12, QColor(240, 228, 200));
        paper.setColorAt(0.6, QColor(250, 243, 224));
        paper.setColorAt(1.0, QColor(236, 224, 196));
        p.fillPath(page, paper);
        p.strokePath(page, QPen(QColor(150, 120, 84), 0.8));

        // Lines of text following the curve of the page.
        p.save();
        p.setClipPath(page);
        for (int line = 0; line < 9; ++line) {
            const double y = 142 + line * 7.5;
            const double from = kMidX + side * 12, to = kMidX + side * (line == 8 ? 52 : 86);
            QPainterPath row;
            row.moveTo(from, y + 1.5);
            row.cubicTo(from + side * 20, y - 2.5, to - side * 30, y - 2, to, y - 1);
            p.strokePath(row, QPen(Rgba(96, 78, 60, 0.55), 1.3, Qt::SolidLine, Qt::RoundCap));
        }
        // A red initial on the right page, as in an old Bible.
        if (side > 0) {
            p.fillRect(QRectF(kMidX + 12, 139, 7, 8), QColor(168, 36, 30));
        }
        p.restore();
    }
    // The fold of the spine.
    QLinearGradient fold(kMidX - 6, 0, kMidX + 6, 0);
    fold.setColorAt(0.0, Rgba(90, 60, 30, 0.0));
    fold.setColorAt(0.5, Rgba(90, 60, 30, 0.45));
    fold.setColorAt(1.0, Rgba(90, 60, 30, 0.0));
    p.fillRect(QRectF(kMidX - 6, 138, 12, 76), fold);

    // The ribbon hanging from the spine.
    QPainterPath ribbon;
    ribbon.moveTo(kMidX + 2, 212);
    ribbon.cubicTo(kMidX + 6, 222, kMidX + 2, 230, kMidX + 8, 240);
    ribbon.lineTo(kMidX + 12, 234);
    ribbon.lineTo(kMidX + 16, 242);
    ribbon.cubicTo(kMidX + 10, 230, kMidX + 14, 220, kMidX + 8, 211);
    ribbon.closeSubpath();
    p.fillPath(ribbon, QColor(178, 34, 40));
    p.strokePath(ribbon, QPen(QColor(120, 20, 26), 0.7));
}

void PaintMedallion(QPainter& p) {
    const QPointF c(kMidX, 32);
    QRadialGradient face(c + QPointF(-6, -8), 34);
    face.setColorAt(0.0, QColor(46, 70, 140));
    face.setColorAt(1.0, QColor(14, 24, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(c, 27.5, 27.5);
    QLinearGradient gold(c.x(), c.y() - 28, c.x(), c.y() + 28);
    gold.setColorAt(0.0, QColor(255, 232, 160));
    gold.setColorAt(0.5, QColor(226, 176, 72));
    gold.setColorAt(1.0, QColor(160, 110, 40));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(gold), 3));
    p.drawEllipse(c, 25.5, 25.5);
    p.setPen(QPen(Rgba(255, 230, 160, 0.5), 1));
    p.drawEllipse(c, 21, 21);

    // A cross with a soft halo.
    QRadialGradient halo(c, 20);
    halo.setColorAt(0.0, Rgba(255, 230, 150, 0.55));
    halo.setColorAt(1.0, Rgba(255, 230, 150, 0.0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(c, 20, 20);
    p.setBrush(QBrush(gold));
    p.drawRoundedRect(QRectF(c.x() - 2.5, c.y() - 15, 5, 30), 1.5, 1.5);
    p.drawRoundedRect(QRectF(c.x() - 10, c.y() - 8, 20, 5), 1.5, 1.5);
}

void PaintTitle(QPainter& p) {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(30);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    const QString title = QStringLiteral("澜晔圣经阅读器");
    const QFontMetricsF fm(font);
    const double width = fm.horizontalAdvance(title) - 2;
    const QPointF at(kMidX - width / 2, 96);
    QPainterPath text;
    text.addText(at, font, title);

    // A soft dark shadow, then gold lettering with a thin dark rim.
    for (int i = 3; i >= 1; --i)
        p.fillPath(text.translated(i * 0.6, i * 0.9), Rgba(6, 8, 24, 0.28));
    QLinearGradient gold(0, at.y() - 26, 0, at.y() + 4);
    gold.setColorAt(0.0, QColor(255, 242, 196));
    gold.setColorAt(0.55, QColor(246, 206, 110));
    gold.setColorAt(1.0, QColor(206, 150, 56));
    p.strokePath(text, QPen(Rgba(60, 30, 10, 0.6), 1.2));
    p.fillPath(text, gold);

    // A fine rule under the title with a diamond in its middle.
    const double y = 110;
    QLinearGradient rule(kMidX - 110, 0, kMidX + 110, 0);
    rule.setColorAt(0.0, Rgba(240, 200, 120, 0.0));
    rule.setColorAt(0.5, Rgba(240, 200, 120, 0.9));
    rule.setColorAt(1.0, Rgba(240, 200, 120, 0.0));
    p.fillRect(QRectF(kMidX - 110, y - 0.5, 220, 1), rule);
    QPainterPath diamond;
    diamond.moveTo(kMidX, y - 3.5);
    diamond.lineTo(kMidX + 3.5, y);
    diamond.lineTo(kMidX, y + 3.5);
    diamond.lineTo(kMidX - 3.5, y);
    diamond.closeSubpath();
    p.fillPath(diamond, QColor(246, 210, 120));
}

// "串珠版" as a red seal to the right of the book, characters stacked as on a stamp.
void PaintSeal(QPainter& p) {
    const QRectF seal(312, 150, 24, 62);
    p.setPen(Qt::NoPen);
    p.setBrush(Rgba(20, 6, 10, 0.35));
    p.drawRoundedRect(seal.translated(1.5, 2), 4, 4);
    p.setBrush(QColor(178, 38, 34));
    p.drawRoundedRect(seal, 4, 4);
    p.setPen(QPen(QColor(250, 232, 206), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(seal.adjusted(2.5, 2.5, -2.5, -2.5), 2.5, 2.5);
    QFont font(QStringLiteral("AR PL UMing CN"));
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    const QString chars = QStringLiteral("串珠版");
    for (int i = 0; i < 3; ++i)
        p.drawText(QRectF(seal.x(), seal.y() + 4 + i * 18, seal.width(), 18), Qt::AlignCenter,
                   chars.mid(i, 1));
}

// The dark band the daily verse is written on: it rises softly out of the picture.
void PaintVerseBand(QPainter& p) {
    QLinearGradient band(0, 216, 0, 252);
    band.setColorAt(0.0, Rgba(8, 10, 28, 0.0));
    band.setColorAt(1.0, Rgba(8, 10, 28, 0.86));
    p.fillRect(QRectF(0, 216, kWidth, 36), band);
    p.fillRect(QRectF(0, 252, kWidth, kHeight - 252), Rgba(8, 10, 28, 0.86));
}

void PaintInnerRim(QPainter& p) {
    QPainterPath rim;
    rim.addRoundedRect(QRectF(5.5, 21.5, kWidth - 11, kHeight - 27), 14, 14);
    QPainterPath notch;
    notch.addEllipse(QPointF(kMidX, 32), 33, 33);
    p.save();
    QPainterPath band;
    band.addRect(QRectF(0, 214, kWidth, kHeight)); // leave the verse band clear
    p.setClipPath(Silhouette().subtracted(notch).subtracted(band));
    p.strokePath(rim, QPen(Rgba(236, 196, 120, 0.45), 1));
    p.restore();
}

} // namespace

QImage PaintSplash() {
    QImage art(kWidth, kHeight, QImage::Format_RGB32);
    art.fill(QColor(20, 24, 50));
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        PaintSky(p);
        PaintRays(p);
        PaintVerseBand(p);
        PaintBook(p);
        PaintSeal(p);
        PaintTitle(p);
        PaintInnerRim(p);
        PaintMedallion(p);
    }

    // The silhouette decides each pixel outright (no soft edge: a blended edge pixel would be
    // neither the desktop nor the card). Inside it, nothing may be the transparent white.
    QImage mask(kWidth, kHeight, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(Silhouette(), Qt::white);
    }
    QImage out(kWidth, kHeight, QImage::Format_RGB888);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            QRgb c = art.pixel(x, y);
            if (qRed(mask.pixel(x, y)) == 0)
                c = kTransparent;
            else if ((c & 0xFFFFFF) == 0xFFFFFF)
                c = qRgb(254, 254, 250);
            out.setPixel(x, y, c);
        }
    return out;
}

QImage PreviewOverDesktop(const QImage& splash) {
    QImage desk(kWidth + 40, kHeight + 40, QImage::Format_RGB32);
    {
        QPainter p(&desk);
        QLinearGradient g(0, 0, desk.width(), desk.height());
        g.setColorAt(0, QColor(58, 110, 165));
        g.setColorAt(1, QColor(150, 190, 220));
        p.fillRect(desk.rect(), g);
        QImage keyed = splash.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < keyed.height(); ++y)
            for (int x = 0; x < keyed.width(); ++x)
                if ((keyed.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) keyed.setPixel(x, y, 0);
        p.drawImage(20, 20, keyed);
        QFont font(QStringLiteral("AR PL UMing CN"));
        font.setPixelSize(12);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.setPen(QColor(255, 255, 0));
        const QFontMetrics fm(font);
        p.drawText(20 + 28, 20 + kHeight - 16 - 14 + fm.ascent(),
                   QStringLiteral("神爱世人，甚至将他的独生子赐给他们，叫一切信他的，"));
        p.drawText(20 + 28, 20 + kHeight - 16 + fm.ascent(),
                   QStringLiteral("不至灭亡，反得永生。(约 3:16)"));
    }
    return desk;
}

} // namespace splashpaint
