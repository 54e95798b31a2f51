// The dialog seam in use: Qt's dialogs until a test installs its own.
#include "shell/DialogSeam.h"

namespace kivo {
namespace {

std::unique_ptr<DialogSeam>& CurrentSeam() {
    static std::unique_ptr<DialogSeam> seam;
    return seam;
}

}  // namespace

std::optional<FileChoice> DialogSeam::SaveFile(const FileRequest& request) {
    const auto path = SaveFileName(request);
    if (!path) return std::nullopt;
    return FileChoice{*path, FirstFilterShown(request)};
}

QString FirstFilterShown(const FileRequest& request) {
    if (!request.selectedFilter.isEmpty()) return request.selectedFilter;
    return request.filter.section(QStringLiteral(";;"), 0, 0);
}

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
