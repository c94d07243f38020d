#include "Scroller.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace orvane {

TScroller::TScroller(QWidget* parent) : QWidget(parent) {
    resize(16, 13);
    move(2, 3);
}

void TScroller::SetMin(int value) {
    if (value < max_) min_ = value;
}

void TScroller::SetMax(int value) {
    if (value > min_) max_ = value;
}

void TScroller::SetPosition(int value) {
    value = std::clamp(value, min_, std::max(min_, max_));
    if (value == position_) return;
    position_ = value;
    update();
    emit Clicked();
}

void TScroller::SetDisable(bool value) {
    if (value == disable_) return;
    disable_ = value;
    update();
}

void TScroller::SetBtnEnableColor(const QColor& color) {
    enableColor_ = color;
    update();
}

void TScroller::SetBtnDisableColor(const QColor& color) {
    disableColor_ = color;
    update();
}

void TScroller::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TScroller::paintEvent(QPaintEvent*) {
    // Arrows move one pixel down and right while held, like a pushed button.
    const bool firstHeld = pressed_ && down_ && which_ == 0;
    const bool secondHeld = pressed_ && down_ && which_ == 1;
    const QPoint a = firstHeld ? QPoint(2, 3) : QPoint(1, 2);
    const QPoint b = secondHeld ? QPoint(13, 4) : QPoint(12, 3);
    const QPolygon first{a, a + QPoint(0, 8), a + QPoint(8, 0)};
    const QPolygon second{b, b + QPoint(-8, 8), b + QPoint(0, 8)};
    const bool canFirst = !disable_ && CanScrollLeft();
    const bool canSecond = !disable_ && CanScrollRight();

    QPainter p(this);
    p.setPen(Qt::white);
    p.setBrush(canFirst ? enableColor_ : disableColor_);
    p.drawPolygon(first);
    p.setBrush(canSecond ? enableColor_ : disableColor_);
    p.drawPolygon(second);
}

QRect TScroller::PressedHalf() const {
    const int half = width() / 2;
    return which_ == 0 ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
}

void TScroller::mousePressEvent(QMouseEvent* event) {
    if (disable_ || event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    // The diagonal from (0,12) to (12,0) divides the two arrows.
    which_ = (at.x() >= 0 && at.y() >= 0 && at.x() + at.y() < 12) ? 0 : 1;
    if (which_ == 0 ? CanScrollLeft() : CanScrollRight()) {
        pressed_ = true;
        down_ = true;
        update();
    }
}

void TScroller::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const bool inside = PressedHalf().contains(event->position().toPoint());
    if (inside != down_) {
        down_ = inside;
        update();
    }
}

void TScroller::mouseReleaseEvent(QMouseEvent* event) {
    if (disable_ || event->button() != Qt::LeftButton) return;
    pressed_ = false;
    if (!down_) return;
    down_ = false;
    update();
    SetPosition(position_ + (which_ == 0 ? -change_ : change_));
}

} // namespace orvane
