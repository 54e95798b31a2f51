// The dialog seam in use: Qt's dialogs until a test installs its own.
#include "shell/DialogSeam.h"

namespace kivo {
namespace {

std::unique_ptr<DialogSeam>& CurrentSeam() {
    static std::unique_ptr<DialogSeam> seam;
    return seam;
}

}  // namespace

DialogSeam& Dialogs() {
    auto& seam = CurrentSeam();
    if (!seam) seam = MakeQtDialogs();
    return *seam;
}

std::unique_ptr<DialogSeam> InstallDialogs(std::unique_ptr<DialogSeam> seam) {
    auto previous = std::move(CurrentSeam());
    CurrentSeam() = std::move(seam);
    return previous;
}

}  // namespace kivo
