// The single-instance lock as a QLockFile in the user's runtime folder, which ends with
// the process that holds it, and the per-user socket name beside it.
#include "app/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace kivo {

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

InstanceLock::InstanceLock(const QString& name) {
    lock_ = std::make_unique<QLockFile>(QDir(RuntimeFolder()).filePath(name));
    // Never stale by age: only the end of the holding process frees the lock.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
}

InstanceLock::~InstanceLock() = default;

QString InstanceChannelName() {
#ifdef Q_OS_WIN
    // Pipe names take any character but the backslash.
    QString user = qEnvironmentVariable("USERNAME");
    user.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("KIVO-") + user;
#else
    const QString name = QStringLiteral("kivo-%1.socket").arg(::getuid());
    const QString path = QDir(RuntimeFolder()).filePath(name);
    // A socket's path must fit its address: 104 bytes on macOS, 108 on Linux.
    if (path.toUtf8().size() < 100) return path;
    return QDir(QDir::tempPath()).filePath(name);
#endif
}

}  // namespace kivo
