// Client file reading and the save through a temporary file beside the target; the system
// calls themselves go through model/Platform.h so that tests can make them fail.
#include "model/ClientFile.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <span>
#include <string>
#include <string_view>

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

// How a save through a temporary file ended: its result, and whether the old file is to be
// written over in place instead because the temporary cannot stand in for it.
struct TemporaryOutcome {
    platform::Result<> result;
    bool inPlaceInstead = false;
};

// A refusal by permission: of a new name in the folder, of a rename over another user's
// file in a sticky folder. A read-only file system or a full disk would refuse writing in
// place just the same.
bool RefusedByPermission(const platform::SystemError& error) {
    return error.code == EACCES || error.code == EPERM;
}

// Writes, flushes and closes the temporary file, puts it in the target's place and flushes
// the folder that now names it. The temporary takes the owner, mode, access list and
// attributes of the file it replaces (`old`, null for a new file) before it holds anything.
// The first failure is the one reported; the file is closed whatever happened.
TemporaryOutcome StoreAndReplace(platform::FilePtr file, const ClientImage& image,
                                 const platform::FileFacts* old, const std::filesystem::path& temp,
                                 const std::filesystem::path& target) {
    platform::Result<> stored;
    if (old) stored = platform::TakeOwnerAndPermissions(file.get(), *old);
    if (stored && old) {
        stored = platform::CopyAccessAndAttributes(target, file.get());
        if (!stored) {
            [[maybe_unused]] const auto closed = platform::CloseFile(std::move(file));
            return {stored, true};
        }
    }
    if (stored) stored = platform::WriteAll(file.get(), image);
    if (stored) stored = platform::SyncFile(file.get());
    const auto closed = platform::CloseFile(std::move(file));
    if (!stored) return {stored};
    if (!closed) return {closed};
    if (auto replaced = platform::ReplaceFile(temp, target); !replaced) {
        return {replaced, old && RefusedByPermission(replaced.Failure())};
    }
    return {platform::SyncFolder(target.parent_path())};
}

// The client file written over in place. Not atomic, but the file keeps its owner, mode,
// access list, attributes and links by itself.
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

bool HoldsClient(std::span<const unsigned char> head) {
    return head.size() >= kClientRecordSize &&
           std::string_view(reinterpret_cast<const char*>(head.data()), kSignature.size() + 1) ==
               std::string_view("KIVO1\0", 6);
}

// A plain file that reads as a client file. Nothing else is opened: a pipe would block.
bool IsClientFile(const std::filesystem::path& path, const platform::FileFacts& facts) {
    if (!facts.regular) return false;
    ClientImage image{};
    const auto got = platform::ReadFileHead(path, image);
    return got && HoldsClient(std::span(image).first(*got));
}

// Whether a save may go ahead on what `path` leads to now (`target`, with `facts`) given the
// file that was loaded: that same file, another client file, or no file at all where the
// user's name is no link (the file was removed; the save puts it back).
bool StillTheLoadedFile(const std::filesystem::path& path, const std::filesystem::path& target,
                        const platform::FileFacts& facts, platform::FileIdentity loaded) {
    if (!facts.exists) return target == path;
    if (loaded.Known() && facts.identity == loaded) return true;
    return IsClientFile(target, facts);
}

// The identity of the file a save just wrote; unknown where it cannot be looked at.
platform::FileIdentity IdentityAfterSave(const std::filesystem::path& target) {
    const auto facts = platform::LookUpFile(target);
    return facts ? facts->identity : platform::FileIdentity{};
}

}  // namespace

platform::FileIdentity ReadClientFile(const std::filesystem::path& path, ClientRecord& record) {
    ClientImage image{};
    platform::FileIdentity identity;
    const auto got = platform::ReadFileHead(path, image, &identity);
    if (!got) throw FileError(FileErrorKind::Open, path, got.Failure().reason);
    DecodeClientFile(path, image, *got, record);
    return identity;
}

void DecodeClientFile(const std::filesystem::path& path, const ClientImage& image, std::size_t size,
                      ClientRecord& record) {
    if (size < kClientRecordSize) {
        throw FileError(
            FileErrorKind::NotClientFile, path,
            std::to_string(size) + " bytes, expected " + std::to_string(kClientRecordSize));
    }
    if (!HoldsClient(image)) {
        throw FileError(FileErrorKind::NotClientFile, path,
                        "it does not start with the KIVO1 signature");
    }
    record = FromImage(image);
}

platform::FileIdentity WriteClientFile(const std::filesystem::path& path,
                                       const ClientRecord& record,
                                       std::optional<platform::FileIdentity> loaded) {
    const auto failed = [&](const platform::SystemError& error) {
        return FileError(FileErrorKind::Save, path, error.reason);
    };
    const auto target = platform::FollowLinks(path);
    if (!target) throw failed(target.Failure());
    const auto old = platform::LookUpFile(*target);
    if (!old) throw failed(old.Failure());
    if (loaded && !StillTheLoadedFile(path, *target, *old, *loaded)) {
        throw FileError::Changed(path, *target);
    }
    // Only a plain file has a mode to keep and a read-only mark to honour; a folder in the
    // way is left for the rename to report.
    const bool replacing = old->exists && old->regular;
    if (replacing) {
        const auto mayWrite = platform::UserMayWrite(*target, *old);
        if (!mayWrite) throw failed(mayWrite.Failure());
        if (!*mayWrite) throw failed({EACCES, std::strerror(EACCES)});
    }

    const ClientImage image = ToImage(record);
    const auto writeInPlace = [&] {
        const auto written = OverwriteInPlace(*target, image);
        if (!written) throw failed(written.Failure());
    };
    if (replacing && old->links > 1) {
        // A new file would leave the other names with the old client.
        writeInPlace();
        RemoveLeftoverTemporaries(*target);
        return old->identity;
    }
    // Never more open than the file it replaces while it fills.
    auto temp = CreateTemporaryBeside(*target, replacing ? old->permissions & 0777u : 0666u);
    if (temp) {
        const auto saved = StoreAndReplace(std::move(temp->file), image,
                                           replacing ? &*old : nullptr, temp->path, *target);
        if (!saved.result) {
            [[maybe_unused]] const auto removed = platform::RemoveFile(temp->path);
            if (!saved.inPlaceInstead) throw failed(saved.result.Failure());
            writeInPlace();
        }
    } else if (replacing && RefusedByPermission(temp.Failure())) {
        writeInPlace();
    } else {
        throw failed(temp.Failure());
    }
    RemoveLeftoverTemporaries(*target);
    return IdentityAfterSave(*target);
}

}  // namespace kivo
