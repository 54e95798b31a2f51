// The toolkit's message handler for kivo-cli, the terminal test behind its progress lines and
// the close of standard output. These calls stay here, next to their only user, rather than
// in the model's platform seam.
#include "cli/Process.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#ifdef KIVO_CLI_RENDER
#include <QByteArray>
#include <QString>
#include <QtGlobal>
#endif

namespace kivo::cli {

#ifdef KIVO_CLI_RENDER
namespace {

void ToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) return;
    const QByteArray text = message.toLocal8Bit();
    std::fprintf(stderr, "kivo-cli: %s\n", text.constData());
}

}  // namespace
#endif

void SilenceToolkitMessages() {
#ifdef KIVO_CLI_RENDER
    qInstallMessageHandler(ToolkitMessage);
#endif
}

bool StandardErrorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

std::string CloseStandardOutput() {
    errno = 0;
#ifdef _WIN32
    const bool closed = _close(_fileno(stdout)) == 0;
#else
    const bool closed = ::close(STDOUT_FILENO) == 0 || errno == EBADF;
#endif
    return closed ? std::string() : std::string(std::strerror(errno));
}

}  // namespace kivo::cli
