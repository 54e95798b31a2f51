// Listing a folder and looking at its files for the client list, on POSIX systems: the
// folder's entries with their types from readdir, a file's time and length, and a plain file
// read with its state through one open that never waits on a pipe.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "model/Platform.h"
#include "model/PlatformShared.h"

namespace kivo::platform {

namespace {

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

}  // namespace

Result<> ListFolder(const std::string& folder,
                    const std::function<void(std::string_view name, EntryType type)>& entry) {
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
}

Result<FileState> StateOfFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return detail::LastError();
    return StateFrom(info);
}

Result<std::size_t> ReadPlainFileHead(const std::string& path, std::span<unsigned char> buffer,
                                      FileState& state) {
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
    if (state.type != EntryType::File) {
        ::close(fd);
        return std::size_t{0};
    }
    return detail::ReadAndClose(fd, buffer);
}

}  // namespace kivo::platform
