// The settings reader on any file a user could hand-edit, and one write on top of it: every
// read answers, the write reads back as written, and no other section or key changes.

#include "FuzzCheck.h"
#include "FuzzScratch.h"
#include "Gbk.h"
#include "IniFileX.h"
#include "SettingsKeys.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Section names as the file spells them, first spelling of each.
StringList SectionNames(const std::string& content) {
    StringList names;
    for (const std::string& line : SplitLines(content)) {
        const std::string_view text = TrimBlanks(line);
        if (text.empty() || text[0] != '[') continue;
        const size_t close = text.find(']');
        if (close != std::string_view::npos)
            names.emplace_back(TrimBlanks(text.substr(1, close - 1)));
        if (names.size() == 6) break;
    }
    return names;
}

using TSnapshot = std::map<std::string, StringList>; // folded section -> its name=value lines

TSnapshot Snapshot(const TInifileX& ini, const StringList& sections) {
    TSnapshot snap;
    for (const std::string& s : sections)
        snap[FoldCaseGbk(s)] = ini.ReadSectionValues(s);
    return snap;
}

std::string AsWritten(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    return std::string(TrimBlanks(value));
}

// Every section but `changed` reads as before; in `changed`, every key but `key` does.
void CheckOthersUnchanged(const TSnapshot& before, const TSnapshot& after,
                          const std::string& changed, const std::string& key) {
    const std::string foldedSection = FoldCaseGbk(TrimBlanks(changed));
    const std::string foldedKey = FoldCaseGbk(TrimBlanks(key));
    for (const auto& [section, lines] : before) {
        const StringList& now = after.at(section);
        if (section != foldedSection) {
            FUZZ_CHECK(now == lines);
            continue;
        }
        auto others = [&](const StringList& all) {
            StringList kept;
            for (const std::string& line : all)
                if (FoldCaseGbk(line.substr(0, line.find('='))) != foldedKey) kept.push_back(line);
            return kept;
        };
        FUZZ_CHECK(others(now) == others(lines));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int op = in.ConsumeIntegralInRange(0, 4);
    const std::string key = in.ConsumeRandomLengthString(24);
    const std::string value = in.ConsumeRandomLengthString(64);
    const std::string content = in.ConsumeRemainingBytesAsString();

    const fs::path path = ScratchFolder() / "fuzz.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    const TInifileX ini(path.string());

    StringList sections = SectionNames(content);
    for (const char* s : {settings::kMain, settings::kTabs, settings::kSearchKeys})
        sections.emplace_back(s);
    for (const std::string& s : sections) {
        FUZZ_CHECK(ini.SectionExists(s) || ini.ReadSection(s).empty());
        const StringList names = ini.ReadSection(s);
        FUZZ_CHECK(names.size() == ini.ReadSectionValues(s).size());
        for (size_t i = 0; i < names.size() && i < 8; ++i) {
            FUZZ_CHECK(ini.ValueExists(s, names[i]));
            ini.ReadString(s, names[i]);
            ini.ReadInteger(s, names[i], 7);
            ini.ReadBool(s, names[i]);
            int slots[10];
            ini.ReadIntArray(s, names[i], 9, slots);
        }
        StringList list;
        ini.ReadList(s, list);
        FUZZ_CHECK(list.size() <= static_cast<size_t>(TInifileX::MaxListItems));
        for (const std::string& item : list)
            FUZZ_CHECK(!item.empty());
    }

    const TSnapshot before = Snapshot(ini, sections);
    TInifileX writer(path.string());
    std::string changedSection = settings::kMain, changedKey = key;
    try {
        switch (op) {
        case 0:
            writer.WriteString(settings::kMain, key, value);
            FUZZ_CHECK(ini.ReadString(settings::kMain, key, "\x01") == AsWritten(value));
            break;
        case 1: {
            changedKey = settings::kBookMarks;
            int marks[10];
            for (size_t i = 0; i < 10; ++i)
                marks[i] = static_cast<int>(
                    i < value.size() ? static_cast<signed char>(value[i]) * 977 : -1);
            writer.WriteIntArray(settings::kMain, settings::kBookMarks, 9, marks);
            int back[10];
            ini.ReadIntArray(settings::kMain, settings::kBookMarks, 9, back);
            FUZZ_CHECK(std::equal(marks, marks + 10, back));
            break;
        }
        case 2: {
            changedSection = settings::kSearchKeys;
            changedKey.clear();
            StringList items = SplitLines(value);
            writer.WriteList(settings::kSearchKeys, items);
            StringList expected;
            for (const std::string& item : items) {
                if (AsWritten(item).empty()) break;
                expected.push_back(AsWritten(item));
            }
            StringList back;
            ini.ReadList(settings::kSearchKeys, back);
            FUZZ_CHECK(back == expected);
            break;
        }
        case 3: {
            changedSection = sections[key.size() % sections.size()];
            const bool existed = ini.SectionExists(changedSection);
            writer.EraseSection(changedSection);
            FUZZ_CHECK(!ini.SectionExists(changedSection));
            if (!existed) FUZZ_CHECK(ReadAll(path) == content);
            break;
        }
        case 4:
            changedSection = sections[value.size() % sections.size()];
            writer.DeleteKey(changedSection, key);
            FUZZ_CHECK(!ini.ValueExists(changedSection, key));
            break;
        }
    } catch (const std::invalid_argument&) {
        // A name the format cannot hold is refused before the file is touched.
        FUZZ_CHECK(ReadAll(path) == content);
        return 0;
    }
    TSnapshot after = Snapshot(ini, sections);
    if (op == 3 || op == 2) {
        // The erased or rewritten section is gone or replaced as a whole.
        after.erase(FoldCaseGbk(TrimBlanks(changedSection)));
        TSnapshot rest = before;
        rest.erase(FoldCaseGbk(TrimBlanks(changedSection)));
        FUZZ_CHECK(after == rest);
    } else {
        CheckOthersUnchanged(before, after, changedSection, changedKey);
    }
    return 0;
}
