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
    if (value < m_max) m_min = value;
}

void TScroller::SetMax(int value) {
    if (value > m_min) m_max = value;
}

void TScroller::SetPosition(int value) {
    value = std::clamp(value, m_min, std::max(m_min, m_max));
    if (value == m_position) return;
    m_position = value;
    update();
    emit Clicked();
}

void TScroller::SetDisable(bool value) {
    if (value == m_disable) return;
    m_disable = value;
    update();
}

void TScroller::SetBtnEnableColor(const QColor& color) {
    m_enableColor = color;
    update();
}

void TScroller::SetBtnDisableColor(const QColor& color) {
    m_disableColor = color;
    update();
}

void TScroller::SetColor(const QColor& color) {
    m_color = color;
    update();
}

void TScroller::paintEvent(QPaintEvent*) {
    // Arrows move one pixel down and right while held, like a pushed button.
    const bool firstHeld = m_pressed && m_down && m_which == 0;
    const bool secondHeld = m_pressed && m_down && m_which == 1;
    const QPoint a = firstHeld ? QPoint(2, 3) : QPoint(1, 2);
    const QPoint b = secondHeld ? QPoint(13, 4) : QPoint(12, 3);
    const QPolygon first{a, a + QPoint(0, 8), a + QPoint(8, 0)};
    const QPolygon second{b, b + QPoint(-8, 8), b + QPoint(0, 8)};
    const bool canFirst = !m_disable && CanScrollLeft();
    const bool canSecond = !m_disable && CanScrollRight();

    QPainter p(this);
    p.setPen(Qt::white);
    p.setBrush(canFirst ? m_enableColor : m_disableColor);
    p.drawPolygon(first);
    p.setBrush(canSecond ? m_enableColor : m_disableColor);
    p.drawPolygon(second);
}

QRect TScroller::PressedHalf() const {
    const int half = width() / 2;
    return m_which == 0 ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
}

void TScroller::mousePressEvent(QMouseEvent* event) {
    if (m_disable || event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    // The diagonal from (0,12) to (12,0) divides the two arrows.
    m_which = (at.x() >= 0 && at.y() >= 0 && at.x() + at.y() < 12) ? 0 : 1;
    if (m_which == 0 ? CanScrollLeft() : CanScrollRight()) {
        m_pressed = true;
        m_down = true;
        update();
    }
}

void TScroller::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressed) return;
    const bool inside = PressedHalf().contains(event->position().toPoint());
    if (inside != m_down) {
        m_down = inside;
        update();
    }
}

void TScroller::mouseReleaseEvent(QMouseEvent* event) {
    if (m_disable || event->button() != Qt::LeftButton) return;
    m_pressed = false;
    if (!m_down) return;
    m_down = false;
    update();
    SetPosition(m_position + (m_which == 0 ? -m_change : m_change));
}

} // namespace orvane
