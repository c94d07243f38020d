#include "ColorButton.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace orvane {

TButton::TButton(QWidget* parent) : TButton(QString(), parent) {}

TButton::TButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    // Which button shows itself as the default one depends on where the focus is, also when the
    // focus moves between two other widgets.
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &TButton::FocusChanged);
}

TButton::~TButton() {
    // QWidget's destructor gives the focus away and so announces a focus change; by then this is
    // no button any more, and the slot must not run on what is left of it.
    disconnect(focusWatch_);
}

void TButton::SetColor(const QColor& color) {
    if (color_ == color) return;
    color_ = color;
    update();
}

bool TButton::IsFocused() const {
    if (hasFocus()) return true;
    if (!isDefault()) return false;
    const QWidget* focused = QApplication::focusWidget();
    const bool otherButtonFocused = focused && focused != this && focused->window() == window() &&
                                    qobject_cast<const QPushButton*>(focused) != nullptr;
    return !otherButtonFocused;
}

void TButton::FocusChanged() {
    if (IsFocused() != isFocused_) update();
}

void TButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
}

void TButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const bool down = isDown() || isChecked();
    const bool hasFocus = this->hasFocus();
    const bool disabled = !isEnabled();
    isFocused_ = IsFocused();

    DrawState state;
    if (down) state |= StateDown;
    if (hasFocus) state |= StateFocus;
    if (disabled) state |= StateDisabled;
    if (isFocused_) state |= StateDefault;

    const QRect whole = rect();
    QRect r = whole;
    if (hasFocus || isFocused_) {
        painter.setPen(pal.color(QPalette::WindowText));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    if (down) {
        painter.setPen(pal.color(QPalette::Dark));
        painter.setBrush(pal.color(QPalette::Button));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
        r.translate(1, 1);
    } else {
        QPalette framePal = pal;
        if (disabled) framePal.setCurrentColorGroup(QPalette::Disabled);
        qDrawWinButton(&painter, r, framePal, false, nullptr);
        r.adjust(2, 2, -2, -2);
    }
    painter.fillRect(r, color_);

    painter.setFont(font());
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (disabled) {
        // The embossed look of disabled captions: a light copy one pixel down-right under a
        // shadow-coloured one.
        // The colours of the normal group: the disabled group's are too faint to emboss with.
        painter.setPen(pal.color(QPalette::Active, QPalette::Light));
        painter.drawText(r.translated(1, 1), flags, text());
        painter.setPen(pal.color(QPalette::Active, QPalette::Dark));
        painter.drawText(r, flags, text());
    } else {
        painter.setPen(pal.color(QPalette::ButtonText));
        painter.drawText(r, flags, text());
    }

    if (OnDrawButton) OnDrawButton(*this, painter, r, state);

    if (isFocused_ && hasFocus) {
        // A dotted rectangle four pixels inside the edge, every other pixel set.
        const QRect f = whole.adjusted(4, 4, -5, -5);
        painter.setPen(pal.color(QPalette::ButtonText));
        for (int x = f.left(); x <= f.right(); x += 2) {
            painter.drawPoint(x, f.top());
            painter.drawPoint(x, f.bottom());
        }
        for (int y = f.top(); y <= f.bottom(); y += 2) {
            painter.drawPoint(f.left(), y);
            painter.drawPoint(f.right(), y);
        }
    }
}

} // namespace orvane
