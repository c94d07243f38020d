#pragma once
// The base of the reader's OK/Cancel dialogs: a skinned window with a dialog border, "确定" and
// "取消" at its top right, Enter moving to the next field, and a modal run like ShowModal.
//
// OK asks Validate() and closes with mrOK only when it agrees; Cancel, Esc and the title's
// close button close with mrCancel.

#include "wnAncestor.h"

#include <QPointer>

class QEventLoop;

namespace orvane {

class TButton;

class TfmAnceDlg : public TfmAncestor {
    Q_OBJECT
public:
    enum ModalResult { mrNone = 0, mrOK = 1, mrCancel = 2 };

    // A dialog border by default; a resizable editor passes Border::SizeToolWin. Creation
    // applies the current skin with TfmAncestor::ApplySkin: a subclass that overrides ApplySkin
    // calls it once more at the end of its own constructor.
    explicit TfmAnceDlg(QWidget* parent = nullptr, Border border = Border::Dialog);
    ~TfmAnceDlg() override;

    // Shows the dialog application-modal, centred on the main form (else on the screen), and
    // returns when it is closed: mrOK or mrCancel.
    int ShowModal();
    // A result other than mrNone closes the dialog with that result; if the close is refused
    // (a closeEvent that ignores it) the result goes back to mrNone and the dialog stays.
    void SetModalResult(int result);
    int GetModalResult() const { return modalResult_; }

    // Whether the entries may be accepted; a dialog that refuses tells the user why.
    virtual bool Validate() = 0;

    TButton* const btnAnceOK;
    TButton* const btnAnceCancel;

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;
    // Gives every TButton of the dialog the theme's button face.
    virtual void ColourButtons();

private:
    void FormCreate();
    void btnAnceOKClick();
    void PlaceButtons();
    void PlaceCentred();
    void WatchKeys(QObject* object);
    bool FormKeyPress(QWidget* control, QKeyEvent* event);

    int modalResult_ = mrNone;
    QPointer<QEventLoop> loop_;
};

} // namespace orvane
