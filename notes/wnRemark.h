#pragma once
// The note editor: a small modal window in which the user writes the personal note ("批注") of
// one verse. A tool bar accepts, gives up or deletes the note; the status bar counts the text in
// GBK bytes, the unit the notes file stores.
//
// The notes file keeps each note on one line, its line breaks written as TAB characters; the
// editor shows those as line breaks and turns them back on the way out, trimming blanks and
// blank lines at both ends. The window's size is remembered in the settings file ("NOTE WIDTH",
// "NOTE HEIGHT") from one opening to the next.

#include "NotesIcons.h"
#include "wnAnceDlg.h"

#include <QString>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace orvane {

class TfmRemark : public TfmAnceDlg {
    Q_OBJECT
public:
    // Keeps an accepted note (in its stored, one-line form). Throwing a std::exception refuses
    // it: the user is told why and the editor stays open with the text as typed.
    using StoreHandler = std::function<void(const QString& storedText)>;

    explicit TfmRemark(QWidget* parent = nullptr);

    // Opens the editor modally for `note` (stored form) and returns true when the user accepted
    // a text (OK, Ctrl+Enter) or deleted the note; `note` then holds the new stored text, empty
    // after a delete. Otherwise `note` is left alone. `store`, when given, keeps the text before
    // the editor closes. `reference` ("创1:1") goes into the caption.
    static bool Execute(QWidget* owner, QString& note, const QString& reference = {},
                        StoreHandler store = {});

    // Line breaks as the notes file stores them (TAB) to the box's line breaks, and back. Both
    // trim blanks and line breaks at the ends. A TAB typed or pasted into the box becomes a
    // blank, because stored it would come back as a line break.
    static QString ToBoxText(const QString& stored);
    static QString ToStoredText(const QString& box);

    // Fills the box with a stored note; that text is the opening text the changes are judged by.
    void SetNoteText(const QString& stored);
    // The box's text in stored form.
    QString NoteText() const;
    // The text accepted by OK or delete, in stored form.
    const QString& AcceptedText() const { return accepted_; }
    bool Changed() const;

    // Every character must survive GBK, the notes file's encoding; otherwise the user is told
    // which one does not, and the note is not accepted.
    bool Validate() override;
    void ApplySkin() override;

    void tbtnSaveClick();
    void tbtnCancelClick();
    void tbtnDeleteClick();

    QToolBar* ToolBar1 = nullptr;
    QToolButton* tbtnSave = nullptr;
    QToolButton* tbtnCancel = nullptr;
    QToolButton* tbtnDelete = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;

    StoreHandler Store;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    QToolButton* AddButton(NotesIcon image, const QString& hint);
    bool Memo1KeyDown(QKeyEvent* event);
    void Memo1Change();
    bool Accept(const QString& boxText);

    QString opening_;  // the box's text as filled, or as last accepted or given up
    QString accepted_; // stored form of the text that closed the editor with OK
};

// Opens the note editor for a verse line with its note from the notes store and writes the
// result back when it differs. Returns true when the stored note changed (written, or deleted).
// `reference` names the verse in the caption; empty gives the short reference of the line.
bool ShowNoteEditor(QWidget* owner, int verseLine, const QString& reference = {});

} // namespace orvane
