#include "wnBook.h"

namespace orvane {

void TfmBook::CreateBalloon() {}

} // namespace orvane
