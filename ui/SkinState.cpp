#include "SkinState.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>
#include <QResource>

static void InitSkinResources() {
    Q_INIT_RESOURCE(skins);
}

namespace orvane {

int SkinIndex = kSkinSystem;
QColor SkinFaceColor;
QColor SkinMenuHotTextColor(Qt::white);
QImage SkinImage;
QImage SkinFormTexture;
QImage SkinFrame;
QImage SkinBarFace;
QImage SkinCellFace;
QImage SkinCellFaceSmall;
QImage SkinSplitterH;
QImage SkinSplitterV;
QImage SkinMenuHighlight;

QColor SkinAccentColor() {
    if (SkinMenuHighlight.width() <= 12 || SkinMenuHighlight.height() <= 12) return Qt::black;
    return SkinMenuHighlight.pixelColor(12, 12);
}

QString SkinResourceName(int index) {
    switch (index) {
    case 1:
        return QStringLiteral("LIGHT");
    case 2:
        return QStringLiteral("RED");
    case 3:
        return QStringLiteral("BLACK");
    default:
        return {};
    }
}

QImage LoadBitmapResource(const QString& name) {
    static const bool ready = (InitSkinResources(), true);
    Q_UNUSED(ready);
    // Resource names are stored in capitals; the callers may spell them any way.
    const QString upper = name.toUpper();
    for (const char* folder : {":/skins/", ":/bitmaps/"}) {
        QImage image(QLatin1String(folder) + upper);
        if (!image.isNull()) return image.convertToFormat(QImage::Format_RGB888);
    }
    return {};
}

QImage SkinBlock(int x, int y, int width, int height) {
    QImage block(width, height, QImage::Format_RGB888);
    block.fill(Qt::gray);
    QPainter p(&block);
    p.drawImage(QPoint(0, 0), SkinImage, QRect(x, y, width, height));
    return block;
}

void LoadSkin(int index) {
    QImage picture = LoadBitmapResource(SkinResourceName(index));
    if (picture.width() < kSkinWidth || picture.height() < kSkinHeight) {
        picture = QImage(kSkinWidth, kSkinHeight, QImage::Format_RGB888);
        picture.fill(QColor(200, 200, 200));
    }
    SkinImage = picture;
    SkinFormTexture = SkinBlock(69, 0, 26, 26);
    SkinFrame = SkinBlock(96, 24, 30, 36);
    SkinBarFace = SkinBlock(95, 0, 8, 20);
    SkinCellFace = SkinBlock(103, 0, 8, 24);
    SkinCellFaceSmall = SkinBlock(103, 8, 8, 16);
    SkinSplitterH = SkinBlock(111, 0, 25, 7);
    SkinSplitterV = SkinBlock(136, 0, 7, 25);
    // What the tool-bar panel derives from its background; set here too so windows without
    // that panel (dialogs) see the new skin's highlight.
    SkinMenuHighlight = SkinBlock(111, 6, 24, 18);
}

QPixmap KeyedPixmap(const QImage& image) {
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(kMagenta, Qt::MaskInColor)));
    return pixmap;
}

void DrawKeyed(QPainter& painter, const QRect& target, const QImage& image, QRect source) {
    if (image.isNull()) return;
    if (source.isNull()) source = image.rect();
    QImage piece = image.copy(source).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < piece.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < piece.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (kMagenta & 0xFFFFFF)) row[x] = 0;
    }
    painter.drawImage(target, piece);
}

void DrawKeyed(QPainter& painter, const QPoint& at, const QImage& image, QRect source) {
    if (source.isNull()) source = image.rect();
    DrawKeyed(painter, QRect(at, source.size()), image, source);
}

} // namespace orvane
