#include "wnBook.h"

#include "Addressing.h"
#include "BookTables.h"
#include "DrawMenus.h"
#include "GbkBridge.h"
#include "HistoryList.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <algorithm>

namespace orvane {
namespace {

int AddressOf(int verseLine) {
    return verseLine << 16 | ChapterOfLine(verseLine);
}

// Shows history entries first..last in `menu`, current one checked, each item's data its entry
// index. Items are kept between openings: missing ones are appended, surplus ones hidden.
void FillHistoryMenu(QMenu* menu, const THistoryList& history, int first, int last) {
    auto* group = menu->findChild<QActionGroup*>();
    QList<QAction*> items = menu->actions();
    const int needed = std::max(0, last - first + 1);
    while (items.size() < needed) {
        auto* item = new QAction(group);
        item->setCheckable(true);
        menu->addAction(item);
        items.append(item);
    }
    for (int i = 0; i < items.size(); ++i) {
        QAction* item = items[i];
        const int entry = first + i;
        item->setVisible(i < needed);
        if (i >= needed) continue;
        item->setText(FromGbk(ShortReference(history.VerseLine(entry))));
        item->setData(entry);
        if (entry == history.Position()) item->setChecked(true);
    }
    TDrawMenus::Install(menu); // the skinned look, or the plain one without a skin
}

} // namespace

void TfmBook::CreateHistory() {
    history_ = std::make_unique<THistoryList>();
    // Both buttons stay enabled: pressing one with nowhere to go simply does nothing.
    connect(acBackward, &QAction::triggered, this, &TfmBook::acBackwardExecute);
    connect(acForward, &QAction::triggered, this, &TfmBook::acForwardExecute);
    for (QMenu* menu : {ppmNaviBack, ppmNaviForw}) {
        auto* group = new QActionGroup(menu);
        group->setExclusive(true);
        connect(menu, &QMenu::triggered, this,
                [this](QAction* item) { JumpToHistoryEntry(item->data().toInt()); });
    }
    // Oldest first, ending with the current entry.
    connect(ppmNaviBack, &QMenu::aboutToShow, this,
            [this] { FillHistoryMenu(ppmNaviBack, *history_, 0, history_->Position()); });
    // The current entry first, then what lies ahead of it.
    connect(ppmNaviForw, &QMenu::aboutToShow, this, [this] {
        const int position = history_->Position();
        FillHistoryMenu(ppmNaviForw, *history_, position,
                        position >= 0 ? history_->Count() - 1 : position - 1);
    });
}

void TfmBook::JumpToVerse(int address, int chainRow) {
    // Read unsigned, so no address gives a negative verse line.
    const int verseLine = int(unsigned(address) >> 16);
    if (verseLine > kLastVerseLine || !BookNodes) return;
    int book = 0;
    while (book < kBookCount && BookTable[size_t(book)].LastLine < verseLine)
        ++book;
    if (book == kBookCount) return;
    // The chapter half of the address is taken from the verse line itself: a mismatched one
    // would give a verse row outside its chapter.
    const int chapter = ChapterOfLine(verseLine);
    TBooksNodeData& nodeData = (*BookNodes)[size_t(book)];
    nodeData.ChapterIndex = chapter;
    nodeData.VerseRow = verseLine - ChapterTable[size_t(chapter)].FirstLine;
    nodeData.ChainRow = chainRow;
    RecordLocation(verseLine, chainRow);
    emit verseJumped(&nodeData);
}

void TfmBook::JumpToVerse(int verseLine) {
    if (verseLine < 0 || verseLine > kLastVerseLine) return;
    JumpToVerse(AddressOf(verseLine), 0);
}

void TfmBook::RecordLocation(int verseLine, int chainRow) {
    history_->RecordLocation(verseLine, chainRow);
}

void TfmBook::JumpToHistoryEntry(int index) {
    const int verseLine = history_->VerseLine(index);
    if (verseLine < 0) return;
    JumpToVerse(AddressOf(verseLine), history_->ChainRow(index));
}

void TfmBook::acBackwardExecute() {
    if (history_->Count() == 0 || history_->Position() <= 0) return;
    JumpToHistoryEntry(history_->Position() - 1);
}

void TfmBook::acForwardExecute() {
    if (history_->Count() < 2 || history_->Position() >= history_->Count() - 1) return;
    JumpToHistoryEntry(history_->Position() + 1);
}

} // namespace orvane
