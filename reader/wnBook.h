#pragma once
// The reading window: the book tree on the left, the chapter grid on the right with its tool
// bar, and the bottom pages (chain references, study notes, search results). It owns all
// navigation state; the main window hosts it in its notebook and answers verseJumped.

#include "BooksNodeData.h"
#include "Gbk.h"
#include "StringGrid.h"
#include "wnAnceDisp.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

namespace orvane {
struct TCopyVerse;
}

class QAction;
class QKeyEvent;
class QMouseEvent;
class QLineEdit;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTextEdit;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvane {

class THistoryList;
class TChainPane;
class THintBalloonWin;
class TSearchPanel;
class TStudyNotePane;

class TfmBook : public TfmAnceDisp {
    Q_OBJECT
public:
    explicit TfmBook(QWidget* parent = nullptr);
    ~TfmBook() override;

    // How long a hint of the window stays up while the pointer rests on it: five minutes, long
    // enough to read a ball's list of references (Qt's own default is about ten seconds).
    static constexpr int HintHidePause = 300000;

    // --- current position -------------------------------------------------------------
    // Data of the selected book node; nullptr when none is selected.
    TBooksNodeData* SelectedBookData() const;
    // Chapter number within the selected book (1-based); 0 without a selection.
    int ChapterNumber() const;
    // Verse line shown in chapter-grid row `row` (row 1 = verse 1).
    int RowToVerseLine(int row) const;
    // The chapter grid's current row, and the verse line it shows for the selected book.
    int CurrentRow() const;
    int CurrentVerseLine() const;

    // --- the book tree ----------------------------------------------------------------
    // The main window's 66 book nodes; the tree's nodes point into them.
    void SetBookNodes(std::array<TBooksNodeData, 66>* nodes) { BookNodes = nodes; }
    void FillBookTree(bool newTestament);
    void ShowBookPanel();
    // Selects the node of `data` afresh (deselected first, so its chapter is loaded again even
    // when it is the selected one) and scrolls it to the top; false when the tree lacks it.
    bool SelectBook(TBooksNodeData* data);
    // The start-up place: the book's node gets the chapter and verse row and is selected;
    // without that node in the tree the first book is.
    void OpenPlace(int book, int chapter, int verseRow);
    // Selects the first book when none is current.
    void EnsureBookSelected();

    // --- commands of the main window's keys and menus ---------------------------------
    void PrevChapter();
    void NextChapter();
    // Flips tbtnFind and shows or hides the find panel with it (F3).
    void ToggleFindPanel();
    // Opens the find panel when it is closed and searches `keys` in the checked scope.
    void SearchFor(const QString& keys);
    // The marked or selected verses as plain text on the clipboard (Ctrl+C).
    void CopySelection();
    // What a print takes (wnBookPrint.cpp): the verse lines of the marked rows, or of the
    // selected range while it holds more than one row, else every verse of the shown chapter.
    std::vector<int> ChosenVerseLines() const;
    // Sets slot 0..9 to the current verse, or clears it when it already holds that verse;
    // nothing on the header row (Ctrl+Shift+digit).
    void ToggleBookmark(int slot) { acBookmarkExecute(slot); }
    // Jumps to the verse of slot 0..9; an empty slot, or one holding no verse, does nothing
    // (Ctrl+digit).
    void FollowBookmark(int slot);
    // The ten bookmark slots, each a verse line or -1.
    const std::array<int, 10>& BookMarks() const { return bookMarks_; }
    // The book tree's width and the bottom pages' height (wnBookSplit.cpp); a size the splitter
    // cannot give is given as near as it can.
    int TreeWidth() const;
    void SetTreeWidth(int width);
    int BottomPaneHeight() const;
    void SetBottomPaneHeight(int height);
    // The reading size in points (clamped to 9..24); the grids, the panes and their pictures
    // follow it, the current verse stays current and at the top. A change is written to the
    // settings; false when the size was already that.
    bool SetReadingSize(int points);
    int ReadingSize() const;
    // The English verse under each Chinese verse of the chapter grid; written like the size.
    bool SetShowEnglish(bool on);
    bool ShowEnglish() const { return englishShown_; }
    // Takes both from the settings without writing them back.
    void ReadingSettingsLoad();
    // The "批注" command on the current verse (F5): raises remarkRequested.
    void RemarkCurrentVerse();
    // Repaints a chapter-grid row whose note changed.
    void RefreshRow(int row);
    // The checkable "编辑栏" command, shared with the main window's "视图" menu.
    QAction* EditorAction() const { return acEditor; }
    // Closes the chapter balloon if one is open (Esc).
    void ReleaseBalloon();

    // --- the bottom pages and the look ------------------------------------------------
    // The page on show catches up with row `row`: its study note, or its chain references;
    // then rowDetailsChanged.
    void ShowRowDetails(int row);
    // Re-applies the reading colours after a skin change.
    void ReapplySkin();
    QColor ReadingBackground() const;
    QColor FrameColour() const;

    // --- navigation history and jumps (wnBookHistory.cpp) -----------------------------
    // Goes to a verse: `address` packs the verse line (upper 16 bits) and its chapter index
    // (lower 16 bits); the place is recorded in the history and verseJumped raised. A verse
    // line outside the Bible does nothing at all.
    void JumpToVerse(int address, int chainRow);
    // The same for a bare verse line, chain-reference row 0.
    void JumpToVerse(int verseLine);
    // Makes the verse the current history entry (see THistoryList::RecordLocation); called
    // before following a chain reference so that Back returns to where it was followed from.
    void RecordLocation(int verseLine, int chainRow);

    // --- the chapter balloon, the search ----------------------------------------------
    // The open chapter balloon; nullptr when there is none.
    THintBalloonWin* Balloon() const;
    // A book node's icon and name, in tree viewport coordinates; empty without the node.
    QRect BookLabelRect(const QTreeWidgetItem* item) const;
    // The remembered search keys, newest first (written to the settings by the main window).
    QStringList SearchKeys() const;
    // True when the result list holds no result: one row whose text is blank.
    bool SearchResultEmpty() const;

signals:
    // The window changed the reading size itself (Ctrl+wheel over the chapter grid).
    void readingSizeChanged();
    // The window jumped to a verse of this book; the owner brings its node into the tree.
    void verseJumped(TBooksNodeData* data);
    // The bottom pages caught up with chapter-grid row `row` (the writing editor follows).
    void rowDetailsChanged(int row);
    // A click on the note icon of a verse that has a note (chapter-grid row).
    void noteIconClicked(int row);
    // The "批注" command on chapter-grid row `row`.
    void remarkRequested(int row);
    // The "编辑栏" command, checked or not.
    void editorToggled(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TfmBookProbe;

    // --- controls ---------------------------------------------------------------------
    QSplitter* splV = nullptr; // between the left and the right panel
    QSplitter* splH = nullptr; // between the reading area and the bottom pages
    QWidget* panLeft = nullptr;
    QStackedWidget* Notebook1 = nullptr;
    QWidget* panScriptTop = nullptr;
    QToolButton* sbtnFirstVol = nullptr;
    QToolButton* sbtnPreVol = nullptr;
    QToolButton* sbtnNextVol = nullptr;
    QToolButton* sbtnLastVol = nullptr;
    QToolButton* sbtnChapterSelect = nullptr;
    QLineEdit* edtChapterNum = nullptr;
    QTreeWidget* trvBook = nullptr;
    QWidget* panRight = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TChainPane* tshtSeriP = nullptr; // the chain-reference page, its list sgrdSeriP
    QWidget* tshtLingXiu = nullptr;
    TStudyNotePane* redtLingXiu = nullptr;
    QWidget* panReadArea = nullptr;
    TStringGrid* sgrdMain = nullptr;
    QWidget* panBottom = nullptr;
    QToolBar* ToolBar2 = nullptr;
    TSearchPanel* panFindOpt = nullptr; // the find panel; it fills the page tshtSearchResult

    QToolButton* ToolButton1 = nullptr; // back, with its history list
    QToolButton* ToolButton2 = nullptr; // forward
    QAction* tbtnFirstChapter = nullptr;
    QAction* tbtnPrevChapter = nullptr;
    QAction* ToolButton8 = nullptr;  // previous row
    QAction* ToolButton9 = nullptr;  // current row to the top
    QAction* ToolButton11 = nullptr; // next row
    QAction* tbtnNexChapter = nullptr;
    QAction* tbtnLastChapter = nullptr;
    QAction* ToolButton3 = nullptr; // "复制": does nothing
    QAction* tbtnFind = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QMenu* ppmChapterSelect = nullptr;
    QMenu* ppmNaviBack = nullptr;
    QMenu* ppmNaviForw = nullptr;
    QAction* Remark1 = nullptr;
    QAction* miMenuEditor = nullptr;
    QAction* miTextOnly = nullptr;
    QAction* miCopy4Write = nullptr;
    QAction* miCopy4MoreWrite = nullptr;
    QAction* miCopy4MoreTitle = nullptr;
    QAction* Copy1 = nullptr;
    QAction* miCopySp = nullptr;
    QMenu* N3 = nullptr; // "书签"

    QAction* acBackward = nullptr;
    QAction* acForward = nullptr;
    QAction* acRemark = nullptr;
    QAction* acCopyAll = nullptr;
    QAction* acCopy4Write = nullptr;
    std::array<QAction*, 10> acBookmark{};
    QAction* acEditor = nullptr;

    QTimer* tmrTreeChanged = nullptr;
    QTimer* tmrDrawSelectFrame = nullptr;
    QTimer* tmrHintBallBuffer = nullptr;

    // --- navigation (wnBookNav.cpp) -----------------------------------------------------
    void trvBookChange();
    void tmrTreeChangedTimer();
    void sgrdMainSelectCell(int col, int row, bool& canSelect);
    void tbtnFirstChapterClick();
    void tbtnPrevChapterClick();
    void tbtnNexChapterClick();
    void tbtnLastChapterClick();
    void ToolButton8Click();
    void ToolButton9Click();
    void ToolButton11Click();
    void sbtnFirstVolClick();
    void sbtnPreVolClick();
    void sbtnNextVolClick();
    void sbtnLastVolClick();
    void sbtnChapterSelectClick();
    void ChapterMenuClick(QAction* item);
    // True when the key is swallowed (only digits, backspace, Enter and Escape reach the box).
    bool edtChapterNumKeyPress(QKeyEvent* event);
    void PageControl1Change(int index);
    bool ChapterMenuStale = false;

    void GoToChapter(int number);
    void ShowFirstRow();
    void RebuildChapterMenu(int chapterCount);
    std::array<TBooksNodeData, 66>* BookNodes = nullptr;
    bool loadingChapter_ = false; // row changes inside a load leave the panes to its last step

    // --- chapter grid (wnBookGrid.cpp) -------------------------------------------------
    // Line ends and row heights of texts first..last of column `col`; with `source` the
    // texts are its lines first..last and the grid gets exactly that many data rows.
    void LayoutRows(TStringGrid* grid, int col, int first, const StringList* source, int last);
    void sgrdMainDrawCell(TStringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                          TGridDrawState state);
    void PaintHeaderCell(TStringGrid* grid, QPainter& canvas, int col, const QRect& rect);
    void PaintNumberCell(TStringGrid* grid, QPainter& canvas, int row, const QRect& rect,
                         int verseLine);
    void PaintTextCell(TStringGrid* grid, QPainter& canvas, int col, int row, const QRect& rect,
                       int verseLine);
    // `narrow`: the 12-px ball of a one-digit number.
    void PrepareMarkerBall(int numberSize, bool narrow = false);
    void DrawMarkerBall(TStringGrid* grid, QPainter& canvas, const QString& digits, int x, int y,
                        int row);
    // The display lines of one row's text, each marker drawn as a numbered ball where its
    // characters would have stood.
    void PaintLines(TStringGrid* grid, QPainter& canvas, int row, const QRect& rect,
                    std::string_view text, const std::vector<uint16_t>& ends);
    void tmrDrawSelectFrameTimer();
    void panReadAreaResize();
    QImage MarkerBall; // 16 x 16 scratch picture of one marker ball
    QImage NoteIcon;   // 16 x 16 scratch copy of the note icon
    QStringList MarkedRows;
    int selectFramePhase_ = 0; // the animation phase: 0 or 1
    // Bookmark slots, each a verse line or -1 (read at show, written at destruction).
    std::array<int, 10> bookMarks_{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // The verse lines the chapter grid was last laid out with (-1 before the first chapter).
    // Painting and re-layout follow these, so a book selected but not loaded yet (the tree's
    // 250 ms delay) never paints its verses over the shown chapter's line breaks.
    int gridFirstLine_ = -1;
    int gridLastLine_ = -1;
    // Writes digits onto MarkerBall in the font PrepareMarkerBall chose.
    void WriteMarkerDigits(const QString& digits, int x, int y);
    int markerNumberSize_ = 8;

    // --- navigation history and jumps (wnBookHistory.cpp) -----------------------------
    void JumpToHistoryEntry(int index);
    // Back and Forward; with nowhere to go they do nothing (the buttons are never disabled).
    void acBackwardExecute();
    void acForwardExecute();
    std::unique_ptr<THistoryList> history_; // never null after construction

    // --- chain references in the grid and the pane (wnBookChain.cpp) ------------------
    // Pointer handling of both grids (the chapter grid and the pane's list).
    void sgrdMainMouseMove(TStringGrid* grid, QMouseEvent* event);
    void sgrdMainMouseDown(TStringGrid* grid, QMouseEvent* event);
    int marksFirstLine_ = -1; // first verse line of the chapter MarkedRows belong to

    // --- chapter balloon over the book tree (wnBookBalloon.cpp) -----------------------
    // Resting the pointer on a book's name opens a balloon with one circle per chapter.
    void trvBookMouseMove(const QPoint& pos); // tree viewport coordinates
    void trvBookMouseLeave();
    void tmrHintBallBufferTimer();
    void OpenBalloon(QTreeWidgetItem* item);
    QObject* balloonHover_ = nullptr; // the hover state, kept in wnBookBalloon.cpp

    // --- bookmarks (wnBookMarks.cpp) ---------------------------------------------------
    // The handler of acBookmark0..9 (the "书签" submenu): toggles the slot at the current row.
    void acBookmarkExecute(int slot);
    void BookmarksLoad();
    void BookmarksSave();
    // Verse line shown in a chapter-grid row, -1 for the header row or past the chapter. It
    // follows the chapter on screen, also in the moment a new book is selected but not loaded.
    int ShownVerseLine(int row) const;

    // --- copy and export (wnBookCopy.cpp) ----------------------------------------------
    // The six citation formats of the grid's context menu. Each puts its text on the clipboard
    // and changes nothing else; with no verse to copy the clipboard is left alone.
    void miTextOnlyClick(); // also Ctrl+C
    void acCopy4WriteExecute();
    void miCopy4MoreWriteClick();
    void miCopy4MoreTitleClick();
    void acCopyAllExecute();
    void miCopySpClick();
    // The rows a command copies: the marked rows in the order they were marked, or without
    // marks the selected range; the selected range alone, top to bottom.
    std::vector<int> VerseSelectionRows() const;
    std::vector<int> SelectedRangeRows() const;
    // The verses of grid rows as the window shows them; rows without a verse are left out.
    std::vector<TCopyVerse> VersesOf(const std::vector<int>& rows) const;

    // --- the find panel and the study-note pane (wnBookSearch.cpp) ---------------------
    // Shows the find panel while tbtnFind is down and hides it when it is up; running it twice
    // in the same state changes nothing, so a caller may flip the button and then call it.
    void tbtnFindClick();
    // Beside the tool bar while both fit into the reading area's width, else on a row of its
    // own under it; follows every resize of the bottom panel.
    void PlaceFindPanel();
    // The study note of chapter-grid row `row` in redtLingXiu.
    void ShowLingXiuNote(int row);

    // --- reading size and the English rows (wnBookSize.cpp) --------------------------
    void LayoutEnglish(int first, int count);
    void PaintEnglish(QPainter& canvas, int entry, const QRect& rect, int top);
    void RelayoutForReading();
    void CreateReadingSize();
    int EnglishRowsHeight(int entry) const;
    bool englishShown_ = false;
    // Per chapter-grid entry: the English verse wrapped to the text column, as painted.
    std::vector<QStringList> englishLines_;
    // The digits a scaled marker ball gets written with when it is drawn, and where.
    QString ballDigits_;
    QPoint ballDigitsAt_;

    // Each concern wires its own controls; called in this order by FormCreate.
    void CreateHistory();
    void CreateChainPane();
    void CreateBalloon();
    void CreateBookmarks();
    void CreateCopy();
    void CreateSearch();

    void acRemarkExecute();
    void FormCreate();
    void CreateLeftPanel();
    void CreateRightPanel();
    void CreateToolBar();
    void CreatePopupMenu();
    void FormShow();
    void FormDestroy();
    void RestartTreeTimer();
    QTreeWidgetItem* SelectedNode() const;
    bool shown_ = false;
};

} // namespace orvane
