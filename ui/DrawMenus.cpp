#include "DrawMenus.h"

#include "SkinState.h"

#include <QActionEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QSet>
#include <QStyleOptionMenuItem>

namespace orvane {

namespace {

constexpr int kIconSize = 16;
constexpr int kSeparatorIndent = 30;
constexpr int kArrowRoom = 20;     // right of the shortcut text: the submenu arrow
constexpr int kShortcutGap = 24;   // between caption and shortcut text
constexpr int kMinItemHeight = 22; // a 16-pixel icon placed 4 pixels down, with a little air

const QString kCheckMark = QStringLiteral("√");

QColor StripColor() {
    return SkinFaceColor.isValid() ? SkinFaceColor : QColor(TDrawMenus::FaceColor());
}

// The face and the icon strip over `r`; the strip ends at a fixed x whatever the rectangle.
void FillFace(QPainter& painter, const QRect& r) {
    painter.fillRect(r, TDrawMenus::FaceColor());
    if (r.left() < TDrawMenus::kStripRight)
        painter.fillRect(
            QRect(QPoint(r.left(), r.top()), QPoint(TDrawMenus::kStripRight - 1, r.bottom())),
            StripColor());
}

// The highlight picture in three slices: keyed 8-pixel ends and a stretched middle.
void DrawHighlight(QPainter& painter, const QRect& r) {
    const QImage& hl = SkinMenuHighlight;
    if (hl.width() < 24 || hl.height() <= 0) {
        painter.fillRect(r, SkinAccentColor());
        return;
    }
    const int l = r.left();
    const int right = r.x() + r.width(); // exclusive
    const int h = hl.height();
    const int middle = right - 8 - (l + 8);
    if (middle > 0)
        painter.drawImage(QRect(l + 8, r.top(), middle, r.height()), hl, QRect(8, 0, 8, h));
    DrawKeyed(painter, QRect(l, r.top(), 8, r.height()), hl, QRect(0, 0, 8, h));
    DrawKeyed(painter, QRect(right - 8, r.top(), 8, r.height()), hl,
              QRect(hl.width() - 8, 0, 8, h));
}

void DrawArrow(QPainter& painter, int right, int midY, const QColor& color) {
    // A right-pointing triangle, 4 columns of 7, 5, 3 and 1 pixels.
    const int x0 = right - kArrowRoom / 2 - 2;
    for (int i = 0; i < 4; ++i)
        painter.fillRect(x0 + i, midY - 3 + i, 1, 7 - 2 * i, color);
}

bool IsDefault(const QStyleOptionMenuItem& option) {
    return option.menuItemType == QStyleOptionMenuItem::DefaultItem || option.font.bold();
}

// Gives menus that get a submenu after the skinned look was installed the same look.
class SubmenuWatcher : public QObject {
public:
    static SubmenuWatcher* Instance() {
        static auto* watcher = new SubmenuWatcher;
        return watcher;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ActionAdded || event->type() == QEvent::ActionChanged) {
            QAction* action = static_cast<QActionEvent*>(event)->action();
            QMenu* sub = action ? action->menu() : nullptr;
            if (sub && !TDrawMenus::IsInstalled(sub) && SkinIndex > kSkinSystem) {
                TDrawMenus::Install(sub);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void InstallTree(QMenu* menu, QSet<QMenu*>& seen) {
    if (!menu || seen.contains(menu)) return;
    seen.insert(menu);
    if (menu->style() != TDrawMenus::Style()) menu->setStyle(TDrawMenus::Style());
    menu->removeEventFilter(SubmenuWatcher::Instance()); // never twice
    menu->installEventFilter(SubmenuWatcher::Instance());
    for (QAction* action : menu->actions())
        InstallTree(action->menu(), seen);
}

void UninstallTree(QMenu* menu, QSet<QMenu*>& seen) {
    if (!menu || seen.contains(menu)) return;
    seen.insert(menu);
    menu->removeEventFilter(SubmenuWatcher::Instance());
    if (TDrawMenus::IsInstalled(menu)) menu->setStyle(nullptr);
    for (QAction* action : menu->actions())
        UninstallTree(action->menu(), seen);
}

} // namespace

void TDrawMenus::DrawItem(QPainter& painter, const QStyleOptionMenuItem& option) {
    const QRect r = option.rect;
    const int l = r.left();
    const int t = r.top();
    const int right = r.x() + r.width(); // exclusive, like the rectangle of the original routine
    const int bottom = r.y() + r.height();

    painter.save();
    FillFace(painter, r);

    if (option.menuItemType == QStyleOptionMenuItem::Separator) {
        const int m = t + (bottom - t) / 2;
        const int x = l + kSeparatorIndent;
        painter.fillRect(QRect(x, m - 1, right - x, 1), SeparatorColor());
        painter.fillRect(QRect(x, m, right - x, 1), Qt::white);
        painter.restore();
        return;
    }

    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
    const bool hasIcon = !option.icon.isNull();

    // The highlight goes down before the check mark, and the mark takes the hot text colour on
    // it: the accent is the highlight's own colour, so the mark would vanish on the item under
    // the pointer.
    if (selected) DrawHighlight(painter, r);

    QFont font = option.font;
    if (checked) {
        painter.setFont(font);
        painter.setPen(selected ? SkinMenuHotTextColor : SkinAccentColor());
        const QPoint at = hasIcon ? QPoint(l + 2, t + 2) : QPoint(l + 12, t + 4);
        painter.drawText(QRect(at, QSize(kIconSize + 8, r.height())), Qt::AlignLeft | Qt::AlignTop,
                         kCheckMark);
    }

    if (hasIcon) {
        const QPixmap icon = option.icon.pixmap(QSize(kIconSize, kIconSize),
                                                enabled ? QIcon::Normal : QIcon::Disabled);
        // Drawn twice a pixel apart on the highlight: the icon seems to rise off the face.
        if (selected) {
            painter.drawPixmap(QRect(2, t + 2, kIconSize, kIconSize), icon);
            painter.drawPixmap(QRect(1, t + 1, kIconSize, kIconSize), icon);
        } else {
            painter.drawPixmap(QRect(4, t + 4, kIconSize, kIconSize), icon);
        }
    }

    QColor textColor = Qt::black;
    if (!enabled)
        textColor = DisabledTextColor();
    else if (selected)
        textColor = SkinMenuHotTextColor;
    if (IsDefault(option)) font.setBold(true);
    painter.setFont(font);
    painter.setPen(textColor);

    const qsizetype tab = option.text.indexOf(QLatin1Char('\t'));
    const QString caption = tab < 0 ? option.text : option.text.left(tab);
    const QString shortcut = tab < 0 ? QString() : option.text.mid(tab + 1);
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect captionRect(l + kCaptionInset, t, right - (l + kCaptionInset), r.height());
    painter.drawText(captionRect, flags | Qt::AlignLeft, caption);
    if (!shortcut.isEmpty()) {
        const QRect shortcutRect(captionRect.left(), t, right - kArrowRoom - captionRect.left(),
                                 r.height());
        painter.drawText(shortcutRect, flags | Qt::AlignRight, shortcut);
    }
    if (option.menuItemType == QStyleOptionMenuItem::SubMenu)
        DrawArrow(painter, right, t + r.height() / 2, textColor);

    painter.restore();
}

QSize TDrawMenus::MeasureItem(const QStyleOptionMenuItem& option, const QSize& base) {
    if (option.menuItemType == QStyleOptionMenuItem::Separator) return base;
    // Measured bold: the default item may change without the menu laying itself out again.
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics fm(bold);
    const qsizetype tab = option.text.indexOf(QLatin1Char('\t'));
    const QString caption = tab < 0 ? option.text : option.text.left(tab);
    int width = kCaptionInset + fm.horizontalAdvance(caption) + kArrowRoom;
    if (tab >= 0) width += kShortcutGap + fm.horizontalAdvance(option.text.mid(tab + 1));
    return {std::max(base.width(), width), std::max(base.height(), kMinItemHeight)};
}

QStyle* TDrawMenus::Style() {
    // Shared by every menu and never freed: a menu may still refer to it while the application
    // shuts down.
    static auto* style = new TSkinMenuStyle;
    return style;
}

bool TDrawMenus::IsInstalled(const QMenu* menu) {
    return menu && menu->style() == Style();
}

void TDrawMenus::Install(QMenu* menu) {
    if (SkinIndex <= kSkinSystem) {
        Uninstall(menu);
        return;
    }
    QSet<QMenu*> seen;
    InstallTree(menu, seen);
}

void TDrawMenus::Install(QMenuBar* bar) {
    if (!bar) return;
    if (SkinIndex <= kSkinSystem) {
        Uninstall(bar);
        return;
    }
    bar->removeEventFilter(SubmenuWatcher::Instance());
    bar->installEventFilter(SubmenuWatcher::Instance());
    QSet<QMenu*> seen;
    for (QAction* action : bar->actions())
        InstallTree(action->menu(), seen);
}

void TDrawMenus::Uninstall(QMenu* menu) {
    QSet<QMenu*> seen;
    UninstallTree(menu, seen);
}

void TDrawMenus::Uninstall(QMenuBar* bar) {
    if (!bar) return;
    bar->removeEventFilter(SubmenuWatcher::Instance());
    QSet<QMenu*> seen;
    for (QAction* action : bar->actions())
        UninstallTree(action->menu(), seen);
}

TSkinMenuStyle::TSkinMenuStyle() = default;

void TSkinMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuItem) {
        // QMenu marks its default action with a bold font in the option.
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            TDrawMenus::DrawItem(*painter, *item);
            return;
        }
    }
    if (element == CE_MenuEmptyArea || element == CE_MenuHMargin || element == CE_MenuVMargin) {
        FillFace(*painter, option->rect);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TSkinMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelMenu) {
        FillFace(*painter, option->rect);
        return;
    }
    if (element == PE_FrameMenu) {
        painter->save();
        painter->setPen(StripColor().darker(160));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QSize TSkinMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                       const QSize& size, const QWidget* widget) const {
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option))
            return TDrawMenus::MeasureItem(*item, base);
    }
    return base;
}

int TSkinMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
        return 0;
    case PM_MenuVMargin:
        return 2;
    case PM_SmallIconSize:
        return kIconSize;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

} // namespace orvane
