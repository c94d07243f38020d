#include "CompactStyle.h"

#include <QWidget>

namespace orvane {

TCompactStyle::TCompactStyle(QObject* owner) {
    setParent(owner);
}

void TCompactStyle::Install(QWidget* control) {
    control->setStyle(new TCompactStyle(control));
}

int TCompactStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const {
    switch (metric) {
    case PM_ToolBarItemMargin:
    case PM_ToolBarFrameWidth:
    case PM_ToolBarItemSpacing:
        return 0;
    case PM_MenuButtonIndicator:
        return 10;
    case PM_RadioButtonLabelSpacing:
        return 3;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

} // namespace orvane
