// A QGuiApplication on the offscreen platform unless one exists or QT_QPA_PLATFORM says
// otherwise, with the layouts' font names mapped.
#include "cli/GuiSession.h"

#include "canvas/FontMap.h"

namespace kivo::cli {

GuiSession::GuiSession() {
    static int argc = 1;
    static char name[] = "kivo-cli";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_.emplace(argc, argv);
    }
    canvas::InstallFontSubstitutes();
}

}  // namespace kivo::cli
