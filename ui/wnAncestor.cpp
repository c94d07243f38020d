#include "wnAncestor.h"

#include "SkinState.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace orvane {

namespace {

constexpr int kTitleHeight = 27;
constexpr int kToolBarHeight = 20;
constexpr int kButtonSize = 20;
constexpr int kMinWidth = 210;
constexpr int kMinHeight = 150;
constexpr int kFrameWidth = 3; // thickness of the drawn frame's edges
constexpr int kGripWidth = 4;
constexpr int kGripCorner = 8;
// How long a window manager may take to frame a window shown anew.
constexpr int kFramedDelayMs = 300;

QPointer<QWidget>& MainFormSlot() {
    static QPointer<QWidget> form;
    return form;
}

QFont FormFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    return font;
}

// An invisible handle along an edge or in a corner of a frameless window: pressing it lets the
// window manager resize the window, or resizes it by hand where the platform cannot.
class EdgeGrip : public QWidget {
public:
    EdgeGrip(QWidget* form, Qt::Edges edges) : QWidget(form), edges_(edges) {
        const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
        const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
        if (horizontal && vertical) {
            const bool falling =
                edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge);
            setCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
        } else {
            setCursor(horizontal ? Qt::SizeHorCursor : Qt::SizeVerCursor);
        }
    }
    Qt::Edges Edges() const { return edges_; }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        QWidget* form = window();
        if (form->windowHandle() && form->windowHandle()->startSystemResize(edges_)) return;
        resizing_ = true;
        pressGlobal_ = event->globalPosition().toPoint();
        startGeometry_ = form->geometry();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!resizing_) return;
        QWidget* form = window();
        const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
        const QSize min = form->minimumSize();
        QRect r = startGeometry_;
        // The opposite edge stays put; the minimum size stops the moving one.
        if (edges_ & Qt::LeftEdge)
            r.setLeft(std::min(r.left() + delta.x(), r.right() + 1 - min.width()));
        if (edges_ & Qt::RightEdge)
            r.setRight(std::max(r.right() + delta.x(), r.left() + min.width() - 1));
        if (edges_ & Qt::TopEdge)
            r.setTop(std::min(r.top() + delta.y(), r.bottom() + 1 - min.height()));
        if (edges_ & Qt::BottomEdge)
            r.setBottom(std::max(r.bottom() + delta.y(), r.top() + min.height() - 1));
        form->setGeometry(r);
    }
    void mouseReleaseEvent(QMouseEvent*) override { resizing_ = false; }

private:
    Qt::Edges edges_;
    bool resizing_ = false;
    QPoint pressGlobal_;
    QRect startGeometry_;
};

Qt::WindowFlags WindowTypeFor(TfmAncestor::Border border) {
    switch (border) {
    case TfmAncestor::Border::Dialog:
        return Qt::Dialog;
    case TfmAncestor::Border::SizeToolWin:
        return Qt::Tool;
    default:
        return Qt::Window;
    }
}

} // namespace

TfmAncestor::TfmAncestor(QWidget* parent, Border border)
    : QWidget(parent, WindowTypeFor(border)), pnlAnceTitle(new TPanel(this)),
      sbtnAnceTitleMax(new TSpeedButton(pnlAnceTitle)),
      sbtnAnceTitleClose(new TSpeedButton(pnlAnceTitle)),
      sbtnAnceTitleMin(new TSpeedButton(pnlAnceTitle)), imgAnceIcon(new QLabel(pnlAnceTitle)),
      panToolBar(new TPanel(this)), border_(border) {
    FormCreate();
}

TfmAncestor::~TfmAncestor() = default;

void TfmAncestor::FormCreate() {
    setFont(FormFont());
    setMinimumSize(kMinWidth, kMinHeight);
    // The frame and texture are painted under every child; nothing needs the system fill.
    setAttribute(Qt::WA_OpaquePaintEvent);

    pnlAnceTitle->setObjectName(QStringLiteral("pnlAnceTitle"));
    panToolBar->setObjectName(QStringLiteral("panToolBar"));
    sbtnAnceTitleMax->setObjectName(QStringLiteral("sbtnAnceTitleMax"));
    sbtnAnceTitleClose->setObjectName(QStringLiteral("sbtnAnceTitleClose"));
    sbtnAnceTitleMin->setObjectName(QStringLiteral("sbtnAnceTitleMin"));
    imgAnceIcon->setObjectName(QStringLiteral("imgAnceIcon"));
    pnlAnceTitle->setFixedHeight(kTitleHeight);
    panToolBar->setFixedHeight(kToolBarHeight);

    formLayout_ = new QVBoxLayout(this);
    formLayout_->setContentsMargins(0, 0, 0, 0);
    formLayout_->setSpacing(0);
    formLayout_->addWidget(pnlAnceTitle);
    formLayout_->addWidget(panToolBar);
    bodyLayout_ = new QHBoxLayout;
    bodyLayout_->setContentsMargins(0, 0, 0, 0);
    bodyLayout_->setSpacing(0);
    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("ClientArea"));
    clientArea_->installEventFilter(this);
    bodyLayout_->addWidget(clientArea_, 1);
    formLayout_->addLayout(bodyLayout_, 1);

    sbtnAnceTitleMax->setToolTip(QStringLiteral("最大化"));
    sbtnAnceTitleClose->setToolTip(QStringLiteral("关闭"));
    sbtnAnceTitleMin->setToolTip(QStringLiteral("最小化"));
    for (TSpeedButton* button : {sbtnAnceTitleMin, sbtnAnceTitleMax, sbtnAnceTitleClose})
        button->SetImages(&imglAnceSysBtn);
    connect(sbtnAnceTitleMin, &QToolButton::clicked, this, &QWidget::showMinimized);
    connect(sbtnAnceTitleMax, &QToolButton::clicked, this, &TfmAncestor::sbtnAnceTitleMaxClick);
    connect(sbtnAnceTitleClose, &QToolButton::clicked, this, &QWidget::close);

    imgAnceIcon->setGeometry(6, 4, 16, 16);
    imgAnceIcon->installEventFilter(this);
    UpdateIcon();
    pnlAnceTitle->installEventFilter(this);
    if (!Sizeable()) {
        sbtnAnceTitleMax->hide();
        sbtnAnceTitleMin->hide();
    }
    pnlAnceTitle->SetSlicedBackdrop(border_ != Border::Sizeable);
    pnlAnceTitle->SetCaption(windowTitle());

    if (border_ != Border::Dialog) {
        for (Qt::Edges edges :
             {Qt::Edges(Qt::LeftEdge), Qt::Edges(Qt::RightEdge), Qt::Edges(Qt::TopEdge),
              Qt::Edges(Qt::BottomEdge), Qt::TopEdge | Qt::LeftEdge, Qt::TopEdge | Qt::RightEdge,
              Qt::BottomEdge | Qt::LeftEdge, Qt::BottomEdge | Qt::RightEdge})
            grips_.push_back(new EdgeGrip(this, edges));
    }

    // Every window starts in the current look, so one created while a skin is active is drawn
    // frameless with the skin's pictures before anyone applies the skin again.
    TfmAncestor::ApplySkin();
}

void TfmAncestor::ApplySkin() {
    if (SkinIndex <= kSkinSystem) {
        pnlAnceTitle->hide();
    } else {
        LoadSkin(SkinIndex);
        imglAnceSysBtn.clear();
        for (int row : {26, 43})
            for (int i = 0; i < 6; ++i)
                imglAnceSysBtn.push_back(SkinBlock(i * 16, row, 16, 17));
        sbtnAnceTitleMin->SetGlyph(imglAnceSysBtn[0]);
        imgAnceMax = imglAnceSysBtn[1];
        sbtnAnceTitleClose->SetGlyph(imglAnceSysBtn[2]);
        imgAnceRestore = imglAnceSysBtn[3];
        pnlAnceTitle->SetButtonBackdrop(SkinBlock(0, 0, 68, 26));
        UpdateMaxButton();
        // A button under the pointer keeps its hovered picture through a skin change.
        sbtnAnceTitleMin->ShowStatePicture();
        sbtnAnceTitleClose->ShowStatePicture();
        pnlAnceTitle->SetBackground(SkinBlock(126, 33, 8, 27));
        pnlAnceTitle->show();
    }
    UpdateWindowFrame();
    UpdateClientMargins();
    PlaceGrips();
    update();
}

void TfmAncestor::UpdateWindowFrame() {
    const Qt::WindowFlags type = windowType();
    Qt::WindowFlags flags = type;
    if (SkinIndex > kSkinSystem)
        flags |= Qt::FramelessWindowHint;
    else if (border_ != Border::Sizeable)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
    if (flags == windowFlags()) return;

    // Changing the flags hides the window and makes its native window anew. The outer
    // rectangle stays where it is on the screen: the drawn title takes the place of the system
    // caption and the other way round.
    const bool visible = isVisible();
    // A look is chosen from the window's own menu, so the window is on screen; a minimised state
    // that Qt still remembers from before a restore must not hide it again.
    const Qt::WindowStates state = windowState() & ~Qt::WindowMinimized;
    const bool placed = !(state & (Qt::WindowMaximized | Qt::WindowFullScreen));
    const bool toFrameless = flags & Qt::FramelessWindowHint;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    QSize client = inner.size();
    if (visible && placed) {
        if (toFrameless) {
            nativeFrame_ = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
            client = outer.size();
        } else {
            client = outer.size().shrunkBy(nativeFrame_).expandedTo(minimumSize());
        }
    }
    const QRect normal = normalGeometry();
    // Where the outer corner goes: where it is, moved in where the caption (or part of the
    // window) lay outside the screen's available area.
    QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QPoint corner =
        FitInside(outer.topLeft(), outer.size(), where ? where->availableGeometry() : QRect());
    reframing_ = true;
    setWindowFlags(flags);
    if (visible) {
        if (placed) {
            // The client rectangle is given, not the frame's corner: Qt would turn a corner
            // into a client position with the margins of the frame just taken away.
            if (toFrameless) {
                setGeometry(QRect(corner, client));
            } else if (!nativeFrame_.isNull()) {
                setGeometry(
                    QRect(corner + QPoint(nativeFrame_.left(), nativeFrame_.top()), client));
            } else {
                // The system frame has not been seen yet (the reader started in a skin): the
                // client goes where the outer corner was, and once the window manager has
                // framed it the window is moved in should the caption stick out.
                setGeometry(QRect(corner, client));
                QTimer::singleShot(kFramedDelayMs, this, &TfmAncestor::KeepOnScreen);
            }
        } else if (normal.isValid()) {
            setGeometry(normal); // where a restore will bring it back to
        }
        setWindowState(state);
        show();
        raise();
        activateWindow();
    }
    reframing_ = false;
}

QPoint TfmAncestor::FitInside(QPoint at, QSize size, const QRect& room) {
    if (!room.isValid()) return at;
    // The far edge first and the near one last, so a window larger than the room keeps its
    // top-left corner, and with it the title and its buttons, inside.
    const int x = std::max(room.left(), std::min(at.x(), room.right() + 1 - size.width()));
    const int y = std::max(room.top(), std::min(at.y(), room.bottom() + 1 - size.height()));
    return {x, y};
}

void TfmAncestor::PlaceOnScreen(QPoint at) {
    QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect room = where ? where->availableGeometry() : QRect();
    if (!isVisible()) {
        // Before the first show: the position is the frame's; its size is not known yet.
        move(FitInside(at, size(), room));
        return;
    }
    const QRect outer = frameGeometry();
    const QPoint fit = FitInside(at, outer.size(), room);
    if (fit != outer.topLeft()) move(fit);
}

void TfmAncestor::KeepOnScreen() {
    if (!isVisible() || isMaximized() || isFullScreen() || isMinimized()) return;
    PlaceOnScreen(frameGeometry().topLeft());
}

void TfmAncestor::UpdateClientMargins() {
    if (SkinIndex <= kSkinSystem || !pnlAnceTitle->isVisibleTo(this)) {
        clientArea_->setContentsMargins(0, 0, 0, 0);
        return;
    }
    // The inside of the frame as FormPaint draws it, in window coordinates.
    const int y0 = pnlAnceTitle->height() - 2 + frameTop_ + (frameTop_ > 0 ? 1 : 0);
    const QRect inner(QPoint(frameLeft_ + kFrameWidth, y0 + kFrameWidth),
                      QPoint(width() - 1 - kFrameWidth, height() - 1 - frameBottom_ - kFrameWidth));
    const QRect area = clientArea_->geometry();
    clientArea_->setContentsMargins(
        std::max(0, inner.left() - area.left()), std::max(0, inner.top() - area.top()),
        std::max(0, area.right() - inner.right()), std::max(0, area.bottom() - inner.bottom()));
}

void TfmAncestor::SetFrameTop(int top) {
    frameTop_ = top;
    UpdateClientMargins();
    update();
}

void TfmAncestor::SetFrameBottom(int bottom) {
    frameBottom_ = bottom;
    UpdateClientMargins();
    update();
}

void TfmAncestor::SetFrameLeft(int left) {
    frameLeft_ = left;
    UpdateClientMargins();
    update();
}

void TfmAncestor::SetMainMenu(QMenuBar* menu) {
    if (menu == mainMenu_) return;
    if (mainMenu_) {
        panToolBar->AttachMenu(nullptr);
        delete mainMenu_;
    }
    mainMenu_ = menu;
    if (!menu) return;
    menu->setParent(this);
    menu->setNativeMenuBar(false);
    formLayout_->setMenuBar(menu);
    if (panToolBar->MenuBarMode) panToolBar->AttachMenu(menu);
}

void TfmAncestor::SetMainForm(QWidget* form) {
    MainFormSlot() = form;
}

QWidget* TfmAncestor::MainForm() {
    return MainFormSlot();
}

void TfmAncestor::sbtnAnceTitleMaxClick() {
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void TfmAncestor::UpdateMaxButton() {
    sbtnAnceTitleMax->setToolTip(isMaximized() ? QStringLiteral("恢复") : QStringLiteral("最大化"));
    sbtnAnceTitleMax->ShowStatePicture();
}

void TfmAncestor::UpdateIcon() {
    QIcon icon = windowIcon();
    QPixmap picture;
    if (!icon.isNull()) picture = icon.pixmap(16, 16);
    if (picture.isNull()) {
        LoadBitmapResource(QStringLiteral("ICON16")); // makes sure the resources are registered
        picture = QPixmap(QStringLiteral(":/skins/ICON16"));
    }
    imgAnceIcon->setPixmap(picture.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TfmAncestor::PlaceGrips() {
    const bool on = SkinIndex > kSkinSystem && !isMaximized() && !isFullScreen();
    // Per axis: the near strip, the far strip, or the span between the corners.
    const auto span = [](bool nearEdge, bool farEdge, int length, int thickness) {
        if (nearEdge) return std::pair(0, thickness);
        if (farEdge) return std::pair(length - thickness, thickness);
        return std::pair(kGripCorner, length - 2 * kGripCorner);
    };
    for (QWidget* grip : grips_) {
        const Qt::Edges edges = static_cast<EdgeGrip*>(grip)->Edges();
        const bool corner =
            (edges & (Qt::LeftEdge | Qt::RightEdge)) && (edges & (Qt::TopEdge | Qt::BottomEdge));
        const int thickness = corner ? kGripCorner : kGripWidth;
        const auto [x, w] = span(edges & Qt::LeftEdge, edges & Qt::RightEdge, width(), thickness);
        const auto [y, h] = span(edges & Qt::TopEdge, edges & Qt::BottomEdge, height(), thickness);
        grip->setGeometry(x, y, w, h);
        grip->setVisible(on);
        grip->raise();
    }
}

void TfmAncestor::pnlAnceTitleResize() {
    const int top = (pnlAnceTitle->height() - kButtonSize) / 2;
    const int closeLeft = pnlAnceTitle->width() - 28;
    sbtnAnceTitleClose->move(closeLeft, top);
    sbtnAnceTitleMax->move(closeLeft - sbtnAnceTitleClose->width(), top);
    sbtnAnceTitleMin->move(sbtnAnceTitleMax->x() - sbtnAnceTitleMax->width(), top);
}

bool TfmAncestor::TitleMouseEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton || isMaximized()) return false;
        // The move starts once the pointer has travelled a little, so that a double-click on
        // the title still reaches us instead of the window manager.
        titlePressed_ = true;
        manualMove_ = false;
        pressGlobal_ = mouse->globalPosition().toPoint();
        pressWindowPos_ = pos();
        return true;
    case QEvent::MouseMove:
        if (!titlePressed_ || !(mouse->buttons() & Qt::LeftButton) || isMaximized()) return false;
        if (!manualMove_) {
            const QPoint travel = mouse->globalPosition().toPoint() - pressGlobal_;
            if (travel.manhattanLength() < QApplication::startDragDistance()) return true;
            if (windowHandle() && windowHandle()->startSystemMove()) {
                titlePressed_ = false;
                return true;
            }
            manualMove_ = true;
        }
        move(pressWindowPos_ + mouse->globalPosition().toPoint() - pressGlobal_);
        return true;
    case QEvent::MouseButtonRelease:
        titlePressed_ = false;
        manualMove_ = false;
        return false;
    case QEvent::MouseButtonDblClick:
        titlePressed_ = false;
        if (mouse->button() == Qt::LeftButton && sbtnAnceTitleMax->isVisibleTo(pnlAnceTitle))
            sbtnAnceTitleMax->click();
        return true;
    default:
        return false;
    }
}

bool TfmAncestor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgAnceIcon && event->type() == QEvent::MouseButtonDblClick) {
        close();
        return true;
    }
    if (watched == pnlAnceTitle) {
        if (event->type() == QEvent::Resize)
            pnlAnceTitleResize();
        else if (TitleMouseEvent(event))
            return true;
    } else if (watched == clientArea_ &&
               (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        UpdateClientMargins();
    }
    return QWidget::eventFilter(watched, event);
}

void TfmAncestor::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::WindowStateChange:
        UpdateMaxButton();
        PlaceGrips();
        break;
    case QEvent::WindowTitleChange:
        pnlAnceTitle->SetCaption(windowTitle());
        break;
    case QEvent::WindowIconChange:
        UpdateIcon();
        break;
    default:
        break;
    }
}

bool TfmAncestor::event(QEvent* event) {
    // The icon change reaches event() only, not changeEvent().
    if (event->type() == QEvent::WindowIconChange) UpdateIcon();
    return QWidget::event(event);
}

void TfmAncestor::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceGrips();
    UpdateClientMargins();
    update();
}

void TfmAncestor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (SkinIndex <= kSkinSystem) {
        p.fillRect(rect(), palette().window());
        return;
    }
    if (SkinFormTexture.isNull())
        p.fillRect(rect(), palette().window());
    else
        p.drawTiledPixmap(rect(), QPixmap::fromImage(SkinFormTexture));
    if (SkinFrame.isNull()) return;

    const int h = pnlAnceTitle->height();
    const int t = frameTop_;
    const int b = frameBottom_;
    const int l = frameLeft_;
    const int w = width();
    const int ht = height();
    const int y0 = h - 2 + t + (t > 0 ? 1 : 0);
    DrawKeyed(p, QPoint(l, y0), SkinFrame, QRect(0, 0, 8, 8));
    DrawKeyed(p, QPoint(w - 8, y0), SkinFrame, QRect(22, 0, 8, 8));
    if (t > 0) p.drawImage(QRect(5, y0, w - 13, 3), SkinFrame, QRect(8, 0, 8, 3));
    DrawKeyed(p, QPoint(l, ht - b - 8), SkinFrame, QRect(0, 28, 8, 8));
    DrawKeyed(p, QPoint(w - 8, ht - b - 8), SkinFrame, QRect(22, 28, 8, 8));
    // The side edges stop where the bottom corners begin: run to the window's foot they would
    // cross the status bar under the frame and turn the corners into T joints.
    const int sideHeight = std::max(0, ht - b - 8 - (h + 6));
    p.drawImage(QRect(l, h + 6, 3, sideHeight), SkinFrame, QRect(0, 8, 3, 8));
    p.drawImage(QRect(w - 3, h + 6, 3, sideHeight), SkinFrame, QRect(27, 8, 3, 8));
    p.drawImage(QRect(5, ht - b - 3, w - 13, 3), SkinFrame, QRect(8, 33, 8, 3));
}

} // namespace orvane
