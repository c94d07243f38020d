#include "wnBook.h"

namespace orvane {

void TfmBook::CreateCopy() {}

} // namespace orvane
