#include "Container.h"
#include "Bz2Streams.h"
#include "Errors.h"
#include "ForgedContainer.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <random>

using namespace orvane;
using orvane::test::Forge;
using orvane::test::TempDir;
using orvane::test::U32;

namespace {

std::string Pack(const TempDir& dir,
                 const std::vector<std::pair<std::string, std::string>>& files) {
    StringList inputs;
    for (const auto& [name, bytes] : files)
        inputs.push_back(dir.Write(name, bytes));
    const std::string out = dir.File("out.bib");
    EXPECT_TRUE(WriteContainer(inputs, out));
    return dir.Read("out.bib");
}

} // namespace

TEST(Container, RoundTripKeepsFileOrderLinesAndLineEnds) {
    TempDir dir;
    const std::string bytes = Pack(
        dir, {{"a.txt", "one\ntwo\r\nthree\rfour"}, {"b.txt", "\xb4\xb4\n\n"}, {"empty.txt", ""}});
    EXPECT_EQ(bytes.substr(0, 4), "KQZW");
    EXPECT_EQ(bytes[5], 3);
    EXPECT_EQ(bytes.substr(16, 3), "BZh") << "one BZip2 stream right after the body length";
    EXPECT_EQ(bytes[19], '9') << "block size 900 000";

    StringList names;
    std::vector<StringList> files;
    ASSERT_TRUE(ReadContainer(names, files, "", dir.File("out.bib")));
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], (StringList{"one", "two", "three", "four"}));
    EXPECT_EQ(files[1], (StringList{"\xb4\xb4", ""}));
    EXPECT_TRUE(files[2].empty()) << "an empty file reads back as an empty list";
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], dir.File("a.txt"));
}

TEST(Container, RefusesWrongMagicAndEmptyCountAndMissingFileLeavingListsAlone) {
    TempDir dir;
    const std::string good = Pack(dir, {{"a.txt", "x\n"}});
    StringList names = {"keep"};
    std::vector<StringList> files = {{"keep"}};
    for (int i = 0; i < 4; ++i) {
        std::string bad = good;
        bad[i] ^= 0x20;
        EXPECT_FALSE(ReadContainerBytes(bad, names, files)) << "magic byte " << i;
    }
    std::string noFiles = good;
    noFiles[5] = 0;
    EXPECT_FALSE(ReadContainerBytes(noFiles, names, files)) << "count 0 with a valid body";
    EXPECT_FALSE(ReadContainerBytes("KQZW", names, files)) << "shorter than a header";
    EXPECT_FALSE(ReadContainer(names, files, "", dir.File("missing.bib")));
    EXPECT_EQ(names, StringList{"keep"});
    EXPECT_EQ(files, std::vector<StringList>{{"keep"}});
}

TEST(Container, RefusesLengthsPastTheBodyWithoutTouchingTheLists) {
    StringList names = {"keep"};
    std::vector<StringList> files;
    // Name block longer than the body.
    EXPECT_THROW(ReadContainerBytes(Forge(1, 200, "n\r\n" + U32(1) + "x"), names, files),
                 EContainerError);
    // Size table past the body.
    EXPECT_THROW(ReadContainerBytes(Forge(200, 3, "n\r\n" + U32(1) + "x"), names, files),
                 EContainerError);
    // A file size past the body, and sizes that only overflow when added up.
    EXPECT_THROW(ReadContainerBytes(Forge(1, 3, "n\r\n" + U32(2) + "x"), names, files),
                 EContainerError);
    EXPECT_THROW(ReadContainerBytes(Forge(2, 0, U32(0xFFFFFFFF) + U32(2) + "xy"), names, files),
                 EContainerError);
    EXPECT_EQ(names, StringList{"keep"});
    EXPECT_TRUE(files.empty());
    // Exactly filling the body is fine, and unused trailing bytes are ignored.
    EXPECT_TRUE(ReadContainerBytes(Forge(1, 3, "n\r\n" + U32(1) + "xyz"), names, files));
    EXPECT_EQ(files, std::vector<StringList>{{"x"}});
}

TEST(Container, CorruptOrTruncatedStreamsRaiseLibraryErrors) {
    TempDir dir;
    std::string good = Pack(dir, {{"a.txt", std::string(100000, 'a') + "\nend\n"}});
    StringList names;
    std::vector<StringList> files;

    std::string truncated = good.substr(0, good.size() - 20);
    EXPECT_THROW(ReadContainerBytes(truncated, names, files), EBZip2Error);
    std::string headerOnly = good.substr(0, 16);
    EXPECT_THROW(ReadContainerBytes(headerOnly, names, files), EBZip2Error);

    std::string garbled = good;
    garbled[16] = 'X'; // no "BZh" signature
    try {
        ReadContainerBytes(garbled, names, files);
        FAIL() << "garbled stream accepted";
    } catch (const EBZip2Error& e) {
        EXPECT_EQ(std::string(e.what()), "error " + std::to_string(e.Code()));
        EXPECT_LT(e.Code(), 0);
    }
    // A body shorter than the length the header states.
    std::string longer = good;
    longer[12] = static_cast<char>(static_cast<unsigned char>(longer[12]) + 1);
    EXPECT_THROW(ReadContainerBytes(longer, names, files), EStreamError);
    // A believable-looking header that claims a gigantic body is refused before allocating it.
    std::string huge = good;
    huge.replace(12, 4, U32(0xFFFFFFF0));
    EXPECT_THROW(ReadContainerBytes(huge, names, files), EContainerError);
    EXPECT_TRUE(files.empty());
}

TEST(Container, RandomDamageNeverCrashes) {
    TempDir dir;
    const std::string good = Pack(dir, {{"a.txt", "alpha\nbeta\n"}, {"b.txt", "gamma\n"}});
    std::mt19937 rng(7);
    for (int round = 0; round < 500; ++round) {
        std::string bad = good;
        const int flips = 1 + int(rng() % 4);
        for (int i = 0; i < flips; ++i)
            bad[rng() % bad.size()] = static_cast<char>(rng());
        if (rng() % 3 == 0) bad.resize(rng() % bad.size());
        StringList names;
        std::vector<StringList> files;
        try {
            if (ReadContainerBytes(bad, names, files)) {
                EXPECT_LE(files.size(), 255u);
            }
        } catch (const std::exception&) {
        }
    }
}

TEST(Container, WriterRefusesWhatTheFormatCannotHold) {
    TempDir dir;
    EXPECT_FALSE(WriteContainer({}, dir.File("none.bib")));
    StringList many(256, dir.Write("a.txt", "x"));
    EXPECT_FALSE(WriteContainer(many, dir.File("many.bib")));
    EXPECT_THROW(WriteContainer({dir.File("missing.txt")}, dir.File("x.bib")), EStreamError);
    EXPECT_FALSE(WriteContainer({dir.File("a.txt")}, dir.File("no/such/folder/x.bib")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.bib")));
}

TEST(Container, PackScripturePacksChainsThenText) {
    TempDir dir;
    dir.Write("1.txt", "~1[001:1]\n");
    dir.Write("2.txt", "`1text\n");
    EXPECT_GE(PackScripture(dir.Path().string(), dir.File("Orvane.bib")), 0);
    StringList names;
    std::vector<StringList> files;
    ASSERT_TRUE(ReadContainer(names, files, "", dir.File("Orvane.bib")));
    EXPECT_EQ(files, (std::vector<StringList>{{"~1[001:1]"}, {"`1text"}}));
}

TEST(Container, ResourcesAreFoundWithoutRegardToCase) {
    TempDir dir;
    static std::string bytes;
    bytes = Pack(dir, {{"a.txt", "daily\n"}});
    std::string asked;
    SetResourceProvider([&](std::string_view name) -> std::optional<std::string_view> {
        asked = name;
        if (name == "GOLDORA") return std::string_view(bytes);
        return std::nullopt;
    });
    StringList names;
    std::vector<StringList> files;
    EXPECT_TRUE(ReadContainer(names, files, "GoldOra", ""));
    EXPECT_EQ(asked, "GOLDORA");
    EXPECT_THROW(ReadContainer(names, files, "", ""), EResourceNotFound) << "defaults to bibbook";
    EXPECT_EQ(asked, "BIBBOOK");
    SetResourceProvider(nullptr);
}

TEST(Bz2Streams, PiecesAndRefusedOperations) {
    // Larger than several 64 KiB pieces, so both streams loop over their pieces.
    std::string data;
    for (unsigned i = 0; i < 300000; ++i)
        data += static_cast<char>('a' + (i * 7919u) % 26);
    TMemoryStream packed;
    {
        TBZCompressionStream bz(packed);
        bz.WriteBuffer(data.data(), 100000);
        bz.WriteBuffer(data.data() + 100000, data.size() - 100000);
        EXPECT_EQ(bz.Position(), int64_t(data.size()));
        char c;
        EXPECT_THROW(bz.Read(&c, 1), EStreamError);
        EXPECT_THROW(bz.Seek(0, SeekOrigin::Begin), EStreamError);
        bz.Finish();
    }
    packed.Seek(0, SeekOrigin::Begin);
    TBZDecompressionStream un(packed);
    std::string out(data.size(), '\0');
    un.ReadBuffer(out.data(), 1000);
    un.Seek(2000, SeekOrigin::Begin); // forward: skipped
    un.ReadBuffer(out.data() + 2000, out.size() - 2000);
    EXPECT_EQ(out.substr(2000), data.substr(2000));
    EXPECT_EQ(un.Read(out.data(), 1), 0u) << "end of stream";
    EXPECT_THROW(un.Seek(10, SeekOrigin::Begin), EStreamError) << "backwards";
    EXPECT_EQ(un.Seek(0, SeekOrigin::Begin), 0) << "to the start is allowed";
    un.ReadBuffer(out.data(), 1000);
    EXPECT_EQ(out.substr(0, 1000), data.substr(0, 1000));
    EXPECT_THROW(un.Write("x", 1), EStreamError);
    try {
        un.Write("x", 1);
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Invalid stream operation");
    }
}
