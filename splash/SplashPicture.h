#pragma once
// The pieces of the splash picture: the built-in picture, the optional picture file named in the
// settings, the daily verse written on it, and the desktop it is laid over.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QStringList>

class QFontMetrics;

namespace orvane {

inline constexpr int kSplashWidth = 389;
inline constexpr int kSplashHeight = 290;
// Pixels of the splash picture in this colour show the desktop.
inline constexpr QRgb kSplashTransparent = 0xFFFFFFFF;
inline constexpr QRgb kVerseColor = 0xFFFFFF00;

// The picture built into the program (389 x 290); a plain stand-in if it is missing.
QImage BuiltInSplashPicture();

// The picture file named by "SPLASH PICTURE" in section "MAIN" when it exists and can be read
// (any format Qt reads, JPEG included), brought to the splash size; otherwise `builtIn`.
QImage LoadSplashPicture(const QImage& builtIn);
// A picture of another size, scaled to cover the splash and cut to it around its middle: the
// form keeps its size, and the verse written near the bottom edge stays on it.
QImage FitSplashPicture(const QImage& picture);

// Writes `verse` onto the picture in yellow, "宋体" 12 px, background untouched: the last line
// starts at (28, height - 16); a verse too wide for one line continues on lines above it.
void DrawDailyVerse(QImage& picture, const QString& verse);
// The lines DrawDailyVerse writes, each at most `width` wide: Chinese text breaks between any
// two characters, but a closing punctuation mark stays with the character before it and the
// reference "(创 1:1)" is never split.
QStringList BreakVerse(const QString& verse, const QFontMetrics& metrics, int width);

// The screen area in logical pixels as an image of that size; null where the platform cannot
// grab the screen or has no desktop to grab (offscreen, minimal).
QImage GrabScreenArea(const QRect& area);

// `desktop` (or, when it is null, `background` everywhere) with `picture` laid over it, leaving
// out the picture's pure white pixels.
QImage ComposeOverDesktop(const QImage& desktop, const QColor& background, const QImage& picture);

} // namespace orvane
