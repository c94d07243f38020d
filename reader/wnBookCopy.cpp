// The copy commands of the chapter grid's context menu: which rows each one takes, and the
// clipboard. The citation formats themselves are in CopyFormats.cpp.
#include "wnBook.h"

#include "Addressing.h"
#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainPane.h"
#include "CopyFormats.h"
#include "GbkBridge.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace orvane {
namespace {

void PutOnClipboard(const std::string& gbk) {
    QGuiApplication::clipboard()->setText(FromGbk(gbk));
}

} // namespace

void TfmBook::CreateCopy() {
    connect(miTextOnly, &QAction::triggered, this, &TfmBook::miTextOnlyClick);
    connect(acCopy4Write, &QAction::triggered, this, &TfmBook::acCopy4WriteExecute);
    connect(miCopy4MoreWrite, &QAction::triggered, this, &TfmBook::miCopy4MoreWriteClick);
    connect(miCopy4MoreTitle, &QAction::triggered, this, &TfmBook::miCopy4MoreTitleClick);
    connect(acCopyAll, &QAction::triggered, this, &TfmBook::acCopyAllExecute);
    connect(miCopySp, &QAction::triggered, this, &TfmBook::miCopySpClick);
}

std::vector<int> TfmBook::SelectedRangeRows() const {
    std::vector<int> rows;
    const TGridRect& range = sgrdMain->Selection();
    const int first = std::max(range.Top, sgrdMain->FixedRows());
    const int last = std::min(range.Bottom, sgrdMain->RowCount() - 1);
    for (int row = first; row <= last; ++row)
        rows.push_back(row);
    return rows;
}

std::vector<int> TfmBook::VerseSelectionRows() const {
    if (MarkedRows.isEmpty()) return SelectedRangeRows();
    std::vector<int> rows;
    for (const QString& mark : MarkedRows) {
        bool ok = false;
        const int row = mark.toInt(&ok);
        if (ok && row >= sgrdMain->FixedRows() && row < sgrdMain->RowCount()) rows.push_back(row);
    }
    return rows;
}

std::vector<TCopyVerse> TfmBook::VersesOf(const std::vector<int>& rows) const {
    std::vector<TCopyVerse> verses;
    for (const int row : rows) {
        const int line = ShownVerseLine(row);
        if (line >= 0) verses.push_back(CopyVerseOf(line));
    }
    return verses;
}

void TfmBook::CopySelection() {
    miTextOnlyClick();
}

void TfmBook::miTextOnlyClick() {
    const std::vector<TCopyVerse> verses = VersesOf(VerseSelectionRows());
    if (!verses.empty()) PutOnClipboard(TextOnlyFormat(verses));
}

void TfmBook::acCopy4WriteExecute() {
    const std::vector<TCopyVerse> verses = VersesOf(VerseSelectionRows());
    if (!verses.empty()) PutOnClipboard(WritingFormat(verses));
}

void TfmBook::miCopy4MoreWriteClick() {
    const std::vector<TCopyVerse> verses = VersesOf(SelectedRangeRows());
    if (!verses.empty()) PutOnClipboard(MoreWritingFormat(verses));
}

void TfmBook::miCopy4MoreTitleClick() {
    const std::vector<TCopyVerse> verses = VersesOf(SelectedRangeRows());
    if (!verses.empty()) PutOnClipboard(MoreTitleFormat(verses));
}

void TfmBook::acCopyAllExecute() {
    const std::vector<TCopyVerse> verses = VersesOf(VerseSelectionRows());
    if (verses.empty()) return;
    // The book of the verses on screen; the tree shows only its testament's books, so this is
    // also the testament shown.
    const int book = BookOfLine(ShownVerseLine(sgrdMain->FixedRows()));
    if (book < 0) return;
    PutOnClipboard(
        CompleteFormat(book >= kFirstNewTestamentBook, BookTable[size_t(book)].FullName, verses));
}

void TfmBook::miCopySpClick() {
    const int line = ShownVerseLine(sgrdMain->Row());
    if (line < 0) return;
    // The pane refills lazily while its page is hidden; its rows may still be another
    // chapter's.
    const TStringGrid* list = tshtSeriP->Grid();
    if (list->ReloadPending) tshtSeriP->FillChainPane();
    std::vector<TChainPaneRow> pane;
    pane.reserve(size_t(list->RowCount()));
    for (int row = 0; row < list->RowCount(); ++row)
        pane.push_back({list->Cells(0, row), list->Cells(1, row)});
    PutOnClipboard(
        ChainContentFormat(CopyVerseOf(line), MarkerNumbers(TBibGlobe::VerseText(line)), pane));
}

} // namespace orvane
