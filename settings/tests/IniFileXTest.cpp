#include "IniFileX.h"
#include "AppPaths.h"
#include "Gbk.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

class IniFileX : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("orvane-ini-" + std::to_string(getpid()) + "-" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        SetExecutablePath({});
        fs::remove_all(dir_);
    }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) const {
        std::ostringstream out;
        out << std::ifstream(PathOf(name), std::ios::binary).rdbuf();
        return out.str();
    }
    // Runs body in a child process as user "nobody"; returns false when that is impossible.
    template <typename Body> bool AsNobody(Body body) {
        pid_t pid = fork();
        if (pid == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(77);
            _exit(body() ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (WEXITSTATUS(status) == 77) return false;
        EXPECT_EQ(WEXITSTATUS(status), 0);
        return true;
    }
    fs::path dir_;
};

const std::string kMarks = "5,-1,-1,-1,-1,-1,-1,-1,-1,31102";

TEST_F(IniFileX, IntArraysSplitAtCommasAndRoundTrip) {
    Put("s.ini", "[MAIN]\r\nBOOK MARKS=" + kMarks +
                     "\r\nEMPTY=\r\nSHORT=7,8\r\n"
                     "BAD=x, 12 ,,9999999999,-2147483648,+3,0x10,1e3\r\n"
                     "LONG=0,1,2,3,4,5,6,7,8,9,10,junk\r\n");
    TInifileX ini(PathOf("s.ini"));
    int marks[10];
    ini.ReadIntArray("MAIN", "BOOK MARKS", 9, marks);
    EXPECT_EQ(marks[0], 5);
    EXPECT_EQ(marks[9], 31102);
    for (int i = 1; i < 9; ++i)
        EXPECT_EQ(marks[i], -1);

    TInifileX fresh(PathOf("w.ini"));
    fresh.WriteIntArray("MAIN", "BOOK MARKS", 9, marks);
    EXPECT_EQ(Get("w.ini"), "[MAIN]\r\nBOOK MARKS=" + kMarks + "\r\n");

    std::vector<int> slots(10, 42);
    for (const char* key : {"EMPTY", "ABSENT"}) {
        ini.ReadIntArray("MAIN", key, slots);
        EXPECT_EQ(slots, std::vector<int>(10, -1)) << key;
    }
    ini.ReadIntArray("MAIN", "SHORT", slots);
    EXPECT_EQ(slots, (std::vector<int>{7, -1, -1, -1, -1, -1, -1, -1, -1, 8}))
        << "the last slot takes what remains";
    ini.ReadIntArray("MAIN", "BAD", slots);
    EXPECT_EQ(slots, (std::vector<int>{-1, 12, -1, -1, -214748364, 3, -1, -1, -1, -1}))
        << "items count by their first 10 characters";
    ini.ReadIntArray("MAIN", "LONG", slots);
    EXPECT_EQ(slots[9], 9) << "items beyond the last slot are ignored";

    const int extremes[] = {-999999999, 999999999, 0}; // the widest values 10 characters hold
    ini.WriteIntArray("MAIN", "EXTREMES", extremes);
    int back[3];
    ini.ReadIntArray("MAIN", "EXTREMES", 2, back);
    EXPECT_TRUE(std::equal(back, back + 3, extremes));
}

TEST_F(IniFileX, ListsStopAtTheFirstGapAndReplaceTheWholeSection) {
    Put("s.ini", "[SEARCH KEYS]\r\n0=alpha\r\n1=\"beta gamma\"\r\n3=delta\r\n[MAIN]\r\nX=1\r\n");
    TInifileX ini(PathOf("s.ini"));
    StringList keys{"stale"};
    ini.ReadList("SEARCH KEYS", keys);
    EXPECT_EQ(keys, (StringList{"alpha", "\"beta gamma\""}));

    ini.WriteList("SEARCH KEYS", {"a", "b", "c", "d", "e"});
    ini.WriteList("search keys", {"x", "y", "z"});
    EXPECT_EQ(ini.ReadSection("SEARCH KEYS"), (StringList{"0", "1", "2"}));
    EXPECT_EQ(Get("s.ini"), "[MAIN]\r\nX=1\r\n[search keys]\r\n0=x\r\n1=y\r\n2=z\r\n");

    ini.WriteList("L", {"a", "", "c"}, "Item");
    ini.ReadList("L", keys, "ITEM");
    EXPECT_EQ(keys, StringList{"a"});
    ini.WriteList("L", StringList(250, "k"), "Item");
    ini.ReadList("L", keys, "Item");
    EXPECT_EQ(keys.size(), 200u);
}

TEST_F(IniFileX, SectionValuesAreTheKeyLinesInFileOrder) {
    const std::string oldTestament = Utf8ToGbk("旧约");
    Put("s.ini", "[TABS]\r\nTopic=0\r\n[TABS2]\r\n; comment\r\n\r\n  " + oldTestament +
                     " = 1 \r\nno equals sign\r\n=nameless\r\ntopic=dup\r\nB=2\r\n[Other]\r\n"
                     "C=3\r\n[tabs2]\r\nD=4\r\nb=again\r\n[EMPTY]\r\n");
    TInifileX ini(PathOf("s.ini"));
    EXPECT_EQ(ini.ReadSectionValues("TABS"), StringList{"Topic=0"});
    EXPECT_EQ(ini.ReadSectionValues("TABS2"),
              (StringList{oldTestament + "=1", "topic=dup", "B=2", "D=4"}));
    EXPECT_EQ(ini.ReadSection("Tabs2"), (StringList{oldTestament, "topic", "B", "D"}));
    EXPECT_TRUE(ini.ReadSectionValues("EMPTY").empty());
    EXPECT_TRUE(ini.SectionExists("empty"));
    EXPECT_FALSE(ini.SectionExists("MISSING"));
    EXPECT_TRUE(ini.ValueExists("tabs2", "d"));
    EXPECT_FALSE(ini.ValueExists("TABS", "B"));
}

TEST_F(IniFileX, NamesIgnoreAsciiCaseButNeverFoldTrailBytes) {
    // B0 41 and B0 61: characters whose trail bytes look like 'A' and 'a'. B0 5D ends in ']'.
    const std::string upper = Utf8ToGbk("癆"), lower = Utf8ToGbk("癮"), bracket = Utf8ToGbk("癩");
    ASSERT_EQ(upper, "\xB0\x41");
    ASSERT_EQ(lower, "\xB0\x61");
    TInifileX ini(PathOf("s.ini"));
    ini.WriteString("Main", "Book Marks", "1");
    ini.WriteString("MAIN", "book marks", "2");
    ini.WriteString("main", upper, "upper");
    ini.WriteString("main", lower, "lower");
    ini.WriteString(bracket, "K", "in " + bracket);
    EXPECT_EQ(ini.ReadString("mAiN", "BOOK MARKS"), "2");
    EXPECT_EQ(ini.ReadString("MAIN", upper), "upper");
    EXPECT_EQ(ini.ReadString("MAIN", lower), "lower");
    EXPECT_EQ(ini.ReadString(bracket, "k"), "in " + bracket);
    EXPECT_EQ(ini.ReadSection("MAIN").size(), 3u);
    EXPECT_EQ(Get("s.ini"), "[Main]\r\nBook Marks=2\r\n" + upper + "=upper\r\n" + lower +
                                "=lower\r\n[" + bracket + "]\r\nK=in " + bracket + "\r\n");
}

TEST_F(IniFileX, WritesKeepEveryOtherLineAndEndLinesWithCrLf) {
    Put("s.ini", "; settings\n[A]\nk = 1\n; about A\n\n[Unknown]\rx=y\r\ngarbage\r\n[A]\nj=0\n\n");
    TInifileX ini(PathOf("s.ini"));
    EXPECT_EQ(ini.ReadString("Unknown", "X"), "y");
    ini.WriteString("a", "K", "\"quoted\" ");
    ini.WriteInteger("A", "new", -7);
    ini.WriteBool("B", "flag", true);
    EXPECT_EQ(Get("s.ini"), "; settings\r\n[A]\r\nk=\"quoted\" \r\n; about A\r\n\r\n[Unknown]\r\n"
                            "x=y\r\ngarbage\r\n[A]\r\nj=0\r\nnew=-7\r\n\r\n[B]\r\nflag=1\r\n");
    EXPECT_EQ(ini.ReadString("A", "k"), "\"quoted\"");

    // A line break in a value must not open a new section.
    ini.WriteString("B", "evil", "a\r\n[C]\r\nk=hijacked");
    EXPECT_FALSE(ini.SectionExists("C"));
    EXPECT_EQ(ini.ReadSection("B"), (StringList{"flag", "evil"}));
    EXPECT_THROW(ini.WriteString("B", "a=b", "1"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("B]", "a", "1"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("B", " ", "1"), std::invalid_argument);
}

TEST_F(IniFileX, EveryOperationSeesTheFileAsItIsNow) {
    TInifileX first(PathOf("s.ini")), second(PathOf("s.ini"));
    EXPECT_EQ(first.ReadInteger("MAIN", "NOTE WIDTH", 336), 336);
    second.DeleteKey("MAIN", "X");
    second.EraseSection("MAIN");
    EXPECT_FALSE(fs::exists(PathOf("s.ini"))) << "reads and no-op writes create no file";

    first.WriteInteger("MAIN", "NOTE WIDTH", 400);
    EXPECT_EQ(second.ReadInteger("MAIN", "NOTE WIDTH", 336), 400);
    Put("s.ini", "[MAIN]\r\nA=1\r\nX=2\r\nx=3\r\n[OTHER]\r\nX=4\r\n");
    EXPECT_EQ(second.ReadString("MAIN", "x"), "2") << "first duplicate wins";
    first.DeleteKey("MAIN", "X");
    EXPECT_FALSE(second.ValueExists("MAIN", "x")) << "every duplicate goes";
    first.EraseSection("main");
    EXPECT_EQ(Get("s.ini"), "[OTHER]\r\nX=4\r\n");
}

TEST_F(IniFileX, NumbersFallBackToTheDefaultWhenMalformed) {
    Put("s.ini", "[M]\r\na= 42 \r\nb=+7\r\nc=12abc\r\nd=99999999999\r\ne=\r\nf=-0\r\n"
                 "g=2\r\nh=000000000000000000000000001\r\ni=yes\r\nj=0x1\r\n");
    TInifileX ini(PathOf("s.ini"));
    EXPECT_EQ(ini.ReadInteger("M", "a"), 42);
    EXPECT_EQ(ini.ReadInteger("M", "b"), 7);
    for (const char* key : {"c", "d", "e", "i", "j", "zz"})
        EXPECT_EQ(ini.ReadInteger("M", key, -5), -5) << key;
    EXPECT_FALSE(ini.ReadBool("M", "f", true));
    EXPECT_TRUE(ini.ReadBool("M", "g"));
    EXPECT_TRUE(ini.ReadBool("M", "d")) << "non-zero however long";
    EXPECT_TRUE(ini.ReadBool("M", "h"));
    EXPECT_TRUE(ini.ReadBool("M", "i", true));
    EXPECT_FALSE(ini.ReadBool("M", "i"));
}

TEST_F(IniFileX, FileNameFollowsTheExecutable) {
    SetExecutablePath(dir_ / "reader.exe");
    EXPECT_EQ(TInifileX().FileName(), PathOf("reader.ini"));
    EXPECT_EQ(TInifileX("other.ini").FileName(), PathOf("other.ini"));
    EXPECT_EQ(TInifileX("C:other.ini").FileName(), "C:other.ini");
    EXPECT_EQ(TInifileX("/etc/x.ini").FileName(), "/etc/x.ini");
    SetExecutablePath(dir_ / "gone" / "reader");
    EXPECT_EQ(TInifileX().FileName(), PathOf("gone/reader.INI"));
}

// An installed program's folder takes no files from its user: the settings go to the user's
// configuration folder instead of failing on every write.
TEST_F(IniFileX, AnInstalledProgramKeepsItsFilesInTheUsersFolder) {
    EXPECT_EQ(UserConfigFolder("/x/cfg", "/home/u"), fs::path("/x/cfg/orvane"));
    EXPECT_EQ(UserConfigFolder("cfg", "/home/u"), fs::path("/home/u/.config/orvane"))
        << "a relative XDG_CONFIG_HOME is ignored";
    EXPECT_EQ(UserConfigFolder(nullptr, "/home/u"), fs::path("/home/u/.config/orvane"));
    EXPECT_EQ(UserConfigFolder(nullptr, nullptr), fs::path());

    fs::create_directory(dir_ / "bin");
    fs::create_directory(dir_ / "home");
    fs::permissions(dir_ / "bin", fs::perms(0755));
    if (chown((dir_ / "home").c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot hand files to another user";
    const fs::path expected = dir_ / "home" / ".config" / "orvane" / "orvane.ini";
    const bool ran = AsNobody([&] {
        setenv("HOME", (dir_ / "home").c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        SetExecutablePath(dir_ / "bin" / "orvane");
        TInifileX ini;
        if (ini.FileName() != expected.string()) return false;
        ini.WriteInteger("MAIN", "BIB CHAPT INFO", 7);
        return TInifileX().ReadInteger("MAIN", "BIB CHAPT INFO") == 7;
    });
    if (!ran) GTEST_SKIP() << "cannot switch to another user";
    EXPECT_TRUE(fs::exists(expected));

    // A folder this process may write keeps the files beside the executable, as before.
    SetExecutablePath(dir_ / "bin" / "orvane");
    EXPECT_EQ(TInifileX().FileName(), PathOf("bin/orvane.ini"));
}

TEST_F(IniFileX, RefusedWritesThrowAndLeaveTheOldFile) {
    Put("plain", "x");
    for (const std::string& name : {PathOf("plain/s.ini"), PathOf("missing/s.ini")}) {
        TInifileX ini(name);
        try {
            ini.WriteString("MAIN", "A", "1");
            ADD_FAILURE() << "no exception for " << name;
        } catch (const EIniFileException& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + name);
        }
    }
    fs::create_directory(PathOf("dir.ini"));
    EXPECT_THROW(TInifileX(PathOf("dir.ini")).WriteList("S", {"a"}), EIniFileException);

    // A disk that fills up half-way through the new text.
    const std::string old = "[MAIN]\r\nBIB CHAPT INFO=100\r\n";
    Put("s.ini", old);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    TInifileX ini(PathOf("s.ini"));
    EXPECT_THROW(ini.WriteString("MAIN", "BIG", std::string(10000, 'v')), EIniFileException);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(Get("s.ini"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 3)
        << "no temporary file is left behind";
}

TEST_F(IniFileX, LinksOwnersAndLockedFoldersAreRespected) {
    Put("real.ini", "[A]\r\nk=1\r\n");
    fs::permissions(PathOf("real.ini"), fs::perms(0640));
    fs::create_symlink(PathOf("real.ini"), PathOf("link.ini"));
    TInifileX(PathOf("link.ini")).WriteString("A", "k", "2");
    EXPECT_TRUE(fs::is_symlink(PathOf("link.ini")));
    EXPECT_EQ(Get("real.ini"), "[A]\r\nk=2\r\n");
    EXPECT_EQ(fs::status(PathOf("real.ini")).permissions(), fs::perms(0640));

    // A folder that takes no new file, holding a file its user may write; and a folder open to
    // that user, holding a file write-protected against it.
    fs::create_directory(dir_ / "locked");
    fs::create_directory(dir_ / "open");
    Put("locked/s.ini", "[A]\r\nk=1\r\n");
    Put("open/ro.ini", "[A]\r\nk=1\r\n");
    fs::permissions(dir_ / "locked", fs::perms(0755));
    fs::permissions(PathOf("open/ro.ini"), fs::perms(0444));
    for (const char* name : {"locked/s.ini", "open", "open/ro.ini"})
        if (chown(PathOf(name).c_str(), 65534, 65534) != 0)
            GTEST_SKIP() << "cannot hand files to another user";
    const bool ran = AsNobody([&] {
        TInifileX ini(PathOf("locked/s.ini"));
        ini.WriteString("A", "longer value", std::string(5000, 'w'));
        ini.WriteString("A", "longer value", "short");
        try {
            TInifileX(PathOf("open/ro.ini")).WriteString("A", "k", "2");
            return false;
        } catch (const EIniFileException&) {
        }
        return ini.ReadString("A", "longer value") == "short";
    });
    if (!ran) GTEST_SKIP() << "cannot switch to another user";
    EXPECT_EQ(Get("locked/s.ini"), "[A]\r\nk=1\r\nlonger value=short\r\n");
    EXPECT_EQ(Get("open/ro.ini"), "[A]\r\nk=1\r\n");
}

TEST_F(IniFileX, GarbageNeverStopsTheReader) {
    std::string garbage = "[MAIN\r\n[\r\n]\r\n=\r\n[MAIN]\r\n";
    garbage += std::string("A=ze") + '\0' + "ro\r\n";
    garbage += "B=" + std::string(1 << 20, 'L') + "\r\n";
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 131 + 7) % 256);
    garbage += "\r\n[MAIN]\r\nC=" + std::string(100, '9') + "\r\n\xB0";
    Put("s.ini", garbage);
    TInifileX ini(PathOf("s.ini"));
    EXPECT_EQ(ini.ReadString("MAIN", "A"), std::string("ze\0ro", 5));
    EXPECT_EQ(ini.ReadString("MAIN", "B").size(), 1u << 20);
    EXPECT_EQ(ini.ReadInteger("MAIN", "C", 3), 3);
    int slots[2];
    ini.ReadIntArray("MAIN", "C", 1, slots);
    EXPECT_EQ(slots[0], -1);
    StringList list;
    ini.ReadList("MAIN", list);
    ini.ReadSectionValues("\xB0");
    ini.WriteString("MAIN", "D", "ok");
    EXPECT_EQ(ini.ReadString("MAIN", "D"), "ok");
    const std::string after = Get("s.ini");
    EXPECT_NE(after.find(std::string(1 << 20, 'L')), std::string::npos);
    EXPECT_TRUE(after.starts_with("[MAIN\r\n[\r\n]\r\n=\r\n[MAIN]\r\n"));
}

} // namespace
