// Chain references under the pointer: the hand and tool-tip over marker balls and note icons
// in the chapter grid and the chain-reference pane, following a ball to its first verse,
// Ctrl+click marks, and the pane that lists every reference of the shown chapter.
#include "wnBook.h"

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

// Calls `onResize` for every resize of the watched widget.
class TResizeWatch : public QObject {
public:
    TResizeWatch(QWidget* watched, std::function<void()> onResize)
        : QObject(watched), onResize_(std::move(onResize)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Resize) onResize_();
        return false;
    }

private:
    std::function<void()> onResize_;
};

bool ValidChapter(int chapter) {
    return chapter >= 0 && chapter < kChapterCount;
}

const std::string& ChainLine(int chapter) {
    static const std::string none;
    const StringList& lines = TBibGlobe::CorpusFile(kChainFile);
    return ValidChapter(chapter) && size_t(chapter) < lines.size() ? lines[size_t(chapter)] : none;
}

// The verses of a group taken from chapter `chapter`'s line. Its "99" references name that
// same chapter: the data writes a group's own chapter that way, so a group listed from another
// chapter (a verse in the pane) must not resolve them against the chapter on show.
std::vector<int> ParseGroupOf(int chapter, std::string_view group) {
    if (!ValidChapter(chapter)) return {};
    int book = 0;
    ChapterOfLine(ChapterTable[size_t(chapter)].FirstLine, &book);
    return ParseChainGroup(group, book, ChapterNumber(chapter));
}

std::vector<int> MarkerVerses(int chapter, int marker) {
    return ParseGroupOf(chapter, ChainGroupText(ChainLine(chapter), marker));
}

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

// The first marker of a text (its number; a backquote without digits counts as 1), or -1.
int FirstMarker(std::string_view text) {
    const TMarker marker = FindMarker(text);
    return marker.Begin == std::string_view::npos ? -1 : marker.Number;
}

} // namespace

void TfmBook::CreateChainPane() {
    connect(sgrdMain, &TStringGrid::MouseMoved, this,
            [this](QMouseEvent* e) { sgrdMainMouseMove(sgrdMain, e); });
    connect(sgrdMain, &TStringGrid::MouseDown, this,
            [this](QMouseEvent* e) { sgrdMainMouseDown(sgrdMain, e); });
    connect(sgrdSeriP, &TStringGrid::MouseMoved, this,
            [this](QMouseEvent* e) { sgrdMainMouseMove(sgrdSeriP, e); });
    connect(sgrdSeriP, &TStringGrid::MouseDown, this,
            [this](QMouseEvent* e) { sgrdMainMouseDown(sgrdSeriP, e); });
    // Leaving straight off a ball must not leave the hand behind: the next ball reached
    // would then keep the old tip.
    connect(sgrdMain, &TStringGrid::MouseLeft, this, [this] { ClearHint(sgrdMain); });
    connect(sgrdSeriP, &TStringGrid::MouseLeft, this, [this] { ClearHint(sgrdSeriP); });

    sgrdSeriP->OnTopLeftChanged = [this] { sgrdSeriPTopLeftChanged(); };
    sgrdSeriP->OnSelectCell = [this](int c, int r, bool& can) { sgrdSeriPSelectCell(c, r, can); };
    new TResizeWatch(tshtSeriP, [this] { tshtSeriPResize(); });

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
        ShowHint(grid, HintText(MarkerVerses(chapter, spot->Number)),
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
            if (from >= 0) RecordLocation(from, sgrdSeriP->Row());
            // The first verse the tip listed: for a ball of the shown chapter that is the
            // pane's first row of that number, and a ball of a listed verse names a group of
            // the verse's own chapter, which the pane does not hold.
            const std::vector<int> verses = MarkerVerses(chapter, number);
            if (!verses.empty())
                JumpToVerse(verses.front() << 16 | ChapterOfLine(verses.front()), sgrdSeriP->Row());
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

// --- the chain-reference pane -------------------------------------------------------------

void TfmBook::FillChainPane() {
    LoadChainPane(gridFirstLine_ >= 0 ? ChapterOfLine(gridFirstLine_) : -1);
}

void TfmBook::LoadChainPane(int chapterIndex) {
    TStringGrid* pane = sgrdSeriP;
    pane->ReloadPending = false;
    const bool newContent = chapterIndex != chainPaneChapter_;
    chainPaneChapter_ = chapterIndex;
    // Another chapter's texts must be broken afresh even when the width has not changed.
    if (newContent) pane->SavedRow = -1;

    struct Row {
        int group;
        int verse;
    };
    std::vector<Row> rows;
    const std::string_view line = ChainLine(chapterIndex);
    int ordinal = 0;
    for (size_t tilde = line.find('~'); tilde != std::string_view::npos;) {
        ++ordinal;
        const size_t next = line.find('~', tilde + 1);
        const std::string_view group =
            line.substr(tilde + 1, next == std::string_view::npos ? next : next - tilde - 1);
        // A group without references (a heading) still takes its number.
        const size_t open = group.find('[');
        if (open != std::string_view::npos)
            for (int v : ParseGroupOf(chapterIndex, group.substr(open)))
                rows.push_back({ordinal, v});
        tilde = next;
    }

    auto onSelect = std::move(pane->OnSelectCell);
    pane->OnSelectCell = nullptr; // filling is no choice of the reader's
    pane->ClearCells();
    pane->SetRowCount(std::max<int>(1, int(rows.size())));
    for (size_t r = 0; r < rows.size(); ++r) {
        const int v = rows[r].verse;
        std::string text(1, '[');
        text.append(ShortReference(v)).append(1, ']').append(TBibGlobe::VerseText(v));
        const intptr_t object = intptr_t(v) << 16 | ChapterOfLine(v);
        pane->SetCells(0, int(r), std::to_string(rows[r].group));
        pane->SetCells(1, int(r), std::move(text));
        pane->SetObjects(0, int(r), object);
        pane->SetObjects(1, int(r), object);
    }
    if (newContent) {
        pane->SetRow(0);
        pane->SetTopRow(0);
    }
    pane->OnSelectCell = std::move(onSelect);

    int width = pane->contentsRect().width() - pane->ColWidth(0) - 2;
    if (pane->ScrollBarShowing()) width -= pane->verticalScrollBar()->sizeHint().width();
    if (width > 0) pane->SetColWidth(1, width);
    LayoutRows(pane, 1, 0, nullptr, pane->RowCount() - 1);
}

void TfmBook::SelectChainPaneRow(int gridRow) {
    const int entry = gridRow - sgrdMain->FixedRows();
    if (gridFirstLine_ < 0 || entry < 0 || gridFirstLine_ + entry > gridLastLine_) return;
    // The verse's first marker, as its first painted ball would show it; read from the text
    // so that a verse not painted yet (just jumped to) finds its group too.
    const int marker = FirstMarker(TBibGlobe::VerseText(gridFirstLine_ + entry));
    if (marker < 0) return;
    const std::string key = std::to_string(marker);
    for (int r = sgrdSeriP->FixedRows(); r < sgrdSeriP->RowCount(); ++r) {
        if (sgrdSeriP->Cells(0, r) != key) continue;
        sgrdSeriP->SetRow(r);
        if (sgrdSeriP->ScrollBarShowing()) sgrdSeriP->SetTopRow(r);
        return;
    }
}

void TfmBook::tshtSeriPResize() {
    if (PageControl1->currentWidget() != tshtSeriP) return;
    TStringGrid* pane = sgrdSeriP;
    pane->SavedRow = pane->Row();
    pane->SetColWidth(1, std::max(0, pane->contentsRect().width() - pane->ColWidth(0) - 2));
    if (gridFirstLine_ < 0) return; // nothing listed yet: the first fill lays out for this width
    // A pending reload means the pane still lists the chapter before: the fill below replaces
    // it, and ShowRowDetails then has nothing left to reload.
    LoadChainPane(ChapterOfLine(gridFirstLine_));
}

void TfmBook::sgrdSeriPTopLeftChanged() {
    // A group's number ball stands on its first row or on the top row: both move on a scroll.
    sgrdSeriP->viewport()->update();
}

void TfmBook::sgrdSeriPSelectCell(int col, int row, bool& canSelect) {
    (void)col;
    (void)canSelect;
    TBooksNodeData* nodeData = SelectedBookData();
    if (nodeData && row >= sgrdSeriP->FixedRows())
        nodeData->ChainRow = row - sgrdSeriP->FixedRows();
}

} // namespace orvane
