// What the two halves of the platform layer (PlatformPosix.cpp, PlatformWindows.cpp) share
// with Platform.cpp: the test fault hook and the conversion of errno into a SystemError.
#pragma once

#include <string_view>

#include "model/Platform.h"

namespace kivo::platform::detail {

// The errno value the fault hook injects into a step, 0 when the step runs normally.
int InjectedFault(std::string_view step);

SystemError FromErrno(int code);

// The error errno holds now: read it before any other call can change it.
SystemError LastError();

}  // namespace kivo::platform::detail
