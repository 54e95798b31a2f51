// The File commands' reading and writing of client files, and the wording of their failures
// in the error box, built from the fields of the model's FileError.
#include "app/ClientFileIo.h"

#include <QDir>
#include <string>

#include "app/FileNames.h"
#include "model/ClientFile.h"
#include "model/Error.h"

namespace kivo {
namespace {

// The box says `<what> "<path>". <reason>` when the file could not be reached. A file that
// was read but holds no client keeps the model's own text, which already says why.
std::string BoxText(const FileError& error) {
    const auto named = [&](const char* what) {
        return std::string(what) + " \"" + PathText(error.Path()) + "\". " + error.Reason();
    };
    switch (error.Kind()) {
        case FileErrorKind::Open:
            return named("Cannot open file");
        case FileErrorKind::Save:
            return named("Cannot create file");
        case FileErrorKind::NotClientFile:
        case FileErrorKind::ChangedFile:
            break;
    }
    return error.what();
}

}  // namespace

platform::FileIdentity LoadClientImage(const QString& path, ClientRecord& record) {
    try {
        return ReadClientFile(ToFsPath(path), record);
    } catch (const FileError& error) {
        throw Error(BoxText(error));
    }
}

platform::FileIdentity SaveClientImage(const QString& path, const ClientRecord& record,
                                       std::optional<platform::FileIdentity> loaded) {
    try {
        return WriteClientFile(ToFsPath(path), record, loaded);
    } catch (const FileError& error) {
        if (error.Kind() == FileErrorKind::ChangedFile) {
            throw ChangedFileError(
                error.what(),
                QDir::toNativeSeparators(QString::fromStdString(PathText(error.Target()))));
        }
        throw Error(BoxText(error));
    }
}

}  // namespace kivo
