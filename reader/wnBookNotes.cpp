#include "wnBook.h"

namespace orvane {

void TfmBook::CreateNotes() {}

} // namespace orvane
