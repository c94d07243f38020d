#pragma once
// The window icon: an open book under a small cross, on a transparent background.

#include <QImage>

namespace skinpaint {

// 16 is drawn pixel by pixel; larger sizes are drawn from outlines.
QImage PaintIcon(int size);

} // namespace skinpaint
