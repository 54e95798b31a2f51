// Listing a folder and looking at its files for the client list: the folder's entries with
// their types, a file's time and length, and a plain file read with its state through one open.
#include <cerrno>
#include <chrono>
#include <system_error>

#ifndef _WIN32
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
FileState StateFrom(const std::filesystem::path& path, std::error_code& ec) {
    FileState state;
    const auto status = std::filesystem::status(path, ec);
    if (ec) return state;
    state.type = std::filesystem::is_regular_file(status) ? EntryType::File
                 : std::filesystem::is_directory(status)  ? EntryType::Folder
                                                          : EntryType::Special;
    const auto time = std::filesystem::last_write_time(path, ec);
    state.modified =
        std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::clock_cast<std::chrono::system_clock>(time).time_since_epoch())
            .count();
    if (state.type == EntryType::File) state.size = std::filesystem::file_size(path, ec);
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
        entry(it->path().filename().u8string(), type);
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
    std::error_code ec;
    const FileState state = StateFrom(std::filesystem::u8path(path), ec);
    if (ec) return SystemError{ec.value(), ec.message()};
    return state;
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
