// The ten numbered bookmarks: set and cleared from the grid's "书签" submenu (or
// Ctrl+Shift+digit), followed with Ctrl+digit, kept in the settings file between runs. The grid
// draws each slot's icon on its verse (wnBookGrid.cpp).
#include "wnBook.h"

#include "BookTables.h"
#include "IniFileX.h"
#include "SettingsKeys.h"

#include <QAction>
#include <QtGlobal>

namespace orvane {
namespace {

bool IsSlot(int slot) {
    return slot >= 0 && slot < 10;
}

} // namespace

void TfmBook::CreateBookmarks() {
    for (int i = 0; i < int(acBookmark.size()); ++i)
        connect(acBookmark[size_t(i)], &QAction::triggered, this,
                [this, i] { acBookmarkExecute(i); });
}

int TfmBook::ShownVerseLine(int row) const {
    if (gridFirstLine_ < 0 || row < sgrdMain->FixedRows() || row >= sgrdMain->RowCount()) return -1;
    const int line = gridFirstLine_ + row - sgrdMain->FixedRows();
    return line <= gridLastLine_ ? line : -1;
}

void TfmBook::acBookmarkExecute(int slot) {
    if (!IsSlot(slot)) return;
    // The verse on screen: within the load delay after a book change the selected book is
    // already the next one, and its verse is not the one the reader is looking at.
    const int line = ShownVerseLine(sgrdMain->Row());
    if (line < 0) return;
    int& mark = bookMarks_[size_t(slot)];
    mark = mark == line ? -1 : line;
    // A moved bookmark leaves another row's icon behind, so the whole column is redrawn.
    sgrdMain->viewport()->update();
}

void TfmBook::RefreshRow(int row) {
    sgrdMain->InvalidateRow(row);
}

void TfmBook::FollowBookmark(int slot) {
    if (!IsSlot(slot)) return;
    const int line = bookMarks_[size_t(slot)];
    // Only a hand-edited file holds other values; they lead nowhere.
    if (line < 0 || line > kLastVerseLine) return;
    JumpToVerse(line);
}

void TfmBook::BookmarksLoad() {
    try {
        TInifileX().ReadIntArray(settings::kMain, settings::kBookMarks, bookMarks_);
    } catch (const std::exception&) {
        bookMarks_.fill(-1); // an unreadable file: no bookmarks, as on a first run
    }
    sgrdMain->viewport()->update();
}

void TfmBook::BookmarksSave() {
    // Called while the window is destroyed: an exception must not leave the destructor, and
    // there is no window left to tell. The stored bookmarks stay as they were.
    try {
        TInifileX().WriteIntArray(settings::kMain, settings::kBookMarks, bookMarks_);
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    }
}

} // namespace orvane
