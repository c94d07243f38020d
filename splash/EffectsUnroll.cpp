// Unroll: the new picture lies flat behind a roll that travels across the frame. The roll shows
// the next stretch of the picture squeezed to half its width, as if wound round a cylinder, and
// is shaded darker towards its two edges (amount 48), the only darkened pixels of the family.

#include "EffectFamilies.h"
#include "EffectTools.h"

namespace orvane::fx {

namespace {

constexpr int kShade = 48;

// The roll is a twelfth of the side across; it rolls in from the edge, so it is never wider
// than what has been unrolled (and absent before anything has).
int RollSize(int side, int unrolled) {
    return std::min(std::max(1, side / 12), unrolled);
}

} // namespace

void AddUnrollEffects(TEffectTable& t) {
    t[14] = [](ORVANE_FX_ARGS) {
        const int r = RollSize(W, X);
        Reveal(f, n, QRect(0, 0, X, H));
        if (X >= W || r <= 0) return;
        const int wound = std::min(2 * r, W - X);
        Stretch(f, n, QRect(X, 0, r, H), QRect(X, 0, wound, H));
        ShadeColumns(f, X, X + r, kShade);
    };
    t[15] = [](ORVANE_FX_ARGS) {
        const int r = RollSize(W, X), edge = W - X;
        Reveal(f, n, QRect(edge, 0, X, H));
        if (edge <= 0 || r <= 0) return;
        const int wound = std::min(2 * r, edge);
        Stretch(f, n, QRect(edge - r, 0, r, H), QRect(edge - wound, 0, wound, H));
        ShadeColumns(f, edge - r, edge, kShade);
    };
    t[31] = [](ORVANE_FX_ARGS) {
        const int r = RollSize(H, Y);
        Reveal(f, n, QRect(0, 0, W, Y));
        if (Y >= H || r <= 0) return;
        const int wound = std::min(2 * r, H - Y);
        Stretch(f, n, QRect(0, Y, W, r), QRect(0, Y, W, wound));
        ShadeRows(f, Y, Y + r, kShade);
    };
    t[32] = [](ORVANE_FX_ARGS) {
        const int r = RollSize(H, Y), edge = H - Y;
        Reveal(f, n, QRect(0, edge, W, Y));
        if (edge <= 0 || r <= 0) return;
        const int wound = std::min(2 * r, edge);
        Stretch(f, n, QRect(0, edge - r, W, r), QRect(0, edge - wound, W, wound));
        ShadeRows(f, edge - r, edge, kShade);
    };
}

} // namespace orvane::fx
