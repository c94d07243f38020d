// The reading window's built-in pictures, cut from the strips embedded at build time.
#pragma once

#include <QImage>

namespace orvane {

// Number of images in the tool, menu and action list.
constexpr int ToolImageCount = 45;
// Number of tree images (0 a book, 1 the selected book).
constexpr int ReportTypeImageCount = 2;
// Number of marker balls (one per SkinIndex).
constexpr int BallImageCount = 4;

// Tool, menu and action image `index` of the tool list: 16 x 16, ARGB32 with transparency.
// An index outside 0..44, or an unused slot, gives a fully transparent 16 x 16 image.
QImage ToolImage(int index);

// Tree image `index` (0 a book, 1 the selected book): 16 x 16, ARGB32; transparent when out of
// range.
QImage ReportTypeImage(int index);

// The marker ball of skin `skinIndex` (0..3): 16 x 16, RGB888, magenta RGB(255,0,255) wherever
// it is to be transparent. Out of range gives an all-magenta (fully keyed-out) image.
QImage BallImage(int skinIndex);

// The marker ball for a one-digit number, 12 px wide at the left of a 16 x 16 picture (the
// advance of "`" and one digit); the rest, and an index out of range, are magenta.
QImage NarrowBallImage(int skinIndex);

// The check mark of marked rows: 14 x 11, RGB888, magenta background.
QImage CheckFlagImage();

} // namespace orvane
