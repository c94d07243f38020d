#pragma once
// The three skin pictures. Each is 142 x 60, 24-bit, with magenta RGB(255,0,255) wherever the
// reader is meant to see through; the block layout is the one ui/SkinState.h cuts from.

#include "Raster.h"

#include <QColor>
#include <QImage>

#include <vector>

namespace skinpaint {

struct SkinPalette {
    QColor face; // the reader's face colour for this skin

    std::vector<Stop> title; // 27 rows of the title strip
    QColor trayTint;         // pulls the button tray away from the strip
    double trayAmount;

    QColor glyph; // title-button glyphs, normal state
    QColor buttonTop, buttonBottom, buttonEdge;
    QColor hoverGlyph, hoverTop, hoverBottom, hoverEdge;
    QColor closeGlyph, closeTop, closeBottom, closeEdge;

    std::vector<Stop> bar;  // 20 rows of the tool-bar face
    std::vector<Stop> cell; // 24 rows of the grid's header face
    std::vector<Stop> pill; // 18 rows of the hot-button highlight (row 12 is the accent)
    QColor pillEdge;

    QColor frameOuter, frameMid, frameInner;
    QColor gripDark, gripLight;
    QColor textureLight, textureDark;
};

SkinPalette LightPalette();
SkinPalette RedPalette();
SkinPalette BlackPalette();

QImage PaintSkin(const SkinPalette& palette);

} // namespace skinpaint
