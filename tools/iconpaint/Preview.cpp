// An enlarged contact sheet of every picture, on a light and on a dark ground, with the
// magenta-keyed ones keyed out and the balls carrying sample numbers as the grid writes them.
#include "IconKit.h"
#include "Icons.h"

#include <QFont>

namespace iconpaint {

namespace {

constexpr int Zoom = 4;
constexpr int Slot = Cell * Zoom + 8;
constexpr int PerRow = 15;

QImage KeyedToAlpha(const QImage& keyed) {
    QImage img = keyed.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (Magenta.rgb() & 0xFFFFFF)) img.setPixel(x, y, 0);
    return img;
}

// A ball with a marker number written on it the way the chapter grid does.
QImage NumberedBall(int skin, const QString& digits) {
    QImage ball = MarkerBall(skin).convertToFormat(QImage::Format_RGB32);
    QPainter p(&ball);
    QFont font(QStringLiteral("Liberation Sans"));
    const bool small = digits.size() >= 3;
    font.setPixelSize(small ? 8 : 11);
    p.setFont(font);
    p.setPen(QColor(0, 128, 128));
    const QPoint at = small ? QPoint(2, 2) : QPoint(digits.size() == 1 ? 5 : 2, 0);
    p.drawText(QRect(at, QSize(16, 16)), Qt::AlignLeft | Qt::AlignTop, digits);
    p.end();
    return KeyedToAlpha(ball);
}

class Sheet {
public:
    Sheet(QPainter& p, const QColor& ground, const QColor& ink) : p_(p), ink_(ink) {
        (void)ground;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(10);
        p_.setFont(font);
    }
    // Draws img at 4x (nearest neighbour) in slot n of the current row, labelled.
    void Big(int n, const QImage& img, const QString& label) {
        const int x = 8 + (n % PerRow) * Slot;
        const int y = y_ + (n / PerRow) * (Slot + 14);
        p_.setPen(ink_);
        p_.drawText(x, y + 10, label);
        p_.drawImage(QRect(x, y + 14, img.width() * Zoom, img.height() * Zoom), img);
        bottom_ = std::max(bottom_, y + 14 + Slot);
    }
    void Small(int x, const QImage& img) {
        p_.drawImage(8 + x, y_, img);
        bottom_ = std::max(bottom_, y_ + img.height() + 6);
    }
    void NextRow() {
        y_ = bottom_ + 6;
        bottom_ = y_;
    }
    int Bottom() const { return bottom_; }
    void SetTop(int y) { y_ = bottom_ = y; }

private:
    QPainter& p_;
    QColor ink_;
    int y_ = 0;
    int bottom_ = 0;
};

int PaintSheet(QPainter& p, int top, const QColor& ground, const QColor& ink, int width) {
    p.fillRect(QRect(0, top, width, 1400), ground);
    Sheet s(p, ground, ink);
    s.SetTop(top + 6);
    for (int i = 0; i < ToolCount; ++i)
        s.Big(i, ToolIcon(i), QString::number(i));
    s.NextRow();
    // Actual size, once spaced out and once packed as on a tool bar.
    for (int i = 0; i < ToolCount; ++i)
        s.Small(i * 22, ToolIcon(i));
    s.NextRow();
    for (int i = 0; i < ToolCount; ++i)
        s.Small(i * 16, ToolIcon(i));
    s.NextRow();
    int n = 0;
    for (int i = 0; i < 2; ++i)
        s.Big(n++, ReportTypeIcon(i), QStringLiteral("tree %1").arg(i));
    const QString samples[] = {QStringLiteral("7"), QStringLiteral("42"), QStringLiteral("123")};
    for (int skin = 0; skin < 4; ++skin)
        for (const QString& d : samples)
            s.Big(n++, NumberedBall(skin, d), QStringLiteral("ball %1").arg(skin));
    s.Big(n++, KeyedToAlpha(CheckFlag()), QStringLiteral("check"));
    s.NextRow();
    int x = 0;
    for (int i = 0; i < 2; ++i, x += 22)
        s.Small(x, ReportTypeIcon(i));
    for (int skin = 0; skin < 4; ++skin)
        for (const QString& d : samples) {
            s.Small(x, NumberedBall(skin, d));
            x += 22;
        }
    s.Small(x, KeyedToAlpha(CheckFlag()));
    s.NextRow();
    return s.Bottom();
}

} // namespace

bool WritePreview(const QString& path) {
    const int width = 16 + PerRow * Slot;
    QImage sheet(width, 1800, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int y = PaintSheet(p, 0, QColor(0xF4, 0xF4, 0xF4), Qt::black, width);
    y = PaintSheet(p, y + 4, QColor(0x2B, 0x2D, 0x31), Qt::white, width);
    p.end();
    return sheet.copy(0, 0, width, y + 4).save(path, "PNG");
}

} // namespace iconpaint
