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
#include <QMenu>

namespace orvane {

void TfmMain::ConnectNotes() {
    connect(fmBook, &TfmBook::noteIconClicked, this, &TfmMain::EditNote);
    connect(fmBook, &TfmBook::remarkRequested, this, &TfmMain::EditNote);
    connect(fmBook, &TfmBook::editorToggled, this, &TfmMain::miEditorClick);
    connect(fmBook, &TfmBook::rowDetailsChanged, this, &TfmMain::EditorFollow);
    // The "视图" menu shows the editor item checked exactly while the editor is on screen.
    miEditor = fmBook->EditorAction();
    miView->addAction(miEditor);
    connect(miView, &QMenu::aboutToShow, this, &TfmMain::miViewPopup);
}

void TfmMain::EditNote(int row) {
    if (!fmBook->SelectedBookData() || row < 1) return;
    const int line = fmBook->RowToVerseLine(row);
    if (line < 0) return;
    if (ShowNoteEditor(this, line)) fmBook->RefreshRow(row);
}

void TfmMain::miEditorClick(bool on) {
    if (on)
        OpenEditor();
    else if (TfmEditor* editor = TfmEditor::Instance())
        editor->hide();
}

void TfmMain::miViewPopup() {
    miEditor->setChecked(TfmEditor::Showing());
}

void TfmMain::EditorFollow(int row) {
    TfmEditor* editor = TfmEditor::Instance();
    if (!editor || !editor->isVisible() || !fmBook->SelectedBookData()) return;
    const int line = fmBook->RowToVerseLine(row);
    editor->FollowVerse(line, FromGbk(TBibGlobe::StripMarkers(TBibGlobe::VerseText(line))));
}

void TfmMain::OpenEditor() {
    TfmEditor* editor = TfmEditor::Create(this);
    editor->OnScriptureSearch = [this](const QString& text) { fmBook->SearchFor(text); };
    editor->ShowBeside(fmBook);
    miEditor->setChecked(true);
    EditorFollow(fmBook->CurrentRow());
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
    SavePlacement(ini);
}

} // namespace orvane
