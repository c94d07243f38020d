// Effects built from cells: random squares and triangles, rectangles growing from their
// centres in a wave, a spiral of cells, diamonds, zigzag fronts and pixelation.

#include "ComplexRegion.h"
#include "EffectFamilies.h"
#include "EffectTools.h"

#include <cmath>
#include <vector>

namespace orvane::fx {

namespace {

// The frame divided into cells about `divisions` to the shorter side (at least 2 pixels each).
struct Grid {
    int cell, cols, rows;
    Grid(int W, int H, int divisions) {
        cell = std::max(2, std::min(W, H) / divisions);
        cols = (W + cell - 1) / cell;
        rows = (H + cell - 1) / cell;
    }
    QRect Rect(int c, int r) const { return QRect(c * cell, r * cell, cell, cell); }
};

// The part of `cell` grown from its centre to the share `t` (0..1) of its size; the whole cell
// at 1.
QRect Grown(const QRect& cell, double t) {
    t = std::clamp(t, 0.0, 1.0);
    const int w = int(std::ceil(cell.width() * t)), h = int(std::ceil(cell.height() * t));
    return QRect(cell.x() + (cell.width() - w) / 2, cell.y() + (cell.height() - h) / 2, w, h);
}

// Cells that grow from their centres, each starting at delay(c, r) (below 1 - span) and taking
// `span` of the run to fill.
template <class Delay>
void GrowCells(QImage& f, const QImage& n, int W, int H, int p, int divisions, double span,
               Delay delay) {
    const Grid g(W, H, divisions);
    TComplexRegion region;
    for (int r = 0; r < g.rows; ++r)
        for (int c = 0; c < g.cols; ++c) {
            const QRect part = Grown(g.Rect(c, r), (p / 100.0 - delay(c, r, g)) / span);
            region.AddRect(part.left(), part.top(), part.right() + 1, part.bottom() + 1);
        }
    RevealRegion(f, n, region.CreateRegion());
}

// Position of cell (c, r) on a clockwise spiral from the top-left corner inwards.
std::vector<int> SpiralOrder(int cols, int rows) {
    std::vector<int> order(size_t(cols * rows));
    int left = 0, top = 0, right = cols - 1, bottom = rows - 1, k = 0;
    while (left <= right && top <= bottom) {
        for (int c = left; c <= right; ++c)
            order[size_t(top * cols + c)] = k++;
        for (int r = top + 1; r <= bottom; ++r)
            order[size_t(r * cols + right)] = k++;
        if (top < bottom)
            for (int c = right - 1; c >= left; --c)
                order[size_t(bottom * cols + c)] = k++;
        if (left < right)
            for (int r = bottom - 1; r > top; --r)
                order[size_t(r * cols + left)] = k++;
        ++left, ++top, --right, --bottom;
    }
    return order;
}

// A triangle wave of the given period, 0 .. 1.
double Zigzag(int i, int period) {
    const double phase = std::fmod(i + 0.5, double(period)) / period;
    return phase < 0.5 ? 2 * phase : 2 - 2 * phase;
}

// Pixelate from `source` with square blocks of `block` pixels, each the colour of its middle.
void Blocks(QImage& f, const QImage& source, int block) {
    if (!Usable(f, source)) return;
    const QImage src = source.copy(); // `source` may be the frame itself
    const int w = std::min(f.width(), src.width()), h = std::min(f.height(), src.height());
    for (int y = 0; y < h; ++y) {
        const int by = std::min(y / block * block + block / 2, h - 1);
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(by));
        auto* out = reinterpret_cast<QRgb*>(f.scanLine(y));
        for (int x = 0; x < w; ++x)
            out[x] = in[std::min(x / block * block + block / 2, w - 1)];
    }
}

} // namespace

void AddShapeEffects(TEffectTable& t) {
    // Squares split along a diagonal; the triangles appear in random order.
    t[117] = [](ORVANE_FX_ARGS) {
        const Grid g(W, H, 10);
        RevealByArrival(f, n, p, [&](int x, int y) {
            const int c = x / g.cell, r = y / g.cell;
            const int half = (x % g.cell) > (y % g.cell) ? 1 : 0;
            return Noise(117, std::uint32_t(r * g.cols + c), std::uint32_t(half));
        });
    };
    t[127] = [](ORVANE_FX_ARGS) {
        const Grid g(W, H, 12);
        TComplexRegion region;
        for (int r = 0; r < g.rows; ++r)
            for (int c = 0; c < g.cols; ++c)
                if (Noise(127, std::uint32_t(r * g.cols + c)) < p / 100.0) {
                    const QRect cell = g.Rect(c, r);
                    region.AddRect(cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1);
                }
        RevealRegion(f, n, region.CreateRegion());
    };
    t[142] = [](ORVANE_FX_ARGS) {
        GrowCells(f, n, W, H, p, 8, 0.5, [](int c, int r, const Grid& g) {
            return 0.5 * Noise(142, std::uint32_t(r * g.cols + c));
        });
    };
    // A wave of growing rectangles crossing the frame.
    t[145] = [](ORVANE_FX_ARGS) {
        GrowCells(f, n, W, H, p, 8, 0.4,
                  [](int c, int, const Grid& g) { return 0.6 * c / g.cols; });
    };
    t[146] = [](ORVANE_FX_ARGS) {
        GrowCells(f, n, W, H, p, 8, 0.4,
                  [](int c, int, const Grid& g) { return 0.6 * (g.cols - 1 - c) / g.cols; });
    };
    t[147] = [](ORVANE_FX_ARGS) {
        GrowCells(f, n, W, H, p, 8, 0.4,
                  [](int, int r, const Grid& g) { return 0.6 * r / g.rows; });
    };
    t[148] = [](ORVANE_FX_ARGS) {
        GrowCells(f, n, W, H, p, 8, 0.4,
                  [](int, int r, const Grid& g) { return 0.6 * (g.rows - 1 - r) / g.rows; });
    };
    t[167] = [](ORVANE_FX_ARGS) {
        GrowCells(f, n, W, H, p, 8, 0.4,
                  [](int c, int r, const Grid& g) { return 0.6 * (c + r) / (g.cols + g.rows); });
    };
    t[151] = [](ORVANE_FX_ARGS) {
        const Grid g(W, H, 8);
        const std::vector<int> order = SpiralOrder(g.cols, g.rows);
        const int shown = int(std::ceil(order.size() * p / 100.0));
        TComplexRegion region;
        for (int r = 0; r < g.rows; ++r)
            for (int c = 0; c < g.cols; ++c)
                if (order[size_t(r * g.cols + c)] < shown) {
                    const QRect cell = g.Rect(c, r);
                    region.AddRect(cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1);
                }
        RevealRegion(f, n, region.CreateRegion());
    };

    // Zigzag fronts: a saw-toothed edge crossing downwards, or to the right.
    t[162] = [](ORVANE_FX_ARGS) {
        const int period = std::max(4, W / 6);
        const double depth = H / 6.0;
        RevealByArrival(f, n, p, [=](int x, int y) {
            return (y + 0.5 + depth * Zigzag(x, period)) / (H + depth);
        });
    };
    t[163] = [](ORVANE_FX_ARGS) {
        const int period = std::max(4, H / 6);
        const double depth = W / 6.0;
        RevealByArrival(f, n, p, [=](int x, int y) {
            return (x + 0.5 + depth * Zigzag(y, period)) / (W + depth);
        });
    };

    // Diamonds: a grid turned by 45 degrees whose cells grow from their centres at random.
    t[164] = [](ORVANE_FX_ARGS) {
        const double s = std::max(4, std::min(W, H) / 6);
        RevealByArrival(f, n, p, [=](int x, int y) {
            const double a = x + y + 1.0, b = x - y + H; // both >= 0
            const auto ca = std::uint32_t(a / s), cb = std::uint32_t(b / s);
            const double inner =
                std::max(std::abs(std::fmod(a, s) / s - 0.5), std::abs(std::fmod(b, s) / s - 0.5));
            return 0.5 * Noise(164, ca, cb) + inner;
        });
    };
    t[165] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return (FromMiddle(x, W) + FromMiddle(y, H)) / 2; });
    };
    t[166] = [](ORVANE_FX_ARGS) {
        RevealByArrival(
            f, n, p, [=](int x, int y) { return 1.0 - (FromMiddle(x, W) + FromMiddle(y, H)) / 2; });
    };

    // Pixelate: the old picture breaks into ever larger blocks, then the new one comes out of
    // large blocks into full detail.
    t[168] = [](ORVANE_FX_ARGS) {
        const int largest = std::max(2, std::min(W, H) / 8);
        if (p < 50) {
            Blocks(f, f, 1 + (largest - 1) * p / 50);
        } else {
            Blocks(f, n, 1 + (largest - 1) * (100 - p) / 50);
        }
    };
}

} // namespace orvane::fx
