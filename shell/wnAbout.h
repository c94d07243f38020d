#pragma once
// The "关于" dialog: the program's name and version and where its texts, cross references and
// fonts come from. Only its own OK button; closing it is all there is to do.

#include "wnAnceDlg.h"

class QLabel;

namespace orvane {

class TfmAbout : public TfmAnceDlg {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* parent = nullptr);

    bool Validate() override { return true; }
    void ApplySkin() override;

    // The credits as shown, one line per source (also what assistive tools read).
    static QString CreditsText();

    QLabel* lblName = nullptr;
    QLabel* lblCredits = nullptr;
};

// Shows the dialog modally over `parent`.
void ShowAbout(QWidget* parent);

} // namespace orvane
