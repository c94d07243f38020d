#pragma once
// The panel of skinned forms: the drawn title bar (stretched strip, button backdrop, caption
// with a shadow) and the tool-bar panel that can carry the form's main menu as flat buttons.
//
// Menu-bar mode moves the form's QMenuBar into the panel (at MenuInset from the left, full
// height) and paints its items through a small proxy style: a hot or open item shows the
// three slices of HotBitmap, the others the tiled cool-bar picture. Keeping the QMenuBar
// itself keeps Alt, mnemonics and arrow-key navigation working.

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QMenuBar>
#include <QPointer>

class QStyle;

namespace orvane {

class TPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPanel(QWidget* parent = nullptr);
    ~TPanel() override;

    // Turning the mode on takes the form's main menu (a QMenuBar that is a direct child of the
    // panel's parent) into the panel; turning it off gives it back to the parent's layout as
    // its menu bar. No effect when unchanged.
    void SetMenuBarMode(bool on);
    // Copies the picture. In menu-bar mode the 16 x 20 block at x = 12 becomes the cool-bar
    // picture and the 24 x 18 block at x = 28 the hot-item picture (SkinMenuHighlight too).
    void SetBackground(const QImage& picture);
    void SetButtonBackdrop(const QImage& picture);
    void SetMenuTextColor(const QColor& colour);
    void SetMenuHotTextColor(const QColor& colour);
    // The menu to host: taken in at once while the mode is on, else kept for when it is turned
    // on. Null gives a hosted menu back to the parent.
    void AttachMenu(QMenuBar* menu);
    QMenuBar* MenuToolBar() const { return menu_; }

    void SetCaption(const QString& caption);
    const QString& Caption() const { return caption_; }

    // Dialog and tool-window forms draw the backdrop as two slices near the right edge.
    void SetSlicedBackdrop(bool sliced);
    bool SlicedBackdrop() const { return slicedBackdrop_; }

    QImage Background;
    QImage ButtonBackdrop;
    bool MenuBarMode = false;
    QColor MenuTextColor{Qt::black};
    QColor MenuHotTextColor{Qt::white};
    QImage CoolBarBackground; // 16 x 20, tiled behind the menu items
    QImage HotBitmap;         // 24 x 18, behind a hot or open menu item
    int MenuInset = 12;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DeriveMenuPictures();
    void PlaceMenu();
    void ReleaseMenu();

    QString caption_;
    bool slicedBackdrop_ = false;
    QPointer<QMenuBar> menu_;
    QStyle* menuStyle_ = nullptr; // owned by the panel, created with the first hosted menu
};

} // namespace orvane
