#include "ScaledPictures.h"

#include "SkinState.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

namespace orvane {
namespace {

const QColor kMarkerNumberColour(0, 128, 128);

size_t PixelKey(const QImage& image, int size, bool keyed) {
    const size_t bits =
        qHashBits(image.constBits(), size_t(image.sizeInBytes()), size_t(image.format()));
    return bits ^ (size_t(size) << 1 | size_t(keyed)) * 0x9E3779B97F4A7C15ull;
}

const QImage& Cached(const QImage& source, int size, bool keyed) {
    static QHash<size_t, QImage> cache;
    const size_t key = PixelKey(source, size, keyed);
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) return *it;
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    if (keyed) {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] | 0xFF000000u) == kMagenta) line[x] = 0;
        }
    }
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // A handful of pictures per skin and size; a runaway cache would mean a bug elsewhere.
    if (cache.size() > 512) cache.clear();
    return *cache.insert(key, image);
}

} // namespace

const QImage& ScaledKeyedPicture(const QImage& keyed, int size) {
    return Cached(keyed, size, true);
}

const QImage& ScaledPicture(const QImage& picture, int size) {
    return Cached(picture, size, false);
}

QImage ScaledMarkerBall(const QImage& keyedBall, int size, const QString& digits, int pixelSize,
                        QPoint at) {
    QImage ball = ScaledKeyedPicture(keyedBall, size);
    if (digits.isEmpty()) return ball;
    QPainter p(&ball);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, pixelSize));
    font.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(font);
    p.setPen(kMarkerNumberColour);
    p.drawText(at + QPoint(0, QFontMetrics(font).ascent()), digits);
    return ball;
}

} // namespace orvane
