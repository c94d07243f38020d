#pragma once
// The built-in splash picture: an open book under a medallion and rays of light, with the
// program's name, on a rounded card. Pure white marks where the desktop shows through; no pixel
// of the card itself is pure white.

#include <QImage>

namespace splashpaint {

inline constexpr int kWidth = 389;
inline constexpr int kHeight = 290;
inline constexpr QRgb kTransparent = 0xFFFFFFFF;

QImage PaintSplash();

// The picture as it would look over a desktop, with a sample daily verse in its band.
QImage PreviewOverDesktop(const QImage& splash);

} // namespace splashpaint
