#pragma once
// Containers made by hand for the tests that feed the reader damaged ones.

#include "Container.h"

#include <cstdint>
#include <string>

namespace orvane::test {

// Little-endian, as the container stores its numbers.
inline std::string U32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[size_t(i)] = static_cast<char>(v >> (8 * i));
    return s;
}

// Header fields as given over `body` compressed as it is.
inline std::string Forge(uint8_t count, uint16_t nameLength, const std::string& body) {
    std::string header = "KQZW";
    header += '\0';
    header += static_cast<char>(count);
    header += static_cast<char>(nameLength & 0xFF);
    header += static_cast<char>(nameLength >> 8);
    header += std::string(4, '\0');
    TMemoryStream stream(body);
    CompressBody(stream);
    return header + stream.Bytes();
}

} // namespace orvane::test
