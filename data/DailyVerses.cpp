#include "DailyVerses.h"

#include "BibGlobe.h"

#include <chrono>
#include <random>

namespace orvane {

StringList& DailyVerses() {
    static StringList verses;
    return verses;
}

void LoadDailyVerses() {
    try {
        if (!TBibGlobe::LoadResourceText("GoldOra", DailyVerses())) DailyVerses().clear();
    } catch (const std::exception&) {
        DailyVerses().clear();
    }
}

int& DailyVerseIndex() {
    static int index = 0;
    return index;
}

const std::string& PickDailyVerse() {
    static const std::string empty;
    const StringList& verses = DailyVerses();
    if (verses.empty()) return empty;
    std::mt19937 rng(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> pick(0, static_cast<int>(verses.size()) - 1);
    DailyVerseIndex() = pick(rng);
    return verses[size_t(DailyVerseIndex())];
}

} // namespace orvane
