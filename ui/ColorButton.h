#pragma once
// The reader's push button: drawn by the program in a face colour of its own choosing, with the
// classic raised frame, so dialogs can match the theme whatever the platform style is.

#include <QColor>
#include <QFlags>
#include <QPushButton>
#include <functional>

namespace orvane {

class TButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)

public:
    enum DrawStateFlag {
        StateDown = 0x1,     // pressed
        StateFocus = 0x2,    // has the keyboard focus
        StateDisabled = 0x4, //
        StateDefault = 0x8,  // the window's default/focused button (IsFocused)
    };
    Q_DECLARE_FLAGS(DrawState, DrawStateFlag)

    // Called at the end of every paint, after the face and caption, with the face rectangle as
    // drawn (shifted when pressed), so an owner can add to the picture.
    using DrawHandler = std::function<void(TButton&, QPainter&, const QRect&, DrawState)>;

    explicit TButton(QWidget* parent = nullptr);
    explicit TButton(const QString& text, QWidget* parent = nullptr);
    ~TButton() override;

    static QColor DefaultColor() { return {207, 207, 207}; }

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    // This is the button Enter would press: the focused push button, or the default button while
    // no other push button of the window holds the focus.
    bool IsFocused() const;

    DrawHandler OnDrawButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FocusChanged();

    QMetaObject::Connection focusWatch_;
    QColor color_ = DefaultColor();
    bool isFocused_ = false; // as last painted
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TButton::DrawState)

} // namespace orvane
