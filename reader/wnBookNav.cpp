#include "wnBook.h"

#include "BibGlobe.h"
#include "BookTables.h"
#include "ChainPane.h"
#include "DrawMenus.h"
#include "GbkBridge.h"
#include "ReaderPictures.h"
#include "ReadingSize.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace orvane {
namespace {

TBooksNodeData* NodeData(const QTreeWidgetItem* item) {
    if (!item) return nullptr;
    return static_cast<TBooksNodeData*>(item->data(0, Qt::UserRole).value<void*>());
}

const TBookInfo& BookOf(const TBooksNodeData& nodeData) {
    return BookTable[size_t(nodeData.BookIndex)];
}

int ChapterCountOf(const TBookInfo& book) {
    return book.LastChapter - book.FirstChapter + 1;
}

QIcon BookIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(ReportTypeImage(0)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(ReportTypeImage(1)), QIcon::Selected);
    return icon;
}

// Clears a flag when the scope ends, however it ends.
struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
};

} // namespace

// --- current position ---------------------------------------------------------------------

QTreeWidgetItem* TfmBook::SelectedNode() const {
    QTreeWidgetItem* item = trvBook->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

TBooksNodeData* TfmBook::SelectedBookData() const {
    TBooksNodeData* nodeData = NodeData(SelectedNode());
    if (!nodeData || nodeData->BookIndex < 0 || nodeData->BookIndex >= kBookCount) return nullptr;
    return nodeData;
}

int TfmBook::ChapterNumber() const {
    const TBooksNodeData* nodeData = SelectedBookData();
    return nodeData ? nodeData->ChapterIndex - BookOf(*nodeData).FirstChapter + 1 : 0;
}

int TfmBook::RowToVerseLine(int row) const {
    const TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData || nodeData->ChapterIndex < 0 || nodeData->ChapterIndex >= kChapterCount)
        return -1;
    return ChapterTable[size_t(nodeData->ChapterIndex)].FirstLine + row - 1;
}

int TfmBook::CurrentRow() const {
    return sgrdMain->Row();
}

int TfmBook::CurrentVerseLine() const {
    return RowToVerseLine(sgrdMain->Row());
}

// --- the book tree ------------------------------------------------------------------------

void TfmBook::ShowBookPanel() {
    panLeft->show();
}

bool TfmBook::SelectBook(TBooksNodeData* nodeData) {
    for (int i = 0; i < trvBook->topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = trvBook->topLevelItem(i);
        if (NodeData(node) != nodeData) continue;
        // Deselect first, so the change always fires and the chapter is loaded again.
        if (trvBook->currentItem() == node) trvBook->setCurrentItem(nullptr);
        trvBook->setCurrentItem(node);
        trvBook->scrollToItem(node, QAbstractItemView::PositionAtTop);
        return true;
    }
    return false;
}

void TfmBook::OpenPlace(int book, int chapter, int verseRow) {
    if (book != 0 || chapter != 0 || verseRow != 0) {
        for (int i = 0; i < trvBook->topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = trvBook->topLevelItem(i);
            TBooksNodeData* nodeData = NodeData(node);
            if (nodeData && nodeData->BookIndex == book) {
                nodeData->ChapterIndex = chapter;
                nodeData->VerseRow = verseRow;
                nodeData->ChainRow = 0;
                trvBook->setCurrentItem(node);
                break;
            }
        }
    }
    EnsureBookSelected();
}

void TfmBook::EnsureBookSelected() {
    if (trvBook->topLevelItemCount() > 0 && !trvBook->currentItem())
        trvBook->setCurrentItem(trvBook->topLevelItem(0));
}

void TfmBook::FillBookTree(bool newTestament) {
    trvBook->setUpdatesEnabled(false);
    {
        // Emptying the tree is no selection change of the reader's: the main window selects
        // a book afterwards, and that one change loads the chapter.
        const QSignalBlocker blocker(trvBook);
        trvBook->clear();
        if (BookNodes) {
            const QIcon icon = BookIcon();
            const int first = newTestament ? kFirstNewTestamentBook : 0;
            const int last = newTestament ? kBookCount - 1 : kFirstNewTestamentBook - 1;
            for (int b = first; b <= last; ++b) {
                auto* item = new QTreeWidgetItem(trvBook);
                item->setText(0, FromGbk(BookTable[size_t(b)].FullName));
                item->setData(0, Qt::UserRole,
                              QVariant::fromValue(static_cast<void*>(&(*BookNodes)[size_t(b)])));
                item->setIcon(0, icon);
            }
        }
        trvBook->expandAll();
        trvBook->setCurrentItem(nullptr);
        trvBook->clearSelection();
    }
    trvBook->setUpdatesEnabled(true);
    Notebook1->setCurrentIndex(0);
}

void TfmBook::trvBookChange() {
    ChapterMenuStale = true;
    RestartTreeTimer();
}

void TfmBook::RestartTreeTimer() {
    tmrTreeChanged->stop();
    tmrTreeChanged->start();
}

// --- loading a chapter --------------------------------------------------------------------

void TfmBook::tmrTreeChangedTimer() {
    tmrTreeChanged->stop();
    tmrDrawSelectFrame->stop();
    sgrdMain->SavedRow = -1;
    tshtSeriP->Grid()->SavedRow = -1;
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    const TBookInfo& book = BookOf(*nodeData);
    // A position stored elsewhere (settings, a jump) must never show another book's chapter
    // under this book's name.
    if (nodeData->ChapterIndex < book.FirstChapter || nodeData->ChapterIndex > book.LastChapter)
        nodeData->ChapterIndex = book.FirstChapter;
    const TChapterInfo& chapter = ChapterTable[size_t(nodeData->ChapterIndex)];
    const StringList& text = TBibGlobe::CorpusFile(kChineseTextFile);
    if (int(text.size()) <= chapter.LastLine) return; // the scripture is not loaded

    {
        // The rows set here are the load's own doing; the panes catch up once, below.
        const FlagScope loading(loadingChapter_);
        LayoutRows(sgrdMain, 1, chapter.FirstLine, &text, chapter.LastLine);
        // VerseRow outlives chapter changes: a chapter that has that verse shows it again.
        const int row = nodeData->VerseRow + sgrdMain->FixedRows();
        if (nodeData->VerseRow >= 0 && row < sgrdMain->RowCount()) {
            sgrdMain->SetRow(row);
            if (sgrdMain->ScrollBarShowing()) sgrdMain->SetTopRow(row);
        }
    }

    if (ChapterMenuStale) {
        ChapterMenuStale = false;
        RebuildChapterMenu(ChapterCountOf(book));
    }
    const int number = ChapterNumber();
    const QList<QAction*> items = ppmChapterSelect->actions();
    if (items.size() >= number) items[number - 1]->setChecked(true);
    edtChapterNum->setText(QString::number(number));
    edtChapterNum->end(false);

    tshtSeriP->Grid()->ReloadPending = true;
    ShowRowDetails(sgrdMain->Row());
    if (const int width = ReadingScaled(kVerseColumnWidth); sgrdMain->ColWidth(0) != width)
        sgrdMain->SetColWidth(0, width);
    tmrDrawSelectFrame->start();
}

void TfmBook::RebuildChapterMenu(int chapterCount) {
    // Books of equal length share the list as it is.
    if (chapterCount == ppmChapterSelect->actions().size()) return;
    tbtnLastChapter->setToolTip(QStringLiteral("卷末章(%1)").arg(chapterCount));
    const QList<QAction*> old = ppmChapterSelect->actions();
    for (auto it = old.rbegin(); it != old.rend(); ++it)
        delete *it;
    delete ppmChapterSelect->findChild<QActionGroup*>();
    auto* group = new QActionGroup(ppmChapterSelect);
    group->setExclusive(true);
    for (int n = 1; n <= chapterCount; ++n) {
        auto* item = new QAction(QString::number(n), group);
        item->setCheckable(true);
        ppmChapterSelect->addAction(item);
    }
    TDrawMenus::Install(ppmChapterSelect); // the skinned look, or the plain one without a skin
}

void TfmBook::sgrdMainSelectCell(int col, int row, bool& canSelect) {
    // Rows are selected whole, so a click on the verse number selects the verse as well.
    (void)col;
    (void)canSelect;
    if (row < sgrdMain->FixedRows()) return;
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    nodeData->VerseRow = row - sgrdMain->FixedRows();
    if (!loadingChapter_) ShowRowDetails(row);
}

void TfmBook::ShowRowDetails(int row) {
    if (!SelectedBookData()) return;
    QWidget* page = PageControl1->currentWidget();
    if (page == tshtLingXiu) {
        ShowLingXiuNote(row);
    } else if (page == tshtSeriP) {
        if (tshtSeriP->Grid()->ReloadPending) tshtSeriP->FillChainPane();
        tshtSeriP->SelectChainPaneRow(ShownVerseLine(row));
    }
    // The search results stay as the search left them.
    emit rowDetailsChanged(row);
}

// --- chapter and row buttons --------------------------------------------------------------

void TfmBook::PrevChapter() {
    tbtnPrevChapter->trigger();
}

void TfmBook::NextChapter() {
    tbtnNexChapter->trigger();
}

void TfmBook::ShowFirstRow() {
    const int first = sgrdMain->FixedRows();
    if (sgrdMain->RowCount() <= first) return;
    sgrdMain->SetRow(first);
    if (sgrdMain->ScrollBarShowing()) sgrdMain->SetTopRow(first);
}

void TfmBook::tbtnFirstChapterClick() {
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    const TBookInfo& book = BookOf(*nodeData);
    if (nodeData->ChapterIndex == book.FirstChapter) {
        ShowFirstRow();
    } else {
        nodeData->ChapterIndex = book.FirstChapter;
        RestartTreeTimer();
    }
}

void TfmBook::tbtnPrevChapterClick() {
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    if (nodeData->ChapterIndex > BookOf(*nodeData).FirstChapter) {
        --nodeData->ChapterIndex;
        RestartTreeTimer();
    } else {
        ShowFirstRow();
    }
}

void TfmBook::tbtnNexChapterClick() {
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    if (nodeData->ChapterIndex < BookOf(*nodeData).LastChapter) {
        ++nodeData->ChapterIndex;
        RestartTreeTimer();
    } else {
        ShowFirstRow(); // the next book is the book buttons' business
    }
}

void TfmBook::tbtnLastChapterClick() {
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    const TBookInfo& book = BookOf(*nodeData);
    if (nodeData->ChapterIndex == book.LastChapter) {
        ShowFirstRow();
    } else {
        nodeData->ChapterIndex = book.LastChapter;
        RestartTreeTimer();
    }
}

void TfmBook::ToolButton8Click() {
    if (!SelectedBookData()) return;
    if (sgrdMain->Row() > sgrdMain->FixedRows()) sgrdMain->SetRow(sgrdMain->Row() - 1);
}

void TfmBook::ToolButton11Click() {
    if (!SelectedBookData()) return;
    if (sgrdMain->Row() < sgrdMain->RowCount() - 1) sgrdMain->SetRow(sgrdMain->Row() + 1);
}

void TfmBook::ToolButton9Click() {
    if (!SelectedBookData()) return;
    if (sgrdMain->ScrollBarShowing()) sgrdMain->SetTopRow(sgrdMain->Row());
}

// --- book buttons -------------------------------------------------------------------------

void TfmBook::sbtnFirstVolClick() {
    if (!SelectedNode() || trvBook->topLevelItemCount() == 0) return;
    QTreeWidgetItem* first = trvBook->topLevelItem(0);
    if (first == SelectedNode()) return;
    trvBook->setCurrentItem(first);
    trvBook->scrollToItem(first, QAbstractItemView::PositionAtTop);
}

void TfmBook::sbtnLastVolClick() {
    if (!SelectedNode() || trvBook->topLevelItemCount() == 0) return;
    QTreeWidgetItem* last = trvBook->topLevelItem(trvBook->topLevelItemCount() - 1);
    if (last == SelectedNode()) return;
    trvBook->setCurrentItem(last);
    trvBook->scrollToItem(last, QAbstractItemView::PositionAtTop);
}

void TfmBook::sbtnPreVolClick() {
    QTreeWidgetItem* selected = SelectedNode();
    if (!selected) return;
    const int index = trvBook->indexOfTopLevelItem(selected);
    if (index <= 0) return;
    QTreeWidgetItem* item = trvBook->topLevelItem(index - 1);
    const bool shown = trvBook->viewport()->rect().contains(trvBook->visualItemRect(item));
    trvBook->setCurrentItem(item);
    if (!shown) trvBook->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void TfmBook::sbtnNextVolClick() {
    QTreeWidgetItem* selected = SelectedNode();
    if (!selected) return;
    const int index = trvBook->indexOfTopLevelItem(selected);
    if (index < 0 || index >= trvBook->topLevelItemCount() - 1) return;
    QTreeWidgetItem* item = trvBook->topLevelItem(index + 1);
    const bool shown = trvBook->viewport()->rect().contains(trvBook->visualItemRect(item));
    trvBook->setCurrentItem(item);
    if (!shown) trvBook->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

// --- choosing a chapter by number ---------------------------------------------------------

void TfmBook::sbtnChapterSelectClick() {
    const TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    // Within the load delay after a book change the list may still be the previous book's.
    RebuildChapterMenu(ChapterCountOf(BookOf(*nodeData)));
    const QList<QAction*> items = ppmChapterSelect->actions();
    const int number = ChapterNumber();
    if (number >= 1 && number <= items.size()) items[number - 1]->setChecked(true);
    ppmChapterSelect->popup(sbtnChapterSelect->mapToGlobal(QPoint(0, sbtnChapterSelect->height())));
}

void TfmBook::ChapterMenuClick(QAction* item) {
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData || !item) return;
    const TBookInfo& book = BookOf(*nodeData);
    bool ok = false;
    int number = item->text().toInt(&ok);
    if (!ok) number = 1;
    number = std::clamp(number, 1, ChapterCountOf(book));
    const int chapter = book.FirstChapter + number - 1;
    if (chapter == nodeData->ChapterIndex) return;
    edtChapterNum->setText(QString::number(number));
    edtChapterNum->end(false);
    nodeData->ChapterIndex = chapter;
    RestartTreeTimer();
}

void TfmBook::GoToChapter(int number) {
    TBooksNodeData* nodeData = SelectedBookData();
    if (!nodeData) return;
    const TBookInfo& book = BookOf(*nodeData);
    number = std::clamp(number, 1, ChapterCountOf(book));
    edtChapterNum->setText(QString::number(number));
    const int chapter = book.FirstChapter + number - 1;
    if (chapter == nodeData->ChapterIndex) return;
    nodeData->ChapterIndex = chapter;
    RestartTreeTimer();
    edtChapterNum->end(false);
}

bool TfmBook::edtChapterNumKeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
        return false;
    case Qt::Key_Escape:
        GoToChapter(1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const TBooksNodeData* nodeData = SelectedBookData();
        if (!nodeData) return true;
        bool ok = false;
        int number = edtChapterNum->text().trimmed().toInt(&ok);
        // Pasted text can hold anything: a non-number, 0 or less means the first chapter.
        if (!ok || number < 1) {
            edtChapterNum->setText(QStringLiteral("1"));
            number = 1;
        }
        GoToChapter(std::min(number, ChapterCountOf(BookOf(*nodeData))));
        return true;
    }
    default:
        break;
    }
    if (event->matches(QKeySequence::Paste)) return true;
    const QString text = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9' && !command) return false;
    // Keys that type nothing (arrows, Home, End, Delete, Tab) keep their meaning in the box;
    // every other character is kept out of it.
    return !text.isEmpty() && text[0].isPrint();
}

// --- bottom pages -------------------------------------------------------------------------

void TfmBook::PageControl1Change(int index) {
    (void)index;
    PageControl1->update();
    ShowRowDetails(sgrdMain->Row()); // the page just shown catches up with the current verse
}

} // namespace orvane
