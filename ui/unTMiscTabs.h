#pragma once
// A narrow vertical tab strip for the left edge of a window: tabs stacked top to bottom, each
// caption written one character per line, neighbours joined by slanted corner pieces. A
// two-arrow scroller appears at the top when not all tabs fit.
//
// Keeping the selection in view: selecting a tab before the first shown one scrolls back to it;
// selecting one after the last shown one scrolls forward, a tab at a time, until it is shown. After
// a resize the strip first does the same, then pulls the first shown tab back as far as the new
// height allows while the selected tab (without a selection, the last shown tab) stays shown.

#include "TabList.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include <array>

namespace orvane {

class TScroller;

// Where a shown tab lies along the strip: its top and its length, corner zones excluded.
struct TTabSpan {
    int top = 0;
    int length = 0;
    bool operator==(const TTabSpan&) const = default;
};

class TMiscTabs : public QWidget {
    Q_OBJECT
public:
    // Colour slots, see SetColor.
    enum ColorSlot {
        SelectedText = 0,
        SelectedFill = 1,
        TabFill = 2,
        Spare = 3,
        Background = 4,
        TabText = 5,
        Edge = 6,
        HotText = 7,
        ColorCount = 8
    };
    // Outer lines for SetBorderLines.
    enum BorderLine { LeftLine = 1, TopLine = 2, RightLine = 4, BottomLine = 8, AllLines = 15 };

    explicit TMiscTabs(QWidget* parent = nullptr);
    ~TMiscTabs() override;

    TTabList& Tabs() { return tabs_; }
    const TTabList& Tabs() const { return tabs_; }
    // Replaces every caption and selects the first tab, if any.
    void SetTabs(const QStringList& captions);

    int TabIndex() const { return tabIndex_; }
    // -1 clears the selection. Throws EListError("Tab index out of bounds") outside -1..count-1,
    // leaving the selection as it was. Change may veto; Clicked follows an accepted change.
    void SetTabIndex(int index);

    int FirstIndex() const { return firstIndex_; }
    // Scrolls so that tab `index` is the first shown; ignored outside 0..count-1.
    void SetFirstIndex(int index);

    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int value);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int value);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);
    bool SoftTop() const { return softTop_; }
    void SetSoftTop(bool value);
    // Kept for callers; the strip's background is colour slot 4.
    QColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(const QColor& color) { backgroundColor_ = color; }
    QColor BtnEnableColor() const { return btnEnableColor_; }
    void SetBtnEnableColor(const QColor& color) { btnEnableColor_ = color; }
    QColor BtnDisableColor() const { return btnDisableColor_; }
    void SetBtnDisableColor(const QColor& color) { btnDisableColor_ = color; }

    // Slots: 0 selected caption, 1 selected fill, 2 unselected fill, 3 spare, 4 background,
    // 5 unselected caption, 6 edges and outer lines, 7 caption under the pointer.
    void SetColor(int slot, const QColor& color);
    QColor GetColor(int slot) const;

    int BorderLines() const { return borderLines_; }
    void SetBorderLines(int mask);
    bool UseSkinPicture() const { return useSkinPicture_; }
    void SetUseSkinPicture(bool value);
    // The selected tab's picture is `picture` without its 2-pixel border, stretched to the strip's
    // width and turned a quarter clockwise so its shading runs across the strip.
    void SetSelectedPicture(const QImage& picture);
    const QImage& SelectedPicture() const { return selectedPicture_; }
    // The skin's face picture; kept for callers, the strip paints with its colour slots.
    void SetFacePicture(const QImage& picture) { facePicture_ = picture; }

    // Number of tabs shown, and where they lie.
    int VisibleTabs() const { return visibleTabs_; }
    const QList<TTabSpan>& TabPositions() const { return positions_; }
    // Length of tab `index`: one text line per two GBK bytes of its caption, plus 16.
    int TabLength(int index) const;
    int Thickness() const { return thickness_; }
    // Shown tab (position in TabPositions) under the pointer, -1 for none.
    int HotIndex() const { return hotIndex_; }
    QRect HotRect() const { return hotRect_; }
    TScroller* Scroller() const { return scroller_; }
    // Corner picture 0..3, with the keyed-out parts transparent.
    const QImage& CornerImage(int index) const { return corners_.at(index); }

signals:
    // Asked before the selection moves to `newTab`; clear `allowChange` to keep the old one.
    void Change(int newTab, bool& allowChange);
    // The selection has changed.
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TTabList;
    void ListChanged();
    void ListInserted(int index);
    void ListDeleted(int index);
    void ListCleared();

    // Lays tabs out from `first` within the strip's height; true when the scroller is needed.
    bool Measure(int first, QList<TTabSpan>& spans) const;
    int LayOut(int first, int limit, QList<TTabSpan>& spans) const;
    bool Shows(int first, int index) const;
    void BringIntoView();
    void PullBack();
    void Relayout();
    void Repaint();
    void BuildCorners();
    void DrawCorner(QPainter& painter, int kind, int y) const;
    void DrawCaption(QPainter& painter, int index, const QRect& rect, const QColor& color) const;
    int HitTab(const QPoint& at) const;
    QRect CaptionRect(int shown) const;
    int MnemonicTab(const QString& text) const;
    void WatchWindow();

    TTabList tabs_{this};
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 0;
    int endMargin_ = 0;
    bool autoScroll_ = true;
    int tabWidth_ = 20;
    bool softTop_ = false;
    QColor backgroundColor_{0, 0, 0};
    QColor btnEnableColor_{190, 0, 0};
    QColor btnDisableColor_{128, 128, 128};
    std::array<QColor, ColorCount> colors_;
    int borderLines_ = AllLines;
    bool useSkinPicture_ = false;
    QImage selectedPicture_;
    QImage facePicture_;
    std::array<QImage, 4> corners_;
    int thickness_ = 19;
    QList<TTabSpan> positions_;
    int visibleTabs_ = 0;
    int hotIndex_ = -1;
    QRect hotRect_;
    QPoint pointer_{-1, -1};
    bool resized_ = false;
    QImage buffer_;
    TScroller* scroller_ = nullptr;
    QPointer<QWidget> watchedWindow_;
};

} // namespace orvane
