// orvane-effectsheet OUT.png [PROGRESS]: every transition of the splash, from a dark striped
// picture to the built-in splash picture, frozen at PROGRESS (default 40), one labelled tile
// per style, 12 tiles a row. A tile that does not show its named effect is a broken routine.
#include "Effects.h"
#include "SplashPicture.h"

#include <QApplication>
#include <QPainter>

#include <cstdio>

using namespace orvane;

namespace {

constexpr int kTileW = 130, kTileH = 97, kLabelH = 14, kColumns = 12;

// Dark with light diagonal stripes: unlike the new picture everywhere, so each effect's
// revealed area reads at a glance.
QImage OldPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 40, 60));
    QPainter p(&image);
    p.setPen(QPen(QColor(90, 110, 140), 3));
    for (int x = -size.height(); x < size.width(); x += 12)
        p.drawLine(x, 0, x + size.height(), size.height());
    return image;
}

QImage Frame(int style, const QImage& oldPic, const QImage& newPic, int progress) {
    QImage frame = oldPic.copy();
    const int W = newPic.width(), H = newPic.height();
    int X = 0, Y = 0;
    EffectExtent(W, H, progress, X, Y);
    EffectProc(style)(frame, newPic, W, progress, Y, X, H);
    return frame;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane-effectsheet OUT.png [PROGRESS]\n");
        return 2;
    }
    const int progress = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 99) : 40;
    const QImage newPic =
        BuiltInSplashPicture()
            .scaled(kTileW, kTileH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    const QImage oldPic = OldPicture(newPic.size());

    const int rows = (kEffectCount + kColumns - 1) / kColumns;
    QImage sheet(kColumns * (kTileW + 4) + 4, rows * (kTileH + kLabelH + 4) + 4,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    for (int style = 1; style <= kEffectCount; ++style) {
        const int col = (style - 1) % kColumns, row = (style - 1) / kColumns;
        const QPoint at(4 + col * (kTileW + 4), 4 + row * (kTileH + kLabelH + 4));
        p.drawImage(at + QPoint(0, kLabelH), Frame(style, oldPic, newPic, progress));
        const QString label = QStringLiteral("%1 %2").arg(style).arg(EffectName(style));
        p.setPen(Qt::black);
        p.drawText(QRect(at, QSize(kTileW, kLabelH)), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(label, Qt::ElideRight, kTileW));
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
