#include "Program.h"

#include <QApplication>
#include <QPointer>
#include <exception>

#include "Artwork.h"
#include "ErrorBox.h"
#include "FontMap.h"
#include "Forms.h"
#include "InstanceLock.h"
#include "Splash.h"
#include "Winmain.h"

namespace kivo {
namespace {

void ShowAlreadyRunning() {
    Dialogs().Message({QStringLiteral("The program is already running."), QStringLiteral("Error"),
                       DialogIcon::None, static_cast<int>(DialogButton::Ok), nullptr});
}

QString FirstArgument() {
    const QStringList arguments = QCoreApplication::arguments();
    return arguments.size() > 1 ? arguments.at(1) : QString();
}

}  // namespace

int RunProgram(int& argc, char** argv, ProgramHooks hooks) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    if (hooks.dialogs) InstallDialogs(std::move(hooks.dialogs));

    const InstanceLock lock(QStringLiteral("KIVOMutex2"));
    if (!lock.Acquired()) {
        ShowAlreadyRunning();
        return 1;
    }

    // The splash closes itself on its timer; one still open when the loop ends goes here.
    QPointer<TfmSplashScreen> splash;
    try {
        canvas::InstallFontSubstitutes();
        QApplication::setWindowIcon(ApplicationIcon());
        splash = new TfmSplashScreen();
        splash->show();
        splash->repaint();
        const std::unique_ptr<TfmWinMain> main = CreateForms(FirstArgument());
        if (hooks.beforeMessageLoop) hooks.beforeMessageLoop(*main);
        main->show();
        QApplication::exec();
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    }
    delete splash.data();
    InstallDialogs(nullptr);
    return 0;
}

}  // namespace kivo
