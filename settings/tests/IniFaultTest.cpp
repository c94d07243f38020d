// Refused settings writes, for every operation that writes: a disk that fills up half-way through
// the new text (the file-size limit of a forked child stands in for it) and a folder standing
// where the file should be. Each must raise "Unable to write to <file>" and leave the old file
// byte for byte, readable, with no temporary file beside it.

#include "IniFileX.h"
#include "SettingsKeys.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

struct WriteOp {
    const char* name;
    std::function<void(TInifileX&)> write;
};

std::ostream& operator<<(std::ostream& out, const WriteOp& op) {
    return out << op.name;
}

const int kMarks[10] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};

const std::vector<WriteOp> kWrites = {
    {"WriteString",
     [](TInifileX& ini) { ini.WriteString(settings::kMain, settings::kSplashPicture, "/x.jpg"); }},
    {"WriteInteger",
     [](TInifileX& ini) { ini.WriteInteger(settings::kMain, settings::kChapterInfo, 23145); }},
    {"WriteBool",
     [](TInifileX& ini) { ini.WriteBool(settings::kMain, settings::kEditorVisible, true); }},
    {"WriteIntArray",
     [](TInifileX& ini) { ini.WriteIntArray(settings::kMain, settings::kBookMarks, 9, kMarks); }},
    {"WriteList",
     [](TInifileX& ini) {
         ini.WriteList(settings::kSearchKeys, {"x", "y"});
     }},
    {"EraseSection", [](TInifileX& ini) { ini.EraseSection(settings::kSearchKeys); }},
    {"DeleteKey", [](TInifileX& ini) { ini.DeleteKey(settings::kMain, settings::kSkinIndex); }},
};

class IniRefusedWrite : public ::testing::TestWithParam<WriteOp> {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("orvane-ini-fault-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "orvane.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Read() const {
        std::ostringstream out;
        out << std::ifstream(path_, std::ios::binary).rdbuf();
        return out.str();
    }
    size_t Files() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }
    // 0 when the write raised the settings error naming the file; another number otherwise.
    int Attempt() const {
        TInifileX ini(path_);
        try {
            GetParam().write(ini);
            return 1;
        } catch (const EIniFileException& e) {
            return std::string(e.what()) == "Unable to write to " + path_ ? 0 : 2;
        } catch (...) {
            return 3;
        }
    }

    fs::path dir_;
    std::string path_;
};

const std::string kOld = "[PAD]\r\nP=" + std::string(8000, 'p') +
                         "\r\n[MAIN]\r\nBIB CHAPT INFO=100\r\nSKIN INDEX=2\r\n"
                         "BOOK MARKS=5,-1,-1,-1,-1,-1,-1,-1,-1,31102\r\n"
                         "[SEARCH KEYS]\r\n0=a\r\n1=b\r\n";

TEST_P(IniRefusedWrite, FullDiskKeepsTheOldFile) {
    std::ofstream(path_, std::ios::binary) << kOld;
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit cap{4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &cap) != 0) _exit(90);
        _exit(Attempt());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error, 2: another message, 3: another error";
    EXPECT_EQ(Read(), kOld);
    EXPECT_EQ(Files(), 1u) << "no temporary file is left behind";
    const TInifileX ini(path_);
    EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kChapterInfo), 100);
    EXPECT_EQ(ini.ReadInteger(settings::kMain, settings::kSkinIndex), 2);
    StringList keys;
    ini.ReadList(settings::kSearchKeys, keys);
    EXPECT_EQ(keys, (StringList{"a", "b"}));
}

TEST_P(IniRefusedWrite, FolderInPlaceOfTheFileIsLeftAlone) {
    fs::create_directory(path_);
    std::ofstream(fs::path(path_) / "inside", std::ios::binary) << "kept";
    EXPECT_EQ(Attempt(), 0);
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_TRUE(fs::exists(fs::path(path_) / "inside"));
    EXPECT_EQ(Files(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Operations, IniRefusedWrite, ::testing::ValuesIn(kWrites),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
