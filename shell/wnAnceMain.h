#pragma once
// The main-window ancestor: the status bar and the core of the skin switch. The main window
// adds its own part of the switch through SkinChanged().

#include "wnAncestor.h"

#include <array>

class QActionGroup;
class QLabel;
class QStatusBar;

namespace orvane {

class TfmAnceMain : public TfmAncestor {
    Q_OBJECT
public:
    explicit TfmAnceMain(QWidget* parent = nullptr);

    // Switches to skin `index` (0 system look, 1..3): the handler shared by the four skin
    // menu items. Writes "SKIN INDEX" only while the window is visible (a user's choice); the
    // start-up path applies the stored skin before the window is shown.
    void miSkinDefaultClick(int index);

    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 3> StatusPanels{};
    // The four skin items in the order of their tags 0..3, radio-checked.
    std::array<QAction*, 4> SkinItems{};

protected:
    // The main window's part of a skin switch; runs after the ancestor's part, also when the
    // clicked skin was already active.
    virtual void SkinChanged() {}

private:
    void ApplyAncestorSkin();
    void SetPanelBevels(bool lowered);

    int appliedSkin_ = -1;
};

} // namespace orvane
