#include "BibGlobe.h"

#include "BookTables.h"
#include "Container.h"
#include "Markers.h"

#include <future>

namespace orvane {

bool TBibGlobe::LoadScripture(std::vector<StringList>& corpus) {
    StringList names;
    std::vector<StringList> files;
    if (!ReadContainer(names, files, "bibbook", "")) return false;
    if (files.size() < 2 || files[kChainFile].size() < size_t(kChapterCount) ||
        files[kChineseTextFile].size() < size_t(kVerseLineCount))
        return false;
    corpus = std::move(files);
    return true;
}

namespace {
std::future<bool>& Preload() {
    static std::future<bool> preload;
    return preload;
}
} // namespace

void TBibGlobe::PreloadScripture() {
    if (Preload().valid()) return;
    // The worker fills its own list; the process-wide one is only touched on the caller's thread.
    Preload() = std::async(std::launch::async, [] {
        std::vector<StringList> files;
        try {
            if (!LoadScripture(files)) return false;
        } catch (const std::exception&) {
            return false;
        }
        PreloadedFiles() = std::move(files);
        return true;
    });
}

bool TBibGlobe::LoadScripture() {
    if (Preload().valid()) {
        const bool ok = Preload().get();
        if (ok) CorpusFiles() = std::move(PreloadedFiles());
        if (ok) return true;
        // A failed preload is tried again here, so its error reaches the caller.
    }
    return LoadScripture(CorpusFiles());
}

bool TBibGlobe::LoadResourceText(const std::string& resourceName, StringList& dest) {
    StringList names;
    std::vector<StringList> files;
    if (!ReadContainer(names, files, resourceName, "") || files.empty()) return false;
    dest = std::move(files[0]);
    return true;
}

const StringList& TBibGlobe::StudyNotes() {
    static StringList notes;
    if (notes.empty()) LoadResourceText("bibLX", notes);
    return notes;
}

std::vector<StringList>& TBibGlobe::PreloadedFiles() {
    static std::vector<StringList> files;
    return files;
}

std::vector<StringList>& TBibGlobe::CorpusFiles() {
    static std::vector<StringList> corpus;
    return corpus;
}

const StringList& TBibGlobe::CorpusFile(int index) {
    static const StringList empty;
    const auto& corpus = CorpusFiles();
    return index >= 0 && size_t(index) < corpus.size() ? corpus[size_t(index)] : empty;
}

const std::string& TBibGlobe::VerseText(int verseLine) {
    static const std::string empty;
    const StringList& text = CorpusFile(kChineseTextFile);
    return verseLine >= 0 && size_t(verseLine) < text.size() ? text[size_t(verseLine)] : empty;
}

std::string TBibGlobe::StripMarkers(std::string_view text) {
    return orvane::StripMarkers(text);
}

} // namespace orvane
