#include "EffectTools.h"

#include <cstring>

namespace orvane::fx {

bool Usable(const QImage& frame, const QImage& pic) {
    return frame.depth() == 32 && pic.depth() == 32 && !frame.isNull() && !pic.isNull();
}

void Copy(QImage& frame, const QImage& pic, int dx, int dy, const QRect& src) {
    if (!Usable(frame, pic)) return;
    // Clip the source to the picture, move the destination along, then clip to the frame.
    QRect s = src.intersected(pic.rect());
    if (s.isEmpty()) return;
    dx += s.x() - src.x();
    dy += s.y() - src.y();
    QRect d = QRect(dx, dy, s.width(), s.height()).intersected(frame.rect());
    if (d.isEmpty()) return;
    s.translate(d.x() - dx, d.y() - dy);
    for (int row = 0; row < d.height(); ++row) {
        const auto* in = reinterpret_cast<const QRgb*>(pic.constScanLine(s.y() + row)) + s.x();
        auto* out = reinterpret_cast<QRgb*>(frame.scanLine(d.y() + row)) + d.x();
        std::memcpy(out, in, size_t(d.width()) * sizeof(QRgb));
    }
}

void Stretch(QImage& frame, const QImage& pic, const QRect& dst, const QRect& src) {
    if (!Usable(frame, pic) || dst.isEmpty() || src.isEmpty()) return;
    const QRect d = dst.intersected(frame.rect());
    if (d.isEmpty()) return;
    const int sw = src.width(), sh = src.height();
    const int maxX = pic.width() - 1, maxY = pic.height() - 1;
    for (int y = d.top(); y <= d.bottom(); ++y) {
        const int sy = std::clamp(src.y() + int(qint64(y - dst.y()) * sh / dst.height()), 0, maxY);
        const auto* in = reinterpret_cast<const QRgb*>(pic.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = d.left(); x <= d.right(); ++x) {
            const int sx =
                std::clamp(src.x() + int(qint64(x - dst.x()) * sw / dst.width()), 0, maxX);
            out[x] = in[sx];
        }
    }
}

void RevealRegion(QImage& frame, const QImage& pic, const QRegion& region) {
    for (const QRect& r : region)
        Reveal(frame, pic, r);
}

namespace {

inline QRgb Darken(QRgb c, int amount) {
    return qRgb(std::max(qRed(c) - amount, 0), std::max(qGreen(c) - amount, 0),
                std::max(qBlue(c) - amount, 0));
}

// Darkening of step i of a band n wide: full at both edges, none in the middle.
inline int BandAmount(int i, int n, int amount) {
    if (n <= 1) return amount;
    return amount * std::abs(2 * i - (n - 1)) / (n - 1);
}

} // namespace

void ShadeColumns(QImage& frame, int left, int right, int amount) {
    if (frame.depth() != 32) return;
    const int n = right - left;
    const int from = std::max(left, 0), to = std::min(right, frame.width());
    for (int y = 0; y < frame.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = from; x < to; ++x)
            line[x] = Darken(line[x], BandAmount(x - left, n, amount));
    }
}

void ShadeRows(QImage& frame, int top, int bottom, int amount) {
    if (frame.depth() != 32) return;
    const int n = bottom - top;
    const int from = std::max(top, 0), to = std::min(bottom, frame.height());
    for (int y = from; y < to; ++y) {
        const int a = BandAmount(y - top, n, amount);
        auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            line[x] = Darken(line[x], a);
    }
}

void BlendRect(QImage& frame, const QImage& pic, const QRect& r, int progress) {
    if (!Usable(frame, pic)) return;
    const QRect d = r.intersected(frame.rect()).intersected(pic.rect());
    const int c = 256 * std::clamp(progress, 0, 100) / 100;
    auto mix = [c](int o, int n) { return o + (n - o) * c / 256; };
    for (int y = d.top(); y <= d.bottom(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(pic.constScanLine(y));
        for (int x = d.left(); x <= d.right(); ++x) {
            const QRgb o = out[x], n = in[x];
            out[x] =
                qRgb(mix(qRed(o), qRed(n)), mix(qGreen(o), qGreen(n)), mix(qBlue(o), qBlue(n)));
        }
    }
}

void Rotate(QImage& frame, const QImage& pic, double px, double py, double radians) {
    if (!Usable(frame, pic)) return;
    // Inverse mapping: each frame pixel centre is turned back into the picture.
    const double c = std::cos(radians), s = std::sin(radians);
    for (int y = 0; y < frame.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const double ry = y + 0.5 - py;
        for (int x = 0; x < frame.width(); ++x) {
            const double rx = x + 0.5 - px;
            const double sx = std::floor(rx * c + ry * s + px);
            const double sy = std::floor(-rx * s + ry * c + py);
            if (sx < 0 || sy < 0 || sx >= pic.width() || sy >= pic.height()) continue;
            out[x] = reinterpret_cast<const QRgb*>(pic.constScanLine(int(sy)))[int(sx)];
        }
    }
}

double Noise(std::uint32_t seed, std::uint32_t a, std::uint32_t b) {
    // A few rounds of a well-mixed integer hash (the "lowbias32" finaliser).
    std::uint32_t h =
        seed * 0x9E3779B9u ^ (a + 0x7F4A7C15u) * 0x85EBCA6Bu ^ (b + 0x165667B1u) * 0xC2B2AE35u;
    for (int i = 0; i < 2; ++i) {
        h ^= h >> 16;
        h *= 0x7FEB352Du;
        h ^= h >> 15;
        h *= 0x846CA68Bu;
        h ^= h >> 16;
    }
    return (h >> 8) * (1.0 / 16777216.0);
}

} // namespace orvane::fx
