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

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int Change() const { return change_; }
    bool Disable() const { return disable_; }
    QColor BtnEnableColor() const { return enableColor_; }
    QColor BtnDisableColor() const { return disableColor_; }
    // The strip's background colour, kept in step by the strip.
    QColor Color() const { return color_; }

    // Min only below Max, Max only above Min; other values are ignored.
    void SetMin(int value);
    void SetMax(int value);
    // Clamped to [Min, Max]; a change repaints and emits Clicked.
    void SetPosition(int value);
    void SetChange(int value) { change_ = value; }
    void SetDisable(bool value);
    void SetBtnEnableColor(const QColor& color);
    void SetBtnDisableColor(const QColor& color);
    void SetColor(const QColor& color);

    bool CanScrollLeft() const { return position_ > min_; }
    bool CanScrollRight() const { return position_ < max_; }

    bool Pressed() const { return pressed_; }
    bool Down() const { return down_; }
    int Which() const { return which_; }

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect PressedHalf() const;

    int min_ = 0;
    int max_ = 0;
    int position_ = 0;
    int change_ = 1;
    bool disable_ = false;
    QColor enableColor_{190, 0, 0};
    QColor disableColor_{128, 128, 128};
    QColor color_{Qt::lightGray};
    bool pressed_ = false;
    bool down_ = false;
    int which_ = 0; // 0 the first arrow, 1 the second
};

} // namespace orvane
