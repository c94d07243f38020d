#include "wnBook.h"

namespace orvane {

void TfmBook::CreateBookmarks() {}
void TfmBook::acBookmarkExecute(int) {}
void TfmBook::BookmarksLoad() {}
void TfmBook::BookmarksSave() {}

} // namespace orvane
