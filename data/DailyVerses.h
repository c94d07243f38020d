#pragma once
// The daily verses: one self-contained line each ("起初神创造天地。(创 1:1)"), shown on the
// splash picture and in the status bar; one is drawn at random per start.

#include "Gbk.h"

namespace orvane {

// The process-wide list; empty until LoadDailyVerses ran (or when the resource is unusable).
StringList& DailyVerses();
// Loads "GoldOra". Never throws: a missing or corrupt resource leaves the list empty, which
// every user of it treats as "no daily verse".
void LoadDailyVerses();

// Index of today's line, 0 until the splash screen draws one.
int& DailyVerseIndex();
// Draws DailyVerseIndex uniformly from the list (seeded from the clock); the line, or empty.
const std::string& PickDailyVerse();

} // namespace orvane
