// Chain references under the pointer: the hand and tool-tip over marker balls and note icons
// in the chapter grid and the chain-reference pane's list, following a ball to its first
// verse, and Ctrl+click marks.
#include "wnBook.h"

#include "ChainPane.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "GbkBridge.h"
#include "Markers.h"
#include "NotesStore.h"
#include "ReadingSize.h"

#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

#include <string_view>
#include <vector>

namespace orvane {
namespace {

// A ball's hit square and the note icon's, at 9 points; both grow with the reading size.
constexpr int kSpotSize = 16;
constexpr int kNoteIconSize = 16;

// Plain lines, one per verse: "[创1:1]" and the verse without its markers.
QString HintText(const std::vector<int>& verses) {
    QStringList lines;
    for (int v : verses) {
        std::string line(1, '[');
        line.append(ShortReference(v)).append(1, ']');
        line.append(TBibGlobe::StripMarkers(TBibGlobe::VerseText(v)));
        lines << FromGbk(line);
    }
    return lines.join(QLatin1Char('\n'));
}

std::string NoteOf(int verseLine) {
    if (verseLine < 0) return {};
    try {
        return Notes().GetNote(verseLine);
    } catch (const std::exception&) {
        return {}; // an unreadable notes file shows no note; the editor reports it
    }
}

// The first marker ball painted in `row` under point `p`.
const TMarkerSpot* HitSpot(const TStringGrid* grid, int row, QPoint p) {
    const int entry = row - grid->FixedRows();
    if (entry < 0 || size_t(entry) >= grid->MarkerSpots.size()) return nullptr;
    const int size = ReadingScaled(kSpotSize);
    for (const TMarkerSpot& s : grid->MarkerSpots[size_t(entry)])
        if (p.x() >= s.X && p.x() < s.X + size && p.y() >= s.Y && p.y() < s.Y + size) return &s;
    return nullptr;
}

// The note icon's square at the bottom-right corner of a verse's text cell.
bool OverNoteIcon(const TStringGrid* grid, int row, QPoint p) {
    const QRect cell = grid->CellRect(1, row);
    const int size = ReadingScaled(kNoteIconSize);
    const QRect icon(cell.left() + cell.width() - size, cell.top() + cell.height() - size, size,
                     size);
    return icon.contains(p);
}

bool IsHand(const TStringGrid* grid) {
    return grid->viewport()->cursor().shape() == Qt::PointingHandCursor;
}

void ShowHint(TStringGrid* grid, const QString& text, QPoint globalPos) {
    grid->viewport()->setCursor(Qt::PointingHandCursor);
    // Kept on the viewport too, so resting on the ball again after the tip has timed out
    // brings it back.
    grid->viewport()->setToolTip(text);
    QToolTip::showText(globalPos, text, grid->viewport(), QRect(), TfmBook::HintHidePause);
}

void ClearHint(TStringGrid* grid) {
    QWidget* view = grid->viewport();
    const bool hinting = view->testAttribute(Qt::WA_SetCursor) || !view->toolTip().isEmpty();
    if (!hinting) return;
    view->unsetCursor();
    view->setToolTip(QString());
    QToolTip::hideText();
}

} // namespace

void TfmBook::CreateChainPane() {
    connect(sgrdMain, &TStringGrid::MouseMoved, this,
            [this](QMouseEvent* e) { sgrdMainMouseMove(sgrdMain, e); });
    connect(sgrdMain, &TStringGrid::MouseDown, this,
            [this](QMouseEvent* e) { sgrdMainMouseDown(sgrdMain, e); });
    TStringGrid* pane = tshtSeriP->Grid();
    connect(pane, &TStringGrid::MouseMoved, this,
            [this, pane](QMouseEvent* e) { sgrdMainMouseMove(pane, e); });
    connect(pane, &TStringGrid::MouseDown, this,
            [this, pane](QMouseEvent* e) { sgrdMainMouseDown(pane, e); });
    // Leaving straight off a ball must not leave the hand behind: the next ball reached
    // would then keep the old tip.
    connect(sgrdMain, &TStringGrid::MouseLeft, this, [this] { ClearHint(sgrdMain); });
    connect(pane, &TStringGrid::MouseLeft, this, [pane] { ClearHint(pane); });

    // The pane's cells look like the chapter grid's and break like them.
    connect(tshtSeriP, &TChainPane::drawCellWanted, this, &TfmBook::sgrdMainDrawCell);
    connect(tshtSeriP, &TChainPane::layoutWanted, this,
            [this](TStringGrid* grid) { LayoutRows(grid, 1, 0, nullptr, grid->RowCount() - 1); });
    connect(tshtSeriP, &TChainPane::chainRowSelected, this, [this](int row) {
        if (TBooksNodeData* nodeData = SelectedBookData()) nodeData->ChainRow = row;
    });

    // Marks name rows, and rows mean other verses in another chapter: a chapter change
    // drops them. Connected after the loader, so this runs once the new chapter is laid out.
    connect(tmrTreeChanged, &QTimer::timeout, this, [this] {
        if (gridFirstLine_ == marksFirstLine_) return;
        marksFirstLine_ = gridFirstLine_;
        if (MarkedRows.isEmpty()) return;
        MarkedRows.clear();
        sgrdMain->viewport()->update();
    });
}

// --- the pointer --------------------------------------------------------------------------

void TfmBook::sgrdMainMouseMove(TStringGrid* grid, QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    int col, row;
    grid->MouseToCell(at, col, row);
    if (row < grid->FixedRows() || col <= 0) return;
    const int entry = row - grid->FixedRows();
    if (size_t(entry) >= grid->MarkerSpots.size()) return;

    const bool chapterGrid = grid == sgrdMain;
    if (const TMarkerSpot* spot = HitSpot(grid, row, at)) {
        if (IsHand(grid)) return; // still the same tip, however many balls it crosses
        // A verse in the pane may come from any chapter; its balls are that chapter's.
        const int chapter = chapterGrid ? (gridFirstLine_ >= 0 ? ChapterOfLine(gridFirstLine_) : -1)
                                        : int(grid->Objects(0, row) & 0xFFFF);
        ShowHint(grid, HintText(TChainPane::MarkerVerses(chapter, spot->Number)),
                 event->globalPosition().toPoint());
        return;
    }
    if (chapterGrid && gridFirstLine_ >= 0 && gridFirstLine_ + entry <= gridLastLine_ &&
        OverNoteIcon(grid, row, at)) {
        const std::string note = NoteOf(gridFirstLine_ + entry);
        if (!note.empty()) {
            // Line breaks of a note are stored as tabs.
            QString text = FromGbk(note);
            text.replace(QLatin1Char('\t'), QLatin1Char('\n'));
            ShowHint(grid, text, event->globalPosition().toPoint());
            return;
        }
    }
    ClearHint(grid);
}

void TfmBook::sgrdMainMouseDown(TStringGrid* grid, QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    int col, row;
    grid->MouseToCell(at, col, row);
    const bool chapterGrid = grid == sgrdMain;
    if (chapterGrid && col == 0 && row == 0) {
        grid->SetSelection({1, 1, grid->ColCount() - 1, grid->RowCount() - 1});
        return;
    }
    if (event->button() == Qt::RightButton && row >= grid->FixedRows() && row != grid->Row())
        grid->SetRow(row); // so the pop-up menu works on the verse under the pointer

    if (IsHand(grid)) {
        if (const TMarkerSpot* spot = HitSpot(grid, row, at)) {
            const int number = spot->Number;
            const int chapter = chapterGrid
                                    ? (gridFirstLine_ >= 0 ? ChapterOfLine(gridFirstLine_) : -1)
                                    : int(grid->Objects(0, row) & 0xFFFF);
            ClearHint(grid);
            const int current = sgrdMain->Row();
            const int from = gridFirstLine_ >= 0 && current >= sgrdMain->FixedRows()
                                 ? gridFirstLine_ + current - sgrdMain->FixedRows()
                                 : -1;
            if (from >= 0) RecordLocation(from, tshtSeriP->Grid()->Row());
            // The first verse the tip listed: for a ball of the shown chapter that is the
            // pane's first row of that number, and a ball of a listed verse names a group of
            // the verse's own chapter, which the pane does not hold.
            const std::vector<int> verses = TChainPane::MarkerVerses(chapter, number);
            if (!verses.empty())
                JumpToVerse(verses.front() << 16 | ChapterOfLine(verses.front()),
                            tshtSeriP->Grid()->Row());
            return;
        }
        ClearHint(grid);
        // The hand may be left over from a ball the pointer went straight off (into the
        // number column, say, where movement changes nothing): only the icon of a verse that
        // has a note, under the pointer now, opens the editor.
        const int entry = row - grid->FixedRows();
        if (chapterGrid && entry >= 0 && gridFirstLine_ >= 0 &&
            gridFirstLine_ + entry <= gridLastLine_ && OverNoteIcon(grid, row, at) &&
            !NoteOf(gridFirstLine_ + entry).empty())
            emit noteIconClicked(row);
        return;
    }

    // Marks are verses of the chapter grid; the pane and the header have none.
    if (!chapterGrid || col <= 0 || row < grid->FixedRows()) return;
    if (event->button() != Qt::LeftButton) return;
    if (event->modifiers() & Qt::ControlModifier) {
        const QString name = QString::number(row);
        if (!MarkedRows.removeOne(name)) MarkedRows << name;
        marksFirstLine_ = gridFirstLine_;
    } else {
        MarkedRows.clear();
    }
    grid->viewport()->update();
}

} // namespace orvane
