#include "app/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace kivo {

InstanceLock::InstanceLock(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    Lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(name));
    // Never stale by age: only the end of the holding process frees the lock.
    Lock_->setStaleLockTime(0);
    Acquired_ = Lock_->tryLock(0);
}

InstanceLock::~InstanceLock() = default;

}  // namespace kivo
