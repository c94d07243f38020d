#pragma once
// The settings file: plain INI text beside the executable, in GBK bytes.
//
// Every operation opens the file, does its work and lets it go again; nothing is cached, so two
// objects on the same file (or two handlers one after another) always see each other's writes.
// Every write reaches the disk at once: the new text goes to a temporary file in the same folder,
// is synced and renamed over the old one, so a refused or interrupted write leaves the old file
// as it was.
//
// Format, as read:
// - "[Section]" lines open a section; "key=value" lines belong to the section above them.
// - Section and key names match without regard to ASCII case; the bytes of a double-byte GBK
//   character are compared exactly, so two Chinese names never fold together.
// - Names and values are trimmed of blanks; quotes are kept, a value reads back as written.
// - Lines starting with ";" are comments; lines that are neither a header nor "name=value" are
//   kept on writes and otherwise ignored. The first occurrence of a duplicate key wins, and a
//   section that appears twice reads as one.
// - Lines may end in CR, LF or CR LF; the file is always written back with CR LF.
// - A UTF-8 byte-order mark at the start of the file is skipped, and not written back.
// Writes change only the lines they concern: a new key goes after the last non-blank line of its
// section, a new section at the end of the file.

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Gbk.h"

namespace orvane {

// A write the file system refused; what() is "Unable to write to <file name>".
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TInifileX {
public:
    // Without a name: the executable's name with the extension ".ini" in KeepingFolder() (or,
    // should the executable's folder not exist, the executable's path with ".INI"). A name
    // containing ":" or starting with "/" is taken as it is; any other name lies in
    // KeepingFolder().
    explicit TInifileX(std::string_view fileName = {});

    const std::string& FileName() const { return fileName_; }

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def = {}) const;
    // Decimal with an optional sign; anything else, or a number outside int, gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def = 0) const;
    // Any non-zero number is true, however long; text that is no number gives def.
    bool ReadBool(std::string_view section, std::string_view key, bool def = false) const;

    // Section and key names must be non-empty and representable in the format (no line breaks,
    // no "=" in a key, no "]" in a section, a key not starting with ";" or "["), otherwise
    // std::invalid_argument. Line breaks inside a value are written as blanks, since they would
    // otherwise open new lines or sections in the file.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Key names of the section, in file order, each once.
    StringList ReadSection(std::string_view section) const;
    // "name=value" for each key of the section, in file order, each name once with the value
    // ReadString gives; blank, comment and malformed lines are left out.
    StringList ReadSectionValues(std::string_view section) const;
    // True when the file holds a header of that section, even an empty one.
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // Both remove every occurrence; neither touches the file when there is nothing to remove.
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

    // Reads a ","-separated value into dest[0..lastIndex]: slot i takes the item before the next
    // comma, and the last slot what remains ("5,7" gives slot 0 = 5 and the last slot = 7).
    // Each item counts by its first 10 characters, trimmed; an empty item, one that is no
    // number and every slot of an absent key give -1. Items beyond the last slot are ignored,
    // so trailing garbage cannot cost the slots before it their values.
    void ReadIntArray(std::string_view section, std::string_view key, int lastIndex,
                      int* dest) const;
    void ReadIntArray(std::string_view section, std::string_view key, std::span<int> dest) const;
    // Writes src[0..lastIndex] as decimal text joined by "," without blanks.
    void WriteIntArray(std::string_view section, std::string_view key, int lastIndex,
                       const int* src);
    void WriteIntArray(std::string_view section, std::string_view key, std::span<const int> src);

    // Replaces list with the values of keys prefix+"0", prefix+"1", ... up to the first empty or
    // absent one, at most MaxListItems.
    void ReadList(std::string_view section, StringList& list, std::string_view prefix = {}) const;
    // Erases the whole section, then writes item i under prefix + i, all in one write.
    void WriteList(std::string_view section, const StringList& list, std::string_view prefix = {});

    static constexpr int MaxListItems = 200;

private:
    std::string fileName_;
};

} // namespace orvane
