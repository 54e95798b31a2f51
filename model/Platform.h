// The few operating-system calls KIVO makes directly, behind one seam so that tests can make
// them fail. Every call answers with a Result: its value, or the system error that stopped it.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

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

// Opens a new file for binary writing, failing if the name already exists.
Result<FilePtr> CreateExclusive(const std::filesystem::path& path);

// Writes all of `bytes` to the file (possibly only into its buffer).
Result<> WriteAll(std::FILE* file, std::span<const unsigned char> bytes);

// Flushes an open file's data to the disk.
Result<> SyncFile(std::FILE* file);

// Closes the file, reporting a failure of the last flush that closing makes.
Result<> CloseFile(FilePtr file);

// Replaces `target` by `source` in one step where the system allows it.
Result<> ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target);

// Reads up to `buffer.size()` bytes from the start of the file at `path` into `buffer` and
// gives the number read; a failure to open the file or to read it is one error.
Result<std::size_t> ReadFileHead(const std::filesystem::path& path,
                                 std::span<unsigned char> buffer);

// For tests: when set, CreateExclusive, SyncFile and ReplaceFile first call the hook with
// "create", "sync" or "replace"; a result other than 0 fails that step with that errno
// value (a read-only folder, a full disk, ...). nullptr removes it.
using FaultHook = int (*)(std::string_view step);
void SetFaultHook(FaultHook hook);

}  // namespace kivo::platform
