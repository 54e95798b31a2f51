// The run itself: the single-instance check, the splash, the main window and the message
// loop, with any error that escapes shown in the error box.
#include "app/Program.h"

#include <QApplication>
#include <QPointer>
#include <exception>

#include "app/Artwork.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/SplashScreen.h"
#include "app/Windows.h"
#include "canvas/FontMap.h"
#include "shell/ErrorBox.h"

namespace kivo {
namespace {

void ShowAlreadyRunning() {
    Dialogs().Message({QStringLiteral("The program is already running."), QStringLiteral("Error"),
                       DialogIcon::None, DialogButton::Ok, nullptr});
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
    QPointer<SplashScreen> splash;
    try {
        canvas::InstallFontSubstitutes();
        QApplication::setWindowIcon(ApplicationIcon());
        splash = new SplashScreen();
        splash->show();
        splash->repaint();
        const std::unique_ptr<MainWindow> main = CreateWindows(FirstArgument());
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
