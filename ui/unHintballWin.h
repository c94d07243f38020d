#pragma once
// The chapter balloon: a borderless, top-most popup shaped as a speech balloon whose tail tip
// touches a screen point. It shows a bold caption, a grid of numbered circles (ten to a row, so
// chapter 73 is always row 8, column 3) that light up under the pointer and can be clicked, and
// a one-line status text under the grid.
//
// It never takes the focus, so the window it points from keeps its keyboard. It closes itself on
// a left click, on losing activation, on Esc anywhere in the program, and when its close check
// finds the pointer outside it while it is not locked.

#include <QPainterPath>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QTimer;

namespace orvane {

class THintBalloonWin : public QWidget {
    Q_OBJECT
public:
    // Where the tail sits, and so where the balloon lies relative to its tip.
    enum TailSide : int {
        kTailBottomRight = 0, // balloon above, to the left of the point
        kTailBottomLeft = 1,  // above, to the right
        kTailTopRight = 2,    // below, to the left
        kTailTopLeft = 3,     // below, to the right
    };

    // Geometry, in pixels. The circles are large on purpose: a 150-chapter book must still be
    // easy to hit with a mouse.
    static constexpr int kMarginLeft = 10;
    static constexpr int kMarginTop = 30;
    static constexpr int kMarginRight = 10;
    static constexpr int kMarginBottom = 30;
    static constexpr int kCellWidth = 36;
    static constexpr int kCellHeight = 32;
    static constexpr int kCircle = 28; // diameter of a circle inside its cell
    static constexpr int kTailHeight = 20;
    static constexpr int kTailWidth = 20;
    static constexpr int kTailInset = 20;
    static constexpr int kColumns = 10;
    // Used only when ten to a row would not fit on the screen: two decades to a row still keep
    // the numbers easy to find.
    static constexpr int kWideColumns = 20;

    // `parent` only owns the balloon (it dies with it); the balloon is its own window.
    explicit THintBalloonWin(QWidget* parent = nullptr);
    ~THintBalloonWin() override;

    // Drawn bold above the grid; it also tells which book the balloon belongs to.
    void SetCaption(const QString& text);
    QString Caption() const { return caption_; }

    // Sizes the balloon for `count` circles in `columns` to a row and places it so that the
    // tail's tip is at screen point `tip`.
    void Layout(QPoint tip, int count, int side, int columns = kColumns);
    // Picks side and columns so that the whole balloon lies within `screen` (the available
    // screen area) if it can: right of and above the point by preference. Returns the side.
    int LayoutOnScreen(QPoint tip, int count, const QRect& screen);
    // Shapes the window, shows it without activating it, and starts the close check when
    // `closeCheckMs` is above 0.
    void ShowBalloon(int closeCheckMs, int side);

    // Lights circle `index` (-1: none) and fetches its status text.
    void SetHot(int index);
    int HotIndex() const { return hot_; }
    // A circle drawn as the reader's current one (-1: none), so the picker shows where one is.
    void SetCurrent(int index);
    int Current() const { return current_; }

    // While locked, the close check leaves the balloon open with the pointer outside it.
    void SetLocked(bool locked) { locked_ = locked; }

    // Closes the balloon; it is deleted once the current event has been handled. Safe to call
    // more than once.
    void Release();
    bool Released() const { return released_; }

    // The text shown under the grid for a lit circle (for the chapter picker: its first verse).
    std::function<QString(int index)> HoverText;
    // Shown greyed in the status line while no circle is lit.
    QString IdleText;
    // Shown greyed at the right of the caption (the picker puts the chapter count there).
    QString CaptionNote;

    int Count() const { return int(cells_.size()); }
    int Columns() const { return columns_; }
    int TailSide() const { return side_; }
    // Circle `index`'s cell in window coordinates; empty when there is no such circle.
    QRect CellRect(int index) const;
    // The index of the circle whose cell holds `pos` (window coordinates), or -1.
    int CellAt(QPoint pos) const;
    QRect GridRect() const { return grid_; }
    // The balloon's outline (body and tail) in window coordinates.
    QPainterPath Shape() const { return shape_; }
    QRegion BalloonRegion() const { return region_; }
    // The tail's tip in window coordinates.
    QPoint TipOffset() const;
    QString StatusText() const { return status_; }

signals:
    // A mouse press on circle `index`.
    void BalloonPick(int index, Qt::MouseButton button);
    // The lit circle changed.
    void BalloonHover(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildShape();
    void CloseCheck();
    QRect StatusRect() const;
    void PaintCircle(QPainter& painter, int index) const;

    QString caption_;
    QString status_;
    std::vector<QRect> cells_;
    QRect grid_;
    QPainterPath shape_;
    QRegion region_;
    QTimer* closeCheck_ = nullptr;
    int hot_ = -1;
    int current_ = -1;
    int side_ = kTailBottomLeft;
    int columns_ = kColumns;
    bool locked_ = false;
    bool released_ = false;
    bool wasActive_ = false;
    bool pressed_ = false; // a left press inside, so the matching release is a click
};

} // namespace orvane
