// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace kassavero {

// The bytes of one regular file, read without blocking: a pipe or device put in the
// file's place must not stop the program.
struct FileRead {
    enum class Outcome { Read, Missing, Failed, TooLarge };
    Outcome outcome = Outcome::Missing;
    std::string bytes;    // only when Read
    struct stat info {};  // of the opened file; zero when it could not be opened
    std::string error;    // what went wrong, naming the file
};

// Reads the file whole; a file with more than `limit` bytes is not read.
FileRead ReadRegularFile(const std::filesystem::path& path, std::size_t limit);
// The same for a file already open, read from its start; name is what errors call it.
FileRead ReadOpenedFile(int fd, std::size_t limit, const std::string& name);
// What an open file or pipe gives from where it stands to its end, as it comes: for a
// reader that may wait on its input, as a command-line tool reading a pipe.
FileRead ReadStream(int fd, std::size_t limit, const std::string& name);

}  // namespace kassavero
