#pragma once
// A folder of the run's own for targets that write files, made on first use and removed when the
// process ends. Each target is a process of its own, so one folder a process is enough.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "orvane-fuzz-XXXXXX").string();
        if (mkdtemp(name.data()) == nullptr) std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchFolder(), ec);
        });
        return std::filesystem::path(name);
    }();
    return folder;
}
