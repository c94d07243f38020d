#include "SkinArt.h"

#include <cmath>
#include <numbers>

namespace skinpaint {

namespace {

// Where the blocks sit in the picture. Several of them overlap (the small cell face is the lower
// part of the cell face, the tool-bar grip is part of the vertical splitter grip, the highlight
// shares a row with the horizontal grip and two rows with the client frame), so the painting
// order below matters: later blocks win where they share pixels.
constexpr int kWidth = 142;
constexpr int kHeight = 60;
constexpr QPoint kBackdrop(0, 0);
constexpr QPoint kButtons(0, 26);
constexpr QPoint kHoverButtons(0, 43);
constexpr QPoint kTexture(69, 0);
constexpr QPoint kBarFace(95, 0);
constexpr QPoint kCellFace(103, 0);
constexpr QPoint kGripH(111, 0);
constexpr QPoint kGripV(136, 0);
constexpr QPoint kHighlight(111, 6);
constexpr QPoint kFrame(96, 24);
constexpr QPoint kTitleStrip(126, 33);

enum Glyph { kMinimise, kMaximise, kClose, kRestore, kArrowRight, kArrowLeft };

void StampGlyph(QImage& img, int x, int y, int glyph, const QColor& c) {
    switch (glyph) {
    case kMinimise:
        Stamp(img, x, y,
              {"........", "........", "........", "........", "........", "........", "########",
               "########"},
              c);
        break;
    case kMaximise:
        Stamp(img, x, y,
              {"########", "########", "#......#", "#......#", "#......#", "#......#", "#......#",
               "########"},
              c);
        break;
    case kClose:
        Stamp(img, x, y,
              {"##....##", ".##..##.", "..####..", "...##...", "...##...", "..####..", ".##..##.",
               "##....##"},
              c);
        break;
    case kRestore:
        Stamp(img, x, y,
              {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..",
               "######.."},
              c);
        break;
    case kArrowRight:
        Stamp(img, x, y,
              {".##.....", "..##....", "...##...", "....##..", "....##..", "...##...", "..##....",
               ".##....."},
              c);
        break;
    case kArrowLeft:
        Stamp(img, x, y,
              {".....##.", "....##..", "...##...", "..##....", "..##....", "...##...", "....##..",
               ".....##."},
              c);
        break;
    default:
        break;
    }
}

void PaintFill(QImage& img, const SkinPalette& p) {
    img.fill(p.face);
}

// The title strip, and the same rows (shifted by one, as the backdrop is drawn one pixel down)
// under the button tray, so the tray sits in the strip without a seam.
void PaintTitle(QImage& img, const SkinPalette& p) {
    const auto strip = Ramp(27, p.title);
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 8; ++x)
            Put(img, kTitleStrip.x() + x, kTitleStrip.y() + y, strip[y]);

    for (int y = 0; y < 26; ++y)
        for (int x = 0; x <= 68; ++x)
            Put(img, kBackdrop.x() + x, kBackdrop.y() + y, strip[y + 1]);

    const QRectF tray(1, 1, 66, 22);
    for (int y = 0; y < 26; ++y) {
        for (int x = 0; x < 68; ++x) {
            const double cover = RoundRectCoverage(x, y, tray, 6);
            if (cover <= 0) continue;
            const QColor base = strip[y + 1];
            QColor c = Mix(base, p.trayTint, p.trayAmount);
            if (RingDepth(x, y, tray, 6, 1) <= 1)
                c = y < 12 ? Mix(base, QColor(0, 0, 0), 0.28)
                           : Mix(base, QColor(255, 255, 255), 0.22);
            Blend(img, kBackdrop.x() + x, kBackdrop.y() + y, c, cover);
        }
    }
}

void PaintButton(QImage& img, QPoint at, int glyph, bool hover, const SkinPalette& p) {
    QColor top = p.buttonTop, bottom = p.buttonBottom, edge = p.buttonEdge, ink = p.glyph;
    if (hover && glyph == kClose) {
        top = p.closeTop, bottom = p.closeBottom, edge = p.closeEdge, ink = p.closeGlyph;
    } else if (hover) {
        top = p.hoverTop, bottom = p.hoverBottom, edge = p.hoverEdge, ink = p.hoverGlyph;
    }
    const QRectF square(1, 1, 14, 14);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor fill = Mix(top, bottom, (y - 2) / 11.0);
            QColor c;
            if (RingPixel(x, y, square, 3.5, {edge}, &fill, &c))
                Put(img, at.x() + x, at.y() + y, c);
            else
                Key(img, at.x() + x, at.y() + y);
        }
    }
    StampGlyph(img, at.x() + 4, at.y() + 4, glyph, ink);
}

void PaintButtons(QImage& img, const SkinPalette& p) {
    for (int i = 0; i < 6; ++i) {
        PaintButton(img, kButtons + QPoint(16 * i, 0), i, false, p);
        PaintButton(img, kHoverButtons + QPoint(16 * i, 0), i, true, p);
    }
}

// A soft twill: fine diagonal ribs crossed by a weaker, wider wave. Every wave fits a whole
// number of times into 26 pixels, so the tile joins seamlessly in either direction.
void PaintTexture(QImage& img, const SkinPalette& p) {
    constexpr double kTurn = 2 * std::numbers::pi;
    for (int y = 0; y < 26; ++y) {
        for (int x = 0; x < 26; ++x) {
            const double rib = std::cos(kTurn * 4 * (x + y) / 26.0);
            const double wave = std::cos(kTurn * 2 * (x - y) / 26.0);
            double v = 0.5 + 0.3 * rib + 0.15 * wave;
            if ((x + y) % 2 == 0) v += 0.08;
            Put(img, kTexture.x() + x, kTexture.y() + y, Mix(p.textureLight, p.textureDark, v));
        }
    }
}

void PaintFaces(QImage& img, const SkinPalette& p) {
    const auto bar = Ramp(20, p.bar);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 8; ++x)
            Put(img, kBarFace.x() + x, kBarFace.y() + y, bar[y]);
    const auto cell = Ramp(24, p.cell);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 8; ++x)
            Put(img, kCellFace.x() + x, kCellFace.y() + y, cell[y]);
}

// The hot-button highlight: a pill whose rounded ends lie wholly in the outer eight columns
// (those are drawn keyed) so the stretched middle never carries the key colour. The rounding
// also stays inside the two-pixel border the tab strip trims off.
void PaintHighlight(QImage& img, const SkinPalette& p) {
    const auto rows = Ramp(18, p.pill);
    const QRectF pill(0, 0, 24, 18);
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int px = kHighlight.x() + x, py = kHighlight.y() + y;
            QColor c;
            if (RingPixel(x, y, pill, 7, {p.pillEdge}, &rows[y], &c))
                Put(img, px, py, c);
            else
                Key(img, px, py);
        }
    }
    // The last two rows are never shown; the part the frame does not claim matches the bar.
    const auto bar = Ramp(20, p.bar);
    for (int y = 18; y < 20; ++y)
        for (int x = 15; x < 24; ++x)
            Put(img, kHighlight.x() + x, kHighlight.y() + y, bar[y]);
}

// Dimpled dots, dark above-left and light below-right so they read on light and dark faces.
// The vertical grip's dots in rows 6..19 of its first six columns double as the tool-bar grip.
void PaintGrips(QImage& img, const SkinPalette& p) {
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 25; ++x)
            Key(img, kGripH.x() + x, kGripH.y() + y);
    Key(img, kGripH.x() + 24, kGripH.y() + 6);
    for (int c = 3; c <= 21; c += 3) {
        Put(img, kGripH.x() + c, kGripH.y() + 2, p.gripDark);
        Put(img, kGripH.x() + c + 1, kGripH.y() + 3, p.gripLight);
    }

    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 6; ++x)
            Key(img, kGripV.x() + x, kGripV.y() + y);
    for (int r = 3; r <= 21; r += 3) {
        Put(img, kGripV.x() + 2, kGripV.y() + r, p.gripDark);
        Put(img, kGripV.x() + 3, kGripV.y() + r + 1, p.gripLight);
    }
}

// The client frame: a three-pixel band with rounded corners. The edges are cut from the same
// band so the stretched edges and the keyed corners meet without a step.
void PaintFrame(QImage& img, const SkinPalette& p) {
    const QRectF outline(0, 0, 30, 36);
    const QRect corners[] = {QRect(0, 0, 8, 8), QRect(22, 0, 8, 8), QRect(0, 28, 8, 8),
                             QRect(22, 28, 8, 8)};
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 30; ++x) {
            const int px = kFrame.x() + x, py = kFrame.y() + y;
            bool inCorner = false;
            for (const QRect& r : corners)
                inCorner = inCorner || r.contains(x, y);
            QColor c;
            if (RingPixel(x, y, outline, 7, {p.frameOuter, p.frameMid, p.frameInner},
                          inCorner ? nullptr : &p.face, &c))
                Put(img, px, py, c);
            else
                Key(img, px, py);
        }
    }
}

} // namespace

QImage PaintSkin(const SkinPalette& p) {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    PaintFill(img, p);
    PaintTitle(img, p);
    PaintButtons(img, p);
    PaintTexture(img, p);
    PaintFaces(img, p);
    PaintHighlight(img, p);
    PaintGrips(img, p);
    PaintFrame(img, p);
    return img.convertToFormat(QImage::Format_RGB888);
}

// Skin 1: a light sky-and-teal look.
SkinPalette LightPalette() {
    SkinPalette p;
    p.face = QColor(232, 238, 245);
    p.title = {{0, QColor(170, 226, 244)},
               {1, QColor(92, 194, 228)},
               {13, QColor(22, 146, 198)},
               {25, QColor(6, 108, 160)},
               {26, QColor(0, 76, 122)}};
    p.trayTint = QColor(0, 60, 110);
    p.trayAmount = 0.22;
    p.glyph = QColor(240, 250, 255);
    p.buttonTop = QColor(106, 198, 232);
    p.buttonBottom = QColor(30, 140, 196);
    p.buttonEdge = QColor(0, 82, 132);
    p.hoverGlyph = QColor(0, 86, 146);
    p.hoverTop = QColor(255, 255, 255);
    p.hoverBottom = QColor(190, 234, 250);
    p.hoverEdge = QColor(0, 82, 132);
    p.closeGlyph = QColor(255, 255, 255);
    p.closeTop = QColor(255, 128, 108);
    p.closeBottom = QColor(206, 34, 24);
    p.closeEdge = QColor(120, 12, 0);
    p.bar = {{0, QColor(255, 255, 255)},
             {1, QColor(242, 250, 254)},
             {10, QColor(224, 240, 249)},
             {18, QColor(200, 226, 241)},
             {19, QColor(150, 192, 218)}};
    p.cell = {{0, QColor(255, 255, 255)},
              {1, QColor(248, 252, 255)},
              {7, QColor(238, 246, 252)},
              {8, QColor(244, 249, 253)},
              {23, QColor(212, 230, 243)}};
    p.pill = {{1, QColor(170, 224, 255)}, {2, QColor(112, 196, 250)}, {8, QColor(38, 152, 232)},
              {9, QColor(8, 132, 216)},   {12, QColor(0, 122, 204)},  {16, QColor(0, 100, 178)}};
    p.pillEdge = QColor(0, 78, 140);
    p.frameOuter = QColor(0, 84, 134);
    p.frameMid = QColor(36, 150, 204);
    p.frameInner = QColor(168, 214, 238);
    p.gripDark = QColor(40, 110, 152);
    p.gripLight = QColor(255, 255, 255);
    p.textureLight = QColor(240, 245, 250);
    p.textureDark = QColor(220, 229, 239);
    return p;
}

// Skin 2: warm red and orange.
SkinPalette RedPalette() {
    SkinPalette p;
    p.face = QColor(255, 240, 225);
    p.title = {{0, QColor(255, 196, 140)},
               {1, QColor(250, 142, 72)},
               {13, QColor(226, 86, 32)},
               {25, QColor(184, 40, 10)},
               {26, QColor(128, 20, 0)}};
    p.trayTint = QColor(110, 10, 0);
    p.trayAmount = 0.22;
    p.glyph = QColor(255, 248, 236);
    p.buttonTop = QColor(255, 170, 110);
    p.buttonBottom = QColor(226, 98, 44);
    p.buttonEdge = QColor(140, 36, 4);
    p.hoverGlyph = QColor(168, 40, 0);
    p.hoverTop = QColor(255, 255, 238);
    p.hoverBottom = QColor(255, 222, 152);
    p.hoverEdge = QColor(140, 36, 4);
    p.closeGlyph = QColor(255, 255, 255);
    p.closeTop = QColor(236, 56, 48);
    p.closeBottom = QColor(156, 0, 0);
    p.closeEdge = QColor(84, 0, 0);
    p.bar = {{0, QColor(255, 180, 122)},
             {1, QColor(244, 132, 70)},
             {10, QColor(222, 90, 40)},
             {18, QColor(190, 54, 18)},
             {19, QColor(138, 30, 4)}};
    p.cell = {{0, QColor(255, 255, 255)},
              {1, QColor(255, 250, 244)},
              {7, QColor(255, 243, 230)},
              {8, QColor(255, 247, 238)},
              {23, QColor(250, 222, 196)}};
    p.pill = {{1, QColor(255, 160, 110)}, {2, QColor(244, 112, 60)}, {8, QColor(214, 60, 16)},
              {9, QColor(204, 50, 8)},    {12, QColor(190, 40, 0)},  {16, QColor(160, 24, 0)}};
    p.pillEdge = QColor(100, 0, 0);
    p.frameOuter = QColor(138, 30, 0);
    p.frameMid = QColor(228, 100, 44);
    p.frameInner = QColor(255, 206, 170);
    p.gripDark = QColor(160, 52, 12);
    p.gripLight = QColor(255, 255, 240);
    p.textureLight = QColor(255, 246, 236);
    p.textureDark = QColor(246, 226, 206);
    return p;
}

// Skin 3: graphite greys and black, with a garnet accent.
SkinPalette BlackPalette() {
    SkinPalette p;
    p.face = QColor(255, 255, 255);
    p.title = {{0, QColor(132, 136, 144)},
               {1, QColor(96, 99, 108)},
               {13, QColor(52, 54, 60)},
               {25, QColor(22, 23, 26)},
               {26, QColor(0, 0, 0)}};
    p.trayTint = QColor(0, 0, 0);
    p.trayAmount = 0.3;
    p.glyph = QColor(255, 255, 255);
    p.buttonTop = QColor(112, 115, 124);
    p.buttonBottom = QColor(58, 60, 66);
    p.buttonEdge = QColor(10, 10, 12);
    p.hoverGlyph = QColor(24, 24, 28);
    p.hoverTop = QColor(255, 255, 255);
    p.hoverBottom = QColor(196, 200, 208);
    p.hoverEdge = QColor(0, 0, 0);
    p.closeGlyph = QColor(255, 255, 255);
    p.closeTop = QColor(232, 44, 44);
    p.closeBottom = QColor(156, 0, 0);
    p.closeEdge = QColor(40, 0, 0);
    p.bar = {{0, QColor(142, 145, 154)},
             {1, QColor(106, 109, 118)},
             {10, QColor(74, 76, 84)},
             {18, QColor(44, 45, 50)},
             {19, QColor(10, 10, 12)}};
    p.cell = {{0, QColor(255, 255, 255)},
              {1, QColor(252, 252, 253)},
              {7, QColor(242, 243, 246)},
              {8, QColor(248, 248, 250)},
              {23, QColor(212, 214, 220)}};
    // Black glass with a dim garnet glow in its lower half. The teal hot text (fixed for this
    // skin) lies on every row of it once it is stretched over a tab or a menu item, so every
    // row stays dark enough to give that text a contrast of at least 3:1; the glow's row 12 is
    // also the skin's accent, which the light faces show as a deep garnet.
    p.pill = {{1, QColor(36, 37, 42)}, {2, QColor(26, 27, 31)}, {7, QColor(12, 12, 14)},
              {9, QColor(6, 5, 6)},    {10, QColor(16, 3, 6)},  {12, QColor(86, 0, 16)},
              {16, QColor(70, 0, 14)}};
    p.pillEdge = QColor(0, 0, 0);
    p.frameOuter = QColor(0, 0, 0);
    p.frameMid = QColor(82, 84, 92);
    p.frameInner = QColor(182, 184, 192);
    p.gripDark = QColor(70, 72, 80);
    p.gripLight = QColor(255, 255, 255);
    p.textureLight = QColor(255, 255, 255);
    p.textureDark = QColor(236, 237, 241);
    return p;
}

} // namespace skinpaint
