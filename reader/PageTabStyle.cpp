#include "PageTabStyle.h"

#include "SkinState.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>

namespace orvane {

TPageTabStyle::TPageTabStyle(QObject* owner) {
    setParent(owner);
}

void TPageTabStyle::Install(QTabWidget* pages) {
    QTabBar* bar = pages->tabBar();
    bar->setStyle(new TPageTabStyle(bar));
}

void TPageTabStyle::DrawSkinnedTab(QPainter& painter, const QRect& rect, const QString& caption,
                                   bool active) {
    painter.save();
    painter.fillRect(rect, SkinFaceColor);
    painter.setPen(active ? SkinAccentColor() : QColor(Qt::black));
    painter.setBrush(Qt::NoBrush);
    // The active caption sits lower and further in, as on a pressed tab. The inactive ones keep
    // two pixels of air above them: our tabs are all of one height, so none is raised.
    const QPoint at = active ? QPoint(8, 4) : QPoint(6, 2);
    painter.drawText(rect.adjusted(at.x(), at.y(), 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextHideMnemonic,
                     caption);
    painter.restore();
}

void TPageTabStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (element == CE_TabBarTab && SkinIndex > kSkinSystem) {
        if (const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option)) {
            DrawSkinnedTab(*painter, tab->rect, tab->text, tab->state & State_Selected);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace orvane
