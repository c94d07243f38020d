#pragma once
// The small pictures of the reading grids (marker balls, note and bookmark icons, the check
// mark) at reading sizes above the one they were drawn for. They are scaled smoothly; a
// picture with a magenta key gets its key turned into transparency first, or the blend would
// leave a pink fringe. Scaled pictures are cached by their pixels and size, as the same few
// pictures are asked for on every paint.

#include <QImage>
#include <QString>

namespace orvane {

// `keyed` with its magenta pixels transparent, scaled to size x size.
const QImage& ScaledKeyedPicture(const QImage& keyed, int size);
// A picture with its own transparency, scaled to size x size.
const QImage& ScaledPicture(const QImage& picture, int size);

// A marker ball of size x size from the 16-px keyed ball picture, its digits written over it in
// an antialiased face `pixelSize` high, their top-left corner at `at` (ball pixels).
QImage ScaledMarkerBall(const QImage& keyedBall, int size, const QString& digits, int pixelSize,
                        QPoint at);

} // namespace orvane
