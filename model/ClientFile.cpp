// Client file reading and the save through a temporary file beside the target; the system
// calls themselves go through model/Platform.h so that tests can make them fail.
#include "model/ClientFile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

#include "model/Platform.h"

namespace kivo {
namespace {

constexpr const char* kTemporaryMarker = ".kivo-save-";
constexpr const char* kTemporaryEnd = ".tmp";

// "<target's name>.kivo-save-<digits>.tmp": the name carries the target's, so a save only
// ever clears up after an earlier save of the same file.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
    static std::mt19937_64 generator{std::random_device{}()};
    const auto suffix = std::to_string(generator() % 1000000000u);
    auto name = target.filename();
    name += kTemporaryMarker + suffix + kTemporaryEnd;
    return target.parent_path() / name;
}

bool IsTemporaryOf(const std::filesystem::path& entry, const std::filesystem::path& target) {
    using String = std::filesystem::path::string_type;
    const String name = entry.filename().native();
    String start = target.filename().native();
    start += std::filesystem::path(kTemporaryMarker).native();
    const String end = std::filesystem::path(kTemporaryEnd).native();
    if (name.size() <= start.size() + end.size()) return false;
    if (name.compare(0, start.size(), start) != 0) return false;
    if (name.compare(name.size() - end.size(), end.size(), end) != 0) return false;
    for (std::size_t i = start.size(); i < name.size() - end.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
    }
    return true;
}

// Removes what saves of `target` that were killed before their rename left beside it. The
// client is already safe on disk: a temporary that cannot be removed now is tried next time.
void RemoveLeftoverTemporaries(const std::filesystem::path& target) {
    const auto entries = platform::FolderEntries(target.parent_path());
    if (!entries) return;
    for (const auto& entry : *entries) {
        if (!IsTemporaryOf(entry, target)) continue;
        [[maybe_unused]] const auto removed = platform::RemoveFile(entry);
    }
}

struct TemporaryFile {
    platform::FilePtr file;
    std::filesystem::path path;
};

// Creates a new temporary file beside `target`. One left by a save that never finished may
// hold the name drawn: draw again, a bounded number of times.
platform::Result<TemporaryFile> CreateTemporaryBeside(const std::filesystem::path& target,
                                                      unsigned permissions) {
    constexpr int kRedraws = 16;
    for (int attempt = 0;; ++attempt) {
        auto path = TemporaryNameBeside(target);
        auto file = platform::CreateExclusive(path, permissions);
        if (file) return TemporaryFile{std::move(*file), std::move(path)};
        if (file.Failure().code != EEXIST || attempt == kRedraws) return file.Failure();
    }
}

// Writes, flushes and closes the temporary file, puts it in the target's place and flushes
// the folder that now names it. The temporary takes the owner and mode of the file it
// replaces (`old`, null for a new file) before it holds anything. The first failure is the
// one reported; the file is closed whatever happened.
platform::Result<> StoreAndReplace(platform::FilePtr file, const ClientImage& image,
                                   const platform::FileFacts* old,
                                   const std::filesystem::path& temp,
                                   const std::filesystem::path& target) {
    platform::Result<> stored;
    if (old) stored = platform::TakeOwnerAndPermissions(file.get(), *old);
    if (stored) stored = platform::WriteAll(file.get(), image);
    if (stored) stored = platform::SyncFile(file.get());
    const auto closed = platform::CloseFile(std::move(file));
    if (!stored) return stored;
    if (!closed) return closed;
    if (auto replaced = platform::ReplaceFile(temp, target); !replaced) return replaced;
    return platform::SyncFolder(target.parent_path());
}

// The last resort where the folder takes no new names: the client file written over in
// place. Not atomic, but the file keeps its owner, mode and links by itself.
platform::Result<> OverwriteInPlace(const std::filesystem::path& target, const ClientImage& image) {
    auto file = platform::OpenForOverwrite(target);
    if (!file) return file.Failure();
    auto stored = platform::WriteAll(file->get(), image);
    if (stored) stored = platform::TruncateFile(file->get(), image.size());
    if (stored) stored = platform::SyncFile(file->get());
    const auto closed = platform::CloseFile(std::move(*file));
    if (!stored) return stored;
    return closed;
}

// A folder that refuses a new file by its permissions; a read-only file system or a full
// disk would refuse writing in place just the same.
bool FolderRefusesNewFiles(const platform::SystemError& error) {
    return error.code == EACCES || error.code == EPERM;
}

}  // namespace

void ReadClientFile(const std::filesystem::path& path, ClientRecord& record) {
    ClientImage image{};
    const auto got = platform::ReadFileHead(path, image);
    if (!got) throw FileError(FileErrorKind::Open, path, got.Failure().reason);
    DecodeClientFile(path, image, *got, record);
}

void DecodeClientFile(const std::filesystem::path& path, const ClientImage& image, std::size_t size,
                      ClientRecord& record) {
    if (size < kClientRecordSize) {
        throw FileError(
            FileErrorKind::NotClientFile, path,
            std::to_string(size) + " bytes, expected " + std::to_string(kClientRecordSize));
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
    const auto failed = [&](const platform::SystemError& error) {
        return FileError(FileErrorKind::Save, path, error.reason);
    };
    const auto target = platform::FollowLinks(path);
    if (!target) throw failed(target.Failure());
    const auto old = platform::LookUpFile(*target);
    if (!old) throw failed(old.Failure());
    // Only a plain file has a mode to keep and a read-only mark to honour; a folder in the
    // way is left for the rename to report.
    const bool replacing = old->exists && old->regular;
    if (replacing) {
        const auto mayWrite = platform::UserMayWrite(*target, *old);
        if (!mayWrite) throw failed(mayWrite.Failure());
        if (!*mayWrite) throw failed({EACCES, std::strerror(EACCES)});
    }

    const ClientImage image = ToImage(record);
    // Never more open than the file it replaces while it fills.
    auto temp = CreateTemporaryBeside(*target, replacing ? old->permissions & 0777u : 0666u);
    if (temp) {
        const auto saved = StoreAndReplace(std::move(temp->file), image,
                                           replacing ? &*old : nullptr, temp->path, *target);
        if (!saved) {
            [[maybe_unused]] const auto removed = platform::RemoveFile(temp->path);
            throw failed(saved.Failure());
        }
    } else if (replacing && FolderRefusesNewFiles(temp.Failure())) {
        const auto written = OverwriteInPlace(*target, image);
        if (!written) throw failed(written.Failure());
    } else {
        throw failed(temp.Failure());
    }
    RemoveLeftoverTemporaries(*target);
}

}  // namespace kivo
