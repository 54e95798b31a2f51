// The few operating-system calls KIVO makes directly, behind one seam so that tests can make
// them fail. Every call answers with a Result: its value, or the system error that stopped it.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace kivo::platform {

// A failed system call: the system's error number and its text, as the user is shown it.
struct SystemError {
    int code = 0;
    std::string reason;
};

// The value of a call that worked, or the SystemError of one that did not. Result<> is the
// answer of a call that gives nothing back; a default-made one means success.
template <typename T = std::monostate>
class [[nodiscard]] Result {
public:
    Result() requires std::same_as<T, std::monostate>
    = default;
    // Not explicit, so a call ends with `return value;` or `return error;`.
    Result(T value) : state_(std::move(value)) {}
    Result(SystemError error) : state_(std::move(error)) {}

    explicit operator bool() const { return state_.index() == 0; }
    T& operator*() { return std::get<0>(state_); }
    const T& operator*() const { return std::get<0>(state_); }
    T* operator->() { return &std::get<0>(state_); }
    const T* operator->() const { return &std::get<0>(state_); }
    // Only for a failed call.
    const SystemError& Failure() const { return std::get<1>(state_); }

private:
    std::variant<T, SystemError> state_;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open stdio file, closed when it goes unless CloseFile closed it first.
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Which file a name led to: its device and inode, the same for every name of one file and
// different for a file put in its place. All zero where the system gives none (Windows).
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;

    bool Known() const { return inode != 0; }
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// What a save needs to know about the file it is about to replace.
struct FileFacts {
    bool exists = false;       // false: nothing by that name (nor at the end of a broken link)
    bool regular = false;      // a plain file, not a folder or a device
    unsigned permissions = 0;  // the mode bits below the file type (rwx and setuid, setgid, sticky)
    unsigned owner = 0;
    unsigned group = 0;
    unsigned links = 1;  // the number of names (hard links) the file has
    FileIdentity identity;
};

// The facts of the file at `path`, following symbolic links. A name that leads nowhere is a
// file that does not exist, not a failure.
Result<FileFacts> LookUpFile(const std::filesystem::path& path);

// The file a write to `path` lands on: `path` itself, or when it is a symbolic link the file
// at the end of its chain of links, which need not exist yet. A name that cannot be looked
// at is given back as it is, for the write itself to report.
Result<std::filesystem::path> FollowLinks(const std::filesystem::path& path);

// Whether the user has marked the file writable. Root passes every permission check, so for
// root it is the owner's write bit; for anyone else the system's own answer (mode bits and
// access lists). A refusal is false; another reason not to write (a read-only file system)
// is a failure.
Result<bool> UserMayWrite(const std::filesystem::path& path, const FileFacts& facts);

// Opens a new file for binary writing, failing if the name already exists. `permissions`
// are the new file's mode bits before the process's umask narrows them.
Result<FilePtr> CreateExclusive(const std::filesystem::path& path, unsigned permissions = 0666);

// Opens an existing file for binary writing from its start without truncating it first, so
// its contents stay until written over.
Result<FilePtr> OpenForOverwrite(const std::filesystem::path& path);

// Gives an open file the owner and group of `facts` where the system lets this process set
// them (a failure there is no failure), and its permission bits always.
Result<> TakeOwnerAndPermissions(std::FILE* file, const FileFacts& facts);

// Gives the open file `to` the access control list and the extended attributes of the file
// at `from`, so that it grants nobody more or less than that file. A file system without
// them has nothing to copy; one that has them but refuses to set them on `to` (an attribute
// only the system may set) is a failure.
Result<> CopyAccessAndAttributes(const std::filesystem::path& from, std::FILE* to);

// Writes out the file's buffer and cuts the file off after `size` bytes.
Result<> TruncateFile(std::FILE* file, std::size_t size);

// Writes all of `bytes` to the file (possibly only into its buffer).
Result<> WriteAll(std::FILE* file, std::span<const unsigned char> bytes);

// Flushes an open file's data to the disk.
Result<> SyncFile(std::FILE* file);

// Closes the file, reporting a failure of the last flush that closing makes.
Result<> CloseFile(FilePtr file);

// Replaces `target` by `source` in one step where the system allows it.
Result<> ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

// Flushes the folder's list of names to the disk, so that a rename in it survives a power
// cut. Where the system cannot flush a folder (it is not readable, or the file system has no
// such flush) there is nothing more to do and the call succeeds.
Result<> SyncFolder(const std::filesystem::path& folder);

// The paths of the entries in a folder.
Result<std::vector<std::filesystem::path>> FolderEntries(const std::filesystem::path& folder);

// Removes one file.
Result<> RemoveFile(const std::filesystem::path& path);

// Reads up to `buffer.size()` bytes from the start of the file at `path` into `buffer` and
// gives the number read; a failure to open the file or to read it is one error. When
// `identity` is given it receives the identity of the file that was read.
Result<std::size_t> ReadFileHead(const std::filesystem::path& path, std::span<unsigned char> buffer,
                                 FileIdentity* identity = nullptr);

// What a folder listing says an entry is. Unknown: the file system did not say, so the
// caller looks itself (a few network file systems).
enum class EntryType { File, Folder, Link, Special, Unknown };

// Calls `entry` with the name and type of every entry of `folder` but "." and "..", in the
// order the system lists them. The system gives each type with its name, so a folder of
// 100,000 files costs no further call per file.
Result<> ListFolder(const std::string& folder,
                    const std::function<void(std::string_view name, EntryType type)>& entry);

// What a file is after following its links, when it was last changed (nanoseconds since
// 1970, UTC) and how long it is.
struct FileState {
    EntryType type = EntryType::Unknown;  // File, Folder or Special (a pipe, a device, ...)
    std::int64_t modified = 0;
    std::uint64_t size = 0;
};

Result<FileState> StateOfFile(const std::string& path);

// Reads up to `buffer.size()` bytes from the start of a plain file and fills `state` from
// the open file, so the time and length belong to the bytes read. Anything that is not a
// plain file (a pipe, a device) is never read, so it cannot hold the caller up: the answer
// is 0 bytes with its type in `state`.
Result<std::size_t> ReadPlainFileHead(const std::string& path, std::span<unsigned char> buffer,
                                      FileState& state);

// For tests: when set, CreateExclusive, OpenForOverwrite, TakeOwnerAndPermissions,
// CopyAccessAndAttributes, SyncFile, ReplaceFile and SyncFolder first call the hook with
// "create", "overwrite", "permissions", "attributes", "sync", "replace" or "sync folder"; a
// result other than 0 fails that step with that errno value (a read-only folder, a full
// disk, ...). nullptr removes it.
using FaultHook = int (*)(std::string_view step);
void SetFaultHook(FaultHook hook);

}  // namespace kivo::platform
