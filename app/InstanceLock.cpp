// The single-instance lock in the user's runtime folder, which ends with the process that
// holds it, and the per-user socket name beside it.
#include "app/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace kivo {

#ifdef Q_OS_UNIX
bool IsPrivateFolder(const QByteArray& folder) {
    struct stat facts {};
    return ::lstat(folder.constData(), &facts) == 0 && S_ISDIR(facts.st_mode) &&
           facts.st_uid == ::getuid() && (facts.st_mode & 077) == 0;
}
#endif

namespace {

#ifdef Q_OS_UNIX
// `folder` made for this user alone when it is missing; whether it is a private folder of
// this user's (one someone else made first is not).
bool MadePrivate(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    ::mkdir(path.constData(), 0700);
    return IsPrivateFolder(path);
}
#endif

// Where the lock and the socket go when the system names no runtime folder of the user's: a
// folder of the user's own in the temporary folder, or where someone else took that name, in
// the user's cache folder (~/.cache/kivo). Never the shared temporary folder itself, where
// anyone could put a lock or a socket in the way. Empty when neither can be had.
QString FallbackFolder() {
#ifdef Q_OS_UNIX
    const QString inTemp =
        QDir(QDir::tempPath()).filePath(QStringLiteral("kivo-%1").arg(::getuid()));
    if (MadePrivate(inTemp)) return inTemp;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache)) return {};
    const QString inCache = QDir(cache).filePath(QStringLiteral("kivo"));
    return MadePrivate(inCache) ? inCache : QString();
#else
    // Windows gives each user a temporary folder of their own.
    return QDir::tempPath();
#endif
}

}  // namespace

QString RuntimeFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) return FallbackFolder();
    QDir().mkpath(folder);
#ifdef Q_OS_UNIX
    if (!IsPrivateFolder(QFile::encodeName(folder))) return FallbackFolder();
#endif
    return folder;
}

#ifdef Q_OS_UNIX

// The kernel's lock on the open lock file (flock), freed when the process ends however it
// ends. The file stays between runs, so a start neither creates nor writes anything and does
// not wait on a busy disk. A copy holding a QLockFile (earlier versions) holds the same kind
// of lock on the same file, so each sees the other; for them a new lock file gets the number
// of the process that made it, without which they would take it for held for ever.
struct InstanceLock::Held {
    explicit Held(int lockFd) : fd(lockFd) {}
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() { ::close(fd); }
    int fd = -1;
};

namespace {

// The locked file at `path`, or -1 when another process holds it (or it cannot be opened).
// A lock taken on a file that an earlier version removed as stale meanwhile is no lock at
// all, so the file must still be the one at that name once locked.
int LockFileAt(const QByteArray& path) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        // Not blocking on a pipe or device someone put there: only a plain file is a lock.
        const int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
        if (fd < 0) return -1;
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return -1;
        }
        // Another user's file is never this user's lock. The folder is the user's own, so
        // the file goes and a new one is made.
        if (opened.st_uid != ::getuid()) {
            ::close(fd);
            ::unlink(path.constData());
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return -1;
        }
        struct stat named {};
        if (::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino) {
            if (opened.st_size == 0) {
                const QByteArray note = QByteArray::number(::getpid()) + '\n';
                [[maybe_unused]] const ssize_t written = ::write(fd, note.constData(), note.size());
            }
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

}  // namespace

InstanceLock::InstanceLock(const QString& name) {
    const QString folder = RuntimeFolder();
    if (folder.isEmpty()) return;
    const int fd = LockFileAt(QFile::encodeName(QDir(folder).filePath(name)));
    if (fd >= 0) held_ = std::make_unique<Held>(fd);
}

#else

struct InstanceLock::Held {
    explicit Held(const QString& path) : file(path) {}
    QLockFile file;
};

InstanceLock::InstanceLock(const QString& name) {
    held_ = std::make_unique<Held>(QDir(RuntimeFolder()).filePath(name));
    // Never stale by age: only the end of the holding process frees the lock.
    held_->file.setStaleLockTime(0);
    if (!held_->file.tryLock(0)) held_.reset();
}

#endif

InstanceLock::~InstanceLock() = default;

QString InstanceChannelName() {
#ifdef Q_OS_WIN
    // Pipe names take any character but the backslash.
    QString user = qEnvironmentVariable("USERNAME");
    user.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("KIVO-") + user;
#else
    const QString name = QStringLiteral("kivo-%1.socket").arg(::getuid());
    const QString folder = RuntimeFolder();
    if (folder.isEmpty()) return {};
    const QString path = QDir(folder).filePath(name);
    // A socket's path must fit its address: 104 bytes on macOS, 108 on Linux.
    if (path.toUtf8().size() < 100) return path;
    const QString fallback = FallbackFolder();
    return fallback.isEmpty() ? QString() : QDir(fallback).filePath(name);
#endif
}

}  // namespace kivo
