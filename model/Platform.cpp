// The system calls behind model/Platform.h, for POSIX and Windows, with the test fault hook
// in front of the steps of a save.
#include "model/Platform.h"

#include <fcntl.h>

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

Result<FilePtr> CreateExclusive(const std::filesystem::path& path) {
    if (const int fault = InjectedFault("create")) return FromErrno(fault);
#ifdef _WIN32
    FilePtr file(_wfopen(path.c_str(), L"wbx"));
#else
    FilePtr file(std::fopen(path.c_str(), "wbx"));
#endif
    if (!file) return LastError();
    return file;
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
