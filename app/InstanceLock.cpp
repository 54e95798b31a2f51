// The single-instance lock as a QLockFile in the user's runtime folder, which ends with
// the process that holds it.
#include "app/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace kivo {

InstanceLock::InstanceLock(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(name));
    // Never stale by age: only the end of the holding process frees the lock.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
}

InstanceLock::~InstanceLock() = default;

}  // namespace kivo
