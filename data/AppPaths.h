#pragma once
// Where the program keeps its files: the settings file and the notes files live beside the
// executable. Tests and tools point this elsewhere with SetExecutablePath.

#include <filesystem>

namespace orvane {

// Full path of the running executable (from /proc/self/exe unless overridden).
std::filesystem::path ExecutablePath();
std::filesystem::path ExecutableFolder();

// Overrides the executable path for the rest of the process; an empty path restores the real one.
void SetExecutablePath(const std::filesystem::path& path);

} // namespace orvane
