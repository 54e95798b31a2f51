// Files the program writes whole or not at all: PDFs and images go to a temporary file beside
// the target and take its name only once every byte is written, so a full disk or a failed
// write never leaves a cut-off file behind.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <cstdio>
#include <string>

namespace kivo::report {

// The device an OutputFile is written through: a stdio file that keeps the system's reason
// for the first write that failed (Qt's own file class loses it on a short write).
class CheckedFileDevice : public QIODevice {
public:
    ~CheckedFileDevice() override;
    // Opens `path` for writing: a new file only (`exclusive`), or whatever is there.
    bool Open(const QString& path, bool exclusive);
    // Flushes and closes; false with Failure() set when that or any write failed.
    bool Finish();
    const std::string& Failure() const { return failure_; }
    qint64 Written() const { return written_; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void Failed();

    std::FILE* file_ = nullptr;
    std::string failure_;
    qint64 written_ = 0;
};

// One output file. Write into Device(), then Commit(). A name that is a symbolic link is
// replaced by the new file, never written through; a device or a pipe that already exists
// under the name (/dev/stdout, a FIFO) is written straight into, as there is nothing to
// replace. Every failure throws a FileError of kind Save naming the file and the system's
// reason. What was not committed is removed when the object goes.
class OutputFile {
public:
    explicit OutputFile(const QString& path);  // opens; throws when it cannot
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    QIODevice& Device() { return device_; }
    const QString& Path() const { return path_; }
    // Flushes and closes the file, checks that all of it reached the disk and puts it in
    // place. Throws when any of that failed, leaving nothing at the target's name that was not
    // there before.
    void Commit();
    // Gives the file up when what was to be written into it failed: removes it and throws,
    // with the system's reason when a write failed, else with `reason`.
    [[noreturn]] void Abandon(const QString& reason);

private:
    [[noreturn]] void Fail(const std::string& reason);
    void RemoveTemporary();

    QString path_;
    QString temporary_;  // empty when written into the device at `path_` itself
    CheckedFileDevice device_;
    bool done_ = false;  // in place, or nothing left to remove
};

// Writes `image` as a PNG file at `path`, whole or not at all. The image is encoded in memory
// first, so a failing disk is only ever seen (and reported) by the file. Throws as OutputFile.
void SavePng(const QImage& image, const QString& path);

namespace detail {
// Holds the file of a PdfFile, so that it is made before the writer and goes after it.
struct OutputFileHolder {
    explicit OutputFileHolder(const QString& path) : file(path) {}
    OutputFile file;
};
}  // namespace detail

// A PDF writer into an OutputFile: draw into it like any QPdfWriter, end the painter, then
// Commit(). Page size, `dpi` and `title` as for MakePdfWriter. Throws as OutputFile does.
class PdfFile : private detail::OutputFileHolder, public QPdfWriter {
public:
    PdfFile(const QString& path, const QPageSize& pageSize, int dpi, const QString& title);
    void Commit() { file.Commit(); }
    [[noreturn]] void Abandon(const QString& reason) { file.Abandon(reason); }
    const QString& Path() const { return file.Path(); }
};

}  // namespace kivo::report
