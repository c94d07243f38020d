#pragma once
// Whole-file reading and line-wise writing for the generator's inputs and outputs.

#include "Gbk.h"

#include <filesystem>
#include <string>

namespace orvane::datagen {

// The file's bytes; DataError when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// Writes every line followed by LF. The text goes to a temporary file beside `path` that is
// renamed over it at the end, so a failed run never leaves a half-written output that the
// build would take for up to date.
void WriteLinesFile(const std::filesystem::path& path, const StringList& lines);

} // namespace orvane::datagen
