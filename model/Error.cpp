// The wording of client file errors, kept in one place so that every reader of a FileError
// (kivo-cli, the window) sees the same path text.
#include "model/Error.h"

namespace kivo {
namespace {

std::string Message(FileErrorKind kind, const std::filesystem::path& path,
                    const std::string& reason) {
    const std::string quoted = "\"" + PathText(path) + "\"";
    switch (kind) {
        case FileErrorKind::Open:
            return "Cannot open " + quoted + ": " + reason;
        case FileErrorKind::NotClientFile:
            return quoted + " is not a KIVO client file: " + reason;
        case FileErrorKind::Save:
        case FileErrorKind::ChangedFile:
            break;
    }
    return "Cannot save " + quoted + ": " + reason;
}

}  // namespace

FileError::FileError(FileErrorKind kind, const std::filesystem::path& path,
                     const std::string& reason)
    : Error(Message(kind, path, reason)), kind_(kind), path_(path), reason_(reason) {}

FileError FileError::Changed(const std::filesystem::path& path,
                             const std::filesystem::path& target) {
    FileError error(FileErrorKind::ChangedFile, path,
                    "it now leads to \"" + PathText(target) +
                        "\", which is not the client file that was loaded");
    error.target_ = target;
    return error;
}

std::string PathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

}  // namespace kivo
