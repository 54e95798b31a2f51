// Listing a folder and looking at its files for the client list, on Windows: the folder's
// entries with their types, a file's time (in 100 ns steps) and length, and a plain file read.
#include <windows.h>

#include <cerrno>
#include <system_error>

#include "model/Platform.h"
#include "model/PlatformShared.h"

namespace kivo::platform {

namespace {

// Through GetFileAttributesExW rather than std::filesystem, whose times on this runtime come
// in whole seconds: the client list's poll compares folder times, and a file added within the
// second of the last look must still move them.
Result<FileState> StateFrom(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
            return detail::FromErrno(ENOENT);
        if (code == ERROR_ACCESS_DENIED) return detail::FromErrno(EACCES);
        const std::error_code ec(static_cast<int>(code), std::system_category());
        return SystemError{ec.value(), ec.message()};
    }
    FileState state;
    const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool device = (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0;
    state.type = folder ? EntryType::Folder : device ? EntryType::Special : EntryType::File;
    // A FILETIME counts 100 ns from 1601-01-01, 11,644,473,600 s before the Unix epoch.
    const auto ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime);
    state.modified = (ticks - 116'444'736'000'000'000LL) * 100;
    if (state.type == EntryType::File)
        state.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return state;
}

}  // namespace

Result<> ListFolder(const std::string& folder,
                    const std::function<void(std::string_view name, EntryType type)>& entry) {
    std::error_code ec;
    std::filesystem::directory_iterator it(std::filesystem::u8path(folder), ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const auto status = it->symlink_status();
        const EntryType type = std::filesystem::is_symlink(status)        ? EntryType::Link
                               : std::filesystem::is_directory(status)    ? EntryType::Folder
                               : std::filesystem::is_regular_file(status) ? EntryType::File
                                                                          : EntryType::Special;
        const std::u8string name = it->path().filename().u8string();
        entry(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()), type);
    }
    if (ec) return SystemError{ec.value(), ec.message()};
    return {};
}

Result<FileState> StateOfFile(const std::string& path) {
    return StateFrom(std::filesystem::u8path(path));
}

Result<std::size_t> ReadPlainFileHead(const std::string& path, std::span<unsigned char> buffer,
                                      FileState& state) {
    const auto found = StateOfFile(path);
    if (!found) return found.Failure();
    state = *found;
    if (state.type != EntryType::File) return std::size_t{0};
    return ReadFileHead(std::filesystem::u8path(path), buffer);
}

}  // namespace kivo::platform
