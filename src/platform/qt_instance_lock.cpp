// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

#include "platform/atomic_file.h"
#include "platform/owned_fd.h"
#include "platform/registry_file.h"

namespace kassavero {
namespace {

// A directory only this user can write into: owned by the user, no one else may write.
bool OwnDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString LockPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && OwnDirectory(runtime.toStdString()))
        return QDir(runtime).filePath(QStringLiteral("kassavero.lock"));
    // Never the shared temporary directory, where another user could plant the name.
    const std::filesystem::path config = DefaultRegistryDirectory();
    std::string error;
    if (!CreatePrivateDirectories(config, error))
        std::fprintf(stderr, "kassavero: %s\n", error.c_str());
    if (!OwnDirectory(config.string())) {
        std::fprintf(stderr, "kassavero: %s does not belong to this user alone\n", config.c_str());
    }
    return QString::fromStdString((config / "kassavero.lock").string());
}

QString ErrnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The file name of a program behind a /proc/.../exe link; empty when it cannot be read.
std::string ProgramName(const std::string& link) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    if (length <= 0)
        return {};
    std::string path(target, static_cast<std::size_t>(length));
    // A program replaced by an update while it runs.
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.ends_with(kDeleted))
        path.resize(path.size() - kDeleted.size());
    return path.substr(path.rfind('/') + 1);
}

// A process of this user running this program, not merely some live process whose number
// a lock from before a reboot happens to name.
bool OwnKassavero(qint64 pid) {
    const std::string process = "/proc/" + std::to_string(pid);
    struct stat info {};
    if (::stat(process.c_str(), &info) != 0 || info.st_uid != ::getuid())
        return false;
    const std::string own = ProgramName("/proc/self/exe");
    return !own.empty() && ProgramName(process + "/exe") == own;
}

// QLockFile writes the process number, the program and the host name, one a line, and
// more lines after them. A file cut short before the host's line ends names no one.
struct LockContent {
    qint64 pid = 0;
    std::string host;
    bool whole = false;
};

LockContent ReadContent(const std::string& text) {
    LockContent content;
    std::string_view rest(text);
    std::string_view lines[3];
    for (std::string_view& line : lines) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos)
            return content;
        line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
    }
    if (lines[0].empty() || lines[0].size() > 18 ||
        lines[0].find_first_not_of("0123456789") != std::string_view::npos)
        return content;
    content.pid = std::stoll(std::string(lines[0]));
    content.host = lines[2];
    content.whole = content.pid > 0;
    return content;
}

}  // namespace

InstanceLock::InstanceLock() : path_(LockPath()), lock_(path_) {
    // A live instance refreshes nothing, so a lock is never timed out by its age; what
    // QLockFile cannot judge itself, TryLock does.
    lock_.setStaleLockTime(0);
}

InstanceLock::State InstanceLock::TryLock() {
    problem_.clear();
    holderPid_ = 0;
    // A lock file that another start is writing or removing settles within a few looks.
    const QByteArray name = QFile::encodeName(path_);
    for (int look = 0; look < 20; ++look) {
        // QLockFile would read whatever stands there, and wait forever on a pipe.
        struct stat there {};
        if (::lstat(name.constData(), &there) == 0 && !S_ISREG(there.st_mode)) {
            problem_ = QStringLiteral("it is not a plain file");
            return State::Unjudged;
        }
        if (lock_.tryLock(0)) {
            // Only the user needs to read it, whatever the umask made of it.
            QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            return State::Taken;
        }
        if (lock_.error() == QLockFile::PermissionError) {
            problem_ = QStringLiteral("it cannot be created: the directory is not writable");
            return State::Unjudged;
        }
        if (lock_.error() != QLockFile::LockFailedError) {
            problem_ = QStringLiteral("it cannot be created or written");
            return State::Unjudged;
        }
        switch (Judge(look == 0)) {
            case Verdict::Running:
                return State::Running;
            case Verdict::Unjudged:
                return State::Unjudged;
            case Verdict::Stale:
                break;
            case Verdict::Unsettled:
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                break;
        }
    }
    if (problem_.isEmpty())
        problem_ = QStringLiteral("it keeps changing");
    return State::Unjudged;
}

std::chrono::seconds InstanceLock::HeldFor() const {
    return std::chrono::seconds(std::max<std::time_t>(0, std::time(nullptr) - heldSince_));
}

InstanceLock::Verdict InstanceLock::Judge(bool firstLook) {
    const QByteArray name = QFile::encodeName(path_);
    // Not blocking on a pipe, not following a link someone put in its place.
    const OwnedFd file{
        ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK)};
    if (!file) {
        if (errno == ENOENT)
            return Verdict::Stale;  // gone meanwhile
        problem_ = ErrnoText(errno);
        return Verdict::Unjudged;
    }
    struct stat judged {};
    if (::fstat(file.get(), &judged) != 0) {
        problem_ = ErrnoText(errno);
        return Verdict::Unjudged;
    }
    if (!S_ISREG(judged.st_mode)) {
        problem_ = QStringLiteral("it is not a plain file");
        return Verdict::Unjudged;
    }
    std::string text(4096, '\0');
    const ssize_t length = ::read(file.get(), text.data(), text.size());
    if (length < 0) {
        problem_ = ErrnoText(errno);
        return Verdict::Unjudged;
    }
    text.resize(static_cast<std::size_t>(length));
    const LockContent content = ReadContent(text);
    const bool named = content.whole && content.host == QSysInfo::machineHostName().toStdString() &&
                       OwnKassavero(content.pid);
    if (named) {
        holderPid_ = content.pid;
        heldSince_ = judged.st_mtime;
    }

    // A running holder keeps an exclusive flock on the file; where the file system has
    // no flock, the content alone decides.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            if (named)
                return Verdict::Running;
            // Being written by a start this moment, or replaced after a stale one.
            problem_ = QStringLiteral("it is held by a process that is no Kassavero of yours here");
            return Verdict::Unsettled;
        }
        if (named)
            return Verdict::Running;
    }
    // No one holds it. A start may have created it a moment ago and not locked it yet,
    // which only an unfinished content can mean.
    if (firstLook && !content.whole)
        return Verdict::Unsettled;
    // Removed only while it is still the file judged: one another start has just put in
    // its place is never removed. Holding its flock keeps other starts off it meanwhile.
    struct stat now {};
    if (::stat(name.constData(), &now) == 0 && now.st_dev == judged.st_dev &&
        now.st_ino == judged.st_ino && ::unlink(name.constData()) != 0 && errno != ENOENT) {
        problem_ = QStringLiteral("it is stale but cannot be removed: ") + ErrnoText(errno);
        return Verdict::Unjudged;
    }
    return Verdict::Stale;
}

}  // namespace kassavero
