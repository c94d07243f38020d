// Fade (the one style that blends the two pictures), speckles and the dissolves.

#include "EffectFamilies.h"
#include "EffectTools.h"

#include <vector>

namespace orvane::fx {

namespace {

// Speckles: a sweep from one side, loosened by a fixed random share per pixel.
template <class Sweep> void Speckle(QImage& f, const QImage& n, int p, Sweep sweep) {
    RevealByArrival(f, n, p, [&](int x, int y) {
        return 0.55 * sweep(x, y) + 0.45 * Noise(123, std::uint32_t(x), std::uint32_t(y));
    });
}

// The dissolves draw a number below 100 for each pixel (or row, or column) in turn from a
// generator seeded with W + H, and show the new picture where it is below the progress. The
// same seed on every frame keeps what has appeared in place.
std::vector<bool> Draws(int count, int W, int H, int p) {
    fx::TLcg random(std::uint32_t(W + H));
    std::vector<bool> shown(size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        shown[size_t(i)] = random.Next(100) < p;
    return shown;
}

} // namespace

void AddFadeEffects(TEffectTable& t) {
    t[118] = [](ORVANE_FX_ARGS) { BlendRect(f, n, QRect(0, 0, W, H), p); };

    t[123] = [](ORVANE_FX_ARGS) {
        Speckle(f, n, p, [=](int x, int) { return 1.0 - Along(x, W); });
    };
    t[124] = [](ORVANE_FX_ARGS) { Speckle(f, n, p, [=](int x, int) { return Along(x, W); }); };
    t[125] = [](ORVANE_FX_ARGS) {
        Speckle(f, n, p, [=](int, int y) { return 1.0 - Along(y, H); });
    };
    t[126] = [](ORVANE_FX_ARGS) { Speckle(f, n, p, [=](int, int y) { return Along(y, H); }); };

    t[169] = [](ORVANE_FX_ARGS) {
        const std::vector<bool> shown = Draws(W * H, W, H, p);
        RevealIf(f, n, [&](int x, int y) { return x < W && y < H && shown[size_t(y * W + x)]; });
    };
    t[170] = [](ORVANE_FX_ARGS) {
        const std::vector<bool> shown = Draws(H, W, H, p);
        RevealIf(f, n, [&](int, int y) { return y < H && shown[size_t(y)]; });
    };
    t[171] = [](ORVANE_FX_ARGS) {
        const std::vector<bool> shown = Draws(W, W, H, p);
        RevealIf(f, n, [&](int x, int) { return x < W && shown[size_t(x)]; });
    };
}

} // namespace orvane::fx
