#include "wnBook.h"

namespace orvane {

void TfmBook::CreateSearch() {}
QStringList TfmBook::SearchKeys() const { return {}; }
void TfmBook::SearchKeysLoad() {}

} // namespace orvane
