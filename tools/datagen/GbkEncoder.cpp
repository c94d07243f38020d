#include "GbkEncoder.h"

#include "DataError.h"

#include <cerrno>
#include <cstdio>

namespace orvane::datagen {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// "U+00E6" for a well-formed UTF-8 sequence at the start of `text`, otherwise the bytes in hex.
std::string DescribeCharacter(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    const size_t length = lead < 0x80    ? 1
                          : lead >= 0xF0 ? 4
                          : lead >= 0xE0 ? 3
                          : lead >= 0xC0 ? 2
                                         : 0;
    bool wellFormed = length > 0 && length <= text.size();
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; wellFormed && i < length; ++i) {
        wellFormed = (byte(i) & 0xC0) == 0x80;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    char buffer[16];
    if (wellFormed) {
        std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(code));
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "byte 0x%02X", lead);
    return buffer;
}

} // namespace

GbkEncoder::GbkEncoder() : cd_(iconv_open("GBK", "UTF-8")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw DataError("iconv cannot convert UTF-8 to GBK");
}

GbkEncoder::~GbkEncoder() {
    iconv_close(cd_);
}

bool GbkEncoder::Encode(std::string_view utf8, std::string& gbk, size_t& badOffset) {
    // iconv writes the euro sign as the single byte 0x80, which our rule reads as no character.
    if (const size_t euro = utf8.find("\xE2\x82\xAC"); euro != std::string_view::npos) {
        badOffset = euro;
        return false;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    // A GBK character never takes more bytes than its UTF-8 form.
    gbk.resize(utf8.size());
    char* src = const_cast<char*>(utf8.data());
    size_t srcLeft = utf8.size();
    char* dst = gbk.data();
    size_t dstLeft = gbk.size();
    const size_t result = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
    gbk.resize(gbk.size() - dstLeft);
    if (result == static_cast<size_t>(-1)) {
        badOffset = static_cast<size_t>(src - utf8.data());
        return false;
    }
    return true;
}

StringList GbkEncoder::EncodeLines(std::string_view utf8Text, std::string_view sourceName) {
    if (utf8Text.starts_with(kByteOrderMark)) utf8Text.remove_prefix(kByteOrderMark.size());
    StringList lines = SplitLines(utf8Text);
    std::string gbk;
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t bad = 0;
        if (!Encode(lines[i], gbk, bad))
            throw DataError(std::string(sourceName) + ":" + std::to_string(i + 1) + ": " +
                            DescribeCharacter(std::string_view(lines[i]).substr(bad)) +
                            " has no GBK form");
        lines[i].swap(gbk);
    }
    return lines;
}

} // namespace orvane::datagen
