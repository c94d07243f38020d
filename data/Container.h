#pragma once
// The scripture resource container: a 12-byte header ("KQZW", reserved, file count, name-block
// length, reserved), the body length, then one BZip2 stream holding the name block, the size
// table and the files' bytes.

#include "Gbk.h"
#include "Streams.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr char kContainerMagic[4] = {'K', 'Q', 'Z', 'W'};
inline constexpr size_t kContainerHeaderSize = 12;
// Largest body a container may claim. The shipped bodies are a few MB; a header that claims
// more is corrupt and must not make us allocate gigabytes.
inline constexpr uint32_t kMaxContainerBody = 512u << 20;

// Looks up an embedded resource by its upper-case name; nullopt when there is none. The
// bytes must stay valid for the life of the process (compiled-in data).
using ResourceProvider = std::function<std::optional<std::string_view>(std::string_view name)>;
void SetResourceProvider(ResourceProvider provider);
// The resource's bytes, looked up without regard to case; EResourceNotFound when missing.
std::string_view FindResource(std::string_view name);

// Reads a container from `fileName`, or, when that is empty, from the resource `resourceName`
// ("bibbook" when empty too). False for a missing file, a wrong magic or a file count of 0, with
// both lists left as they were. Corrupt compressed data, a missing resource and lengths that
// run past the body raise errors (EBZip2Error, EResourceNotFound, EContainerError); the lists
// are left as they were then too.
bool ReadContainer(StringList& names, std::vector<StringList>& files,
                   const std::string& resourceName, const std::string& fileName);

// The same from bytes already in memory.
bool ReadContainerBytes(std::string_view bytes, StringList& names, std::vector<StringList>& files);

// Writes the files named in `inputs` (in order) into a container at `outputPath`. An unreadable
// input raises an error; false when the inputs cannot fit the format (none, more than 255, a
// name block over 64 KiB, a file of 4 GiB or more) or compressing or writing fails.
bool WriteContainer(const StringList& inputs, const std::string& outputPath);

// In place: body -> body length (4 bytes) + BZip2 stream, and back. ExpandBody reads from the
// stream's position and leaves the expanded body at position 0.
void CompressBody(TMemoryStream& body);
void ExpandBody(TMemoryStream& stream);

// WriteContainer timed: the milliseconds it took, or -1 when it failed. Errors of
// WriteContainer propagate.
long long PackContainer(const StringList& inputs, const std::string& outputFile);

// Packs "1.txt" (chain references) and "2.txt" (Chinese text) of `sourceFolder` into
// `outputFile`. Returns the milliseconds it took, or -1 when WriteContainer failed.
long long PackScripture(const std::string& sourceFolder, const std::string& outputFile);

} // namespace orvane
