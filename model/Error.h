// The program's error types: every failure that should reach the user as a message, and for
// client files one that also says what failed, on which file and why.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace kivo {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// What a client file operation failed at.
enum class FileErrorKind {
    Open,           // the file could not be opened or read
    NotClientFile,  // it was read but holds no client
    Save,           // the new file could not be written or put in place
    ChangedFile,    // the name now leads to another file than the one loaded, not a client file
};

// A failed client file operation. what() is the model's own wording (kivo-cli prints it):
//   Open           Cannot open "<path>": <reason>
//   NotClientFile  "<path>" is not a KIVO client file: <reason>
//   Save           Cannot save "<path>": <reason>
//   ChangedFile    Cannot save "<path>": it now leads to "<target>", which is not the client
//                  file that was loaded
// The reason is the system's text, for NotClientFile what is wrong with the file, and for
// ChangedFile the text after the colon; Target() is the file the save would have written.
class FileError : public Error {
public:
    FileError(FileErrorKind kind, const std::filesystem::path& path, const std::string& reason);
    // A ChangedFile error: `path` now leads to `target`.
    static FileError Changed(const std::filesystem::path& path,
                             const std::filesystem::path& target);

    FileErrorKind Kind() const { return kind_; }
    const std::filesystem::path& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }
    const std::filesystem::path& Target() const { return target_; }

private:
    FileErrorKind kind_ = FileErrorKind::Open;
    std::filesystem::path path_;
    std::string reason_;
    std::filesystem::path target_;
};

// Display form of a path for messages (as given, in UTF-8).
std::string PathText(const std::filesystem::path& path);

}  // namespace kivo
