#include "ScriptureIndex.h"

#include "BibGlobe.h"

namespace orvane {

const TSearchIndex& ScriptureIndex() {
    static TSearchIndex index;
    const StringList& text = TBibGlobe::CorpusFile(kChineseTextFile);
    if (index.LineCount() != int(text.size())) index.Build(text);
    return index;
}

} // namespace orvane
