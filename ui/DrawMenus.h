#pragma once
// Skinned menus. While a skin is active every menu of the main window and the pop-ups the
// reading window builds are painted by the program: a light face with an icon strip in the
// skin's face colour, a highlight cut from the skin picture, a "√" check mark and an etched
// separator. The system look hands the menus back to the application style.

#include <QProxyStyle>

class QMenu;
class QMenuBar;
class QPainter;
class QStyleOptionMenuItem;

namespace orvane {

class TDrawMenus {
public:
    TDrawMenus() = delete;

    static QColor FaceColor() { return {243, 242, 240}; }
    static QColor SeparatorColor() { return {175, 183, 207}; }
    static QColor DisabledTextColor() { return {128, 128, 128}; }
    static constexpr int kStripRight = 25;   // the icon strip ends before this x
    static constexpr int kCaptionInset = 35; // caption left edge from the item's left

    // Paints one menu item in the skinned look. Caption bold for a DefaultItem (or an item whose
    // font is bold already); shortcut text after a tab right-aligned; an arrow for a SubMenu.
    static void DrawItem(QPainter& painter, const QStyleOptionMenuItem& option);

    // The size a menu item needs: the base style's, widened if the caption inset would not
    // leave room for caption, shortcut and arrow.
    static QSize MeasureItem(const QStyleOptionMenuItem& option, const QSize& base);

    // While a skin is active, gives `menu` and its submenus (also those added later) the
    // skinned painter; under the system look this is Uninstall.
    static void Install(QMenu* menu);
    // The same for every menu of a menu bar. The bar itself keeps its style.
    static void Install(QMenuBar* bar);
    // Returns the menus to the application's style.
    static void Uninstall(QMenu* menu);
    static void Uninstall(QMenuBar* bar);

    // The one painter shared by every skinned menu; menus do not own it.
    static QStyle* Style();
    static bool IsInstalled(const QMenu* menu);
};

// The style behind TDrawMenus: menu items, the menu's background, frame and margins; everything
// else is left to a copy of the application's style.
class TSkinMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    TSkinMenuStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace orvane
