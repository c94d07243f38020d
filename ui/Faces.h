#pragma once
// The faces the reader's fonts stand for on a Debian desktop. The line breaking is tuned for
// AR PL UMing standing in for "宋体": at 9 pt it has the 12 px Chinese and 6 px ASCII advances
// the chapter layout counts on.

namespace orvane {

void SubstituteFaces();

} // namespace orvane
