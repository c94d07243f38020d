#pragma once
// The base of every skinned top-level window. While a skin is active the window has no system
// frame: it draws its own title bar (icon, caption with a shadow, minimise / maximise / close
// pictures), a tool-bar panel that can host the main menu, and a frame with rounded corners
// around the client area. In the system look the title panel is hidden and the window gets its
// native frame back.
//
// Layout, top to bottom: the main menu (system look only), pnlAnceTitle (27 px),
// panToolBar (20 px), then a body row whose stretch is ClientArea(). Subclasses put their
// content into ClientArea() (any layout); further rows (a status bar) can go into
// FormLayout() after the body row, side widgets (a tab strip) into BodyLayout() before the
// client area. ClientArea() gets contents margins wherever the drawn frame overlaps it, so its
// layout keeps clear of the frame: with the default frame offsets that is 3 px on each side.
//
// A skinned sizeable window is resized by the user through 4 px edge and 8 px corner handles.

#include "AncePanel.h"
#include "TitleButton.h"

#include <QImage>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include <vector>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;

namespace orvane {

class TfmAncestor : public QWidget {
    Q_OBJECT
public:
    // Sizeable windows get all three title buttons; dialog and tool-window borders only close,
    // cannot be resized by the user, and draw the title backdrop in two slices.
    enum class Border { Sizeable, Dialog, SizeToolWin };

    explicit TfmAncestor(QWidget* parent = nullptr, Border border = Border::Sizeable);
    ~TfmAncestor() override;

    // Applies the look named by SkinIndex: 0 hides the title panel and returns the native
    // frame; 1..3 load the skin, refill the title pictures and draw the window frameless.
    virtual void ApplySkin();

    // Where the drawn frame sits: below the title panel by `top` (the tool-bar panel's height
    // + 1 on a main window), above the bottom by `bottom`, right of the left edge by `left`.
    void SetFrameTop(int top);
    void SetFrameBottom(int bottom);
    void SetFrameLeft(int left);
    int FrameTop() const { return frameTop_; }
    int FrameBottom() const { return frameBottom_; }
    int FrameLeft() const { return frameLeft_; }

    // The window's main menu; shown in the menu-bar position in the system look and hosted
    // by panToolBar while its menu-bar mode is on. The window takes ownership.
    void SetMainMenu(QMenuBar* menu);
    QMenuBar* MainMenu() const { return mainMenu_; }

    QWidget* ClientArea() const { return clientArea_; }
    QVBoxLayout* FormLayout() const { return formLayout_; }
    QHBoxLayout* BodyLayout() const { return bodyLayout_; }
    bool Sizeable() const { return border_ == Border::Sizeable; }

    // Puts the window's outer top-left corner (its system frame's, or its own while frameless)
    // at `at`, moved as little as needed to keep the window inside the available area of its
    // screen; a window larger than that keeps its top-left corner inside.
    void PlaceOnScreen(QPoint at);
    // The same for where the window is now (after the window manager has framed it).
    void KeepOnScreen();
    // The top-left at which a rectangle of `size` lies inside `room` when it would be at `at`.
    static QPoint FitInside(QPoint at, QSize size, const QRect& room);

    // The application's main window: dialogs are centred on it. Cleared when it is destroyed.
    static void SetMainForm(QWidget* form);
    static QWidget* MainForm();

    TPanel* const pnlAnceTitle;
    TSpeedButton* const sbtnAnceTitleMax;
    TSpeedButton* const sbtnAnceTitleClose;
    TSpeedButton* const sbtnAnceTitleMin;
    QLabel* const imgAnceIcon;
    TPanel* const panToolBar;
    // Title-button pictures: 0 minimise, 1 maximise, 2 close, 3 restore, 4 arrow right,
    // 5 arrow left, then 6..11 the same hovered.
    std::vector<QImage> imglAnceSysBtn;
    QImage imgAnceMax;
    QImage imgAnceRestore;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // True while the window is hidden and shown again to change between the system frame and
    // none; a subclass that acts on hiding ignores that.
    bool Reframing() const { return reframing_; }

private:
    void FormCreate();
    void UpdateWindowFrame();
    void UpdateClientMargins();
    void UpdateMaxButton();
    void UpdateIcon();
    void PlaceGrips();
    void pnlAnceTitleResize();
    bool TitleMouseEvent(QEvent* event);
    void sbtnAnceTitleMaxClick();

    Border border_;
    int frameTop_ = 1;
    int frameBottom_ = 0;
    int frameLeft_ = 0;
    QVBoxLayout* formLayout_ = nullptr;
    QHBoxLayout* bodyLayout_ = nullptr;
    QWidget* clientArea_ = nullptr;
    QPointer<QMenuBar> mainMenu_;
    std::vector<QWidget*> grips_;
    QMargins nativeFrame_; // the system frame's thickness, last seen while it was on
    // Title dragging: where the press happened, and whether the manual fallback is moving.
    QPoint pressGlobal_;
    QPoint pressWindowPos_;
    bool titlePressed_ = false;
    bool manualMove_ = false;
    bool reframing_ = false;
};

} // namespace orvane
