#include "NotesIcons.h"

#include "ReaderPictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace orvane {

namespace {

// The reading window's palette, so the pictures sit together on one tool bar.
const QColor kBlue{0x2D, 0x6C, 0xC0};
const QColor kBlueDark{0x1E, 0x4C, 0x8C};
const QColor kBlueTint{0xD8, 0xE6, 0xF7};
const QColor kInk{0x4A, 0x54, 0x62};
const QColor kInkSoft{0x9A, 0xA4, 0xB2};
const QColor kGreen{0x2E, 0x97, 0x50};
const QColor kWarm{0xE3, 0x7A, 0x2A};
const QColor kRed{0xCC, 0x2E, 0x2E};

constexpr int kToolCopy = 14;
constexpr int kToolFind = 21;

QImage Blank() {
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QPen Stroke(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QImage Tick() {
    QImage img = Blank();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Stroke(kGreen, 2.6));
    p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.0, 12.0), QPointF(13.5, 3.5)}));
    return img;
}

QImage TurnBack() {
    QImage img = Blank();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // An arc from the lower right curling up and back to the left, the head at its end.
    QPainterPath arc;
    arc.moveTo(12.0, 13.0);
    arc.cubicTo(15.5, 8.0, 12.0, 4.5, 5.0, 5.5);
    p.setPen(Stroke(kWarm, 2.0));
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(kWarm);
    p.drawPolygon(QPolygonF({QPointF(1.0, 5.5), QPointF(6.5, 1.5), QPointF(6.5, 9.5)}));
    return img;
}

QImage StruckSheet() {
    QImage img = Blank();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 9, 12));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 4; y <= 10; y += 2)
        p.fillRect(QRect(4, y, 6, 1), kInkSoft);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Stroke(kRed, 2.2));
    p.drawLine(QPointF(8.0, 8.0), QPointF(14.0, 14.0));
    p.drawLine(QPointF(14.0, 8.0), QPointF(8.0, 14.0));
    return img;
}

QImage Globe() {
    QImage img = Blank();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(8.0, 8.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlueTint);
    p.drawEllipse(centre, 6.5, 6.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBlue, 1.0));
    p.drawEllipse(centre, 3.0, 6.5);
    p.drawLine(QPointF(8.0, 1.5), QPointF(8.0, 14.5));
    p.drawLine(QPointF(1.5, 8.0), QPointF(14.5, 8.0));
    p.drawLine(QPointF(3.0, 4.5), QPointF(13.0, 4.5));
    p.drawLine(QPointF(3.0, 11.5), QPointF(13.0, 11.5));
    p.setPen(QPen(kBlueDark, 1.2));
    p.drawEllipse(centre, 6.5, 6.5);
    return img;
}

} // namespace

QIcon NotesToolIcon(NotesIcon which) {
    QImage img;
    switch (which) {
    case NotesIcon::Save:
        img = Tick();
        break;
    case NotesIcon::Cancel:
        img = TurnBack();
        break;
    case NotesIcon::Delete:
        img = StruckSheet();
        break;
    case NotesIcon::Copy:
        img = ToolImage(kToolCopy);
        break;
    case NotesIcon::Find:
        img = ToolImage(kToolFind);
        break;
    case NotesIcon::WebSearch:
        img = Globe();
        break;
    }
    return QIcon(QPixmap::fromImage(img));
}

} // namespace orvane
