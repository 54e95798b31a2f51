#include "Platform.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kivo::platform {

bool SyncFile(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return ::fsync(fileno(file)) == 0;
#endif
}

std::FILE* CreateExclusive(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

bool ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target,
                 std::string& error) {
    std::error_code ec;
    std::filesystem::rename(source, target, ec);
    if (ec) error = ec.message();
    return !ec;
}

std::string LastErrorText() { return std::strerror(errno); }

}  // namespace kivo::platform
