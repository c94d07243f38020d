#pragma once
// The main window: the testament tab strip on the left, the reading window in the notebook,
// the main menu and the status bar with the daily verse. It owns the per-book navigation
// state and keeps tab, notebook page and book tree consistent when the reader jumps.

#include "BooksNodeData.h"
#include "PrintContent.h"
#include "wnAnceMain.h"

#include <QByteArray>

#include <array>

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;

namespace orvane {

class TfmBook;
class TInifileX;
class TMiscTabs;

class TfmMain : public TfmAnceMain {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // False when the embedded scripture could not be opened (the user has been told).
    bool ScriptureLoaded() const { return loaded_; }
    // The notes and bookmarks as the export writes them: UTF-8 Markdown.
    QByteArray NotesDocument();

    void SyncToBook(TBooksNodeData* data);
    void TabsChange();
    // Fills the tab strip from "name=value" lines (Unicode); a tab for every value "1".
    void LoadTabs(const QStringList& lines);
    int TabTestament(int tabIndex) const;
    void SelectTestamentTab(int testament);
    void ShowTestament(int testament);
    // The keyboard shortcuts of the whole reader; true when the key was consumed.
    bool FormShortCut(QKeyEvent* event);

    TMiscTabs* Tabs = nullptr;
    QWidget* Notebook1 = nullptr;
    int NotebookPage = 0; // 0 "OldBib", 1 "NewBib"
    TfmBook* fmBook = nullptr;
    std::array<TBooksNodeData, 66> BookNodes{};
    int CurrentTestament = 0;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* miDo = nullptr;
    QMenu* miView = nullptr;
    QAction* miEditor = nullptr;
    // Printing (wnMainPrint.cpp).
    QAction *miPrint = nullptr, *miExportPdf = nullptr, *miPrintChains = nullptr;
    QAction* N6 = nullptr;            // "退出"
    QAction* miExportNotes = nullptr; // "导出批注…"
    QAction* About1 = nullptr;        // "关于"
    // The reading size and the English rows (wnMainView.cpp).
    QAction* miZoomIn = nullptr;      // "放大"
    QAction* miZoomOut = nullptr;     // "缩小"
    QAction* miZoomDefault = nullptr; // "默认大小", enabled while the size is not the default
    QAction* miEnglish = nullptr;     // "中英对照"

protected:
    void SkinChanged() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void StatusBar1DblClick();
    bool ShortcutFilter(QObject* watched, QEvent* event);
    bool EditorIsActive() const;
    // The note editor and the writing editor (wnMainNotes.cpp).
    void ConnectNotes();
    void OpenEditor();
    void EditNote(int row);
    void miEditorClick(bool on);
    void miViewPopup();
    // The writing editor follows the current verse while it is shown.
    void EditorFollow(int row);
    void SaveOnClose();
    // The window's rectangle and splitters as kept at the last close (wnMainPlacement.cpp).
    void RestorePlacement();
    void RestoreSplits();
    void FitFrameIntoScreen();
    void SavePlacement(TInifileX& ini);
    void AddPrintItems();
    TPrintContent ChosenPrintContent() const;
    void PrintChosenVerses();
    void ExportChosenVerses();
    // The notes export and the help menu's items (wnMainExport.cpp).
    void CreateExportAndHelp(QMenu* help);
    void ExportNotes();
    // The reading-size items of the "视图" menu, and what follows a size change.
    void CreateReadingView();
    void ReadingSizeChanged();
    // Ctrl+=, Ctrl++, Ctrl+- and Ctrl+0; true when the key was one of them and acted.
    bool ReadingSizeKey(QKeyEvent* event);

    bool loaded_ = false;
    bool shown_ = false;
    bool tabsChangeAttached_ = true;
};

} // namespace orvane
