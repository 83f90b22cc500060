#include "platform/qt_instance_lock.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kassavero {
namespace {

QString LockPath() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable()) {
        return QDir(runtime).filePath(QStringLiteral("kassavero.lock"));
    }
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("kassavero-%1.lock").arg(static_cast<qulonglong>(getuid())));
}

}  // namespace

InstanceLock::InstanceLock() : path_(LockPath()), lock_(path_) {
    // A live instance refreshes nothing, so staleness must come from the owner's process
    // being gone, which QLockFile checks itself; never time a lock out by its age.
    lock_.setStaleLockTime(0);
}

bool InstanceLock::TryLock() {
    return lock_.tryLock(0);
}

}  // namespace kassavero
