// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_read.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace kassavero {

namespace {

// Reads to the end into result.bytes: from the start by position where the file is a
// regular one (a handed-over file may have been written just before), else as it comes.
void ReadToEnd(int fd, bool fromStart, std::size_t limit, const std::string& name,
               FileRead& result) {
    const std::string tooLarge = name + " is larger than " + std::to_string(limit / 1024) + " KB";
    result.outcome = FileRead::Outcome::Read;
    char buffer[65536];
    for (;;) {
        const ssize_t n =
            fromStart ? ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(result.bytes.size()))
                      : ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.outcome = FileRead::Outcome::Failed;
            result.error = "cannot read " + name + ": " + std::strerror(errno);
        } else if (result.bytes.size() + static_cast<std::size_t>(n) > limit) {
            // The file may grow while it is read.
            result.outcome = FileRead::Outcome::TooLarge;
            result.error = tooLarge;
        } else {
            result.bytes.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        result.bytes.clear();
        return;
    }
}

}  // namespace

FileRead ReadOpenedFile(int fd, std::size_t limit, const std::string& name) {
    FileRead result;
    if (::fstat(fd, &result.info) != 0 || !S_ISREG(result.info.st_mode)) {
        result.outcome = FileRead::Outcome::Failed;
        result.error = "cannot read " + name + ": not a regular file";
        return result;
    }
    if (static_cast<std::uintmax_t>(result.info.st_size) > limit) {
        result.outcome = FileRead::Outcome::TooLarge;
        result.error = name + " is larger than " + std::to_string(limit / 1024) + " KB";
        return result;
    }
    result.bytes.reserve(static_cast<std::size_t>(result.info.st_size));
    ReadToEnd(fd, true, limit, name, result);
    return result;
}

FileRead ReadStream(int fd, std::size_t limit, const std::string& name) {
    FileRead result;
    ReadToEnd(fd, false, limit, name, result);
    return result;
}

FileRead ReadRegularFile(const std::filesystem::path& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        FileRead result;
        result.outcome = error == ENOENT ? FileRead::Outcome::Missing : FileRead::Outcome::Failed;
        result.error = "cannot read " + path.string() + ": " + std::strerror(error);
        return result;
    }
    FileRead result = ReadOpenedFile(fd, limit, path.string());
    ::close(fd);
    return result;
}

}  // namespace kassavero
