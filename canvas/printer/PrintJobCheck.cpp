// Reads CUPS's answer to the last job from the CUPS library Qt's print plugin loaded, without
// linking it: a program without CUPS still builds and prints.
#include "canvas/printer/PrintJobCheck.h"

#include <dlfcn.h>

#include <QPrinter>

namespace kivo::canvas {
namespace {

// CUPS's status codes from 0x0400 up are refusals and errors.
constexpr int kFirstCupsError = 0x0400;

}  // namespace

bool PrintSystemTookJob(const QPrinter& printer, QString* reason) {
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty()) {
        return true;
    }
    // Only a library that is already loaded: the one Qt's plugin submitted the job with,
    // whose last error is this thread's answer to that submission.
    void* cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!cups) return true;
    using LastError = int (*)();
    using LastErrorString = const char* (*)();
    const auto lastError = reinterpret_cast<LastError>(dlsym(cups, "cupsLastError"));
    const auto lastErrorString =
        reinterpret_cast<LastErrorString>(dlsym(cups, "cupsLastErrorString"));
    const int status = lastError ? lastError() : 0;
    if (reason && lastErrorString) *reason = QString::fromUtf8(lastErrorString());
    dlclose(cups);
    return status < kFirstCupsError;
}

}  // namespace kivo::canvas
