#pragma once
// Pixel tools shared by the transition routines. Every routine works on a frame that already
// holds the old picture and brings in pixels of the new one; these helpers do the copying,
// stretching and masking, and clip every write to the frame and every read to the new picture,
// so no routine can touch memory outside either image whatever numbers it computes.
//
// Both images are 32 bits per pixel (QImage::Format_RGB32); the helpers check that and do
// nothing otherwise.

#include <QImage>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvane::fx {

bool Usable(const QImage& frame, const QImage& pic);

// Copies `src` of the new picture unscaled so that its top-left lands on (dx, dy).
void Copy(QImage& frame, const QImage& pic, int dx, int dy, const QRect& src);
// The new picture's pixels of `r`, in place.
inline void Reveal(QImage& frame, const QImage& pic, const QRect& r) {
    Copy(frame, pic, r.x(), r.y(), r);
}
// Nearest-pixel stretch of `src` of the new picture onto `dst`; equal sizes copy exactly.
// Nearest sampling keeps every shown pixel a pixel of the picture.
void Stretch(QImage& frame, const QImage& pic, const QRect& dst, const QRect& src);
void RevealRegion(QImage& frame, const QImage& pic, const QRegion& region);

// Reveals the new picture wherever `show(x, y)` is true.
template <class Pred> void RevealIf(QImage& frame, const QImage& pic, Pred show) {
    if (!Usable(frame, pic)) return;
    const int w = std::min(frame.width(), pic.width());
    const int h = std::min(frame.height(), pic.height());
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(pic.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (show(x, y)) out[x] = in[x];
    }
}

// The common shape of a reveal: every pixel has an arrival time in [0, 1) and shows the new
// picture once progress / 100 has passed it. Arrival times are clamped into [0, 1), so
// progress 100 shows the whole new picture and progress 0 none of it, whatever the formula.
template <class Arrival>
void RevealByArrival(QImage& frame, const QImage& pic, int progress, Arrival arrival) {
    const double t = progress / 100.0;
    RevealIf(frame, pic, [&](int x, int y) {
        const double a = std::clamp(static_cast<double>(arrival(x, y)), 0.0, 0.999999);
        return a < t;
    });
}

// Positions of pixel centres in [0, 1): across from the left (or top) edge.
inline double Along(int i, int n) {
    return (i + 0.5) / n;
}
// Distance of a pixel centre from the middle line, 0 at the middle to just under 1 at the edges.
inline double FromMiddle(int i, int n) {
    const double half = n / 2.0;
    return std::abs(i + 0.5 - half) / half;
}

// The darkening band of the unroll effects: columns [left, right) (or rows [top, bottom)) lose
// `amount` at the band's two edges, nothing in its middle, linearly in between; channels clamp
// at 0.
void ShadeColumns(QImage& frame, int left, int right, int amount);
void ShadeRows(QImage& frame, int top, int bottom, int amount);

// Per channel: old + (new - old) * c / 256 with c = 256 * progress / 100, inside `r` only.
void BlendRect(QImage& frame, const QImage& pic, const QRect& r, int progress);

// Draws the new picture turned by `radians` (clockwise on screen) about (px, py), nearest
// sampled; an angle of 0 copies it exactly.
void Rotate(QImage& frame, const QImage& pic, double px, double py, double radians);

// A fixed pseudo-random number in [0, 1) for the pair (a, b) under `seed`: the same inputs give
// the same number on every run and every machine.
double Noise(std::uint32_t seed, std::uint32_t a, std::uint32_t b = 0);

// The classic linear congruential generator (seed * 0x08088405 + 1), for the dissolve family,
// which draws its numbers pixel after pixel from a seed of W + H.
class TLcg {
public:
    explicit TLcg(std::uint32_t seed) : seed_(seed) {}
    // A number in [0, range).
    int Next(int range) {
        seed_ = seed_ * 0x08088405u + 1u;
        return static_cast<int>((static_cast<std::uint64_t>(seed_) * std::uint32_t(range)) >> 32);
    }

private:
    std::uint32_t seed_;
};

} // namespace orvane::fx
