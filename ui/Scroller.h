#pragma once
// The two-arrow scroller shown at the top of a TMiscTabs strip when not all tabs fit. The first
// arrow (upper left) steps Position down by Change, the second (lower right) steps it up.
// Only the arrows are painted: everything else lets the strip show through, so the scroller
// blends into whatever the strip draws beneath it.

#include <QColor>
#include <QWidget>

namespace orvane {

class TScroller : public QWidget {
    Q_OBJECT
public:
    explicit TScroller(QWidget* parent = nullptr);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    int Change() const { return m_change; }
    bool Disable() const { return m_disable; }
    QColor BtnEnableColor() const { return m_enableColor; }
    QColor BtnDisableColor() const { return m_disableColor; }
    // The strip's background colour, kept in step by the strip.
    QColor Color() const { return m_color; }

    // Min only below Max, Max only above Min; other values are ignored.
    void SetMin(int value);
    void SetMax(int value);
    // Clamped to [Min, Max]; a change repaints and emits Clicked.
    void SetPosition(int value);
    void SetChange(int value) { m_change = value; }
    void SetDisable(bool value);
    void SetBtnEnableColor(const QColor& color);
    void SetBtnDisableColor(const QColor& color);
    void SetColor(const QColor& color);

    bool CanScrollLeft() const { return m_position > m_min; }
    bool CanScrollRight() const { return m_position < m_max; }

    bool Pressed() const { return m_pressed; }
    bool Down() const { return m_down; }
    int Which() const { return m_which; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect PressedHalf() const;

    int m_min = 0;
    int m_max = 0;
    int m_position = 0;
    int m_change = 1;
    bool m_disable = false;
    QColor m_enableColor{190, 0, 0};
    QColor m_disableColor{128, 128, 128};
    QColor m_color{Qt::lightGray};
    bool m_pressed = false;
    bool m_down = false;
    int m_which = 0; // 0 the first arrow, 1 the second
};

} // namespace orvane
