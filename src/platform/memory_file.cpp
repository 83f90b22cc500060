// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/memory_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace kassavero {

OwnedFd SealedMemoryFile(std::string_view bytes, std::string& error) {
    OwnedFd file(::memfd_create("kassavero-text", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    if (!file) {
        error = std::string("no file in memory: ") + std::strerror(errno);
        return {};
    }
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(file.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = std::string("cannot fill a file in memory: ") + std::strerror(errno);
            return {};
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fcntl(file.get(), F_ADD_SEALS,
                F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) != 0) {
        error = std::string("cannot seal a file in memory: ") + std::strerror(errno);
        return {};
    }
    return file;
}

}  // namespace kassavero
