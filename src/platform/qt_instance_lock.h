#pragma once

#include <QLockFile>
#include <QString>

namespace kassavero {

// One running Kassavero per user and desktop session: a lock file in $XDG_RUNTIME_DIR,
// else in the program's configuration directory. Both belong to the user alone, so no
// other user can take the name first. A lock left behind by a crashed instance is
// recognised as stale and taken over.
class InstanceLock {
  public:
    InstanceLock();
    // True when this process now holds the lock; false when another instance runs.
    bool TryLock();
    QString Path() const { return path_; }

  private:
    QString path_;
    QLockFile lock_;
};

}  // namespace kassavero
