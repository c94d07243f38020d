#include "ReaderPictures.h"

#include <QColor>
#include <QString>

// Q_INIT_RESOURCE declares a function, so it has to be used outside any namespace.
static void InitPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace orvane {

namespace {

constexpr int Cell = 16;
constexpr QRgb Magenta = 0xFFFF00FF;

struct Strips {
    QImage tools, report, ball, narrowBall, check;
};

// Loads the embedded strips once, each already in the pixel format its users expect, so every
// cut is a plain copy.
const Strips& Loaded() {
    static const Strips strips = [] {
        InitPictureResources();
        auto load = [](const char* name, QImage::Format format) {
            const QImage img(QStringLiteral(":/pictures/") + QLatin1String(name));
            return img.isNull() ? img : img.convertToFormat(format);
        };
        return Strips{
            load("TOOLS", QImage::Format_ARGB32), load("REPORTTYPE", QImage::Format_ARGB32),
            load("BALL", QImage::Format_RGB888), load("NARROWBALL", QImage::Format_RGB888),
            load("CHECKFLAG", QImage::Format_RGB888)};
    }();
    return strips;
}

QImage Transparent() {
    QImage img(Cell, Cell, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// Slot `index` of a strip of 16-px images, or null when the strip does not reach it.
QImage Cut(const QImage& strip, int index, int count) {
    if (index < 0 || index >= count || strip.isNull() || strip.width() < Cell * (index + 1))
        return QImage();
    return strip.copy(Cell * index, 0, Cell, Cell);
}

} // namespace

QImage ToolImage(int index) {
    QImage img = Cut(Loaded().tools, index, ToolImageCount);
    return img.isNull() ? Transparent() : img;
}

QImage ReportTypeImage(int index) {
    QImage img = Cut(Loaded().report, index, ReportTypeImageCount);
    return img.isNull() ? Transparent() : img;
}

namespace {

QImage KeyedBall(const QImage& strip, int skinIndex) {
    QImage img = Cut(strip, skinIndex, BallImageCount);
    if (img.isNull()) {
        img = QImage(Cell, Cell, QImage::Format_RGB888);
        img.fill(QColor::fromRgb(Magenta));
    }
    return img;
}

} // namespace

QImage BallImage(int skinIndex) {
    return KeyedBall(Loaded().ball, skinIndex);
}

QImage NarrowBallImage(int skinIndex) {
    return KeyedBall(Loaded().narrowBall, skinIndex);
}

QImage CheckFlagImage() {
    const QImage& img = Loaded().check;
    if (!img.isNull()) return img.copy();
    QImage blank(14, 11, QImage::Format_RGB888);
    blank.fill(QColor::fromRgb(Magenta));
    return blank;
}

} // namespace orvane
