// Expand (the whole new picture squeezed into the growing area), expand in (a magnified part
// of it that settles to its natural size), slide (unscaled, moving in), reveal (in place),
// build up, the four quarters and push (the old picture moved out of the way).

#include "EffectFamilies.h"
#include "EffectTools.h"

#include <cstring>

namespace orvane::fx {

namespace {

QRect All(int W, int H) {
    return QRect(0, 0, W, H);
}

// The magnified part shown by an "expand in" strip: as wide as the strip times X / W, anchored
// at the strip's outer edge, so it reaches the strip itself at progress 100.
QRect InColumns(const QRect& strip, bool anchorRight, int X, int W) {
    const int w = std::max(1, strip.width() * X / std::max(W, 1));
    const int left = anchorRight ? strip.x() + strip.width() - w : strip.x();
    return QRect(left, strip.y(), w, strip.height());
}
QRect InRows(const QRect& strip, bool anchorBottom, int Y, int H) {
    const int h = std::max(1, strip.height() * Y / std::max(H, 1));
    const int top = anchorBottom ? strip.y() + strip.height() - h : strip.y();
    return QRect(strip.x(), top, strip.width(), h);
}

// Shifts the old picture already in the frame by (dx, dy); what moves out is lost, what is
// uncovered keeps its old pixels until the new picture is drawn over it.
void ShiftFrame(QImage& f, int dx, int dy) {
    const int w = f.width(), h = f.height();
    if (f.depth() != 32 || std::abs(dx) >= w || std::abs(dy) >= h) return;
    const int rowBytes = (w - std::abs(dx)) * int(sizeof(QRgb));
    auto move = [&](int y) {
        auto* line = reinterpret_cast<QRgb*>(f.scanLine(y));
        const QRgb* from = reinterpret_cast<const QRgb*>(f.constScanLine(y - dy));
        if (dy == 0) {
            std::memmove(line + std::max(dx, 0), line + std::max(-dx, 0), size_t(rowBytes));
        } else {
            std::memcpy(line + std::max(dx, 0), from + std::max(-dx, 0), size_t(rowBytes));
        }
    };
    // Copy rows in the order that never reads a row already overwritten.
    if (dy > 0)
        for (int y = h - 1; y >= dy; --y)
            move(y);
    else
        for (int y = 0; y < h + dy; ++y)
            move(y);
}

} // namespace

void AddSlideEffects(TEffectTable& t) {
    // Sideways.
    t[1] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(W - X, 0, X, H), All(W, H)); };
    t[2] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(0, 0, X, H), All(W, H)); };
    t[3] = [](ORVANE_FX_ARGS) { Copy(f, n, W - X, 0, QRect(0, 0, X, H)); };
    t[4] = [](ORVANE_FX_ARGS) { Copy(f, n, 0, 0, QRect(W - X, 0, X, H)); };
    t[5] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(0, 0, X, H)); };
    t[6] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(W - X, 0, X, H)); };
    t[7] = [](ORVANE_FX_ARGS) {
        const QRect strip(W - X, 0, X, H);
        Stretch(f, n, strip, InColumns(strip, true, X, W));
    };
    t[8] = [](ORVANE_FX_ARGS) {
        const QRect strip(0, 0, X, H);
        Stretch(f, n, strip, InColumns(strip, false, X, W));
    };
    t[9] = [](ORVANE_FX_ARGS) {
        const int a = X / 2, b = X - X / 2;
        Stretch(f, n, QRect(0, 0, a, H), QRect(0, 0, W / 2, H));
        Stretch(f, n, QRect(W - b, 0, b, H), QRect(W / 2, 0, W - W / 2, H));
    };
    t[10] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect((W - X) / 2, 0, X, H), All(W, H)); };
    t[11] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect((W - X) / 2, 0, X, H)); };
    t[12] = [](ORVANE_FX_ARGS) {
        Reveal(f, n, QRect(0, 0, X / 2, H));
        Reveal(f, n, QRect(W - (X - X / 2), 0, X - X / 2, H));
    };
    t[13] = [](ORVANE_FX_ARGS) {
        const QRect left(0, 0, X / 2, H), right(W - (X - X / 2), 0, X - X / 2, H);
        Stretch(f, n, left, InColumns(left, false, X, W));
        Stretch(f, n, right, InColumns(right, true, X, W));
    };
    // Build up: the revealed part trails streaks of its next column over a third of the rest.
    t[16] = [](ORVANE_FX_ARGS) {
        const int edge = W - X, streak = X > 0 ? edge / 3 : 0;
        Reveal(f, n, QRect(edge, 0, X, H));
        if (edge > 0 && streak > 0)
            Stretch(f, n, QRect(edge - streak, 0, streak, H), QRect(edge - 1, 0, 1, H));
    };
    t[17] = [](ORVANE_FX_ARGS) {
        const int streak = X > 0 ? (W - X) / 3 : 0;
        Reveal(f, n, QRect(0, 0, X, H));
        if (X < W && streak > 0) Stretch(f, n, QRect(X, 0, streak, H), QRect(X, 0, 1, H));
    };

    // Up and down.
    t[18] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(0, H - Y, W, Y), All(W, H)); };
    t[19] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(0, 0, W, Y), All(W, H)); };
    t[20] = [](ORVANE_FX_ARGS) { Copy(f, n, 0, H - Y, QRect(0, 0, W, Y)); };
    t[21] = [](ORVANE_FX_ARGS) { Copy(f, n, 0, 0, QRect(0, H - Y, W, Y)); };
    t[22] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(0, 0, W, Y)); };
    t[23] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(0, H - Y, W, Y)); };
    t[24] = [](ORVANE_FX_ARGS) {
        const QRect strip(0, H - Y, W, Y);
        Stretch(f, n, strip, InRows(strip, true, Y, H));
    };
    t[25] = [](ORVANE_FX_ARGS) {
        const QRect strip(0, 0, W, Y);
        Stretch(f, n, strip, InRows(strip, false, Y, H));
    };
    t[26] = [](ORVANE_FX_ARGS) {
        const int a = Y / 2, b = Y - Y / 2;
        Stretch(f, n, QRect(0, 0, W, a), QRect(0, 0, W, H / 2));
        Stretch(f, n, QRect(0, H - b, W, b), QRect(0, H / 2, W, H - H / 2));
    };
    t[27] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(0, (H - Y) / 2, W, Y), All(W, H)); };
    t[28] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(0, (H - Y) / 2, W, Y)); };
    t[29] = [](ORVANE_FX_ARGS) {
        const int a = Y / 2, b = Y - Y / 2;
        Copy(f, n, 0, 0, QRect(0, H / 2 - a, W, a));
        Copy(f, n, 0, H - b, QRect(0, H / 2, W, b));
    };
    t[30] = [](ORVANE_FX_ARGS) {
        const QRect top(0, 0, W, Y / 2), bottom(0, H - (Y - Y / 2), W, Y - Y / 2);
        Stretch(f, n, top, InRows(top, false, Y, H));
        Stretch(f, n, bottom, InRows(bottom, true, Y, H));
    };
    // Growing from the middle of the bottom (or top) edge.
    t[33] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect((W - X) / 2, H - Y, X, Y), All(W, H)); };
    t[34] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect((W - X) / 2, 0, X, Y), All(W, H)); };

    // Corners.
    t[35] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(W - X, H - Y, X, Y), All(W, H)); };
    t[36] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(W - X, 0, X, Y), All(W, H)); };
    t[37] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(0, 0, X, Y), All(W, H)); };
    t[38] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect(0, H - Y, X, Y), All(W, H)); };
    t[39] = [](ORVANE_FX_ARGS) { Copy(f, n, W - X, H - Y, QRect(0, 0, X, Y)); };
    t[40] = [](ORVANE_FX_ARGS) { Copy(f, n, W - X, 0, QRect(0, H - Y, X, Y)); };
    t[41] = [](ORVANE_FX_ARGS) { Copy(f, n, 0, 0, QRect(W - X, H - Y, X, Y)); };
    t[42] = [](ORVANE_FX_ARGS) { Copy(f, n, 0, H - Y, QRect(W - X, 0, X, Y)); };
    t[43] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(0, 0, X, Y)); };
    t[44] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(0, H - Y, X, Y)); };
    t[45] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(W - X, H - Y, X, Y)); };
    t[46] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect(W - X, 0, X, Y)); };
    // Appear and contract: the whole frame shows a magnified corner (or middle) of the new
    // picture, which shrinks to its natural size.
    t[47] = [](ORVANE_FX_ARGS) { Stretch(f, n, All(W, H), QRect(0, 0, X, Y)); };
    t[48] = [](ORVANE_FX_ARGS) { Stretch(f, n, All(W, H), QRect(0, H - Y, X, Y)); };
    t[49] = [](ORVANE_FX_ARGS) { Stretch(f, n, All(W, H), QRect(W - X, H - Y, X, Y)); };
    t[50] = [](ORVANE_FX_ARGS) { Stretch(f, n, All(W, H), QRect(W - X, 0, X, Y)); };
    t[51] = [](ORVANE_FX_ARGS) { Stretch(f, n, All(W, H), QRect((W - X) / 2, (H - Y) / 2, X, Y)); };
    t[52] = [](ORVANE_FX_ARGS) { Stretch(f, n, QRect((W - X) / 2, (H - Y) / 2, X, Y), All(W, H)); };
    t[53] = [](ORVANE_FX_ARGS) { Reveal(f, n, QRect((W - X) / 2, (H - Y) / 2, X, Y)); };
    t[54] = [](ORVANE_FX_ARGS) {
        RevealRegion(f, n, QRegion(All(W, H)) - QRegion(X / 2, Y / 2, W - X, H - Y));
    };
    // Quarters: each quarter comes in from its own corner. The left and top quarters take the
    // smaller half when a side is odd, in the frame and in the picture alike.
    t[55] = [](ORVANE_FX_ARGS) {
        const int l = X / 2, r = X - X / 2, u = Y / 2, d = Y - Y / 2;
        Reveal(f, n, QRect(0, 0, l, u));
        Reveal(f, n, QRect(W - r, 0, r, u));
        Reveal(f, n, QRect(0, H - d, l, d));
        Reveal(f, n, QRect(W - r, H - d, r, d));
    };
    t[56] = [](ORVANE_FX_ARGS) {
        const int l = X / 2, r = X - X / 2, u = Y / 2, d = Y - Y / 2;
        const int w1 = W / 2, w2 = W - W / 2, h1 = H / 2, h2 = H - H / 2;
        Stretch(f, n, QRect(0, 0, l, u), QRect(0, 0, w1, h1));
        Stretch(f, n, QRect(W - r, 0, r, u), QRect(w1, 0, w2, h1));
        Stretch(f, n, QRect(0, H - d, l, d), QRect(0, h1, w1, h2));
        Stretch(f, n, QRect(W - r, H - d, r, d), QRect(w1, h1, w2, h2));
    };
    t[57] = [](ORVANE_FX_ARGS) {
        const int l = X / 2, r = X - X / 2, u = Y / 2, d = Y - Y / 2;
        const int mx = W / 2, my = H / 2;
        Copy(f, n, 0, 0, QRect(mx - l, my - u, l, u));
        Copy(f, n, W - r, 0, QRect(mx, my - u, r, u));
        Copy(f, n, 0, H - d, QRect(mx - l, my, l, d));
        Copy(f, n, W - r, H - d, QRect(mx, my, r, d));
    };

    // Push: the new picture moves in and shoves the old one out.
    t[128] = [](ORVANE_FX_ARGS) {
        ShiftFrame(f, X, 0);
        Copy(f, n, 0, 0, QRect(W - X, 0, X, H));
    };
    t[129] = [](ORVANE_FX_ARGS) {
        ShiftFrame(f, -X, 0);
        Copy(f, n, W - X, 0, QRect(0, 0, X, H));
    };
    t[130] = [](ORVANE_FX_ARGS) {
        const QImage old = f.copy();
        Stretch(f, old, QRect(X, 0, W - X, H), All(W, H));
        Stretch(f, n, QRect(0, 0, X, H), All(W, H));
    };
    t[131] = [](ORVANE_FX_ARGS) {
        const QImage old = f.copy();
        Stretch(f, old, QRect(0, 0, W - X, H), All(W, H));
        Stretch(f, n, QRect(W - X, 0, X, H), All(W, H));
    };
    t[132] = [](ORVANE_FX_ARGS) {
        ShiftFrame(f, 0, Y);
        Copy(f, n, 0, 0, QRect(0, H - Y, W, Y));
    };
    t[133] = [](ORVANE_FX_ARGS) {
        ShiftFrame(f, 0, -Y);
        Copy(f, n, 0, H - Y, QRect(0, 0, W, Y));
    };
    t[134] = [](ORVANE_FX_ARGS) {
        const QImage old = f.copy();
        Stretch(f, old, QRect(0, Y, W, H - Y), All(W, H));
        Stretch(f, n, QRect(0, 0, W, Y), All(W, H));
    };
    t[135] = [](ORVANE_FX_ARGS) {
        const QImage old = f.copy();
        Stretch(f, old, QRect(0, 0, W, H - Y), All(W, H));
        Stretch(f, n, QRect(0, H - Y, W, Y), All(W, H));
    };
}

} // namespace orvane::fx
