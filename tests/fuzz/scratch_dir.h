// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One directory for the files of a fuzz run, in memory where the system has such a place,
// so that writing a file costs little. They are thrown away at the end, so the store
// writes them without flushing them to the disk.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/atomic_file.h"

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
        kassavero::SkipDiskFlushesForFuzzing();
        return std::filesystem::path(pattern);
    }();
    return path;
}
