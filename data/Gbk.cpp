#include "Gbk.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <stdexcept>
#include <type_traits>

namespace orvane {
namespace {

// Converts with iconv; on an invalid or incomplete sequence writes `replacement` and skips
// `skip(input)` bytes so that the conversion always finishes.
template <typename Out>
Out Convert(const char* to, const char* from, std::string_view in, std::string_view replacement,
            size_t (*skip)(const char*, size_t)) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t written = 0;
    while (srcLeft > 0) {
        char* dst = out.data() + written;
        size_t dstLeft = out.size() - written;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        written = out.size() - dstLeft;
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
        } else { // EILSEQ or EINVAL: replace and go on
            if (out.size() - written < replacement.size()) out.resize(out.size() * 2);
            out.replace(written, replacement.size(), replacement);
            written += replacement.size();
            size_t n = skip(src, srcLeft);
            src += n;
            srcLeft -= n;
        }
    }
    iconv_close(cd);
    out.resize(written);
    if constexpr (std::is_same_v<Out, std::string>) {
        return out;
    } else {
        Out result(out.size() / sizeof(typename Out::value_type), 0);
        std::memcpy(result.data(), out.data(), result.size() * sizeof(typename Out::value_type));
        return result;
    }
}

size_t SkipGbkChar(const char* p, size_t left) {
    return CharLength(std::string_view(p, left), 0);
}

size_t SkipUtf8Char(const char* p, size_t left) {
    size_t n = 1;
    while (n < left && (static_cast<unsigned char>(p[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

// iconv's GBK is the Windows code page, which reads the single byte 0x80 as the euro sign and
// writes the euro sign as 0x80. Our rule has no such character: 0x80 on a character boundary
// reads as one replacement and the euro sign is a character GBK cannot hold.
constexpr char kEuroByte = '\x80';
constexpr std::string_view kEuroUtf8 = "\xE2\x82\xAC";

// Converts from GBK in pieces cut at every lone 0x80, each of which becomes `replacement`.
template <typename Out>
Out FromGbk(const char* to, std::string_view gbk, std::string_view replacement) {
    Out out;
    size_t start = 0, walk = 0;
    for (size_t hit = gbk.find(kEuroByte); hit != std::string_view::npos;
         hit = gbk.find(kEuroByte, hit + 1)) {
        while (walk < hit)
            walk += CharLength(gbk, walk);
        if (walk != hit) continue; // the trail byte of a pair
        out += Convert<Out>(to, "GBK", gbk.substr(start, hit - start), replacement, SkipGbkChar);
        const size_t at = out.size();
        out.resize(at + replacement.size() / sizeof(typename Out::value_type));
        std::memcpy(out.data() + at, replacement.data(), replacement.size());
        start = walk = hit + 1;
    }
    if (start == 0) return Convert<Out>(to, "GBK", gbk, replacement, SkipGbkChar);
    out += Convert<Out>(to, "GBK", gbk.substr(start), replacement, SkipGbkChar);
    return out;
}

} // namespace

std::string GbkToUtf8(std::string_view gbk) {
    return FromGbk<std::string>("UTF-8", gbk, "\xEF\xBF\xBD");
}

std::string Utf8ToGbk(std::string_view utf8) {
    if (utf8.find(kEuroUtf8) == std::string_view::npos)
        return Convert<std::string>("GBK", "UTF-8", utf8, "?", SkipUtf8Char);
    std::string plain;
    plain.reserve(utf8.size());
    for (size_t from = 0; from < utf8.size();) {
        const size_t at = std::min(utf8.find(kEuroUtf8, from), utf8.size());
        plain.append(utf8.substr(from, at - from));
        if (at < utf8.size()) plain += '?';
        from = at + kEuroUtf8.size();
    }
    return Convert<std::string>("GBK", "UTF-8", plain, "?", SkipUtf8Char);
}

std::u16string GbkToUtf16(std::string_view gbk) {
    static const char16_t kReplacement[] = u"\uFFFD";
    return FromGbk<std::u16string>(
        "UTF-16LE", gbk, std::string_view(reinterpret_cast<const char*>(kReplacement), 2));
}

bool EndsOnBoundary(std::string_view text, size_t at, size_t length) {
    if (length == 0) return true;
    size_t i = at;
    const std::string_view match = text.substr(at, length);
    for (size_t k = 0; k < match.size(); k += CharLength(match, k))
        i = at + k;
    // i starts the match's last character as the match alone reads it; inside the text that
    // character may be a lead byte whose trail lies behind the match.
    return i + CharLength(text, i) == at + length;
}

size_t FindWhole(std::string_view text, std::string_view what, size_t from) {
    if (what.empty()) return std::string_view::npos;
    size_t walk = from;
    size_t pos = from;
    while (pos < text.size()) {
        const size_t hit = text.find(what, pos);
        if (hit == std::string_view::npos) break;
        while (walk < hit)
            walk += CharLength(text, walk);
        if (walk == hit && EndsOnBoundary(text, hit, what.size())) return hit;
        // Started on a trail byte, or ended inside a character: the next candidate is the next
        // boundary after this one.
        pos = walk == hit ? walk + CharLength(text, walk) : walk;
    }
    return std::string_view::npos;
}

StringList SplitLines(std::string_view text) {
    StringList lines;
    // One allocation for the list: the corpus has tens of thousands of lines.
    lines.reserve(size_t(std::count(text.begin(), text.end(), '\n')) + 1);
    const size_t n = text.size();
    size_t start = 0;
    if (std::memchr(text.data(), '\r', n) == nullptr) {
        // LF only, as the containers are written: memchr finds the ends many bytes at a time,
        // which makes splitting the scripture a small part of loading it.
        while (start < n) {
            const void* end = std::memchr(text.data() + start, '\n', n - start);
            const size_t at = end ? size_t(static_cast<const char*>(end) - text.data()) : n;
            lines.emplace_back(text.substr(start, at - start));
            start = at + 1;
        }
        return lines;
    }
    for (size_t i = 0; i < n; ++i) {
        char c = text[i];
        if (c != '\n' && c != '\r') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.emplace_back(text.substr(start));
    return lines;
}

std::string FoldCaseGbk(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        char& c = out[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
}

} // namespace orvane
