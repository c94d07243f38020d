// How the main window joins the reading window to the notes windows: the note editor of a verse
// and the writing editor that follows the current verse. The two libraries know nothing of each
// other; the shell connects them.
#include "wnMain.h"

#include "BibGlobe.h"
#include "GbkBridge.h"
#include "IniFileX.h"
#include "SettingsKeys.h"
#include "wnBook.h"
#include "wnEditor.h"
#include "wnRemark.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>

namespace orvane {

void TfmMain::ConnectNotes() {
    auto editNote = [this](int row) {
        if (!fmBook->SelectedBookData() || row < 1) return;
        const int line = fmBook->RowToVerseLine(row);
        if (line < 0) return;
        if (ShowNoteEditor(this, line)) fmBook->sgrdMain->InvalidateRow(row);
    };
    fmBook->OnNoteIconClick = editNote;
    connect(fmBook->acRemark, &QAction::triggered, this,
            [this, editNote] { editNote(fmBook->sgrdMain->Row()); });

    connect(fmBook->acEditor, &QAction::triggered, this, [this](bool on) {
        if (on)
            OpenEditor();
        else if (TfmEditor* editor = TfmEditor::Instance())
            editor->hide();
    });
    fmBook->EditorFollow = [this](int row) {
        TfmEditor* editor = TfmEditor::Instance();
        if (!editor || !editor->isVisible() || !fmBook->SelectedBookData()) return;
        const int line = fmBook->RowToVerseLine(row);
        editor->FollowVerse(line, FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(line))));
    };
    // The "视图" menu shows the editor item checked exactly while the editor is on screen.
    miEditor = fmBook->acEditor;
    miView->addAction(miEditor);
    connect(miView, &QMenu::aboutToShow, this,
            [this] { fmBook->acEditor->setChecked(TfmEditor::Showing()); });
}

void TfmMain::OpenEditor() {
    TfmEditor* editor = TfmEditor::Create(this);
    editor->OnScriptureSearch = [this](const QString& text) {
        if (!fmBook->tbtnFind->isChecked()) {
            fmBook->tbtnFind->setChecked(true);
            fmBook->tbtnFindClick();
        }
        fmBook->cbxKeyText->setEditText(text);
        fmBook->sbtnExeSearch->click();
    };
    editor->ShowBeside(fmBook);
    fmBook->acEditor->setChecked(true);
    if (fmBook->EditorFollow) fmBook->EditorFollow(fmBook->sgrdMain->Row());
}

bool TfmMain::EditorIsActive() const {
    TfmEditor* editor = TfmEditor::Instance();
    // Not isActiveWindow(): Qt counts a tool window as active whenever its owner is, which would
    // keep Ctrl+C from the grid as long as the editor is merely on screen.
    return editor && editor->isVisible() && QApplication::activeWindow() == editor;
}

void TfmMain::SaveOnClose() {
    TInifileX ini;
    ini.WriteBool(settings::kMain, settings::kEditorVisible, TfmEditor::Showing());
    StringList keys;
    for (const QString& key : fmBook->SearchKeys())
        keys.push_back(ToGbk(key));
    ini.WriteList(settings::kSearchKeys, keys, "");
}

} // namespace orvane
