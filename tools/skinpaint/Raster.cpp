#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace skinpaint {

QColor Mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()));
}

QColor Unkeyed(const QColor& c) {
    if (c.rgb() != kKey) return c;
    return QColor(254, 0, 254);
}

std::vector<QColor> Ramp(int count, const std::vector<Stop>& stops) {
    std::vector<QColor> out(std::max(count, 0));
    for (int i = 0; i < count; ++i) {
        if (stops.empty()) break;
        if (i <= stops.front().at) {
            out[i] = stops.front().color;
            continue;
        }
        if (i >= stops.back().at) {
            out[i] = stops.back().color;
            continue;
        }
        for (std::size_t k = 1; k < stops.size(); ++k) {
            if (i <= stops[k].at) {
                const Stop& a = stops[k - 1];
                const Stop& b = stops[k];
                const double span = b.at - a.at;
                out[i] = Mix(a.color, b.color, span > 0 ? (i - a.at) / span : 1.0);
                break;
            }
        }
    }
    return out;
}

std::vector<QColor> Ramp(int count, std::initializer_list<Stop> stops) {
    return Ramp(count, std::vector<Stop>(stops));
}

static bool InsideRoundRect(double px, double py, const QRectF& r, double radius) {
    if (px < r.left() || px > r.right() || py < r.top() || py > r.bottom()) return false;
    radius = std::max(0.0, std::min({radius, r.width() / 2, r.height() / 2}));
    const double cx = std::clamp(px, r.left() + radius, r.right() - radius);
    const double cy = std::clamp(py, r.top() + radius, r.bottom() - radius);
    const double dx = px - cx;
    const double dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

double RoundRectCoverage(int x, int y, const QRectF& r, double radius) {
    int hits = 0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            if (InsideRoundRect(x + (i + 0.5) / 4.0, y + (j + 0.5) / 4.0, r, radius)) ++hits;
    return hits / 16.0;
}

int RingDepth(int x, int y, const QRectF& r, double radius, int maxDepth) {
    for (int d = 0; d <= maxDepth; ++d) {
        const QRectF inset = r.adjusted(d, d, -d, -d);
        if (inset.width() <= 0 || inset.height() <= 0) return d;
        if (RoundRectCoverage(x, y, inset, std::max(0.0, radius - d)) < 0.5) return d;
    }
    return maxDepth + 1;
}

bool RingPixel(int x, int y, const QRectF& r, double radius, const std::vector<QColor>& bands,
               const QColor* interior, QColor* out) {
    const int n = int(bands.size());
    std::vector<double> cover(n + 1);
    for (int k = 0; k <= n; ++k) {
        const QRectF inset = r.adjusted(k, k, -k, -k);
        cover[k] =
            inset.isEmpty() ? 0.0 : RoundRectCoverage(x, y, inset, std::max(0.0, radius - k));
    }
    if (cover[0] < 0.5) return false;
    if (interior == nullptr && cover[n] >= 0.5) return false;
    double red = 0, green = 0, blue = 0, total = 0;
    auto add = [&](const QColor& c, double w) {
        red += c.red() * w, green += c.green() * w, blue += c.blue() * w, total += w;
    };
    for (int k = 0; k < n; ++k)
        add(bands[k], (k == 0 ? 1.0 : cover[k]) - cover[k + 1]);
    if (interior != nullptr) add(*interior, cover[n]);
    if (total <= 0) {
        *out = n > 0 ? bands[n - 1] : *interior;
        return true;
    }
    *out = QColor(int(std::lround(red / total)), int(std::lround(green / total)),
                  int(std::lround(blue / total)));
    return true;
}

void Put(QImage& image, int x, int y, const QColor& c) {
    if (!image.rect().contains(x, y)) return;
    image.setPixel(x, y, Unkeyed(c).rgb());
}

void Key(QImage& image, int x, int y) {
    if (image.rect().contains(x, y)) image.setPixel(x, y, kKey);
}

void Blend(QImage& image, int x, int y, const QColor& c, double alpha) {
    if (!image.rect().contains(x, y)) return;
    Put(image, x, y, Mix(QColor(image.pixel(x, y)), c, alpha));
}

void FillRect(QImage& image, const QRect& r, const QColor& c) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            Put(image, x, y, c);
}

void Stamp(QImage& image, int x, int y, std::initializer_list<const char*> rows, const QColor& c) {
    int row = 0;
    for (const char* line : rows) {
        for (int col = 0; line[col] != '\0'; ++col)
            if (line[col] == '#') Put(image, x + col, y + row, c);
        ++row;
    }
}

} // namespace skinpaint
