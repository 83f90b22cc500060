#include "platform/qt_instance_lock.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cstdio>
#include <string>

#include "platform/atomic_file.h"
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

}  // namespace

InstanceLock::InstanceLock() : path_(LockPath()), lock_(path_) {
    // A live instance refreshes nothing, so staleness must come from the owner's process
    // being gone, which QLockFile checks itself; never time a lock out by its age.
    lock_.setStaleLockTime(0);
}

bool InstanceLock::TryLock() {
    if (!lock_.tryLock(0))
        return false;
    // Only the user needs to read it, whatever the umask made of it.
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

}  // namespace kassavero
