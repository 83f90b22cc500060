// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_read.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace kassavero {

FileRead ReadRegularFile(const std::filesystem::path& path, std::size_t limit) {
    FileRead result;
    const auto failed = [&](FileRead::Outcome outcome, std::string error) {
        result.outcome = outcome;
        result.error = std::move(error);
        result.bytes.clear();
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        failed(error == ENOENT ? FileRead::Outcome::Missing : FileRead::Outcome::Failed,
               "cannot read " + path.string() + ": " + std::strerror(error));
        return result;
    }
    result.outcome = FileRead::Outcome::Read;
    if (::fstat(fd, &result.info) != 0 || !S_ISREG(result.info.st_mode)) {
        failed(FileRead::Outcome::Failed, "cannot read " + path.string() + ": not a regular file");
        ::close(fd);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failed(FileRead::Outcome::Failed,
                   "cannot read " + path.string() + ": " + std::strerror(errno));
            break;
        }
        if (result.bytes.size() + static_cast<std::size_t>(n) > limit) {
            failed(FileRead::Outcome::TooLarge,
                   path.string() + " is larger than " + std::to_string(limit / 1024) + " KB");
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return result;
}

}  // namespace kassavero
