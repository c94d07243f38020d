// Reveals whose front is a curve or a turning line: curved and elliptic reveals, diagonals,
// sweeps and starbursts round the centre, circular shreds, V shapes, bow ties and diagonal
// crosses. All show the new picture in place.

#include "EffectFamilies.h"
#include "EffectTools.h"

#include <cmath>
#include <numbers>

namespace orvane::fx {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kSqrt2 = std::numbers::sqrt2;

// Angle of a pixel centre round the middle of the frame, in pixels (y grows downwards, so a
// growing angle turns clockwise on screen).
double AngleAt(int x, int y, int W, int H) {
    return std::atan2(y + 0.5 - H / 2.0, x + 0.5 - W / 2.0);
}
// a modulo m into [0, m).
double Wrap(double a, double m) {
    const double r = std::fmod(a, m);
    return r < 0 ? r + m : r;
}
// Position relative to the middle, -1 .. 1 on both axes.
double U(int x, int W) {
    return 2.0 * Along(x, W) - 1.0;
}

// Curved reveal along x: the middle rows lead by a third of the width.
double CurvedAcross(int x, int y, int W, int H) {
    const double lead = W / 3.0;
    const double bulge = std::sin(kPi * Along(y, H));
    return (x + 0.5 + lead * (1.0 - bulge)) / (W + lead);
}

// A V whose point, in the middle of the other side, leads the way.
double VFront(int along, int across, int length, int width) {
    const double slope = double(length) / std::max(width, 1);
    const double off = std::abs(across + 0.5 - width / 2.0) * slope;
    return (along + 0.5 + off) / (length + slope * width / 2.0);
}

// Quarter ellipse round a corner.
double Corner(int x, int y, int W, int H, bool right, bool bottom) {
    const double u = right ? 1.0 - Along(x, W) : Along(x, W);
    const double v = bottom ? 1.0 - Along(y, H) : Along(y, H);
    return std::hypot(u, v) / kSqrt2;
}

void Starburst(QImage& f, const QImage& n, int W, int H, int p, bool clockwise) {
    constexpr int rays = 8;
    const double wedge = 2 * kPi / rays;
    RevealByArrival(f, n, p, [=](int x, int y) {
        const double a = AngleAt(x, y, W, H) + kPi / 2;
        return Wrap(clockwise ? a : -a, wedge) / wedge;
    });
}

} // namespace

void AddCurveEffects(TEffectTable& t) {
    t[58] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return CurvedAcross(x, y, W, H); });
    };
    t[59] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return CurvedAcross(W - 1 - x, y, W, H); });
    };
    t[69] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return CurvedAcross(y, x, H, W); });
    };
    t[70] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return CurvedAcross(H - 1 - y, x, H, W); });
    };

    // Quarter ellipses from a corner, full ellipses round the centre.
    t[80] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return Corner(x, y, W, H, false, false); });
    };
    t[81] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return Corner(x, y, W, H, true, false); });
    };
    t[82] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return Corner(x, y, W, H, false, true); });
    };
    t[83] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return Corner(x, y, W, H, true, true); });
    };
    t[84] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return std::hypot(U(x, W), U(y, H)) / kSqrt2; });
    };
    t[85] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return 1.0 - std::hypot(U(x, W), U(y, H)) / kSqrt2; });
    };

    // Straight diagonal fronts.
    t[110] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return (Along(x, W) + Along(y, H)) / 2; });
    };
    t[111] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return (1.0 - Along(x, W) + Along(y, H)) / 2; });
    };
    t[112] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return (Along(x, W) + 1.0 - Along(y, H)) / 2; });
    };
    t[113] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p,
                        [=](int x, int y) { return (2.0 - Along(x, W) - Along(y, H)) / 2; });
    };
    // A line through the centre, starting on the top-left to bottom-right diagonal, turns half
    // a circle; both wedges it passes show the new picture.
    t[114] = [](ORVANE_FX_ARGS) {
        const double diagonal = std::atan2(double(H), double(W));
        RevealByArrival(
            f, n, p, [=](int x, int y) { return Wrap(diagonal - AngleAt(x, y, W, H), kPi) / kPi; });
    };
    t[115] = [](ORVANE_FX_ARGS) {
        const double diagonal = std::atan2(double(H), double(W));
        RevealByArrival(
            f, n, p, [=](int x, int y) { return Wrap(AngleAt(x, y, W, H) - diagonal, kPi) / kPi; });
    };
    t[116] = [](ORVANE_FX_ARGS) { Starburst(f, n, W, H, p, true); };
    t[161] = [](ORVANE_FX_ARGS) { Starburst(f, n, W, H, p, false); };
    // A clock hand from twelve o'clock.
    t[143] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return Wrap(AngleAt(x, y, W, H) + kPi / 2, 2 * kPi) / (2 * kPi);
        });
    };
    t[144] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return Wrap(-kPi / 2 - AngleAt(x, y, W, H), 2 * kPi) / (2 * kPi);
        });
    };
    // Rings round the centre, each swept round from its own random angle.
    t[152] = [](ORVANE_FX_ARGS) {
        const double ring = std::max(2.0, std::min(W, H) / 16.0);
        RevealByArrival(f, n, p, [=](int x, int y) {
            const double r = std::hypot(x + 0.5 - W / 2.0, y + 0.5 - H / 2.0);
            const auto k = std::uint32_t(r / ring);
            const double start = 2 * kPi * Noise(152, k, 1);
            return 0.5 * Noise(152, k) +
                   0.5 * Wrap(AngleAt(x, y, W, H) - start, 2 * kPi) / (2 * kPi);
        });
    };

    // V shapes with their point leading.
    t[153] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return VFront(x, y, W, H); });
    };
    t[154] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return VFront(W - 1 - x, y, W, H); });
    };
    t[155] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return VFront(y, x, H, W); });
    };
    t[156] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) { return VFront(H - 1 - y, x, H, W); });
    };
    // Bow ties: two wedges meeting at the centre open from the middle line outwards.
    t[157] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return std::atan2(std::abs(U(y, H)), std::abs(U(x, W))) / (kPi / 2);
        });
    };
    t[158] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return std::atan2(std::abs(U(x, W)), std::abs(U(y, H))) / (kPi / 2);
        });
    };
    // Diagonal crosses: in from the four edges towards the diagonals, or out from them.
    t[159] = [](ORVANE_FX_ARGS) {
        RevealByArrival(f, n, p, [=](int x, int y) {
            return 1.0 - std::abs(std::abs(U(x, W)) - std::abs(U(y, H)));
        });
    };
    t[160] = [](ORVANE_FX_ARGS) {
        RevealByArrival(
            f, n, p, [=](int x, int y) { return std::abs(std::abs(U(x, W)) - std::abs(U(y, H))); });
    };
}

} // namespace orvane::fx
