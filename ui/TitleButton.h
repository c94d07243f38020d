#pragma once
// The title-bar button of skinned forms: a flat button that shows a picture from the form's
// title-button list and swaps it for the hovered picture while the pointer is over it.

#include <QImage>
#include <QToolButton>

#include <vector>

namespace orvane {

class TSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    // The twelve title-button pictures (six normal, then the same six hovered); not owned.
    void SetImages(const std::vector<QImage>* images) { Images = images; }

    // The picture drawn on the button; a null glyph falls back to the style's plain button.
    void SetGlyph(const QImage& glyph);
    const QImage& Glyph() const { return glyph_; }

    // Picks the picture for the button's name, the pointer and the form's state: the title
    // buttons are told apart by their object names ("sbtnAnceTitleMin", "sbtnAnceTitleMax",
    // "sbtnAnceTitleClose"); buttons with other names keep their glyph.
    void ShowStatePicture();

    bool Hovering = false;
    const std::vector<QImage>* Images = nullptr;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage glyph_;
};

} // namespace orvane
