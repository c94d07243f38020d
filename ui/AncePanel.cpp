#include "AncePanel.h"

#include "SkinState.h"

#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace orvane {

namespace {

constexpr int kCaptionX = 25;
constexpr int kCaptionY = 5;
constexpr QPoint kMenuCaption{6, 4};
constexpr int kSlice = 8; // width of the left and right slices of the hot picture

// Paints the hosted menu bar as a flat tool bar in the panel's pictures and colours.
class MenuBarStyle : public QProxyStyle {
public:
    explicit MenuBarStyle(const TPanel* panel) : panel_(panel) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_MenuBarPanelWidth:
        case PM_MenuBarItemSpacing:
        case PM_MenuBarHMargin:
        case PM_MenuBarVMargin:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data = nullptr) const override {
        // A tapped Alt key selects the first menu, as on the tool-bar menus users know.
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_MenuBarItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                const int text = item->fontMetrics.horizontalAdvance(PlainText(item->text));
                return QSize(text + 2 * kMenuCaption.x(), panel_->height());
            }
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelMenuBar) return; // the cool-bar picture is the whole face
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuBarEmptyArea) {
            TileCoolBar(*painter, option->rect);
            return;
        }
        if (element != CE_MenuBarItem) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (!item) return;
        const QRect r = item->rect;
        // The keyed corners of the hot picture let the bar show through, so the bar goes first.
        TileCoolBar(*painter, r);
        const bool hot = item->state & (State_Selected | State_Sunken);
        const QImage& hotPicture = panel_->HotBitmap;
        if (hot && hotPicture.width() >= 3 * kSlice) {
            const int h = hotPicture.height();
            const int middle = hotPicture.width() / 2 - kSlice / 2;
            DrawKeyed(*painter, QRect(r.left(), r.top(), kSlice, r.height()), hotPicture,
                      QRect(0, 0, kSlice, h));
            painter->drawImage(
                QRect(r.left() + kSlice, r.top(), std::max(0, r.width() - 2 * kSlice), r.height()),
                hotPicture, QRect(middle, 0, kSlice, h));
            DrawKeyed(*painter, QRect(r.right() + 1 - kSlice, r.top(), kSlice, r.height()),
                      hotPicture, QRect(hotPicture.width() - kSlice, 0, kSlice, h));
        }
        QColor colour = hot ? panel_->MenuHotTextColor : panel_->MenuTextColor;
        if (!(item->state & State_Enabled))
            colour = item->palette.color(QPalette::Disabled, QPalette::WindowText);
        painter->save();
        painter->setPen(colour);
        int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
        flags |= styleHint(SH_UnderlineShortcut, item, widget) ? Qt::TextShowMnemonic
                                                               : Qt::TextHideMnemonic;
        painter->drawText(r.translated(kMenuCaption), flags, item->text);
        painter->restore();
    }

private:
    static QString PlainText(QString text) {
        // "&&" is a literal ampersand; any other "&" only marks the mnemonic.
        text.replace(QLatin1String("&&"), QString(QChar(0x1)));
        text.remove(QLatin1Char('&'));
        text.replace(QChar(0x1), QLatin1Char('&'));
        return text;
    }

    void TileCoolBar(QPainter& painter, const QRect& r) const {
        if (panel_->CoolBarBackground.isNull()) {
            painter.fillRect(r, panel_->palette().window());
            return;
        }
        // Tiled from the bar's own origin, so items and the empty area line up.
        painter.drawTiledPixmap(r, QPixmap::fromImage(panel_->CoolBarBackground), r.topLeft());
    }

    const TPanel* panel_;
};

} // namespace

TPanel::TPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TPanel::~TPanel() {
    // The hosted menu bar dies with the panel after the style does; let go of the style first.
    if (menu_ && menu_->parentWidget() == this) menu_->setStyle(nullptr);
}

void TPanel::SetMenuBarMode(bool on) {
    if (on == MenuBarMode) return;
    MenuBarMode = on;
    if (on) {
        DeriveMenuPictures();
        QMenuBar* menu = menu_;
        if (!menu && parentWidget())
            menu = parentWidget()->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
        if (menu) AttachMenu(menu);
    } else {
        ReleaseMenu();
    }
    update();
}

void TPanel::AttachMenu(QMenuBar* menu) {
    if (menu != menu_) ReleaseMenu();
    menu_ = menu;
    if (!MenuBarMode || !menu) return;
    if (QWidget* owner = parentWidget();
        owner && owner->layout() && owner->layout()->menuBar() == menu)
        owner->layout()->setMenuBar(nullptr);
    if (!menuStyle_) {
        menuStyle_ = new MenuBarStyle(this);
        menuStyle_->setParent(this);
    }
    menu->setNativeMenuBar(false);
    menu->setParent(this);
    menu->setStyle(menuStyle_);
    QFont font = this->font();
    menu->setFont(font);
    PlaceMenu();
    menu->show();
}

void TPanel::ReleaseMenu() {
    QMenuBar* menu = menu_;
    if (!menu || menu->parentWidget() != this) return;
    menu->setStyle(nullptr);
    menu->setFont(QFont());
    if (QWidget* owner = parentWidget()) {
        menu->setParent(owner);
        if (owner->layout()) owner->layout()->setMenuBar(menu);
        menu->show();
    }
}

void TPanel::PlaceMenu() {
    if (menu_ && menu_->parentWidget() == this)
        menu_->setGeometry(MenuInset, 0, std::max(0, width() - MenuInset), height());
}

void TPanel::SetBackground(const QImage& picture) {
    Background = picture.copy();
    DeriveMenuPictures();
    update();
    if (menu_) menu_->update();
}

void TPanel::DeriveMenuPictures() {
    // Only a composed tool-bar picture (52 x 20) holds the cool-bar and hot-item blocks.
    if (!MenuBarMode || Background.width() < 52 || Background.height() < 20) return;
    CoolBarBackground = Background.copy(12, 0, 16, 20);
    HotBitmap = Background.copy(28, 0, 24, 18);
    SkinMenuHighlight = HotBitmap.copy();
}

void TPanel::SetButtonBackdrop(const QImage& picture) {
    ButtonBackdrop = picture.copy();
    update();
}

void TPanel::SetMenuTextColor(const QColor& colour) {
    MenuTextColor = colour;
    if (menu_) menu_->update();
}

void TPanel::SetMenuHotTextColor(const QColor& colour) {
    MenuHotTextColor = colour;
    if (menu_) menu_->update();
}

void TPanel::SetCaption(const QString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    update();
}

void TPanel::SetSlicedBackdrop(bool sliced) {
    slicedBackdrop_ = sliced;
    update();
}

void TPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PlaceMenu();
}

void TPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    // The skin's pictures stay with the skin: in the system look a panel is a plain panel.
    if (SkinIndex <= kSkinSystem) return;
    if (MenuBarMode) {
        // Only the grip column shows; the menu bar covers the rest with the cool-bar picture
        // (and so does this panel when there is no menu to host).
        if (!Background.isNull())
            p.drawImage(QPoint(0, 0), Background, QRect(0, 0, MenuInset, Background.height()));
        if (!CoolBarBackground.isNull())
            p.drawTiledPixmap(QRect(MenuInset, 0, width() - MenuInset, height()),
                              QPixmap::fromImage(CoolBarBackground));
        return;
    }
    if (!Background.isNull()) p.drawImage(rect(), Background);
    if (!ButtonBackdrop.isNull()) {
        const int h = ButtonBackdrop.height();
        if (slicedBackdrop_) {
            p.drawImage(QPoint(width() - 38, 2), ButtonBackdrop, QRect(0, 1, 20, h));
            p.drawImage(QPoint(width() - 20, 2), ButtonBackdrop, QRect(60, 1, 9, h));
        } else if (const auto* min = findChild<QWidget*>(QStringLiteral("sbtnAnceTitleMin"),
                                                         Qt::FindDirectChildrenOnly)) {
            p.drawImage(QPoint(min->x() - 5, 1), ButtonBackdrop);
        }
    }
    if (!caption_.isEmpty()) {
        // A long caption stops short of the title buttons instead of running under them.
        int right = width();
        for (const QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (child->isVisibleTo(this) && child->x() > kCaptionX)
                right = std::min(right, child->x() - 5);
        p.setFont(font());
        p.setClipRect(QRect(0, 0, right, height()));
        const QRect r(kCaptionX, kCaptionY, right - kCaptionX, height() - kCaptionY);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
        p.setPen(QColor(128, 128, 128));
        p.drawText(r, flags, caption_);
        p.setPen(SkinFaceColor.isValid() ? SkinFaceColor : palette().color(QPalette::Button));
        p.drawText(r.translated(1, 0), flags, caption_);
    }
}

} // namespace orvane
