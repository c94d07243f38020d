// Hand-edited settings files, one case per row: every key of the settings table with empty,
// negative, huge, non-numeric and overlong values, odd "TABS" lines, bookmarks out of range.
// Each row states what the settings reader gives the caller; it never throws on reading.
// The README's "Bad input" table lists the same rows with what the windows make of the values.

#include "Gbk.h"
#include "IniFileX.h"
#include "SettingsKeys.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <unistd.h>

// The tables below are laid out by hand, one case or record a row.
// clang-format off

using namespace orvane;
namespace fs = std::filesystem;

namespace {

std::string G(const char* utf8) {
    return Utf8ToGbk(utf8);
}

struct SettingsRow {
    std::string name;
    std::string file; // the whole settings file
    std::function<void(const TInifileX&)> check;
};

std::ostream& operator<<(std::ostream& out, const SettingsRow& row) {
    return out << row.name;
}

std::string Main(const std::string& key, const std::string& value) {
    return "[MAIN]\r\n" + key + "=" + value + "\r\n";
}

const std::string kOverlongDigits(100000, '7');

// The value kinds every numeric key is tried with, and what ReadInteger gives for each.
struct ValueKind {
    const char* name;
    std::string value;
    std::optional<int> read; // nullopt: the caller's default
};
const std::vector<ValueKind> kIntegerValues = {
    {"Empty", "", std::nullopt},
    {"Negative", "-5", -5},
    {"LargestInt", "2147483647", 2147483647},
    {"BeyondInt", "99999999999", std::nullopt},
    {"NonNumeric", "abc", std::nullopt},
    {"TrailingGarbage", "12abc", std::nullopt},
    {"Hexadecimal", "0x10", std::nullopt},
    {"Blanks", "  42  ", 42},
    {"Overlong", kOverlongDigits, std::nullopt},
};

std::vector<SettingsRow> Rows() {
    std::vector<SettingsRow> rows;

    // Integer keys with the defaults their readers pass.
    const std::pair<const char*, int> integerKeys[] = {
        {settings::kChapterInfo, 0}, {settings::kSkinIndex, 0}, {settings::kNoteWidth, 336}, {settings::kNoteHeight, 216}};
    for (const auto& [key, def] : integerKeys) {
        std::string id = key;
        std::erase(id, ' ');
        for (const ValueKind& kind : kIntegerValues) {
            const int expected = kind.read.value_or(def);
            rows.push_back({id + "_" + kind.name, Main(key, kind.value),
                            [key = std::string(key), def = def, expected](const TInifileX& ini) {
                                EXPECT_EQ(ini.ReadInteger(settings::kMain, key, def), expected);
                            }});
        }
    }

    // "EDITOR VISIBLE": any non-zero number is true, anything that is no number the default.
    const std::pair<const char*, std::string> flags[] = {
        {"Empty", ""}, {"Negative", "-1"}, {"Huge", "99999999999999999999"}, {"NonNumeric", "yes"},
        {"OverlongZeros", std::string(100000, '0')}, {"OverlongOne", std::string(100000, '0') + "1"},
        {"Zero", "0"}};
    const bool flagValues[] = {false, true, true, false, false, true, false};
    for (size_t i = 0; i < std::size(flags); ++i)
        rows.push_back({std::string("EDITORVISIBLE_") + flags[i].first,
                        Main(settings::kEditorVisible, flags[i].second), [expected = flagValues[i]](const TInifileX& ini) {
                            EXPECT_EQ(ini.ReadBool(settings::kMain, settings::kEditorVisible, false), expected);
                        }});

    // "SPLASH PICTURE": text, taken as it stands (trimmed); the splash screen falls back to its
    // own picture when the file cannot be read.
    const std::string longPath = "/" + std::string(100000, 'p') + ".jpg";
    rows.push_back({"SPLASHPICTURE_Empty", Main(settings::kSplashPicture, ""),
                    [](const TInifileX& ini) { EXPECT_EQ(ini.ReadString(settings::kMain, settings::kSplashPicture), ""); }});
    rows.push_back({"SPLASHPICTURE_Overlong", Main(settings::kSplashPicture, longPath), [longPath](const TInifileX& ini) {
                        EXPECT_EQ(ini.ReadString(settings::kMain, settings::kSplashPicture), longPath);
                    }});
    rows.push_back({"SPLASHPICTURE_Blanks", Main(settings::kSplashPicture, "  /a b.jpg  "), [](const TInifileX& ini) {
                        EXPECT_EQ(ini.ReadString(settings::kMain, settings::kSplashPicture), "/a b.jpg");
                    }});

    // "BOOK MARKS": slots 0..8 take the items before the commas, the last slot what remains;
    // an item counts by its first 10 characters, and -1 stands for every item that is no number
    // and every slot not reached. The reading window ignores slots outside the text.
    using Marks = std::array<int, 10>;
    auto marks = [](std::string name, std::string value, Marks expected) {
        return SettingsRow{"BOOKMARKS_" + std::move(name), Main(settings::kBookMarks, value),
                           [expected](const TInifileX& ini) {
                               Marks got;
                               got.fill(7);
                               ini.ReadIntArray(settings::kMain, settings::kBookMarks, got);
                               EXPECT_EQ(got, expected);
                           }};
    };
    const Marks none = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    rows.push_back(marks("Empty", "", none));
    rows.push_back(marks("Absent", "", none));
    rows.back().file = "[MAIN]\r\n";
    rows.push_back(marks("Negative", "-5,-1,-1,-1,-1,-1,-1,-1,-1,-100", {-5, -1, -1, -1, -1, -1, -1, -1, -1, -100}));
    rows.push_back(marks("PastTheText", "31103,99999,0", {31103, 99999, -1, -1, -1, -1, -1, -1, -1, 0}));
    rows.push_back(marks("BeyondInt", "99999999999,3", {-1, -1, -1, -1, -1, -1, -1, -1, -1, 3}));
    rows.push_back(marks("NonNumeric", "a,b,c", none));
    rows.push_back(marks("OtherSeparator", "1;2;3", none));
    rows.push_back(marks("EmptyItems", "1,,3", {1, -1, -1, -1, -1, -1, -1, -1, -1, 3}));
    rows.push_back(marks("Blanks", " 7 , 8 ", {7, -1, -1, -1, -1, -1, -1, -1, -1, 8}));
    rows.push_back(marks("TooMany", "1,2,3,4,5,6,7,8,9,10,11,12", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    std::string overlong;
    for (int i = 0; i < 200000; ++i) overlong += "1,";
    rows.push_back(marks("Overlong", overlong, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    rows.push_back(marks("OverlongItem", kOverlongDigits + ",2", {-1, -1, -1, -1, -1, -1, -1, -1, -1, 2}));
    rows.push_back(marks("ElevenCharacters", "-2147483648,12345678901", {-214748364, -1, -1, -1, -1, -1, -1, -1, -1, 1234567890}));

    // "TABS": name=value lines in file order, each name once; other lines are left out.
    auto tabs = [](std::string name, std::string file, StringList expected) {
        return SettingsRow{"TABS_" + std::move(name), std::move(file), [expected](const TInifileX& ini) {
                               EXPECT_EQ(ini.ReadSectionValues(settings::kTabs), expected);
                           }};
    };
    rows.push_back(tabs("OddLines",
                        "[TABS]\r\n" + G("旧约") + "\r\n=1\r\n" + G("新约") + "=\r\n; " + G("注") +
                            "\r\n\r\n   \r\n[broken\r\nTopic = 1 \r\n",
                        {G("新约") + "=", "Topic=1"}));
    rows.push_back(tabs("DuplicateNames", "[TABS]\r\n" + G("旧约") + "=1\r\n" + G("旧约") + "=0\r\n",
                        {G("旧约") + "=1"}));
    rows.push_back(tabs("SectionTwice", "[TABS]\r\na=1\r\n[MAIN]\r\nx=1\r\n[tabs]\r\nb=0\r\n", {"a=1", "b=0"}));
    rows.push_back(tabs("OnlyAHeader", "[TABS]\r\n", {}));
    rows.push_back(tabs("Absent", "[MAIN]\r\n", {}));
    rows.push_back(tabs("OverlongCaption", "[TABS]\r\n" + std::string(100000, 'c') + "=1\r\n",
                        {std::string(100000, 'c') + "=1"}));

    // "SEARCH KEYS": "0", "1", ... up to the first gap or empty value, at most 200.
    auto keys = [](std::string name, std::string file, StringList expected) {
        return SettingsRow{"SEARCHKEYS_" + std::move(name), std::move(file), [expected](const TInifileX& ini) {
                               StringList got = {"stale"};
                               ini.ReadList(settings::kSearchKeys, got);
                               EXPECT_EQ(got, expected);
                           }};
    };
    rows.push_back(keys("Gap", "[SEARCH KEYS]\r\n0=a\r\n1=b\r\n3=d\r\n", {"a", "b"}));
    rows.push_back(keys("EmptyFirst", "[SEARCH KEYS]\r\n0=\r\n1=b\r\n", {}));
    rows.push_back(keys("OutOfOrder", "[SEARCH KEYS]\r\n1=b\r\n0=a\r\n", {"a", "b"}));
    rows.push_back(keys("NonNumericNames", "[SEARCH KEYS]\r\nx=a\r\n-0=b\r\n00=c\r\n", {}));
    std::string many = "[SEARCH KEYS]\r\n";
    StringList first200;
    for (int i = 0; i < 300; ++i) {
        many += std::to_string(i) + "=k" + std::to_string(i) + "\r\n";
        if (i < 200) first200.push_back(std::string("k").append(std::to_string(i)));
    }
    rows.push_back(keys("MoreThan200", many, first200));

    // The file as a whole.
    rows.push_back({"FILE_ByteOrderMark", "\xEF\xBB\xBF[MAIN]\r\nSKIN INDEX=2\r\n", [](const TInifileX& ini) {
                        EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kSkinIndex, 0), 2);
                    }});
    rows.push_back({"FILE_NoSectionHeader", "SKIN INDEX=2\r\n", [](const TInifileX& ini) {
                        EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kSkinIndex, 0), 0);
                    }});
    rows.push_back({"FILE_CrOnlyLineEnds", "[MAIN]\rSKIN INDEX=2\rNOTE WIDTH=400", [](const TInifileX& ini) {
                        EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kSkinIndex, 0), 2);
                        EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kNoteWidth, 336), 400);
                    }});
    rows.push_back({"FILE_KeyNamesInOtherCase", "[main]\r\nskin index=3\r\n", [](const TInifileX& ini) {
                        EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kSkinIndex, 0), 3);
                    }});
    rows.push_back({"FILE_DuplicateKey", "[MAIN]\r\nSKIN INDEX=1\r\nSKIN INDEX=2\r\n", [](const TInifileX& ini) {
                        EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kSkinIndex, 0), 1);
                    }});
    return rows;
}

class SettingsBadInput : public ::testing::TestWithParam<SettingsRow> {};

TEST_P(SettingsBadInput, ReadsTheStatedValue) {
    const SettingsRow& row = GetParam();
    const fs::path file = fs::temp_directory_path() /
                          ("orvane-bad-settings-" + std::to_string(getpid()) + ".ini");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << row.file;
    const TInifileX ini(file.string());
    row.check(ini);
    // A write on top of the odd file keeps it readable and changes only its own key.
    TInifileX(file.string()).WriteString("OTHER", "K", "v");
    row.check(ini);
    EXPECT_EQ(ini.ReadString("OTHER", "K"), "v");
    fs::remove(file);
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsBadInput, ::testing::ValuesIn(Rows()),
                         [](const auto& row) { return row.param.name; });

TEST(SettingsBadInputFiles, SettingsPathThatIsAFolderReadsAsDefaults) {
    const fs::path folder = fs::temp_directory_path() /
                            ("orvane-bad-settings-dir-" + std::to_string(getpid()) + ".ini");
    fs::create_directories(folder);
    const TInifileX ini(folder.string());
    EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kNoteWidth, 336), 336);
    int slots[10];
    ini.ReadIntArray(settings::kMain, settings::kBookMarks, 9, slots);
    EXPECT_EQ(slots[9], -1);
    EXPECT_TRUE(ini.ReadSectionValues(settings::kTabs).empty());
    EXPECT_THROW(TInifileX(folder.string()).WriteInteger(settings::kMain, settings::kSkinIndex, 1), EIniFileException);
    fs::remove_all(folder);
}

} // namespace
// clang-format on
