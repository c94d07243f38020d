#include "wnBook.h"

namespace orvane {

void TfmBook::CreateChainPane() {}
void TfmBook::sgrdMainMouseMove(QMouseEvent*) {}
void TfmBook::sgrdMainMouseDown(QMouseEvent*) {}

} // namespace orvane
