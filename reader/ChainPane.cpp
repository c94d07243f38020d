#include "ChainPane.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "Markers.h"
#include "ReadingFont.h"
#include "ReadingSize.h"

#include <QScrollBar>
#include <QVBoxLayout>

#include <string_view>

namespace orvane {
namespace {

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

// The first marker of a text (its number; a backquote without digits counts as 1), or -1.
int FirstMarker(std::string_view text) {
    const TMarker marker = FindMarker(text);
    return marker.Begin == std::string_view::npos ? -1 : marker.Number;
}

} // namespace

TChainPane::TChainPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tshtSeriP"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    sgrdSeriP = new TStringGrid(this);
    sgrdSeriP->setObjectName(QStringLiteral("sgrdSeriP"));
    sgrdSeriP->setFont(ReadingFont());
    sgrdSeriP->SetColCount(2);
    sgrdSeriP->SetColWidth(0, kGroupColumnWidth);
    sgrdSeriP->SetColWidth(1, 266);
    sgrdSeriP->OnDrawCell = [this](QPainter& p, int c, int r, const QRect& rect, TGridDrawState s) {
        emit drawCellWanted(sgrdSeriP, p, c, r, rect, s);
    };
    sgrdSeriP->OnTopLeftChanged = [this] { sgrdSeriPTopLeftChanged(); };
    sgrdSeriP->OnSelectCell = [this](int c, int r, bool& can) { sgrdSeriPSelectCell(c, r, can); };
    box->addWidget(sgrdSeriP);
}

std::vector<int> TChainPane::MarkerVerses(int chapter, int marker) {
    return ParseGroupOf(chapter, ChainGroupText(ChainLine(chapter), marker));
}

void TChainPane::FillChainPane() {
    LoadChainPane(shownChapter_);
}

void TChainPane::ReloadChainPane() {
    if (chainPaneChapter_ < 0) return;
    sgrdSeriP->SavedRow = sgrdSeriP->Row();
    LoadChainPane(chainPaneChapter_);
}

void TChainPane::LoadChainPane(int chapterIndex) {
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
    emit layoutWanted(pane);
}

void TChainPane::SelectChainPaneRow(int verseLine) {
    if (verseLine < 0) return;
    // The verse's first marker, as its first painted ball would show it; read from the text
    // so that a verse not painted yet (just jumped to) finds its group too.
    const int marker = FirstMarker(TBibGlobe::VerseText(verseLine));
    if (marker < 0) return;
    const std::string key = std::to_string(marker);
    for (int r = sgrdSeriP->FixedRows(); r < sgrdSeriP->RowCount(); ++r) {
        if (sgrdSeriP->Cells(0, r) != key) continue;
        sgrdSeriP->SetRow(r);
        if (sgrdSeriP->ScrollBarShowing()) sgrdSeriP->SetTopRow(r);
        return;
    }
}

void TChainPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tshtSeriPResize();
}

void TChainPane::tshtSeriPResize() {
    // Only the page on show follows its width; a hidden page catches up when it is shown.
    if (isHidden()) return;
    TStringGrid* pane = sgrdSeriP;
    pane->SavedRow = pane->Row();
    pane->SetColWidth(1, std::max(0, pane->contentsRect().width() - pane->ColWidth(0) - 2));
    if (shownChapter_ < 0) return; // nothing listed yet: the first fill lays out for this width
    // A pending reload means the pane still lists the chapter before: the fill below replaces
    // it, and the window's row details then have nothing left to reload.
    LoadChainPane(shownChapter_);
}

void TChainPane::sgrdSeriPTopLeftChanged() {
    // A group's number ball stands on its first row or on the top row: both move on a scroll.
    sgrdSeriP->viewport()->update();
}

void TChainPane::sgrdSeriPSelectCell(int col, int row, bool& canSelect) {
    (void)col;
    (void)canSelect;
    if (row >= sgrdSeriP->FixedRows()) emit chainRowSelected(row - sgrdSeriP->FixedRows());
}

} // namespace orvane
