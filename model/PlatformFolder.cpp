// Listing a folder and looking at its files for the client list: the folder's entries with
// their types, a file's time and length, and a plain file read with its state through one open.
#include <cerrno>
#include <chrono>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "model/Platform.h"
#include "model/PlatformShared.h"

namespace kivo::platform {

namespace {

#ifndef _WIN32
FileState StateFrom(const struct stat& info) {
    FileState state;
    state.type = S_ISREG(info.st_mode)   ? EntryType::File
                 : S_ISDIR(info.st_mode) ? EntryType::Folder
                                         : EntryType::Special;
    state.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 +
                     static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    state.size = static_cast<std::uint64_t>(info.st_size);
    return state;
}
#else
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
#endif

}  // namespace

Result<> ListFolder(const std::string& folder,
                    const std::function<void(std::string_view name, EntryType type)>& entry) {
#ifdef _WIN32
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
#else
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return detail::LastError();
    for (;;) {
        errno = 0;
        const dirent* found = ::readdir(dir);
        if (found == nullptr) break;
        const std::string_view name = found->d_name;
        if (name == "." || name == "..") continue;
        switch (found->d_type) {
            case DT_REG:
                entry(name, EntryType::File);
                break;
            case DT_DIR:
                entry(name, EntryType::Folder);
                break;
            case DT_LNK:
                entry(name, EntryType::Link);
                break;
            case DT_UNKNOWN:
                entry(name, EntryType::Unknown);
                break;
            default:
                entry(name, EntryType::Special);
        }
    }
    const int failure = errno;
    ::closedir(dir);
    if (failure != 0) return detail::FromErrno(failure);
    return {};
#endif
}

Result<FileState> StateOfFile(const std::string& path) {
#ifdef _WIN32
    return StateFrom(std::filesystem::u8path(path));
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return detail::LastError();
    return StateFrom(info);
#endif
}

Result<std::size_t> ReadPlainFileHead(const std::string& path, std::span<unsigned char> buffer,
                                      FileState& state) {
#ifdef _WIN32
    const auto found = StateOfFile(path);
    if (!found) return found.Failure();
    state = *found;
    if (state.type != EntryType::File) return std::size_t{0};
    return ReadFileHead(std::filesystem::u8path(path), buffer);
#else
    // Without O_NONBLOCK, opening a pipe would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return detail::LastError();
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const SystemError error = detail::LastError();
        ::close(fd);
        return error;
    }
    state = StateFrom(info);
    std::size_t got = 0;
    while (state.type == EntryType::File && got < buffer.size()) {
        const long n = static_cast<long>(::read(fd, buffer.data() + got, buffer.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const SystemError error = detail::LastError();
            ::close(fd);
            return error;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return got;
#endif
}

}  // namespace kivo::platform
