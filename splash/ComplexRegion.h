#pragma once
// Builds one clipping region out of many rectangles, for the effects that reveal scattered
// cells of the picture.

#include <QRect>
#include <QRegion>

#include <vector>

namespace orvane {

class TComplexRegion {
public:
    // No rectangles; the bounds become empty.
    void Clear();
    // Adds the rectangle [left, right) x [top, bottom); empty rectangles are ignored.
    void AddRect(int left, int top, int right, int bottom);

    int Count() const { return int(rects_.size()); }
    // The box around every rectangle added; empty when there is none.
    QRect Bounds() const { return bounds_; }
    // One region holding every rectangle; an empty region when none was added.
    QRegion CreateRegion() const;

private:
    static constexpr size_t kGrowBy = 500;
    std::vector<QRect> rects_;
    QRect bounds_;
};

} // namespace orvane
