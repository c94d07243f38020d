#pragma once
// The process-wide skin state: which look is active and the pieces cut from its picture. Every
// skinned paint routine reads these; only the skin switch writes them. GUI thread only.
//
// A skin picture is 142 x 60 pixels; magenta RGB(255,0,255) marks transparent pixels. Regions:
//   (0,0) 68x26 title-button backdrop      (0,26) 96x17 six title buttons (min, max, close,
//   (0,43) 96x17 the same, hovered                restore, arrow right, arrow left)
//   (69,0) 26x26 form texture              (95,0) 8x20 tool-bar face
//   (103,0) 8x24 cell face                 (103,8) 8x16 small cell face
//   (111,0) 25x7 horizontal splitter grip  (136,0) 7x25 vertical splitter grip
//   (96,24) 30x36 client frame             (126,33) 8x27 title strip
//   (136,6) 6x14 tool-bar grip             (111,6) 24x20 tool-bar highlight

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;
class QPixmap;

namespace orvane {

inline constexpr int kSkinSystem = 0;
inline constexpr int kSkinCount = 4; // the system look and three skins
inline constexpr QRgb kMagenta = 0xFFFF00FF;
inline constexpr int kSkinWidth = 142;
inline constexpr int kSkinHeight = 60;

// 0 = system look, 1 "light", 2 "red", 3 "black".
extern int SkinIndex;
extern QColor SkinFaceColor;
extern QColor SkinMenuHotTextColor;

extern QImage SkinImage;         // the whole picture
extern QImage SkinFormTexture;   // 26 x 26 from (69,0)
extern QImage SkinFrame;         // 30 x 36 from (96,24)
extern QImage SkinBarFace;       // 8 x 20 from (95,0)
extern QImage SkinCellFace;      // 8 x 24 from (103,0)
extern QImage SkinCellFaceSmall; // 8 x 16 from (103,8)
extern QImage SkinSplitterH;     // 25 x 7 from (111,0)
extern QImage SkinSplitterV;     // 7 x 25 from (136,0)
extern QImage SkinMenuHighlight; // 24 x 18, filled by the tool-bar panel

// The colour of pixel (12,12) of SkinMenuHighlight (black while it is empty).
QColor SkinAccentColor();

// "LIGHT", "RED" or "BLACK" for skins 1..3; empty otherwise.
QString SkinResourceName(int index);

// A bitmap among the program's resources, looked up without regard to case ("light" finds
// LIGHT). A null image when there is none.
QImage LoadBitmapResource(const QString& name);

// Loads the picture of skin `index` (1..3) into SkinImage and cuts the pieces from it. A missing
// or damaged picture leaves a plain grey stand-in of the right size, so painting never fails.
void LoadSkin(int index);

// A block of SkinImage, 24-bit.
QImage SkinBlock(int x, int y, int width, int height);

// Colour-keyed drawing: magenta pixels of `image` are left out. `source` defaults to the whole
// image; `target` defaults to the source's size at `at`.
void DrawKeyed(QPainter& painter, const QPoint& at, const QImage& image, QRect source = {});
void DrawKeyed(QPainter& painter, const QRect& target, const QImage& image, QRect source = {});
// The image as a pixmap whose magenta pixels are transparent.
QPixmap KeyedPixmap(const QImage& image);

} // namespace orvane
