#include "ComplexRegion.h"

namespace orvane {

void TComplexRegion::Clear() {
    rects_.clear();
    bounds_ = QRect();
}

void TComplexRegion::AddRect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    if (rects_.size() == rects_.capacity()) rects_.reserve(rects_.size() + kGrowBy);
    const QRect r(QPoint(left, top), QPoint(right - 1, bottom - 1));
    rects_.push_back(r);
    bounds_ = bounds_.united(r);
}

namespace {

// Union of rects[from, to), halving the range each time so that every rectangle takes part in
// only a logarithmic number of unions.
QRegion Unite(const std::vector<QRect>& rects, size_t from, size_t to) {
    if (to - from == 1) return QRegion(rects[from]);
    const size_t mid = from + (to - from) / 2;
    return Unite(rects, from, mid).united(Unite(rects, mid, to));
}

} // namespace

QRegion TComplexRegion::CreateRegion() const {
    if (rects_.empty()) return {};
    return Unite(rects_, 0, rects_.size());
}

} // namespace orvane
