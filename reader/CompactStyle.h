#pragma once
// The reading window's bottom row, packed tighter than the application style packs it: the
// tool bar without the margin and gap around and between its buttons, narrower drop-down
// arrows on the history buttons, and scope buttons with a smaller gap between the circle and
// the caption. The tool bar and the find panel share that row, and at the window's first width
// both only fit this way. Installed on each control it applies to (children keep theirs).

#include <QProxyStyle>

class QWidget;

namespace orvane {

class TCompactStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Owned by `owner` (the control it is installed on).
    explicit TCompactStyle(QObject* owner);

    // Installs the style on `control`.
    static void Install(QWidget* control);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace orvane
