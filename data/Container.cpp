#include "Container.h"

#include "Bz2Streams.h"
#include "Errors.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orvane {
namespace {

ResourceProvider& Provider() {
    static ResourceProvider provider;
    return provider;
}

uint32_t ReadU32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(u[0]) | uint32_t(u[1]) << 8 | uint32_t(u[2]) << 16 | uint32_t(u[3]) << 24;
}

void PutU32(char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>(v >> (8 * i));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

} // namespace

void SetResourceProvider(ResourceProvider provider) {
    Provider() = std::move(provider);
}

std::string_view FindResource(std::string_view name) {
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (Provider())
        if (auto bytes = Provider()(upper)) return *bytes;
    throw EResourceNotFound("Resource " + upper + " not found");
}

void CompressBody(TMemoryStream& body) {
    const size_t length = body.Size();
    if (length > UINT32_MAX) throw EContainerError("body too large for a container");
    TMemoryStream packed;
    char lengthBytes[4];
    PutU32(lengthBytes, static_cast<uint32_t>(length));
    packed.WriteBuffer(lengthBytes, 4);
    {
        TBZCompressionStream bz(packed, 9);
        bz.WriteBuffer(body.Bytes().data(), length);
        bz.Finish();
    }
    body.Assign(std::move(packed.Bytes()));
}

void ExpandBody(TMemoryStream& stream) {
    char lengthBytes[4];
    stream.ReadBuffer(lengthBytes, 4);
    const uint32_t length = ReadU32(lengthBytes);
    if (length > kMaxContainerBody)
        throw EContainerError("container body length " + std::to_string(length) +
                              " is not believable");
    // The buffer grows with what the stream really yields instead of being sized to the stated
    // length up front: a damaged length field would otherwise make a few bytes of garbage cost
    // hundreds of megabytes before the stream is even found to be corrupt.
    constexpr size_t kStep = size_t(1) << 20;
    std::string body;
    {
        TBZDecompressionStream bz(stream);
        while (body.size() < length) {
            const size_t at = body.size();
            const size_t step = std::min<size_t>(kStep, length - at);
            body.resize(at + step);
            bz.ReadBuffer(body.data() + at, step);
        }
    }
    stream.Assign(std::move(body));
}

bool ReadContainerBytes(std::string_view bytes, StringList& names, std::vector<StringList>& files) {
    if (bytes.size() < kContainerHeaderSize) return false;
    if (std::memcmp(bytes.data(), kContainerMagic, 4) != 0) return false;
    const unsigned count = static_cast<unsigned char>(bytes[5]);
    if (count == 0) return false;
    const size_t nameLength = static_cast<unsigned char>(bytes[6]) |
                              static_cast<size_t>(static_cast<unsigned char>(bytes[7])) << 8;

    TMemoryStream stream{std::string(bytes.substr(kContainerHeaderSize))};
    ExpandBody(stream);
    const std::string& body = stream.Bytes();

    // Every length is checked against the body before anything is split, so a corrupt header
    // can neither make us read past the body nor leave the caller's lists half replaced.
    const size_t tableAt = nameLength;
    const size_t dataAt = tableAt + 4 * size_t(count);
    if (dataAt > body.size())
        throw EContainerError("container name block or size table runs past its body");
    std::vector<size_t> sizes(count);
    size_t total = 0;
    for (unsigned i = 0; i < count; ++i) {
        sizes[i] = ReadU32(body.data() + tableAt + 4 * i);
        total += sizes[i];
    }
    if (total > body.size() - dataAt)
        throw EContainerError("container file sizes run past its body");

    const std::string_view view(body);
    std::vector<StringList> newFiles(count);
    size_t at = dataAt;
    for (unsigned i = 0; i < count; ++i) {
        newFiles[i] = SplitLines(view.substr(at, sizes[i]));
        at += sizes[i];
    }
    names = SplitLines(view.substr(0, nameLength));
    files = std::move(newFiles);
    return true;
}

bool ReadContainer(StringList& names, std::vector<StringList>& files,
                   const std::string& resourceName, const std::string& fileName) {
    if (!fileName.empty()) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(fileName, ec)) return false;
        const auto bytes = ReadWholeFile(fileName);
        if (!bytes) throw EStreamError("Cannot open file \"" + fileName + "\"");
        return ReadContainerBytes(*bytes, names, files);
    }
    return ReadContainerBytes(FindResource(resourceName.empty() ? "bibbook" : resourceName), names,
                              files);
}

bool WriteContainer(const StringList& inputs, const std::string& outputPath) {
    if (inputs.empty() || inputs.size() > 255) return false;
    std::string nameBlock;
    for (const std::string& name : inputs)
        nameBlock += name + "\r\n";
    if (nameBlock.size() > 0xFFFF) return false;

    TMemoryStream body;
    body.WriteBuffer(nameBlock.data(), nameBlock.size());
    std::string table(4 * inputs.size(), '\0');
    body.WriteBuffer(table.data(), table.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
        const auto content = ReadWholeFile(inputs[i]);
        if (!content) throw EStreamError("Cannot open file \"" + inputs[i] + "\"");
        if (content->size() > UINT32_MAX) return false;
        PutU32(table.data() + 4 * i, static_cast<uint32_t>(content->size()));
        body.WriteBuffer(content->data(), content->size());
    }
    std::memcpy(body.Bytes().data() + nameBlock.size(), table.data(), table.size());

    char header[kContainerHeaderSize] = {};
    std::memcpy(header, kContainerMagic, 4);
    header[5] = static_cast<char>(inputs.size());
    header[6] = static_cast<char>(nameBlock.size() & 0xFF);
    header[7] = static_cast<char>(nameBlock.size() >> 8);

    try {
        CompressBody(body);
    } catch (const std::exception&) {
        return false;
    }
    // Written beside the target and renamed, so a failed write never leaves half a container.
    const std::string temp = outputPath + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(header, kContainerHeaderSize);
        out.write(body.Bytes().data(), static_cast<std::streamsize>(body.Size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, outputPath, ec);
    if (ec) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

long long PackContainer(const StringList& inputs, const std::string& outputFile) {
    const auto start = std::chrono::steady_clock::now();
    if (!WriteContainer(inputs, outputFile)) return -1;
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

long long PackScripture(const std::string& sourceFolder, const std::string& outputFile) {
    const std::filesystem::path folder(sourceFolder);
    return PackContainer({(folder / "1.txt").string(), (folder / "2.txt").string()}, outputFile);
}

} // namespace orvane
