// Files on disk read and written byte for byte, for tests that check what the program saved
// and feed it files of their own making.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "model/ClientRecord.h"

namespace kivo::test {

// The whole file; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first `count` bytes of the file; empty when it cannot be read.
inline QByteArray FileHead(const QString& path, int count) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(count) : QByteArray();
}

// Replaces the file with `bytes`; false when it could not be written whole.
[[nodiscard]] inline bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// The bytes a client file holding `record` consists of.
inline QByteArray RecordBytes(const ClientRecord& record) {
    const ClientImage image = ToImage(record);
    return {reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size())};
}

}  // namespace kivo::test
