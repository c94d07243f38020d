// Shared palette and small drawing helpers for the reading window's icons.
//
// Every icon lives on a 16 x 16 grid. Shapes are placed so that their straight edges fall on
// pixel boundaries (1-px outlines on half-pixel coordinates, 2-px strokes on whole ones); only
// diagonals and curves are left to antialiasing.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>

namespace iconpaint {

constexpr int Cell = 16;

// A calm blue carries most glyphs; the warm and green accents pick out the odd exception.
inline const QColor Blue{0x2D, 0x6C, 0xC0};
inline const QColor BlueDark{0x1E, 0x4C, 0x8C};
inline const QColor BlueTint{0xD8, 0xE6, 0xF7};
inline const QColor Ink{0x4A, 0x54, 0x62};
inline const QColor InkSoft{0x9A, 0xA4, 0xB2};
inline const QColor Paper{0xFF, 0xFF, 0xFF};
inline const QColor Warm{0xE3, 0x7A, 0x2A};
inline const QColor WarmDark{0xA8, 0x52, 0x14};
inline const QColor Green{0x2E, 0x97, 0x50};
inline const QColor Gold{0xF4, 0xCB, 0x4E};
inline const QColor NoteFill{0xFF, 0xDD, 0x66};
inline const QColor NoteFold{0xF0, 0xBE, 0x32};
inline const QColor NoteEdge{0xB8, 0x88, 0x0C};
inline const QColor NoteLine{0xA6, 0x78, 0x08};
inline const QColor Magenta{0xFF, 0x00, 0xFF};

// A transparent 16 x 16 canvas.
QImage BlankCell();

// Antialiased painter for one icon.
void Begin(QPainter& p);

// Round-capped, round-joined stroke pen.
QPen Stroke(const QColor& colour, qreal width);

// Fills the pixels of r exactly (no antialiasing whatever the painter's hints).
void FillPixels(QPainter& p, const QRect& r, const QColor& colour);

// A sheet occupying the pixels of r: fill, then a 1-px outline on its border pixels with
// softened corners.
void Sheet(QPainter& p, const QRect& r, const QColor& fill, const QColor& edge);

// Sets the pixels of a tiny bitmap ('#' = on) with top-left at (x, y).
void PutBitmap(QImage& img, int x, int y, const char* const* rows, int rowCount,
               const QColor& colour);

// The 5 x 7 digit d (0..9) as seven rows of '#'/'.'.
const char* const* Digit5x7(int d);

} // namespace iconpaint
