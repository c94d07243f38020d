#include "IniFileX.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "AppPaths.h"

namespace orvane {
namespace {

// ---- Lines of the text -------------------------------------------------------------------

enum class LineKind { Other, Comment, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

// Position of the first "]" that is a character of its own: the trail byte of a double-byte
// character may be 0x5D and must not close the header.
size_t FindCloseBracket(std::string_view text, size_t from) {
    return FindWhole(text, "]", from);
}

ParsedLine ParseLine(std::string_view line) {
    ParsedLine parsed;
    std::string_view text = TrimBlanks(line);
    if (text.empty()) return parsed;
    if (text[0] == ';') {
        parsed.kind = LineKind::Comment;
        return parsed;
    }
    if (text[0] == '[') {
        size_t close = FindCloseBracket(text, 1);
        if (close != std::string_view::npos) {
            parsed.kind = LineKind::Section;
            parsed.name = TrimBlanks(text.substr(1, close - 1));
        }
        return parsed;
    }
    // "=" lies below the range of trail bytes, so a plain byte search is safe here.
    size_t eq = text.find('=');
    if (eq == std::string_view::npos) return parsed;
    parsed.name = TrimBlanks(text.substr(0, eq));
    if (parsed.name.empty()) return parsed;
    parsed.kind = LineKind::Key;
    parsed.value = TrimBlanks(text.substr(eq + 1));
    return parsed;
}

// Lines from one section header up to (not including) the next header.
struct Block {
    size_t header;
    size_t end;
};

std::vector<Block> FindBlocks(const StringList& lines, const std::string& foldedSection) {
    std::vector<Block> blocks;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        ParsedLine parsed = ParseLine(lines[i]);
        if (parsed.kind != LineKind::Section) continue;
        if (inside) blocks.back().end = i;
        inside = FoldCaseGbk(parsed.name) == foldedSection;
        if (inside) blocks.push_back({i, lines.size()});
    }
    return blocks;
}

// Calls visit(lineIndex, parsed) for every key line of the section, in file order, until visit
// returns false.
template <typename Visit>
void ForEachKey(const StringList& lines, const std::vector<Block>& blocks, Visit visit) {
    for (const Block& block : blocks)
        for (size_t i = block.header + 1; i < block.end; ++i) {
            ParsedLine parsed = ParseLine(lines[i]);
            if (parsed.kind == LineKind::Key && !visit(i, parsed)) return;
        }
}

std::optional<size_t> FindKey(const StringList& lines, const std::vector<Block>& blocks,
                              const std::string& foldedKey) {
    std::optional<size_t> found;
    ForEachKey(lines, blocks, [&](size_t i, const ParsedLine& parsed) {
        if (FoldCaseGbk(parsed.name) != foldedKey) return true;
        found = i;
        return false;
    });
    return found;
}

// ---- Values -----------------------------------------------------------------------------

bool ParseInt(std::string_view text, int& out) {
    text = TrimBlanks(text);
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text[0] == '-') return false;
    }
    if (text.empty()) return false;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return false;
    out = value;
    return true;
}

// Sign and digits only; sets nonZero when any digit is not "0". Works at any length, so a
// number beyond int still counts as non-zero.
bool ParseFlag(std::string_view text, bool& nonZero) {
    text = TrimBlanks(text);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    if (text.empty()) return false;
    bool any = false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        any = any || c != '0';
    }
    nonZero = any;
    return true;
}

std::string JoinInts(std::span<const int> values) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ',';
        text += std::to_string(values[i]);
    }
    return text;
}

// ---- Names written to the file ----------------------------------------------------------

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string_view CheckedSection(std::string_view section) {
    section = TrimBlanks(section);
    if (section.empty() || HasLineBreak(section) ||
        FindCloseBracket(section, 0) != std::string_view::npos)
        throw std::invalid_argument("Invalid settings section name: " + std::string(section));
    return section;
}

std::string_view CheckedKey(std::string_view key) {
    key = TrimBlanks(key);
    if (key.empty() || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
        key[0] == ';' || key[0] == '[')
        throw std::invalid_argument("Invalid settings key name: " + std::string(key));
    return key;
}

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    size_t start = line.size();
    line += value;
    for (size_t i = start; i < line.size(); ++i)
        if (line[i] == '\r' || line[i] == '\n') line[i] = ' ';
    return line;
}

std::string HeaderLine(std::string_view section) {
    std::string line = "[";
    line += section;
    line += ']';
    return line;
}

void EraseBlocks(StringList& lines, const std::vector<Block>& blocks) {
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(it->header),
                    lines.begin() + static_cast<std::ptrdiff_t>(it->end));
}

// ---- The file on disk -------------------------------------------------------------------

enum class ReadResult { Ok, Absent, Failed };

bool WriteAll(int fd, std::string_view data, off_t offset) {
    while (!data.empty()) {
        ssize_t n = pwrite(fd, data.data(), data.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
        offset += n;
    }
    return true;
}

bool ReadAll(int fd, std::string& out) {
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        out.append(buffer, static_cast<size_t>(n));
    }
}

ReadResult ReadFile(const std::string& path, std::string& out) {
    // O_NONBLOCK so that a FIFO under the settings name cannot hang the program.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Absent : ReadResult::Failed;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ReadAll(fd, out);
    close(fd);
    return ok ? ReadResult::Ok : ReadResult::Failed;
}

bool Resize(int fd, off_t size) {
    return ftruncate(fd, size) == 0;
}

void SyncFolder(const std::filesystem::path& folder) {
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Rewrites the file through its own descriptor, for folders where no temporary file may be
// created. Space is reserved before the first byte is overwritten, and should writing fail all
// the same, the old bytes are put back.
bool RewriteInPlace(const std::string& path, std::string_view content) {
    struct stat before {};
    bool existed = stat(path.c_str(), &before) == 0;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    std::string old;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ReadAll(fd, old);
    const auto newSize = static_cast<off_t>(content.size());
    const auto oldSize = static_cast<off_t>(old.size());
    if (ok && newSize > oldSize && posix_fallocate(fd, 0, newSize) != 0) {
        // Nothing was overwritten yet; only drop whatever the attempt appended.
        ok = false;
        Resize(fd, oldSize);
    } else if (ok && !(WriteAll(fd, content, 0) && Resize(fd, newSize))) {
        ok = false;
        if (WriteAll(fd, old, 0) && Resize(fd, oldSize)) fsync(fd);
    }
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (!ok && !existed) unlink(path.c_str());
    return ok;
}

bool WriteFileSafely(const std::string& fileName, std::string_view content) {
    std::string path = fileName;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        // Replace the file the link points to, not the link itself.
        char* real = realpath(path.c_str(), nullptr);
        if (real == nullptr) return RewriteInPlace(path, content);
        path = real;
        std::free(real);
    }
    const bool exists = stat(path.c_str(), &st) == 0;
    // A rename would replace a write-protected file or a non-file as easily as any other.
    if (exists &&
        (!S_ISREG(st.st_mode) || faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0))
        return false;

    static std::atomic<unsigned> counter{0};
    const std::filesystem::path target(path);
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        for (auto number : {static_cast<unsigned>(getpid()), counter++}) {
            name += '.';
            name += std::to_string(number);
        }
        name += ".tmp";
        temp = target.parent_path() / name;
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return RewriteInPlace(path, content);
    }
    if (fd < 0) return RewriteInPlace(path, content);
    if (exists) {
        // Keep the owner and the permissions of the file being replaced; a failure here only
        // loses those, never the text.
        bool sameOwner = fchown(fd, st.st_uid, st.st_gid) == 0;
        fchmod(fd, st.st_mode & (sameOwner ? 07777 : 0777));
    }
    bool ok = WriteAll(fd, content, 0) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    SyncFolder(target.parent_path());
    return true;
}

// ---- Reading and storing the lines ------------------------------------------------------

// An editor that saves the file as UTF-8 may put a byte-order mark in front of the first
// header, which would then no longer read as one and take its whole section with it. The file is
// GBK, where the mark means nothing; it is dropped on reading and so also on the next write.
std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return text;
}

// For reads: a file that is absent or cannot be read holds no settings.
StringList LoadLines(const std::string& fileName) {
    std::string text;
    if (ReadFile(fileName, text) != ReadResult::Ok) return {};
    return SplitLines(WithoutByteOrderMark(text));
}

// For writes: a file that exists but cannot be read must not be replaced by the few lines
// this write knows about.
StringList LoadLinesForWrite(const std::string& fileName) {
    std::string text;
    ReadResult result = ReadFile(fileName, text);
    if (result == ReadResult::Failed) throw EIniFileException("Unable to write to " + fileName);
    return SplitLines(WithoutByteOrderMark(text));
}

void StoreLines(const std::string& fileName, const StringList& before, const StringList& after) {
    if (before == after) return;
    std::string text;
    for (const std::string& line : after) {
        text += line;
        text += "\r\n";
    }
    if (!WriteFileSafely(fileName, text)) throw EIniFileException("Unable to write to " + fileName);
}

} // namespace

// ---- TInifileX --------------------------------------------------------------------------

TInifileX::TInifileX(std::string_view fileName) {
    namespace fs = std::filesystem;
    fs::path path;
    if (fileName.empty()) {
        fs::path folder = ExecutableFolder();
        std::error_code ec;
        if (!folder.empty() && fs::is_directory(folder, ec))
            path = (KeepingFolder() / ExecutablePath().filename()).replace_extension(".ini");
        else
            path = ExecutablePath().replace_extension(".INI");
    } else if (fileName.find(':') != std::string_view::npos || fileName[0] == '/') {
        path = fs::path(fileName);
    } else {
        path = KeepingFolder() / fs::path(fileName);
    }
    fileName_ = path.string();
}

std::string TInifileX::ReadString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
    StringList lines = LoadLines(fileName_);
    auto blocks = FindBlocks(lines, FoldCaseGbk(TrimBlanks(section)));
    auto found = FindKey(lines, blocks, FoldCaseGbk(TrimBlanks(key)));
    if (!found) return std::string(def);
    return std::string(ParseLine(lines[*found]).value);
}

int TInifileX::ReadInteger(std::string_view section, std::string_view key, int def) const {
    int value = def;
    return ParseInt(ReadString(section, key), value) ? value : def;
}

bool TInifileX::ReadBool(std::string_view section, std::string_view key, bool def) const {
    bool value = def;
    return ParseFlag(ReadString(section, key), value) ? value : def;
}

void TInifileX::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
    section = CheckedSection(section);
    key = CheckedKey(key);
    StringList lines = LoadLinesForWrite(fileName_);
    const StringList before = lines;
    auto blocks = FindBlocks(lines, FoldCaseGbk(section));
    if (blocks.empty()) {
        lines.push_back(HeaderLine(section));
        lines.push_back(KeyLine(key, value));
    } else if (auto found = FindKey(lines, blocks, FoldCaseGbk(key))) {
        // Keep the name as the file spells it.
        std::string name(ParseLine(lines[*found]).name);
        lines[*found] = KeyLine(name, value);
    } else {
        const Block& last = blocks.back();
        size_t at = last.end;
        while (at > last.header + 1 && TrimBlanks(lines[at - 1]).empty())
            --at;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), KeyLine(key, value));
    }
    StoreLines(fileName_, before, lines);
}

void TInifileX::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void TInifileX::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

StringList TInifileX::ReadSection(std::string_view section) const {
    StringList lines = LoadLines(fileName_);
    StringList names;
    std::set<std::string> seen;
    ForEachKey(lines, FindBlocks(lines, FoldCaseGbk(TrimBlanks(section))),
               [&](size_t, const ParsedLine& parsed) {
                   if (seen.insert(FoldCaseGbk(parsed.name)).second)
                       names.emplace_back(parsed.name);
                   return true;
               });
    return names;
}

StringList TInifileX::ReadSectionValues(std::string_view section) const {
    StringList lines = LoadLines(fileName_);
    StringList values;
    std::set<std::string> seen;
    ForEachKey(lines, FindBlocks(lines, FoldCaseGbk(TrimBlanks(section))),
               [&](size_t, const ParsedLine& parsed) {
                   if (seen.insert(FoldCaseGbk(parsed.name)).second)
                       values.push_back(std::string(parsed.name) + "=" + std::string(parsed.value));
                   return true;
               });
    return values;
}

bool TInifileX::SectionExists(std::string_view section) const {
    StringList lines = LoadLines(fileName_);
    return !FindBlocks(lines, FoldCaseGbk(TrimBlanks(section))).empty();
}

bool TInifileX::ValueExists(std::string_view section, std::string_view key) const {
    StringList lines = LoadLines(fileName_);
    auto blocks = FindBlocks(lines, FoldCaseGbk(TrimBlanks(section)));
    return FindKey(lines, blocks, FoldCaseGbk(TrimBlanks(key))).has_value();
}

void TInifileX::EraseSection(std::string_view section) {
    StringList lines = LoadLinesForWrite(fileName_);
    const StringList before = lines;
    EraseBlocks(lines, FindBlocks(lines, FoldCaseGbk(TrimBlanks(section))));
    StoreLines(fileName_, before, lines);
}

void TInifileX::DeleteKey(std::string_view section, std::string_view key) {
    StringList lines = LoadLinesForWrite(fileName_);
    const StringList before = lines;
    auto blocks = FindBlocks(lines, FoldCaseGbk(TrimBlanks(section)));
    const std::string folded = FoldCaseGbk(TrimBlanks(key));
    std::vector<size_t> doomed;
    ForEachKey(lines, blocks, [&](size_t i, const ParsedLine& parsed) {
        if (FoldCaseGbk(parsed.name) == folded) doomed.push_back(i);
        return true;
    });
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*it));
    StoreLines(fileName_, before, lines);
}

void TInifileX::ReadIntArray(std::string_view section, std::string_view key, int lastIndex,
                             int* dest) const {
    if (lastIndex < 0 || dest == nullptr) return;
    ReadIntArray(section, key, std::span<int>(dest, static_cast<size_t>(lastIndex) + 1));
}

void TInifileX::ReadIntArray(std::string_view section, std::string_view key,
                             std::span<int> dest) const {
    // Slots 0..n-1 each take the item before the next comma (none left: the slot stays -1 and
    // nothing is consumed); the last slot takes what remains, up to any further comma. Every
    // item counts by its first 10 characters, as the stored values always have.
    const std::string text = ReadString(section, key);
    std::string_view rest = text;
    const size_t last = dest.size() - 1;
    for (size_t i = 0; i < dest.size(); ++i) {
        std::string_view item;
        const size_t comma = rest.find(',');
        if (i < last) {
            if (comma != std::string_view::npos) {
                item = rest.substr(0, comma);
                rest.remove_prefix(comma + 1);
            }
        } else {
            item = rest.substr(0, comma);
        }
        int value = -1;
        dest[i] = ParseInt(TrimBlanks(item.substr(0, 10)), value) ? value : -1;
    }
}

void TInifileX::WriteIntArray(std::string_view section, std::string_view key, int lastIndex,
                              const int* src) {
    if (lastIndex < 0 || src == nullptr) {
        WriteString(section, key, "");
        return;
    }
    WriteIntArray(section, key, std::span<const int>(src, static_cast<size_t>(lastIndex) + 1));
}

void TInifileX::WriteIntArray(std::string_view section, std::string_view key,
                              std::span<const int> src) {
    WriteString(section, key, JoinInts(src));
}

void TInifileX::ReadList(std::string_view section, StringList& list,
                         std::string_view prefix) const {
    list.clear();
    StringList lines = LoadLines(fileName_);
    // One pass over the section instead of one per item.
    std::map<std::string, std::string_view> values;
    ForEachKey(lines, FindBlocks(lines, FoldCaseGbk(TrimBlanks(section))),
               [&](size_t, const ParsedLine& parsed) {
                   values.emplace(FoldCaseGbk(parsed.name), parsed.value);
                   return true;
               });
    const std::string foldedPrefix = FoldCaseGbk(TrimBlanks(prefix));
    for (int i = 0; i < MaxListItems; ++i) {
        auto found = values.find(foldedPrefix + std::to_string(i));
        if (found == values.end() || found->second.empty()) break;
        list.emplace_back(found->second);
    }
}

void TInifileX::WriteList(std::string_view section, const StringList& list,
                          std::string_view prefix) {
    section = CheckedSection(section);
    prefix = TrimBlanks(prefix);
    if (!list.empty()) CheckedKey(std::string(prefix) + "0");
    StringList lines = LoadLinesForWrite(fileName_);
    const StringList before = lines;
    EraseBlocks(lines, FindBlocks(lines, FoldCaseGbk(section)));
    if (!list.empty()) {
        lines.push_back(HeaderLine(section));
        for (size_t i = 0; i < list.size(); ++i)
            lines.push_back(KeyLine(std::string(prefix) + std::to_string(i), list[i]));
    }
    StoreLines(fileName_, before, lines);
}

} // namespace orvane
