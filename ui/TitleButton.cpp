#include "TitleButton.h"

#include "SkinState.h"

#include <QPainter>

namespace orvane {

namespace {
// Indexes into the title-button list; the hovered pictures follow the six normal ones.
constexpr int kMinimise = 0;
constexpr int kMaximise = 1;
constexpr int kClose = 2;
constexpr int kRestore = 3;
constexpr int kHovered = 6;
} // namespace

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(20, 20);
    setIconSize(QSize(16, 17));
}

void TSpeedButton::SetGlyph(const QImage& glyph) {
    glyph_ = glyph;
    update();
}

void TSpeedButton::ShowStatePicture() {
    if (!Images) return;
    int index = -1;
    const QString name = objectName();
    if (name == QLatin1String("sbtnAnceTitleMin"))
        index = kMinimise;
    else if (name == QLatin1String("sbtnAnceTitleMax"))
        index = window()->isMaximized() ? kRestore : kMaximise;
    else if (name == QLatin1String("sbtnAnceTitleClose"))
        index = kClose;
    if (index < 0) return;
    if (Hovering) index += kHovered;
    if (index < int(Images->size())) SetGlyph((*Images)[size_t(index)]);
}

void TSpeedButton::enterEvent(QEnterEvent* event) {
    QToolButton::enterEvent(event);
    if (Hovering) return;
    Hovering = true;
    ShowStatePicture();
}

void TSpeedButton::leaveEvent(QEvent* event) {
    QToolButton::leaveEvent(event);
    Hovering = false;
    ShowStatePicture();
}

void TSpeedButton::paintEvent(QPaintEvent* event) {
    if (glyph_.isNull()) {
        QToolButton::paintEvent(event);
        return;
    }
    // The skin's pictures carry their own hover look, so no frame is drawn around them; a
    // pressed button sinks by one pixel like a flat speed button.
    QPainter p(this);
    QPoint at((width() - glyph_.width()) / 2, (height() - glyph_.height()) / 2);
    if (isDown()) at += QPoint(1, 1);
    DrawKeyed(p, at, glyph_);
}

} // namespace orvane
