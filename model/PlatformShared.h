// What the two halves of the platform layer (PlatformPosix.cpp, PlatformWindows.cpp) share
// with Platform.cpp: the test fault hook and the conversion of errno into a SystemError.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "model/Platform.h"

namespace kivo::platform::detail {

// The errno value the fault hook injects into a step, 0 when the step runs normally.
int InjectedFault(std::string_view step);

SystemError FromErrno(int code);

// The error errno holds now: read it before any other call can change it.
SystemError LastError();

// POSIX: reads the open file `fd` until `buffer` is full or the file ends, then closes it.
// Returns the bytes read, or the error that stopped the read.
Result<std::size_t> ReadAndClose(int fd, std::span<unsigned char> buffer);

}  // namespace kivo::platform::detail
