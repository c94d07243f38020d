#pragma once
// Where the program keeps its files. The settings file and the notes files live beside the
// executable, as they always have; an installed program cannot write there, so it keeps them
// in the user's configuration folder instead. Tests and tools point the executable elsewhere
// with SetExecutablePath.

#include <filesystem>
#include <string>

namespace orvane {

// Full path of the running executable (from /proc/self/exe unless overridden).
std::filesystem::path ExecutablePath();
std::filesystem::path ExecutableFolder();

// Overrides the executable path for the rest of the process; an empty path restores the real one.
void SetExecutablePath(const std::filesystem::path& path);

// The folder of the settings and notes files: the executable's folder when this process may
// write there, otherwise UserConfigFolder() (made when missing). Should that fail as well, the
// executable's folder again, so that writes report their failure instead of going elsewhere.
std::filesystem::path KeepingFolder();

// "$XDG_CONFIG_HOME/orvane", or "$HOME/.config/orvane" when XDG_CONFIG_HOME is unset or not an
// absolute path; empty when neither is known.
std::filesystem::path UserConfigFolder(const char* xdgConfigHome, const char* home);

} // namespace orvane
