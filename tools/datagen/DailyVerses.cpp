#include "DailyVerses.h"

#include "Addressing.h"
#include "BookTables.h"
#include "ChainRefs.h"
#include "DataError.h"

#include <string>

namespace orvane::datagen {

StringList BuildDailyVerses(const StringList& gbkVerses, std::string_view listText) {
    if (gbkVerses.size() != static_cast<size_t>(kVerseLineCount))
        throw DataError("the Chinese text has " + std::to_string(gbkVerses.size()) +
                        " lines, expected " + std::to_string(kVerseLineCount));
    const StringList entries = SplitLines(listText);
    StringList lines;
    lines.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string where = "daily list:" + std::to_string(i + 1) + ": ";
        const int verse = StrToIntDef(TrimBlanks(entries[i]), -1);
        if (verse < 0 || verse > kLastVerseLine)
            throw DataError(where + "\"" + entries[i] + "\" is not a verse line");
        const std::string& text = gbkVerses[static_cast<size_t>(verse)];
        if (text.empty()) throw DataError(where + "verse line " + entries[i] + " is empty");
        int book = -1;
        const int chapter = ChapterOfLine(verse, &book);
        lines.push_back(text + "(" + BookTable[book].ShortName + " " +
                        std::to_string(ChapterNumber(chapter)) + ":" +
                        std::to_string(VerseNumber(verse)) + ")");
    }
    return lines;
}

} // namespace orvane::datagen
