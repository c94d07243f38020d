#pragma once
// The 171 transition effects of the picture show. A routine paints into `frame` (which holds
// the old picture when it is called) the part of `newPic` that `progress` (1..99) reveals;
// W and H are the picture's size, X and Y its width and height scaled by the progress (see
// EffectExtent). Both images are 32-bit (QImage::Format_RGB32) and W x H.
//
// Every routine: shows the whole new picture at progress 100, draws only inside the frame,
// gives the same frame for the same input on every run, and shows only pixels of the old or the
// new picture, except the styles EffectMixesColours names.

#include <QImage>
#include <QString>

#include <array>

namespace orvane {

inline constexpr int kEffectCount = 171;

using TEffectProc = void (*)(QImage& frame, const QImage& newPic, int W, int progress, int Y, int X,
                             int H);

// "Expand from right" for 1 ... "Random Bars Vertical" for 171; empty for any other number.
QString EffectName(int style);
// The style whose name equals `name` without regard to case (the first, for the two names that
// occur twice); 0 when there is none.
int FindEffect(const QString& name);
// The routine of style 1..171; null otherwise.
TEffectProc EffectProc(int style);

// Styles allowed to show colours of neither picture on the way: "Fade" (118) blends the two,
// and the unroll styles (14, 15, 31, 32) darken the rolled-up edge with a shading band.
bool EffectMixesColours(int style);

// X and Y for a frame: the longer side is scaled by the progress and the other follows it, so
// the two keep the picture's proportions.
void EffectExtent(int W, int H, int progress, int& X, int& Y);

// Used by the family files to fill the table.
using TEffectTable = std::array<TEffectProc, kEffectCount + 1>;

} // namespace orvane
