// The open, the file type check and the read behind ReadClientInput. These are kivo-cli's own
// system calls (a FIFO must not block its open), so they stay here beside their only user.
#include "cli/ClientInput.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <filesystem>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "cli/Messages.h"
#include "model/ClientFile.h"
#include "model/Error.h"

namespace kivo::cli {

#ifdef _WIN32

InputKind ReadClientInput(const std::string& path, ClientRecord& record) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return InputKind::Folder;
    if (std::filesystem::exists(path, ec) && !std::filesystem::is_regular_file(path, ec)) {
        throw FileError(FileErrorKind::NotClientFile, path, "it is not a regular file");
    }
    ReadClientFile(path, record);
    return InputKind::ClientFile;
}

#else

namespace {

// Closes the descriptor when it goes; the file was only read, so closing cannot lose data.
struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

FileError OpenError(const std::string& path) {
    return FileError(FileErrorKind::Open, path, std::strerror(errno));
}

}  // namespace

InputKind ReadClientInput(const std::string& path, ClientRecord& record) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) throw OpenError(path);
    struct stat facts {};
    if (::fstat(file.fd, &facts) != 0) throw OpenError(path);
    if (S_ISDIR(facts.st_mode)) return InputKind::Folder;
    if (!S_ISREG(facts.st_mode)) {
        throw FileError(FileErrorKind::NotClientFile, path, "it is not a regular file");
    }
    ClientImage image{};
    std::size_t got = 0;
    while (got < image.size()) {
        const ssize_t n = ::read(file.fd, image.data() + got, image.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw OpenError(path);
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    DecodeClientFile(path, image, got, record);
    return InputKind::ClientFile;
}

#endif

bool ReadOneClientFile(const std::string& path, ClientRecord& record, std::ostream& err) {
    try {
        if (ReadClientInput(path, record) == InputKind::ClientFile) return true;
        throw FileError(FileErrorKind::NotClientFile, path, "it is a folder");
    } catch (const Error& e) {
        PrintMessage(err, e.what());
        return false;
    }
}

}  // namespace kivo::cli
