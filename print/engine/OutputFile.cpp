// The temporary file beside the target, the checks before it takes the target's name, and the
// rename that replaces whatever had the name.
#include "print/engine/OutputFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "model/Error.h"
#include "print/engine/PageOutput.h"

namespace kivo::report {
namespace {

std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A device or a pipe already at the name (/dev/stdout, /dev/null, a FIFO) is written into:
// there is no file to replace, and the system's own device names are never replaced.
bool WritesIntoDevice(const QString& path) {
    if (path.startsWith(QLatin1String("/dev/")) || path.startsWith(QLatin1String("/proc/"))) {
        return true;
    }
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

// ".<name>.<digits>.part" beside the target: hidden, and never a name the program reads.
QString TemporaryNameBeside(const QString& path) {
    const QFileInfo target(path);
    const QString name = QLatin1Char('.') + target.fileName() + QLatin1Char('.') +
                         QString::number(QRandomGenerator::global()->bounded(1000000000)) +
                         QLatin1String(".part");
    return target.dir().filePath(name);
}

}  // namespace

CheckedFileDevice::~CheckedFileDevice() {
    if (file_ != nullptr) std::fclose(file_);
}

bool CheckedFileDevice::Open(const QString& path, bool exclusive) {
    errno = 0;
    file_ = std::fopen(QFile::encodeName(path).constData(), exclusive ? "wbx" : "wb");
    if (file_ == nullptr) {
        Failed();
        return false;
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 CheckedFileDevice::writeData(const char* data, qint64 size) {
    if (!failure_.empty()) return -1;
    errno = 0;
    const auto count = static_cast<std::size_t>(size);
    if (std::fwrite(data, 1, count, file_) != count) {
        Failed();
        return -1;
    }
    written_ += size;
    return size;
}

bool CheckedFileDevice::Finish() {
    QIODevice::close();
    if (file_ == nullptr) return failure_.empty();
    errno = 0;
    if (std::fflush(file_) != 0 && failure_.empty()) Failed();
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed && failure_.empty()) Failed();
    return failure_.empty();
}

void CheckedFileDevice::Failed() {
    failure_ = errno != 0 ? std::strerror(errno) : "write error";
}

OutputFile::OutputFile(const QString& path) : path_(path) {
    if (WritesIntoDevice(path)) {
        if (!device_.Open(path, false)) Fail(device_.Failure());
        return;
    }
    // A name left by a run that never finished may come up again: draw again a few times.
    constexpr int kDraws = 16;
    for (int draw = 0;; ++draw) {
        const QString temporary = TemporaryNameBeside(path);
        if (device_.Open(temporary, true)) {
            temporary_ = temporary;
            return;
        }
        if (draw == kDraws || !QFileInfo::exists(temporary)) Fail(device_.Failure());
    }
}

OutputFile::~OutputFile() {
    if (done_) return;
    device_.Finish();
    RemoveTemporary();
}

void OutputFile::RemoveTemporary() {
    if (temporary_.isEmpty()) return;
    std::error_code ec;
    std::filesystem::remove(NativePath(temporary_), ec);
}

void OutputFile::Commit() {
    if (!device_.Finish()) Fail(device_.Failure());
    if (temporary_.isEmpty()) {
        done_ = true;
        return;
    }
    if (QFileInfo(temporary_).size() != device_.Written()) {
        Fail("the file on disk is shorter than what was written");
    }
    std::error_code ec;
    std::filesystem::rename(NativePath(temporary_), NativePath(path_), ec);
    if (ec) Fail(ec.message());
    done_ = true;
}

void OutputFile::Abandon(const QString& reason) {
    Fail(device_.Failure().empty() ? reason.toStdString() : device_.Failure());
}

void OutputFile::Fail(const std::string& reason) {
    if (!done_) {
        device_.Finish();
        RemoveTemporary();
        done_ = true;
    }
    throw FileError(FileErrorKind::Save, NativePath(path_), reason);
}

void SavePng(const QImage& image, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    OutputFile file(path);
    if (!image.save(&buffer, "PNG")) file.Abandon(QStringLiteral("the image could not be encoded"));
    file.Device().write(png);
    file.Commit();
}

PdfFile::PdfFile(const QString& path, const QPageSize& pageSize, int dpi, const QString& title)
    : OutputFileHolder(path), QPdfWriter(&file.Device()) {
    SetUpPdfWriter(*this, pageSize, dpi, title);
}

}  // namespace kivo::report
