#pragma once
// The scripture data of the running program: the corpus files loaded from the embedded
// container and the class-level operations every window uses.

#include "Gbk.h"

#include <string>
#include <vector>

namespace orvane {

// Indexes into the corpus-file list.
inline constexpr int kChainFile = 0;
inline constexpr int kChineseTextFile = 1;

class TBibGlobe {
public:
    TBibGlobe() = delete;

    // Reads the container "bibbook" into `corpus` (names discarded). False when the container
    // cannot be opened or does not hold a chain-reference line for every chapter and a text
    // line for every verse: indexing by verse line must never run off the lists.
    static bool LoadScripture(std::vector<StringList>& corpus);
    // The same into the process-wide corpus-file list; waits for a preload when one runs.
    static bool LoadScripture();
    // Starts loading the process-wide corpus on a worker thread, so that the splash screen's
    // animation and the decompression overlap. LoadScripture() then collects the result.
    static void PreloadScripture();

    // Copies file 0 of the named container into `dest` when it holds one; false otherwise.
    static bool LoadResourceText(const std::string& resourceName, StringList& dest);
    // The study notes ("bibLX"), one line per verse line. Decompressed on first use only; a
    // failed load leaves the list empty, so the next call tries again.
    static const StringList& StudyNotes();

    static std::vector<StringList>& CorpusFiles();
    // An entry of the corpus-file list; an empty list when it is not loaded.
    static const StringList& CorpusFile(int index);
    // Line `verseLine` of the Chinese text, markers included; empty when out of range.
    static const std::string& VerseText(int verseLine);

    static std::string StripMarkers(std::string_view text);

private:
    static std::vector<StringList>& PreloadedFiles();
};

} // namespace orvane
