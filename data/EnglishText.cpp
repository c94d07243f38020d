#include "EnglishText.h"

#include "BibGlobe.h"

#include <mutex>

namespace orvane {

const std::string& EnglishVerse(int verseLine) {
    static const std::string none;
    static StringList lines;
    static std::mutex guard;
    std::lock_guard<std::mutex> lock(guard);
    if (lines.empty()) TBibGlobe::LoadResourceText("bibEN", lines);
    if (verseLine < 0 || size_t(verseLine) >= lines.size()) return none;
    return lines[size_t(verseLine)];
}

} // namespace orvane
