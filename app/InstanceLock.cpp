// The single-instance lock as a QLockFile in the user's runtime folder, which ends with
// the process that holds it, and the per-user socket name beside it.
#include "app/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kivo {
namespace {

// Where the lock and the socket go when the system names no runtime folder of the user's:
// a folder of the user's own in the temporary folder, which other users share. One that is
// not a private folder of this user's (someone made it first) is not used.
QString FallbackFolder() {
#ifdef Q_OS_UNIX
    const QString folder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("kivo-%1").arg(::getuid()));
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    struct stat facts {};
    if (::lstat(path.constData(), &facts) == 0 && S_ISDIR(facts.st_mode) &&
        facts.st_uid == ::getuid() && (facts.st_mode & 077) == 0) {
        return folder;
    }
#endif
    return QDir::tempPath();
}

}  // namespace

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) return FallbackFolder();
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
    return QDir(FallbackFolder()).filePath(name);
#endif
}

}  // namespace kivo
