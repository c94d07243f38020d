// The pictures painted by orvane-iconpaint, one function per picture family.
#pragma once

#include <QImage>

namespace iconpaint {

// Number of images in the tool strip; unused indexes stay transparent.
constexpr int ToolCount = 45;

// Tool, menu and action image i (16 x 16, ARGB).
QImage ToolIcon(int index);

// Tree image: 0 a closed book, 1 the selected (open) book (16 x 16, ARGB).
QImage ReportTypeIcon(int index);

// Marker ball of skin s (0..3): 16 x 16, 24-bit, magenta where transparent.
QImage MarkerBall(int skin);

// The same ball for a one-digit number: 12 px wide at the left of a 16 x 16 picture, so that it
// stays within the 12-px advance of its marker text ("`" and one digit) and never covers the
// character after it.
QImage NarrowMarkerBall(int skin);

// Check mark of marked rows: 14 x 11, 24-bit, magenta where transparent.
QImage CheckFlag();

// Writes a 4x sheet of every picture on a light and a dark ground, for eyeballing.
bool WritePreview(const QString& path);

} // namespace iconpaint
