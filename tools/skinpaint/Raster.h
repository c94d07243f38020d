#pragma once
// Small pixel-level helpers for painting the skin pictures. Everything here works on whole pixels
// and fixed sampling patterns so that the pictures come out identical on every run.

#include <QColor>
#include <QImage>
#include <QRectF>

#include <initializer_list>
#include <vector>

namespace skinpaint {

// The colour the skinned controls treat as "not there".
inline constexpr QRgb kKey = 0xFFFF00FF;

QColor Mix(const QColor& a, const QColor& b, double t); // t = 0 gives a, t = 1 gives b
inline QColor Lighter(const QColor& c, double t) {
    return Mix(c, QColor(255, 255, 255), t);
}
inline QColor Darker(const QColor& c, double t) {
    return Mix(c, QColor(0, 0, 0), t);
}

// A colour that may sit next to the key without being taken for it.
QColor Unkeyed(const QColor& c);

struct Stop {
    double at; // row (or column) the colour is pinned to
    QColor color;
};

// `count` colours interpolated linearly between the stops; stops must be in ascending order.
std::vector<QColor> Ramp(int count, std::initializer_list<Stop> stops);
std::vector<QColor> Ramp(int count, const std::vector<Stop>& stops);

// Share of pixel (x, y) covered by a rectangle with rounded corners, from a fixed 4 x 4 grid of
// samples. `r` is in pixel-edge coordinates: pixel (x, y) spans [x, x + 1) x [y, y + 1).
double RoundRectCoverage(int x, int y, const QRectF& r, double radius);

// The ring a rounded outline would occupy: how deep pixel (x, y) lies inside `r`, in whole pixels
// (0 = outside, 1 = the outermost ring, ...), capped at `maxDepth` + 1 for the interior.
int RingDepth(int x, int y, const QRectF& r, double radius, int maxDepth);

// The colour of a pixel on a rounded shape made of `bands` (outermost first, one pixel each)
// around an interior. Fringe pixels along the outside become either the key or solid colour;
// between bands and towards the interior they are blended. Returns false when the pixel is to be
// keyed: outside the shape, or inside it when `interior` is null (a see-through middle).
bool RingPixel(int x, int y, const QRectF& r, double radius, const std::vector<QColor>& bands,
               const QColor* interior, QColor* out);

void Put(QImage& image, int x, int y, const QColor& c);
void Key(QImage& image, int x, int y);
// Alpha-blends `c` over the pixel already there.
void Blend(QImage& image, int x, int y, const QColor& c, double alpha);
void FillRect(QImage& image, const QRect& r, const QColor& c);

// A tiny bitmap given as rows of characters; every '#' becomes `c` at (x + column, y + row).
void Stamp(QImage& image, int x, int y, std::initializer_list<const char*> rows, const QColor& c);

} // namespace skinpaint
