// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_read.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace kassavero {

FileRead ReadOpenedFile(int fd, std::size_t limit, const std::string& name) {
    FileRead result;
    const auto failed = [&](FileRead::Outcome outcome, std::string error) {
        result.outcome = outcome;
        result.error = std::move(error);
        result.bytes.clear();
    };
    result.outcome = FileRead::Outcome::Read;
    if (::fstat(fd, &result.info) != 0 || !S_ISREG(result.info.st_mode)) {
        failed(FileRead::Outcome::Failed, "cannot read " + name + ": not a regular file");
        return result;
    }
    const std::string tooLarge = name + " is larger than " + std::to_string(limit / 1024) + " KB";
    if (static_cast<std::uintmax_t>(result.info.st_size) > limit) {
        failed(FileRead::Outcome::TooLarge, tooLarge);
        return result;
    }
    result.bytes.reserve(static_cast<std::size_t>(result.info.st_size));
    // From the start, wherever the file's offset stands: a handed-over file may have
    // been written just before.
    char buffer[65536];
    for (;;) {
        const ssize_t n =
            ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(result.bytes.size()));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failed(FileRead::Outcome::Failed, "cannot read " + name + ": " + std::strerror(errno));
            break;
        }
        // The file may grow while it is read.
        if (result.bytes.size() + static_cast<std::size_t>(n) > limit) {
            failed(FileRead::Outcome::TooLarge, tooLarge);
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
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
