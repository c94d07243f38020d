// Containers as a damaged file or resource could hold them. Raw bytes rarely get past the BZip2
// stream, so half the inputs are forged instead: header fields taken from the input and a body
// compressed for real, which puts the name block, the size table and the file split under fire.
// The forged bodies use BZip2's smallest block size: the reader takes any block size, and the
// 900 KB blocks of the shipped containers make every run a hundred times slower under ASan.

#include "Container.h"
#include "Errors.h"
#include "FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bzlib.h>

using namespace orvane;

namespace {

void ReadAndCheck(std::string_view bytes, unsigned count) {
    StringList names = {"untouched"};
    std::vector<StringList> files(1, StringList{"untouched"});
    bool ok = false;
    try {
        ok = ReadContainerBytes(bytes, names, files);
    } catch (const EContainerError&) {
    } catch (const EStreamError&) { // EBZip2Error included
    }
    if (!ok) {
        // Refused or raised: the caller's lists stay as they were.
        FUZZ_CHECK(names.size() == 1 && names[0] == "untouched");
        FUZZ_CHECK(files.size() == 1 && files[0].size() == 1 && files[0][0] == "untouched");
        return;
    }
    FUZZ_CHECK(files.size() == count);
    size_t lineBytes = 0;
    for (const StringList& file : files)
        for (const std::string& line : file)
            lineBytes += line.size();
    FUZZ_CHECK(lineBytes <= kMaxContainerBody);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        const std::string raw = in.ConsumeRemainingBytesAsString();
        ReadAndCheck(raw, raw.size() > 5 ? static_cast<unsigned char>(raw[5]) : 0);
        return 0;
    }
    const auto count = in.ConsumeIntegral<uint8_t>();
    const auto nameLength = in.ConsumeIntegral<uint16_t>();
    const bool damage = in.ConsumeBool();
    const auto damageAt = in.ConsumeIntegral<uint16_t>();
    const auto damageByte = in.ConsumeIntegral<uint8_t>();
    const bool truncate = in.ConsumeBool();
    const auto keep = in.ConsumeIntegral<uint16_t>();
    const std::string body = in.ConsumeRemainingBytesAsString();

    std::string bytes = "KQZW";
    bytes += '\0';
    bytes += static_cast<char>(count);
    bytes += static_cast<char>(nameLength & 0xFF);
    bytes += static_cast<char>(nameLength >> 8);
    bytes += std::string(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(body.size() >> (8 * i));
    std::string packed(body.size() + body.size() / 100 + 600, '\0');
    auto packedLength = static_cast<unsigned>(packed.size());
    if (BZ2_bzBuffToBuffCompress(packed.data(), &packedLength, const_cast<char*>(body.data()),
                                 static_cast<unsigned>(body.size()), 1, 0, 0) != BZ_OK)
        std::abort();
    bytes.append(packed, 0, packedLength);
    if (damage) bytes[damageAt % bytes.size()] ^= static_cast<char>(damageByte | 1);
    if (truncate) bytes.resize(keep % (bytes.size() + 1));
    ReadAndCheck(bytes, count);
    return 0;
}
