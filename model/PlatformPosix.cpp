// The system calls behind model/Platform.h on Linux and other POSIX systems.
#include <acl/libacl.h>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "model/Platform.h"
#include "model/PlatformShared.h"

namespace kivo::platform {
namespace {

using detail::FromErrno;
using detail::InjectedFault;
using detail::LastError;

FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino)};
}

// Nothing to copy: the file system keeps no such thing.
bool Unsupported(int code) {
    return code == ENOTSUP || code == EOPNOTSUPP || code == ENOSYS;
}

// The ACL names the owner, group and others by the mode bits that fchmod already set; only an
// extended one (named users or groups, a mask) has more to say.
Result<> CopyAccessList(const std::filesystem::path& from, int to) {
    const acl_t acl = ::acl_get_file(from.c_str(), ACL_TYPE_ACCESS);
    if (!acl) {
        if (Unsupported(errno)) return {};
        return LastError();
    }
    int failed = 0;
    if (::acl_equiv_mode(acl, nullptr) != 0 && ::acl_set_fd(to, acl) != 0) failed = errno;
    ::acl_free(acl);
    if (failed) return FromErrno(failed);
    return {};
}

// The names of the file's extended attributes, each ended by a NUL.
Result<std::vector<char>> AttributeNames(const std::filesystem::path& from) {
    std::vector<char> names;
    for (;;) {
        const ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
        if (size < 0) {
            if (Unsupported(errno)) return names;
            return LastError();
        }
        names.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::listxattr(from.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            return names;
        }
        if (errno != ERANGE) return LastError();  // ERANGE: one was added meanwhile
    }
}

Result<> CopyAttribute(const std::filesystem::path& from, const char* name, int to) {
    std::vector<char> value;
    for (;;) {
        const ssize_t size = ::getxattr(from.c_str(), name, nullptr, 0);
        if (size < 0) return errno == ENODATA ? Result<>() : LastError();
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::getxattr(from.c_str(), name, value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno == ENODATA) return {};
        if (errno != ERANGE) return LastError();
    }
    if (::fsetxattr(to, name, value.data(), value.size(), 0) != 0) return LastError();
    return {};
}

}  // namespace

Result<FileFacts> LookUpFile(const std::filesystem::path& path) {
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
    facts.links = static_cast<unsigned>(info.st_nlink);
    facts.identity = IdentityOf(info);
    return facts;
}

Result<std::filesystem::path> FollowLinks(const std::filesystem::path& path) {
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
}

Result<bool> UserMayWrite(const std::filesystem::path& path, const FileFacts& facts) {
    if (::geteuid() == 0) return (facts.permissions & S_IWUSR) != 0;
    if (::access(path.c_str(), W_OK) == 0) return true;
    if (errno == EACCES) return false;
    return LastError();
}

Result<FilePtr> CreateExclusive(const std::filesystem::path& path, unsigned permissions) {
    if (const int fault = InjectedFault("create")) return FromErrno(fault);
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
}

Result<FilePtr> OpenForOverwrite(const std::filesystem::path& path) {
    if (const int fault = InjectedFault("overwrite")) return FromErrno(fault);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return LastError();
    // fdopen never truncates, whatever its mode says.
    FilePtr file(::fdopen(fd, "wb"));
    if (!file) {
        const SystemError error = LastError();
        ::close(fd);
        return error;
    }
    return file;
}

Result<> TakeOwnerAndPermissions(std::FILE* file, const FileFacts& facts) {
    if (const int fault = InjectedFault("permissions")) return FromErrno(fault);
    const int fd = ::fileno(file);
    // Only root may give a file away; a member of the file's group may still set the group.
    // The owner first: changing it clears the setuid and setgid bits that fchmod then sets.
    if (::fchown(fd, facts.owner, facts.group) != 0) {
        [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), facts.group);
    }
    if (::fchmod(fd, static_cast<mode_t>(facts.permissions)) != 0) return LastError();
    return {};
}

Result<> CopyAccessAndAttributes(const std::filesystem::path& from, std::FILE* to) {
    if (const int fault = InjectedFault("attributes")) return FromErrno(fault);
    const int fd = ::fileno(to);
    const auto names = AttributeNames(from);
    if (!names) return names.Failure();
    for (std::size_t at = 0; at < names->size();) {
        const char* name = names->data() + at;
        at += std::strlen(name) + 1;
        // The ACLs are attributes too, in the system's own form: libacl copies them below.
        if (std::strncmp(name, "system.posix_acl_", 17) == 0) continue;
        if (auto copied = CopyAttribute(from, name, fd); !copied) return copied;
    }
    return CopyAccessList(from, fd);
}

Result<> TruncateFile(std::FILE* file, std::size_t size) {
    if (std::fflush(file) != 0) return LastError();
    if (::ftruncate(::fileno(file), static_cast<off_t>(size)) != 0) return LastError();
    return {};
}

Result<> SyncFile(std::FILE* file) {
    if (const int fault = InjectedFault("sync")) return FromErrno(fault);
    if (std::fflush(file) != 0) return LastError();
    if (::fsync(::fileno(file)) != 0) return LastError();
    return {};
}

Result<> SyncFolder(const std::filesystem::path& folder) {
    if (const int fault = InjectedFault("sync folder")) return FromErrno(fault);
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
}

Result<std::size_t> detail::ReadAndClose(int fd, std::span<unsigned char> buffer) {
    std::size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const SystemError error = LastError();
            ::close(fd);
            return error;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return got;
}

Result<std::size_t> ReadFileHead(const std::filesystem::path& path, std::span<unsigned char> buffer,
                                 FileIdentity* identity) {
    // Without waiting: a pipe or a device by a client file's name must never hold the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return LastError();
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const SystemError error = LastError();
        ::close(fd);
        return error;
    }
    // Only a regular file is read: a folder says so, anything else is no file to read.
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode)) return FromErrno(EISDIR);
        return SystemError{ENODEV, "Not a regular file"};
    }
    if (identity) *identity = IdentityOf(info);
    return detail::ReadAndClose(fd, buffer);
}

}  // namespace kivo::platform
