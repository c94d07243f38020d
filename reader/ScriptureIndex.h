#pragma once
// The search index over the loaded scripture, shared by every search of the run.

#include "Search.h"

namespace orvane {

// The marker-free text of every verse of the Chinese text, built on the first call and kept:
// the corpus does not change while the program runs. Rebuilt only should the corpus have been
// (re)loaded with another line count since.
const TSearchIndex& ScriptureIndex();

} // namespace orvane
