#include "AppPaths.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace orvane {
namespace {
std::filesystem::path& Override() {
    static std::filesystem::path path;
    return path;
}

bool IsWritableFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0;
}
} // namespace

std::filesystem::path ExecutablePath() {
    if (!Override().empty()) return Override();
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() / "orvane" : p;
}

std::filesystem::path ExecutableFolder() {
    return ExecutablePath().parent_path();
}

void SetExecutablePath(const std::filesystem::path& path) {
    Override() = path;
}

std::filesystem::path UserConfigFolder(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        return std::filesystem::path(xdgConfigHome) / "orvane";
    if (home && home[0] == '/') return std::filesystem::path(home) / ".config" / "orvane";
    return {};
}

std::filesystem::path KeepingFolder() {
    std::filesystem::path folder = ExecutableFolder();
    if (IsWritableFolder(folder)) return folder;
    std::filesystem::path user =
        UserConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (user.empty()) return folder;
    std::error_code ec;
    std::filesystem::create_directories(user, ec);
    return IsWritableFolder(user) ? user : folder;
}

} // namespace orvane
