// The calls behind model/Platform.h that are the same on every system (plain stdio and
// std::filesystem), and the test fault hook in front of the steps of a save. The system
// calls proper live in PlatformPosix.cpp and PlatformWindows.cpp.
#include "model/Platform.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "model/PlatformShared.h"

namespace kivo::platform {
namespace {

FaultHook gFaultHook = nullptr;

}  // namespace

namespace detail {

int InjectedFault(std::string_view step) {
    return gFaultHook ? gFaultHook(step) : 0;
}

SystemError FromErrno(int code) {
    return {code, std::strerror(code)};
}

SystemError LastError() {
    return FromErrno(errno);
}

}  // namespace detail

void SetFaultHook(FaultHook hook) {
    gFaultHook = hook;
}

Result<> WriteAll(std::FILE* file, std::span<const unsigned char> bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return detail::LastError();
    }
    return {};
}

Result<> CloseFile(FilePtr file) {
    if (std::fclose(file.release()) != 0) return detail::LastError();
    return {};
}

Result<> ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    if (const int fault = detail::InjectedFault("replace")) return detail::FromErrno(fault);
    std::error_code ec;
    std::filesystem::rename(source, target, ec);
    if (ec) return SystemError{ec.value(), ec.message()};
    return {};
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

}  // namespace kivo::platform
