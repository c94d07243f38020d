// The command line as the build calls it: exit statuses, byte-exact outputs and the refusal to
// write anything from input that cannot be represented.

#include "CommandLine.h"

#include "TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orvane::datagen {
namespace {

namespace fs = std::filesystem;

const std::string kTextDir = ORVANE_TEXT_DIR;

class CommandLine : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) /
               ("datagen_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }

    int Run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const int status = RunCommandLine(args, out, err);
        err_ = err.str();
        return status;
    }

    fs::path dir_;
    std::string err_;
};

TEST_F(CommandLine, BadArgumentsPrintTheUsageAndExitTwo) {
    const std::string in = Write("in.txt", "a\n");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"pack"},
        {"gbk", in, PathOf("out"), PathOf("more")},
        {"gbk", in, PathOf("out"), "--cap", "3"},
        {"chain", in, in, in},
        {"chain", in, in, in, in, "--cap"},
        {"chain", in, in, in, in, "--cap", "0"},
        {"chain", in, in, in, in, "--min-votes", "5x"}};
    for (const std::vector<std::string>& args : cases) {
        EXPECT_EQ(Run(args), 2) << testing::PrintToString(args);
        EXPECT_NE(err_.find("usage:"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(PathOf("out")));
}

TEST_F(CommandLine, GbkConvertsLineByLineWithLfEnds) {
    // A byte-order mark is dropped, CR LF and a missing last line end become LF, empty lines
    // and trailing blanks stay.
    const std::string in = Write("in.txt", "\xEF\xBB\xBF"
                                           "Caesar \r\n\r\n\xE8\xB5\xB7\xE5\x88\x9D \r\nend");
    ASSERT_EQ(Run({"gbk", in, PathOf("out.txt")}), 0) << err_;
    EXPECT_EQ(ReadTextFile(PathOf("out.txt")), "Caesar \n\n\xC6\xF0\xB3\xF5 \nend\n");
}

TEST_F(CommandLine, GbkRefusesCharactersWithoutAGbkFormAndNamesTheLine) {
    const std::string in = Write("in.txt", "Caesar\nC\xC3\xA6sar\n");
    EXPECT_EQ(Run({"gbk", in, PathOf("out.txt")}), 1);
    EXPECT_NE(err_.find("in.txt:2: U+00E6"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(PathOf("out.txt")));

    Write("bad.txt", "ok\nok\n\xFF\n");
    EXPECT_EQ(Run({"gbk", PathOf("bad.txt"), PathOf("out.txt")}), 1);
    EXPECT_NE(err_.find("bad.txt:3: byte 0xFF"), std::string::npos) << err_;

    Write("euro.txt", "5 \xE2\x82\xAC\n");
    EXPECT_EQ(Run({"gbk", PathOf("euro.txt"), PathOf("out.txt")}), 1);
    EXPECT_NE(err_.find("euro.txt:1: U+20AC"), std::string::npos) << err_;

    EXPECT_EQ(Run({"gbk", PathOf("missing.txt"), PathOf("out.txt")}), 1);
    EXPECT_FALSE(fs::exists(PathOf("out.txt")));
}

TEST_F(CommandLine, DailyWritesTextAndFullReference) {
    // 创1:1, 约3:16 and 启22:21, whatever blanks surround the numbers.
    const std::string list = Write("list.txt", "0\r\n 26136\n31102");
    ASSERT_EQ(Run({"daily", kTextDir + "/cuv.txt", list, PathOf("daily.txt")}), 0) << err_;
    const std::string expected = Utf8ToGbk(
        "起初神创造天地。(创 1:1)\n"
        "神爱世人，甚至将他的独生子赐给他们，叫一切信他的，不至灭亡，反得永生。(约 3:16)\n"
        "愿主耶稣的恩惠，常与众圣徒同在。阿们。(启 22:21)\n");
    EXPECT_EQ(ReadTextFile(PathOf("daily.txt")), expected);
}

TEST_F(CommandLine, DailyRefusesEntriesThatAreNoUsableVerse) {
    const std::string cuv = kTextDir + "/cuv.txt";
    for (const char* list : {"0\n31103\n", "0\nabc\n", "0\n\n1\n", "0\n621\n"}) {
        EXPECT_EQ(Run({"daily", cuv, Write("list.txt", list), PathOf("daily.txt")}), 1) << list;
        EXPECT_NE(err_.find("daily list:2:"), std::string::npos) << err_;
    }
    EXPECT_FALSE(fs::exists(PathOf("daily.txt")));
    // The verse text must have exactly one line per verse.
    EXPECT_EQ(
        Run({"daily", Write("short.txt", "a\nb\n"), Write("l.txt", "0\n"), PathOf("daily.txt")}),
        1);
}

TEST_F(CommandLine, ChainRefusesMalformedCrossReferences) {
    const std::string cuv = kTextDir + "/cuv.txt";
    for (const char* rows : {"0\t1\t1\t5\n0\t1\t1\n", "0\t1\t1\t5\n0\t31103\t31103\t5\n",
                             "0\t1\t1\t5\n0\t9\t8\t5\n", "0\t1\t1\t5\n0\t1\t1\t5x\n"}) {
        EXPECT_EQ(Run({"chain", cuv, Write("x.tsv", rows), PathOf("c"), PathOf("t")}), 1) << rows;
        EXPECT_NE(err_.find("crossrefs:2:"), std::string::npos) << err_;
    }
    EXPECT_FALSE(fs::exists(PathOf("c")));
    EXPECT_FALSE(fs::exists(PathOf("t")));
}

} // namespace
} // namespace orvane::datagen
