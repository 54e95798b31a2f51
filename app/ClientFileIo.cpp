#include "app/ClientFileIo.h"

#include <string>

#include "model/ClientFile.h"
#include "model/Error.h"
#include "app/FileNames.h"

namespace kivo {
namespace {

// The file layer words its system failures as `<verb> "<path>": <reason>`; the program's
// boxes say `<what> "<path>". <reason>`. Other errors (a refused file) pass unchanged.
std::string Reworded(const Error& error, std::initializer_list<const char*> verbs,
                     const std::string& what, const std::filesystem::path& path) {
    const std::string text = error.what();
    for (const char* verb : verbs) {
        const std::string prefix = std::string(verb) + " \"" + PathText(path) + "\": ";
        if (text.starts_with(prefix)) {
            return what + " \"" + PathText(path) + "\". " + text.substr(prefix.size());
        }
    }
    return text;
}

}  // namespace

void LoadClientImage(const QString& path, ClientRecord& record) {
    const auto fsPath = ToFsPath(path);
    try {
        ReadClientFile(fsPath, record);
    } catch (const Error& error) {
        throw Error(Reworded(error, {"Cannot open", "Cannot read"}, "Cannot open file", fsPath));
    }
}

void SaveClientImage(const QString& path, const ClientRecord& record) {
    const auto fsPath = ToFsPath(path);
    try {
        WriteClientFile(fsPath, record);
    } catch (const Error& error) {
        throw Error(Reworded(error, {"Cannot save"}, "Cannot create file", fsPath));
    }
}

}  // namespace kivo
