// The system calls behind model/Platform.h on Windows (the C runtime's POSIX-like calls).
// Windows keeps no owner, group or mode bits as POSIX does: one read-only attribute stands
// for the missing write bits, and a file is replaced by a rename that overwrites.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "model/Platform.h"
#include "model/PlatformShared.h"

namespace kivo::platform {
namespace {

using detail::FromErrno;
using detail::InjectedFault;
using detail::LastError;

}  // namespace

Result<FileFacts> LookUpFile(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return FileFacts{};
    if (ec) return SystemError{ec.value(), ec.message()};
    FileFacts facts;
    facts.exists = true;
    facts.regular = status.type() == std::filesystem::file_type::regular;
    facts.permissions = static_cast<unsigned>(status.permissions()) & 07777u;
    const auto links = std::filesystem::hard_link_count(path, ec);
    if (!ec) facts.links = static_cast<unsigned>(links);
    return facts;
}

Result<std::filesystem::path> FollowLinks(const std::filesystem::path& path) {
    return path;
}

Result<bool> UserMayWrite(const std::filesystem::path&, const FileFacts& facts) {
    return (facts.permissions & 0200u) != 0;
}

Result<FilePtr> CreateExclusive(const std::filesystem::path& path, unsigned) {
    if (const int fault = InjectedFault("create")) return FromErrno(fault);
    FilePtr file(_wfopen(path.c_str(), L"wbx"));
    if (!file) return LastError();
    return file;
}

Result<FilePtr> OpenForOverwrite(const std::filesystem::path& path) {
    if (const int fault = InjectedFault("overwrite")) return FromErrno(fault);
    const int fd = _wopen(path.c_str(), _O_WRONLY | _O_BINARY);
    if (fd < 0) return LastError();
    FilePtr file(_fdopen(fd, "wb"));
    if (!file) {
        const SystemError error = LastError();
        _close(fd);
        return error;
    }
    return file;
}

Result<> TakeOwnerAndPermissions(std::FILE*, const FileFacts&) {
    if (const int fault = InjectedFault("permissions")) return FromErrno(fault);
    return {};
}

// A new file in the folder inherits the folder's access list as the old one did; Windows
// keeps no POSIX access lists or extended attributes to copy.
Result<> CopyAccessAndAttributes(const std::filesystem::path&, std::FILE*) {
    if (const int fault = InjectedFault("attributes")) return FromErrno(fault);
    return {};
}

Result<> TruncateFile(std::FILE* file, std::size_t size) {
    if (std::fflush(file) != 0) return LastError();
    if (_chsize_s(_fileno(file), static_cast<long long>(size)) != 0) return LastError();
    return {};
}

Result<> SyncFile(std::FILE* file) {
    if (const int fault = InjectedFault("sync")) return FromErrno(fault);
    if (std::fflush(file) != 0) return LastError();
    if (_commit(_fileno(file)) != 0) return LastError();
    return {};
}

// Windows has no flush for a folder's names: the rename is as lasting as the file system
// makes it.
Result<> SyncFolder(const std::filesystem::path&) {
    if (const int fault = InjectedFault("sync folder")) return FromErrno(fault);
    return {};
}

Result<std::size_t> ReadFileHead(const std::filesystem::path& path, std::span<unsigned char> buffer,
                                 FileIdentity* identity) {
    if (identity) *identity = {};
    const int fd = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        // Windows refuses to open a folder as "access denied"; say what it is.
        const SystemError error = LastError();
        std::error_code ec;
        if (error.code == EACCES && std::filesystem::is_directory(path, ec)) {
            return FromErrno(EISDIR);
        }
        return error;
    }
    std::size_t got = 0;
    while (got < buffer.size()) {
        const int n = _read(fd, buffer.data() + got, static_cast<unsigned>(buffer.size() - got));
        if (n < 0) {
            const SystemError error = LastError();
            _close(fd);
            return error;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    _close(fd);
    return got;
}

}  // namespace kivo::platform
