#include "wnBook.h"
#include "HistoryList.h"

namespace orvane {

void TfmBook::CreateHistory() {}
void TfmBook::JumpToVerse(int, int) {}
void TfmBook::JumpToVerse(int) {}
void TfmBook::RecordLocation(int, int) {}
void TfmBook::acBackwardExecute() {}
void TfmBook::acForwardExecute() {}

} // namespace orvane
