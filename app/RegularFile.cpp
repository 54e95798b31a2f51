// The non-blocking open and the plain-file check are the system's own calls on Unix; Windows
// names no pipe or device in a folder, so Qt's file there is enough.
#include "app/RegularFile.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#else
#include <QFileInfo>
#endif

namespace kivo {

#ifdef Q_OS_UNIX

namespace {

// Reads up to `limit` + 1 bytes, so a file with more than `limit` is known to be cut.
std::optional<FileStart> ReadUpTo(int fd, qint64 limit) {
    QByteArray bytes(limit + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            ::read(fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += n;
    }
    FileStart start;
    start.cut = got > limit;
    bytes.truncate(std::min(got, limit));
    start.bytes = std::move(bytes);
    return start;
}

}  // namespace

std::optional<FileStart> ReadRegularFile(const QString& path, qint64 limit) {
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: opening a pipe for reading returns at once instead of waiting for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat facts {};
    std::optional<FileStart> start;
    if (::fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode)) start = ReadUpTo(fd, limit);
    ::close(fd);
    return start;
}

#else

std::optional<FileStart> ReadRegularFile(const QString& path, qint64 limit) {
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    FileStart start;
    start.bytes = file.read(limit + 1);
    start.cut = start.bytes.size() > limit;
    if (start.cut) start.bytes.truncate(limit);
    return start;
}

#endif

}  // namespace kivo
