// Pivots (the new picture swings into place about a corner) and shapes that turn while they
// grow from the centre.

#include "EffectFamilies.h"
#include "EffectTools.h"

#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace orvane::fx {

namespace {

constexpr double kPi = std::numbers::pi;

// The angle still to go: a quarter turn at the start, none at progress 100. The sign makes the
// picture start out of sight beyond the frame's edge next to the pivot.
double Remaining(int p, double start) {
    return start * (100 - std::clamp(p, 0, 100)) / 100.0;
}

} // namespace

void AddPivotEffects(TEffectTable& t) {
    t[119] = [](ORVANE_FX_ARGS) { Rotate(f, n, 0, 0, Remaining(p, -kPi / 2)); };
    t[120] = [](ORVANE_FX_ARGS) { Rotate(f, n, 0, H, Remaining(p, kPi / 2)); };
    t[121] = [](ORVANE_FX_ARGS) { Rotate(f, n, W, 0, Remaining(p, kPi / 2)); };
    t[122] = [](ORVANE_FX_ARGS) { Rotate(f, n, W, H, Remaining(p, -kPi / 2)); };

    // A rectangle of the picture's proportions grows from the centre turning a quarter turn;
    // it is a quarter larger than the frame at the end, so it covers it in time.
    t[149] = [](ORVANE_FX_ARGS) {
        const double scale = 1.25 * p / 100.0, turn = Remaining(p, kPi / 2);
        const double c = std::cos(turn), s = std::sin(turn);
        const double hw = scale * W / 2.0, hh = scale * H / 2.0;
        RevealIf(f, n, [=](int x, int y) {
            const double dx = x + 0.5 - W / 2.0, dy = y + 0.5 - H / 2.0;
            return std::abs(dx * c + dy * s) < hw && std::abs(-dx * s + dy * c) < hh;
        });
    };
    // A five-pointed star turning half a turn while it grows; at the end its inner corners lie
    // beyond the frame's corners.
    t[150] = [](ORVANE_FX_ARGS) {
        const double reach = std::hypot(W / 2.0, H / 2.0) * 2.2 * p / 100.0;
        const double turn = Remaining(p, kPi);
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? reach : reach / 2;
            const double a = turn - kPi / 2 + i * kPi / 5;
            star << QPointF(W / 2.0 + r * std::cos(a), H / 2.0 + r * std::sin(a));
        }
        const QRectF bounds = star.boundingRect();
        RevealIf(f, n, [&](int x, int y) {
            const QPointF c(x + 0.5, y + 0.5);
            return bounds.contains(c) && star.containsPoint(c, Qt::OddEvenFill);
        });
    };
}

} // namespace orvane::fx
