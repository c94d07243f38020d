#pragma once
// The look of the bottom page control's tabs. Under the system look the application style draws
// them; while a skin is active each tab is a flat block of the skin's face colour carrying its
// caption, the active one in the accent colour and set a little lower and further in. Being a
// style rather than a paint routine, it also draws the tab that follows the pointer while the
// tabs are reordered by dragging.

#include <QProxyStyle>

class QTabWidget;

namespace orvane {

class TPageTabStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Owned by `owner` (the tab bar it is installed on).
    explicit TPageTabStyle(QObject* owner);

    // Installs the style on the tab bar of `pages`.
    static void Install(QTabWidget* pages);

    // One skinned tab over `rect`.
    static void DrawSkinnedTab(QPainter& painter, const QRect& rect, const QString& caption,
                               bool active);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace orvane
