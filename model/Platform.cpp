// The system calls behind model/Platform.h, for POSIX and Windows, with the test fault hook
// in front of the steps of a save.
#include "model/Platform.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kivo::platform {
namespace {

FaultHook gFaultHook = nullptr;

// The injected errno of a step, 0 when it runs normally.
int InjectedFault(std::string_view step) {
    return gFaultHook ? gFaultHook(step) : 0;
}

SystemError FromErrno(int code) {
    return {code, std::strerror(code)};
}

// The error errno holds now: read it before any other call can change it.
SystemError LastError() {
    return FromErrno(errno);
}

int OpenForReading(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
}

long ReadSome(int fd, unsigned char* buffer, std::size_t size) {
#ifdef _WIN32
    return _read(fd, buffer, static_cast<unsigned>(size));
#else
    return static_cast<long>(::read(fd, buffer, size));
#endif
}

void CloseDescriptor(int fd) {
#ifdef _WIN32
    _close(fd);
#else
    ::close(fd);
#endif
}

}  // namespace

void SetFaultHook(FaultHook hook) {
    gFaultHook = hook;
}

Result<FileFacts> LookUpFile(const std::filesystem::path& path) {
#ifdef _WIN32
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return FileFacts{};
    if (ec) return SystemError{ec.value(), ec.message()};
    FileFacts facts;
    facts.exists = true;
    facts.regular = status.type() == std::filesystem::file_type::regular;
    facts.permissions = static_cast<unsigned>(status.permissions()) & 07777u;
    return facts;
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return FileFacts{};
        return LastError();
    }
    FileFacts facts;
    facts.exists = true;
    facts.regular = S_ISREG(info.st_mode);
    facts.permissions = static_cast<unsigned>(info.st_mode) & 07777u;
    facts.owner = info.st_uid;
    facts.group = info.st_gid;
    return facts;
#endif
}

Result<std::filesystem::path> FollowLinks(const std::filesystem::path& path) {
#ifdef _WIN32
    return path;
#else
    // The system's own limit on a chain of links.
    constexpr int kMaxLinks = 40;
    std::filesystem::path current = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        if (hops == kMaxLinks) return FromErrno(ELOOP);
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(current, ec);
        if (ec) return SystemError{ec.value(), ec.message()};
        // A relative link names a file from the link's own folder.
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
#endif
}

Result<bool> UserMayWrite([[maybe_unused]] const std::filesystem::path& path,
                          const FileFacts& facts) {
#ifdef _WIN32
    // Windows keeps one read-only attribute, shown as missing write bits.
    return (facts.permissions & 0200u) != 0;
#else
    if (::geteuid() == 0) return (facts.permissions & S_IWUSR) != 0;
    if (::access(path.c_str(), W_OK) == 0) return true;
    if (errno == EACCES) return false;
    return LastError();
#endif
}

Result<FilePtr> CreateExclusive(const std::filesystem::path& path,
                                [[maybe_unused]] unsigned permissions) {
    if (const int fault = InjectedFault("create")) return FromErrno(fault);
#ifdef _WIN32
    FilePtr file(_wfopen(path.c_str(), L"wbx"));
    if (!file) return LastError();
    return file;
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          static_cast<mode_t>(permissions));
    if (fd < 0) return LastError();
    FilePtr file(::fdopen(fd, "wb"));
    if (!file) {
        const SystemError error = LastError();
        ::close(fd);
        ::unlink(path.c_str());
        return error;
    }
    return file;
#endif
}

Result<FilePtr> OpenForOverwrite(const std::filesystem::path& path) {
    if (const int fault = InjectedFault("overwrite")) return FromErrno(fault);
#ifdef _WIN32
    const int fd = _wopen(path.c_str(), _O_WRONLY | _O_BINARY);
    if (fd < 0) return LastError();
    FilePtr file(_fdopen(fd, "wb"));
#else
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return LastError();
    // fdopen never truncates, whatever its mode says.
    FilePtr file(::fdopen(fd, "wb"));
#endif
    if (!file) {
        const SystemError error = LastError();
        CloseDescriptor(fd);
        return error;
    }
    return file;
}

Result<> TakeOwnerAndPermissions([[maybe_unused]] std::FILE* file,
                                 [[maybe_unused]] const FileFacts& facts) {
    if (const int fault = InjectedFault("permissions")) return FromErrno(fault);
#ifdef _WIN32
    return {};
#else
    const int fd = ::fileno(file);
    // Only root may give a file away; a member of the file's group may still set the group.
    // The owner first: changing it clears the setuid and setgid bits that fchmod then sets.
    if (::fchown(fd, facts.owner, facts.group) != 0) {
        [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), facts.group);
    }
    if (::fchmod(fd, static_cast<mode_t>(facts.permissions)) != 0) return LastError();
    return {};
#endif
}

Result<> TruncateFile(std::FILE* file, std::size_t size) {
    if (std::fflush(file) != 0) return LastError();
#ifdef _WIN32
    if (_chsize_s(_fileno(file), static_cast<long long>(size)) != 0) return LastError();
#else
    if (::ftruncate(::fileno(file), static_cast<off_t>(size)) != 0) return LastError();
#endif
    return {};
}

Result<> WriteAll(std::FILE* file, std::span<const unsigned char> bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return LastError();
    return {};
}

Result<> SyncFile(std::FILE* file) {
    if (const int fault = InjectedFault("sync")) return FromErrno(fault);
    if (std::fflush(file) != 0) return LastError();
#ifdef _WIN32
    if (_commit(_fileno(file)) != 0) return LastError();
#else
    if (::fsync(fileno(file)) != 0) return LastError();
#endif
    return {};
}

Result<> CloseFile(FilePtr file) {
    if (std::fclose(file.release()) != 0) return LastError();
    return {};
}

Result<> ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    if (const int fault = InjectedFault("replace")) return FromErrno(fault);
    std::error_code ec;
    std::filesystem::rename(source, target, ec);
    if (ec) return SystemError{ec.value(), ec.message()};
    return {};
}

Result<> SyncFolder([[maybe_unused]] const std::filesystem::path& folder) {
    if (const int fault = InjectedFault("sync folder")) return FromErrno(fault);
#ifdef _WIN32
    return {};
#else
    const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        // A folder the user may write in but not list cannot be opened to be flushed.
        if (errno == EACCES) return {};
        return LastError();
    }
    const int synced = ::fsync(fd);
    const int syncError = errno;
    ::close(fd);
    if (synced != 0 && syncError != EINVAL && syncError != ENOTSUP) return FromErrno(syncError);
    return {};
#endif
}

Result<std::vector<std::filesystem::path>> FolderEntries(const std::filesystem::path& folder) {
    const std::filesystem::path name = folder.empty() ? std::filesystem::path(".") : folder;
    std::error_code ec;
    std::vector<std::filesystem::path> entries;
    for (std::filesystem::directory_iterator it(name, ec), end; !ec && it != end;
         it.increment(ec)) {
        entries.push_back(it->path());
    }
    if (ec) return SystemError{ec.value(), ec.message()};
    return entries;
}

Result<> RemoveFile(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    if (ec) return SystemError{ec.value(), ec.message()};
    return {};
}

Result<std::size_t> ReadFileHead(const std::filesystem::path& path,
                                 std::span<unsigned char> buffer) {
    const int fd = OpenForReading(path);
    if (fd < 0) return LastError();
    std::size_t got = 0;
    while (got < buffer.size()) {
        const long n = ReadSome(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const SystemError error = LastError();
            CloseDescriptor(fd);
            return error;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    CloseDescriptor(fd);
    return got;
}

}  // namespace kivo::platform
