#include "model/Platform.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kivo::platform {
namespace {

FaultHook gFaultHook = nullptr;

// The injected errno of a step, 0 when it runs normally.
int InjectedFault(std::string_view step) { return gFaultHook ? gFaultHook(step) : 0; }

}  // namespace

void SetFaultHook(FaultHook hook) { gFaultHook = hook; }

bool SyncFile(std::FILE* file) {
    if (const int fault = InjectedFault("sync")) {
        errno = fault;
        return false;
    }
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(fileno(file)) == 0;
#endif
}

std::FILE* CreateExclusive(const std::filesystem::path& path) {
    if (const int fault = InjectedFault("create")) {
        errno = fault;
        return nullptr;
    }
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

bool ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target,
                 std::string& error) {
    if (const int fault = InjectedFault("replace")) {
        error = std::generic_category().message(fault);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(source, target, ec);
    if (ec) error = ec.message();
    return !ec;
}

namespace {

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

void CloseFile(int fd) {
#ifdef _WIN32
    _close(fd);
#else
    ::close(fd);
#endif
}

}  // namespace

long ReadFileHead(const std::filesystem::path& path, void* buffer, std::size_t size,
                  std::string& error) {
    const int fd = OpenForReading(path);
    if (fd < 0) {
        error = LastErrorText();
        return -1;
    }
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t got = 0;
    while (got < size) {
        const long n = ReadSome(fd, bytes + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = LastErrorText();
            CloseFile(fd);
            return -1;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    CloseFile(fd);
    return static_cast<long>(got);
}

std::string LastErrorText() { return std::strerror(errno); }

}  // namespace kivo::platform
