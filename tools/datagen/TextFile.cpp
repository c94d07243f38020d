#include "TextFile.h"

#include "DataError.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace orvane::datagen {

std::string ReadTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DataError("cannot open " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw DataError("cannot read " + path.string());
    return std::move(text).str();
}

void WriteLinesFile(const std::filesystem::path& path, const StringList& lines) {
    std::filesystem::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) throw DataError("cannot create " + temp.string());
        for (const std::string& line : lines) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
            out.put('\n');
        }
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            throw DataError("cannot write " + temp.string());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw DataError("cannot replace " + path.string());
    }
}

} // namespace orvane::datagen
