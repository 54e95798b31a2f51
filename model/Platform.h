#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

// The few operating-system calls KIVO makes directly live behind this seam.
namespace kivo::platform {

// Flushes an open file's data to the disk. Returns false on failure.
bool SyncFile(std::FILE* file);

// Opens a new file for binary writing, failing if the name already exists.
std::FILE* CreateExclusive(const std::filesystem::path& path);

// Replaces `target` by `source` in one step where the system allows it.
bool ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target,
                 std::string& error);

// Reads up to `size` bytes from the start of the file at `path` into `buffer`. Returns the
// number of bytes read, or -1 with `error` set when the file cannot be opened or read.
long ReadFileHead(const std::filesystem::path& path, void* buffer, std::size_t size,
                  std::string& error);

// Text of the last system error (errno).
std::string LastErrorText();

// For tests: when set, CreateExclusive, SyncFile and ReplaceFile first call the hook with
// "create", "sync" or "replace"; a result other than 0 fails that step with that errno
// value (a read-only folder, a full disk, ...). nullptr removes it.
using FaultHook = int (*)(std::string_view step);
void SetFaultHook(FaultHook hook);

}  // namespace kivo::platform
