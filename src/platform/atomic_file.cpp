// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace kassavero {
namespace {

namespace fs = std::filesystem;

// Set only by SkipDiskFlushesForFuzzing; the program itself always flushes.
std::atomic<bool> skipFlushes{false};

bool FlushToDisk(int fd) {
    return skipFlushes.load(std::memory_order_relaxed) || ::fsync(fd) == 0;
}

std::string ErrnoText(const std::string& what, const fs::path& path, int error) {
    return what + " " + path.string() + ": " + std::strerror(error);
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a path finally names, following symbolic links (also dangling ones).
fs::path ThroughLinks(fs::path path) {
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, error); ++hops) {
        const fs::path linked = fs::read_symlink(path, error);
        if (error)
            break;
        path = linked.is_absolute() ? linked : path.parent_path() / linked;
    }
    return path;
}

}  // namespace

void SkipDiskFlushesForFuzzing() {
    skipFlushes.store(true, std::memory_order_relaxed);
}

namespace {

// A group that is only this user's: named like the user, with no other members listed.
bool PrivateGroup(gid_t gid) {
    const struct group* group = ::getgrgid(gid);
    const struct passwd* user = ::getpwuid(::getuid());
    return group != nullptr && user != nullptr && gid == user->pw_gid &&
           std::strcmp(group->gr_name, user->pw_name) == 0 &&
           (group->gr_mem == nullptr || group->gr_mem[0] == nullptr);
}

std::string WritableByOthers(const fs::path& path, bool stickyWillDo) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    if (info.st_uid != ::getuid() && info.st_uid != 0)
        return path.string() + " belongs to another user";
    // In a shared folder with the sticky bit (as /tmp) nobody can move our folder away;
    // inside our own folder others could still plant a file before us.
    if (stickyWillDo && (info.st_mode & S_ISVTX) != 0)
        return {};
    if ((info.st_mode & S_IWOTH) != 0)
        return path.string() + " can be written by every user (mode " + mode + ")";
    if ((info.st_mode & S_IWGRP) != 0 && !PrivateGroup(info.st_gid))
        return path.string() + " can be written by its group (mode " + mode + ")";
    return {};
}

}  // namespace

std::string OthersCanWrite(const fs::path& directory) {
    std::string problem = WritableByOthers(directory, false);
    if (problem.empty() && directory.has_parent_path())
        problem = WritableByOthers(directory.parent_path(), true);
    return problem;
}

bool CreatePrivateDirectories(const fs::path& directory, std::string& error) {
    if (directory.empty())
        return true;
    struct stat info {};
    if (::stat(directory.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return true;
        error = "cannot create " + directory.string() + ": not a directory";
        return false;
    }
    if (directory.has_parent_path() && directory.parent_path() != directory &&
        !CreatePrivateDirectories(directory.parent_path(), error)) {
        return false;
    }
    if (::mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST) {
        error = ErrnoText("cannot create", directory, errno);
        return false;
    }
    // The umask may have taken away bits; it never adds any, but say it exactly.
    ::chmod(directory.c_str(), 0700);
    return true;
}

void RemoveLeftoverTemporary(const fs::path& path) {
    fs::path temporary = ThroughLinks(path);
    temporary += ".tmp";
    ::unlink(temporary.c_str());
}

bool ReplaceFileAtomically(const fs::path& path, std::string_view content, std::string& error,
                           unsigned newFileMode) {
    const fs::path target = ThroughLinks(path);
    const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (target != path) {
        // A link is followed, never replaced; nothing is created where a link points.
        if (!exists) {
            error = "cannot write " + path.string() + ": it links to " + target.string() +
                    ", which does not exist";
            return false;
        }
    } else if (!CreatePrivateDirectories(directory, error)) {
        return false;
    }
    if (exists && (old.st_mode & S_IWUSR) == 0) {
        // Made read-only by the user: it stays as it is.
        error = "cannot write " + target.string() + ": the file is read-only";
        return false;
    }

    fs::path temporary = target;
    temporary += ".tmp";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = ErrnoText("cannot create", temporary, errno);
        return false;
    }
    // Settings and status texts are the user's own: by default a new file is 0600 whatever
    // the umask.
    ::fchmod(fd, exists ? old.st_mode & 07777 : static_cast<mode_t>(newFileMode & 07777));
    bool ok = WriteAll(fd, content) && FlushToDisk(fd);
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        error = ErrnoText("cannot write", temporary, failure);
        ::unlink(temporary.c_str());
        return false;
    }
    if (skipFlushes.load(std::memory_order_relaxed))
        return true;
    const int dir = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace kassavero
