#include "wnAnceDlg.h"

#include "ColorButton.h"
#include "ThemeAdapter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>

namespace orvane {

namespace {

constexpr QSize kDialogSize{341, 200};
constexpr QSize kButtonSize{66, 22};
// The buttons' places, measured from the client area's top right: 22 px in from the right, 4 and
// 35 px down (31 and 62 px below a skinned title bar).
constexpr int kButtonRight = 22;
constexpr int kOKTop = 4;
constexpr int kCancelTop = 35;
constexpr int kFaceColour = 3;

bool IsMultiLine(const QWidget* control) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w))
            return true;
        if (w->isWindow()) break;
    }
    return false;
}

bool IsDroppedDownCombo(const QWidget* control) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (const auto* combo = qobject_cast<const QComboBox*>(w))
            return combo->view() && combo->view()->isVisible();
        if (w->isWindow()) break;
    }
    return false;
}

} // namespace

TfmAnceDlg::TfmAnceDlg(QWidget* parent, Border border)
    : TfmAncestor(parent, border), btnAnceOK(new TButton(QStringLiteral("确定"), ClientArea())),
      btnAnceCancel(new TButton(QStringLiteral("取消"), ClientArea())) {
    FormCreate();
}

TfmAnceDlg::~TfmAnceDlg() {
    // A dialog destroyed while it runs modally still lets ShowModal return.
    if (loop_) loop_->exit();
}

void TfmAnceDlg::FormCreate() {
    btnAnceOK->setObjectName(QStringLiteral("btnAnceOK"));
    btnAnceCancel->setObjectName(QStringLiteral("btnAnceCancel"));
    for (TButton* button : {btnAnceOK, btnAnceCancel}) {
        button->setFixedSize(kButtonSize);
        // Enter on a focused button presses it instead of moving on.
        button->setAutoDefault(true);
    }
    connect(btnAnceOK, &QPushButton::clicked, this, &TfmAnceDlg::btnAnceOKClick);
    connect(btnAnceCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
    resize(kDialogSize);

    panToolBar->hide();
    ApplySkin();
    SetFrameTop(1);
    ColourButtons();
    PlaceButtons();
    WatchKeys(this);
}

void TfmAnceDlg::ColourButtons() {
    for (TButton* button : findChildren<TButton*>())
        button->SetColor(ThemeColors().Color(kFaceColour));
}

void TfmAnceDlg::PlaceButtons() {
    const int left = ClientArea()->width() - kButtonRight - kButtonSize.width();
    btnAnceOK->move(left, kOKTop);
    btnAnceCancel->move(left, kCancelTop);
}

void TfmAnceDlg::btnAnceOKClick() {
    if (Validate()) SetModalResult(mrOK);
}

void TfmAnceDlg::SetModalResult(int result) {
    modalResult_ = result;
    if (result != mrNone && isVisible() && !close()) modalResult_ = mrNone;
}

int TfmAnceDlg::ShowModal() {
    if (loop_) return mrNone; // already running
    if (isVisible()) hide();  // modality only takes effect on showing
    modalResult_ = mrNone;
    setWindowModality(Qt::ApplicationModal);
    PlaceCentred();
    show();
    raise();
    activateWindow();

    QPointer<TfmAnceDlg> alive(this);
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    if (!alive) return mrCancel;
    loop_ = nullptr;
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TfmAnceDlg::setVisible(bool visible) {
    const bool wasVisible = isVisible();
    TfmAncestor::setVisible(visible);
    // However the dialog disappears (the title's close button, Alt+F4, hide(), a parent going
    // away) it counts as Cancel unless a result was given, and the modal run ends. The brief
    // hiding while the window's frame changes does not count.
    if (visible || !wasVisible || Reframing()) return;
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    if (loop_) loop_->exit();
}

void TfmAnceDlg::PlaceCentred() {
    QRect area;
    QWidget* mainForm = MainForm();
    if (mainForm && mainForm != this && mainForm->isVisible()) area = mainForm->frameGeometry();
    QScreen* screen = mainForm && !area.isNull() ? mainForm->screen() : this->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    if (area.isNull()) area = available;
    QRect r(QPoint(0, 0), frameGeometry().size());
    r.moveCenter(area.center());
    // A main window half off the screen must not drag the dialog out of reach.
    if (!available.isNull()) {
        r.moveRight(std::min(r.right(), available.right()));
        r.moveBottom(std::min(r.bottom(), available.bottom()));
        r.moveLeft(std::max(r.left(), available.left()));
        r.moveTop(std::max(r.top(), available.top()));
    }
    move(r.topLeft());
}

void TfmAnceDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (btnAnceCancel->isVisible() && btnAnceCancel->isEnabled()) btnAnceCancel->click();
        return;
    }
    TfmAncestor::keyPressEvent(event);
}

void TfmAnceDlg::WatchKeys(QObject* object) {
    if (object != this) object->installEventFilter(this);
    for (QObject* child : object->children())
        WatchKeys(child);
}

void TfmAnceDlg::childEvent(QChildEvent* event) {
    TfmAncestor::childEvent(event);
    if (event->added()) WatchKeys(event->child());
}

bool TfmAnceDlg::FormKeyPress(QWidget* control, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // Keys that a popup (an open combo list) receives belong to the popup.
    if (control->window() != this) return false;
    // Only the focused control decides: an Enter it passes on to its parents (a line edit
    // tagged negative, a combo box whose list has the focus) stays unconverted.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus != control) return false;
    if (IsMultiLine(control) || IsDroppedDownCombo(control)) return false;
    if (control->property("Tag").toInt() < 0) return false;
    if (qobject_cast<QPushButton*>(control)) return false; // pressed by its own Enter handling
    focusNextChild();
    return true;
}

bool TfmAnceDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        WatchKeys(static_cast<QChildEvent*>(event)->child());
    } else if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        if (FormKeyPress(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event)))
            return true;
    } else if (watched == ClientArea() && event->type() == QEvent::Resize) {
        PlaceButtons();
    }
    return TfmAncestor::eventFilter(watched, event);
}

} // namespace orvane
