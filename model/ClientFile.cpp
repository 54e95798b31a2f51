// Client file reading and the save through a temporary file beside the target; the system
// calls themselves go through model/Platform.h so that tests can make them fail.
#include "model/ClientFile.h"

#include <cerrno>
#include <random>
#include <string>

#include "model/Platform.h"

namespace kivo {
namespace {

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
    static std::mt19937_64 generator{std::random_device{}()};
    const auto suffix = std::to_string(generator() % 1000000000u);
    auto name = target.filename();
    name += ".kivo-save-" + suffix + ".tmp";
    return target.parent_path() / name;
}

struct TemporaryFile {
    platform::FilePtr file;
    std::filesystem::path path;
};

// Creates a new temporary file beside `target`. One left by a save that never finished may
// hold the name drawn: draw again, a bounded number of times.
platform::Result<TemporaryFile> CreateTemporaryBeside(const std::filesystem::path& target) {
    constexpr int kRedraws = 16;
    for (int attempt = 0;; ++attempt) {
        auto path = TemporaryNameBeside(target);
        auto file = platform::CreateExclusive(path);
        if (file) return TemporaryFile{std::move(*file), std::move(path)};
        if (file.Failure().code != EEXIST || attempt == kRedraws) return file.Failure();
    }
}

// Writes, flushes and closes the temporary file, then puts it in the target's place. The
// first failure is the one reported; the file is closed whatever happened.
platform::Result<> StoreAndReplace(platform::FilePtr file, const ClientImage& image,
                                   const std::filesystem::path& temp,
                                   const std::filesystem::path& target) {
    auto stored = platform::WriteAll(file.get(), image);
    if (stored) stored = platform::SyncFile(file.get());
    const auto closed = platform::CloseFile(std::move(file));
    if (!stored) return stored;
    if (!closed) return closed;
    return platform::ReplaceFile(temp, target);
}

}  // namespace

void ReadClientFile(const std::filesystem::path& path, ClientRecord& record) {
    ClientImage image{};
    const auto got = platform::ReadFileHead(path, image);
    if (!got) throw FileError(FileErrorKind::Open, path, got.Failure().reason);
    if (*got < kClientRecordSize) {
        throw FileError(
            FileErrorKind::NotClientFile, path,
            std::to_string(*got) + " bytes, expected " + std::to_string(kClientRecordSize));
    }
    // "KIVO1" and its NUL.
    if (std::string_view(reinterpret_cast<const char*>(image.data()), kSignature.size() + 1) !=
        std::string_view("KIVO1\0", 6)) {
        throw FileError(FileErrorKind::NotClientFile, path,
                        "it does not start with the KIVO1 signature");
    }
    record = FromImage(image);
}

void WriteClientFile(const std::filesystem::path& path, const ClientRecord& record) {
    auto temp = CreateTemporaryBeside(path);
    if (!temp) throw FileError(FileErrorKind::Save, path, temp.Failure().reason);
    const auto saved = StoreAndReplace(std::move(temp->file), ToImage(record), temp->path, path);
    if (!saved) {
        std::error_code ignored;
        std::filesystem::remove(temp->path, ignored);
        throw FileError(FileErrorKind::Save, path, saved.Failure().reason);
    }
}

}  // namespace kivo
