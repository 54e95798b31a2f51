// The toolkit's message handler for kivo-cli and the terminal test behind its progress lines.
// The isatty call stays here, next to its only user, rather than in the model's platform seam.
#include "cli/Process.h"

#include <cstdio>

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

}  // namespace kivo::cli
