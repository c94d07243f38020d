// The tool strip and the tree images.
#include "IconKit.h"
#include "Icons.h"

#include <QPainterPath>
#include <QPolygonF>

namespace iconpaint {

namespace {

// ---- chapter and book stepping -------------------------------------------------------------

// A left-pointing triangle with its base on a pixel boundary.
void LeftTriangle(QPainter& p, qreal tip, qreal base, const QColor& colour) {
    QPolygonF tri;
    tri << QPointF(tip, 8.0) << QPointF(base, 2.5) << QPointF(base, 13.5);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(tri);
}

QImage StepFirst() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    FillPixels(p, QRect(2, 3, 2, 10), Blue);
    LeftTriangle(p, 5.0, 13.0, Blue);
    return img;
}

QImage StepPrevious() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    LeftTriangle(p, 3.5, 11.5, Blue);
    return img;
}

QImage Mirrored(const QImage& img) {
    return img.mirrored(true, false);
}

// ---- arrows --------------------------------------------------------------------------------

QImage ArrowUp() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    p.setPen(Stroke(Blue, 2.0));
    p.drawLine(QPointF(8, 4), QPointF(8, 13));
    QPolygonF head;
    head << QPointF(3.5, 8.5) << QPointF(8, 4) << QPointF(12.5, 8.5);
    p.drawPolyline(head);
    return img;
}

QImage MoveRowToTop() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    FillPixels(p, QRect(2, 1, 12, 2), Warm);
    p.setPen(Stroke(Blue, 2.0));
    p.drawLine(QPointF(8, 7), QPointF(8, 14));
    QPolygonF head;
    head << QPointF(4, 10.5) << QPointF(8, 6.5) << QPointF(12, 10.5);
    p.drawPolyline(head);
    return img;
}

// History steps: a white arrow on a blue disc, so they are told apart from the row arrows.
QImage HistoryBack() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    p.setBrush(Blue);
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(Paper, 2.0));
    p.drawLine(QPointF(5, 8), QPointF(11.5, 8));
    QPolygonF head;
    head << QPointF(8, 4.5) << QPointF(4.5, 8) << QPointF(8, 11.5);
    p.drawPolyline(head);
    return img;
}

// ---- information -----------------------------------------------------------------------------

QImage Disc(const QColor& colour) {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    p.setBrush(colour);
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    return img;
}

QImage About() {
    QImage img = Disc(Blue);
    static const char* const Glyph[] = {
        ".##.", ".##.", "....", "###.", ".##.", ".##.", ".##.", ".##.", "####",
    };
    PutBitmap(img, 6, 3, Glyph, 9, Paper);
    return img;
}

QImage Help() {
    QImage img = Disc(Blue);
    static const char* const Glyph[] = {
        ".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..", "..##..",
    };
    PutBitmap(img, 5, 3, Glyph, 9, Paper);
    return img;
}

// ---- sheets and copying --------------------------------------------------------------------

void TextLines(QPainter& p, int x0, int x1, int y0, int count, int step, const QColor& colour,
               int lastShorter = 0) {
    for (int i = 0; i < count; ++i) {
        const int end = (i == count - 1) ? x1 - lastShorter : x1;
        FillPixels(p, QRect(x0, y0 + i * step, end - x0 + 1, 1), colour);
    }
}

QImage Copy() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    Sheet(p, QRect(1, 1, 9, 11), BlueTint, Blue);
    Sheet(p, QRect(5, 4, 10, 11), Paper, Blue);
    return img;
}

QImage CopyPlainText() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    Sheet(p, QRect(1, 1, 9, 11), BlueTint, Blue);
    Sheet(p, QRect(5, 4, 10, 11), Paper, Blue);
    TextLines(p, 7, 12, 7, 3, 2, Ink, 2);
    return img;
}

QImage CopySeveral() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    Sheet(p, QRect(1, 1, 8, 9), BlueTint, Blue);
    Sheet(p, QRect(4, 3, 8, 9), BlueTint, Blue);
    Sheet(p, QRect(7, 5, 8, 10), Paper, Blue);
    TextLines(p, 9, 12, 8, 3, 2, Ink, 1);
    return img;
}

// A sheet with its top-right corner turned down.
void DogEaredSheet(QPainter& p, const QRect& r, int ear, const QColor& fill, const QColor& edge,
                   const QColor& earFill) {
    const qreal l = r.left() + 0.5, t = r.top() + 0.5;
    const qreal rr = r.right() + 0.5, b = r.bottom() + 0.5;
    QPolygonF outline;
    outline << QPointF(l, t) << QPointF(rr - ear, t) << QPointF(rr, t + ear) << QPointF(rr, b)
            << QPointF(l, b);
    p.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPolygon(outline);
    QPolygonF earShape;
    earShape << QPointF(rr - ear, t) << QPointF(rr - ear, t + ear) << QPointF(rr, t + ear);
    p.setBrush(earFill);
    p.drawPolygon(earShape);
}

QImage Remark() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    DogEaredSheet(p, QRect(1, 1, 10, 14), 3, Paper, Ink, BlueTint);
    TextLines(p, 3, 8, 5, 3, 2, InkSoft, 2);
    // A pencil lying across the sheet's lower right, tip pointing down-left.
    p.translate(9.0, 10.0);
    p.rotate(-45.0);
    const qreal w = 2.0; // half the pencil's thickness
    QPolygonF body;
    body << QPointF(-1.5, -w) << QPointF(6.5, -w) << QPointF(6.5, w) << QPointF(-1.5, w);
    p.setPen(QPen(WarmDark, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Warm);
    p.drawPolygon(body);
    QPolygonF tip;
    tip << QPointF(-1.5, -w) << QPointF(-5.5, 0) << QPointF(-1.5, w);
    p.setBrush(QColor(0xF6, 0xDC, 0xB4));
    p.drawPolygon(tip);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    QPolygonF lead;
    lead << QPointF(-4.0, -0.8) << QPointF(-5.8, 0) << QPointF(-4.0, 0.8);
    p.drawPolygon(lead);
    return img;
}

QImage ReleaseNotes() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    DogEaredSheet(p, QRect(1, 0, 11, 15), 3, Paper, Ink, BlueTint);
    TextLines(p, 3, 8, 4, 4, 2, InkSoft, 2);
    // The "new" badge: an upward arrow on a green disc, set pixel by pixel to stay sharp.
    p.setPen(QPen(Paper, 1.0));
    p.setBrush(Green);
    p.drawEllipse(QPointF(11.5, 11.5), 4.5, 4.5);
    p.end();
    static const char* const Arrow[] = {"...#...", "..###..", ".#####.", "..###..", "..###.."};
    PutBitmap(img, 8, 9, Arrow, 5, Paper);
    return img;
}

// The note marker of the chapter grid: a yellow sticky sheet with a folded corner.
QImage NoteSheet() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    QPolygonF outline;
    outline << QPointF(1.5, 1.5) << QPointF(14.5, 1.5) << QPointF(14.5, 10.5) << QPointF(10.5, 14.5)
            << QPointF(1.5, 14.5);
    p.setPen(QPen(NoteEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(NoteFill);
    p.drawPolygon(outline);
    QPolygonF fold;
    fold << QPointF(10.5, 14.5) << QPointF(10.5, 10.5) << QPointF(14.5, 10.5);
    p.setBrush(NoteFold);
    p.drawPolygon(fold);
    TextLines(p, 4, 11, 4, 3, 2, NoteLine);
    FillPixels(p, QRect(4, 10, 4, 1), NoteLine);
    return img;
}

QImage Find() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    p.setPen(Stroke(BlueDark, 3.0));
    p.drawLine(QPointF(10.5, 10.5), QPointF(13.5, 13.5));
    p.setPen(QPen(Blue, 2.0));
    p.setBrush(QColor(0xD8, 0xE6, 0xF7, 170));
    p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
    return img;
}

QImage Editor() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    Sheet(p, QRect(1, 2, 14, 12), Paper, BlueDark);
    FillPixels(p, QRect(2, 3, 12, 2), Blue);
    TextLines(p, 4, 11, 7, 3, 2, Ink, 3);
    return img;
}

// ---- bookmarks -----------------------------------------------------------------------------

// Ten clearly different hues, all dark enough to carry a white digit.
const QColor BookmarkColours[10] = {
    {0xD0, 0x3E, 0x3A}, {0xE0, 0x74, 0x1E}, {0xB8, 0x8A, 0x00}, {0x3A, 0x96, 0x3F},
    {0x12, 0x92, 0x8C}, {0x2D, 0x6C, 0xC8}, {0x5A, 0x4F, 0xC8}, {0x90, 0x42, 0xB4},
    {0xC8, 0x3C, 0x86}, {0x6E, 0x62, 0x58},
};

// A ribbon hanging at the cell's right edge, a notch cut into its tail; the slot digit on it.
QImage Bookmark(int digit) {
    static const char* const Ribbon[] = {
        "#########", "#########", "#########", "#########", "#########", "#########", "#########",
        "#########", "#########", "#########", "#########", "####.####", "###...###", "##.....##",
    };
    constexpr int Rows = 14, Cols = 9, X = 6, Y = 1;
    auto inside = [&](int c, int r) {
        return c >= 0 && r >= 0 && c < Cols && r < Rows && Ribbon[r][c] == '#';
    };
    const QColor fill = BookmarkColours[digit];
    const QColor edge = fill.darker(140);
    QImage img = BlankCell();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) {
            if (!inside(c, r)) continue;
            const bool border =
                !inside(c - 1, r) || !inside(c + 1, r) || !inside(c, r - 1) || !inside(c, r + 1);
            img.setPixel(X + c, Y + r, (border ? edge : fill).rgba());
        }
    PutBitmap(img, X + 2, Y + 2, Digit5x7(digit), 7, Paper);
    return img;
}

// ---- tree ----------------------------------------------------------------------------------

QImage ClosedBook() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    // Page block showing under the cover's lower edge, then the cover itself.
    Sheet(p, QRect(3, 10, 11, 5), Paper, BlueDark);
    Sheet(p, QRect(2, 1, 12, 12), Blue, BlueDark);
    FillPixels(p, QRect(4, 2, 1, 10), BlueDark);
    TextLines(p, 5, 12, 13, 1, 1, InkSoft);
    // A small gold cross on the cover.
    FillPixels(p, QRect(9, 3, 1, 7), Gold);
    FillPixels(p, QRect(7, 5, 5, 1), Gold);
    return img;
}

QImage OpenBook() {
    QImage img = BlankCell();
    QPainter p(&img);
    Begin(p);
    // The binding under the pages.
    QPainterPath cover;
    cover.moveTo(0.5, 4.5);
    cover.lineTo(0.5, 13.5);
    cover.lineTo(7.0, 13.5);
    cover.lineTo(8.0, 14.5);
    cover.lineTo(9.0, 13.5);
    cover.lineTo(15.5, 13.5);
    cover.lineTo(15.5, 4.5);
    p.setPen(QPen(BlueDark, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Blue);
    p.drawPath(cover);
    // Two pages bowing up from the spine.
    p.setBrush(Paper);
    QPainterPath left;
    left.moveTo(8.0, 3.5);
    left.cubicTo(6.0, 2.0, 3.5, 2.0, 1.5, 2.5);
    left.lineTo(1.5, 12.5);
    left.cubicTo(3.5, 12.0, 6.0, 12.0, 8.0, 13.5);
    left.closeSubpath();
    p.drawPath(left);
    QPainterPath right;
    right.moveTo(8.0, 3.5);
    right.cubicTo(10.0, 2.0, 12.5, 2.0, 14.5, 2.5);
    right.lineTo(14.5, 12.5);
    right.cubicTo(12.5, 12.0, 10.0, 12.0, 8.0, 13.5);
    right.closeSubpath();
    p.drawPath(right);
    TextLines(p, 3, 6, 5, 3, 2, InkSoft);
    TextLines(p, 10, 13, 5, 3, 2, InkSoft);
    return img;
}

} // namespace

QImage ToolIcon(int index) {
    switch (index) {
    case 2:
        return StepFirst();
    case 3:
        return StepPrevious();
    case 4:
        return Mirrored(StepPrevious());
    case 5:
        return Mirrored(StepFirst());
    case 12:
        return Help();
    case 13:
        return About();
    case 14:
        return Copy();
    case 16:
        return Remark();
    case 17:
        return ReleaseNotes();
    case 18:
        return NoteSheet();
    case 20:
        return MoveRowToTop();
    case 21:
        return Find();
    case 33:
        return CopyPlainText();
    case 35:
        return CopySeveral();
    case 36:
        return Editor();
    case 37:
        return ArrowUp();
    case 38:
        return ArrowUp().mirrored(false, true);
    case 43:
        return HistoryBack();
    case 44:
        return Mirrored(HistoryBack());
    default:
        if (index >= 22 && index <= 31) return Bookmark(index - 22);
        return BlankCell();
    }
}

QImage ReportTypeIcon(int index) {
    return index == 0 ? ClosedBook() : OpenBook();
}

} // namespace iconpaint
