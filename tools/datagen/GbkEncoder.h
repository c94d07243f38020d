#pragma once
// Strict UTF-8 to GBK conversion. The core's Utf8ToGbk replaces what it cannot convert with
// "?", which suits display but would let a wrong character slip into the shipped text
// unnoticed; the generator must stop instead and say where.

#include "Gbk.h"

#include <iconv.h>
#include <string>
#include <string_view>

namespace orvane::datagen {

class GbkEncoder {
public:
    GbkEncoder();
    ~GbkEncoder();
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    // Converts `utf8` into `gbk`. False when a character has no GBK form or the input is not
    // valid UTF-8; `badOffset` then receives the byte offset of the offending character.
    bool Encode(std::string_view utf8, std::string& gbk, size_t& badOffset);

    // Splits `utf8Text` into lines (CR, LF or CR LF; a leading byte-order mark is dropped) and
    // converts each. DataError naming `sourceName`, the 1-based line and the character when
    // one cannot be converted.
    StringList EncodeLines(std::string_view utf8Text, std::string_view sourceName);

private:
    iconv_t cd_;
};

} // namespace orvane::datagen
