// Reading a file that has to be a plain file: a pipe or a device put in its place (or a link
// to one) is never waited on, and no more is read than the caller can use.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kivo {

// The start of a file: at most the bytes asked for, and whether the file holds more.
struct FileStart {
    QByteArray bytes;
    bool cut = false;
};

// The first `limit` bytes of the plain file at `path` (links followed). Nothing when there is
// no file by that name, when it is a folder, pipe, socket or device, or when it cannot be read.
// Opening never blocks.
std::optional<FileStart> ReadRegularFile(const QString& path, qint64 limit);

}  // namespace kivo
