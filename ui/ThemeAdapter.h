#pragma once
// Theme colours with a save point: a dialog that lets the user try colours calls BeginEdit,
// changes them freely, and either keeps them (EndEdit) or rolls them back (CancelEdit).

#include <QColor>
#include <array>

namespace orvane {

class TAnceThemeAdapter {
public:
    virtual ~TAnceThemeAdapter() = default;

    bool Editing() const { return editing_; }

    virtual void BeginEdit();
    virtual void EndEdit();
    virtual void CancelEdit();

private:
    bool editing_ = false;
};

// Three colours. Numbering is 1-based (Color(1) .. Color(3)), as the dialogs speak of
// "colour 3" for the button face.
class TColorThemeAdapter : public TAnceThemeAdapter {
public:
    static constexpr int kColorCount = 3;

    TColorThemeAdapter();

    // Saves the current colours. Beginning again while already editing keeps the first save
    // point, so a cancel always returns to the colours from before the edit.
    void BeginEdit() override;
    // Keeps the current colours.
    void EndEdit() override;
    // Puts back the colours saved by BeginEdit; outside an edit there is nothing to roll back.
    void CancelEdit() override;

    // The three colours as they are when the program starts.
    void Reset();

    // An invalid colour for an index outside 1..3.
    QColor Color(int index) const;
    // Ignored for an index outside 1..3.
    void SetColor(int index, const QColor& color);

private:
    using Colors = std::array<QColor, kColorCount>;
    static Colors Defaults();

    Colors saved_;
    Colors current_;
};

// The one set of theme colours of the process.
TColorThemeAdapter& ThemeColors();

} // namespace orvane
