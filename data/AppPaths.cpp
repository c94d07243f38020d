#include "AppPaths.h"

#include <system_error>

namespace orvane {
namespace {
std::filesystem::path& Override() {
    static std::filesystem::path path;
    return path;
}
} // namespace

std::filesystem::path ExecutablePath() {
    if (!Override().empty()) return Override();
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() / "orvane" : p;
}

std::filesystem::path ExecutableFolder() { return ExecutablePath().parent_path(); }

void SetExecutablePath(const std::filesystem::path& path) { Override() = path; }

} // namespace orvane
