#pragma once

// One directory for the files of a fuzz run, in memory where the system has such a place,
// so that writing and syncing a file costs little.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline const std::filesystem::path& ScratchDirectory() {
    static const std::filesystem::path path = [] {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "kassavero-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        std::atexit([] { std::filesystem::remove_all(ScratchDirectory()); });
        return std::filesystem::path(pattern);
    }();
    return path;
}
