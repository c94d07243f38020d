#include "EnglishText.h"

#include "BibGlobe.h"
#include "BookTables.h"

#include <exception>
#include <mutex>

namespace orvane {
namespace {

// The English corpus is about 4 MB expanded: kept out of memory until something shows it.
const StringList& EnglishLines() {
    static std::mutex lock;
    static StringList lines;
    const std::lock_guard guard(lock);
    if (!lines.empty()) return lines;
    StringList loaded;
    try {
        if (!TBibGlobe::LoadResourceText("biben", loaded)) return lines;
    } catch (const std::exception&) {
        return lines; // a missing or damaged container reads as a text without English
    }
    for (std::string& line : loaded) {
        // The stored lines end in a blank (and a CR where the source had one).
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
            line.pop_back();
    }
    lines = std::move(loaded);
    return lines;
}

} // namespace

const std::string& EnglishVerse(int verseLine) {
    static const std::string none;
    if (verseLine < 0 || verseLine > kLastVerseLine) return none;
    const StringList& lines = EnglishLines();
    return size_t(verseLine) < lines.size() ? lines[size_t(verseLine)] : none;
}

} // namespace orvane
