// The run itself: the single-instance check (a second start with a file hands it to the copy
// that runs), the splash, the main window and the message loop, with any error that escapes
// shown in the error box.
#include "app/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <exception>

#include "app/Artwork.h"
#include "app/InstanceChannel.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
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
    // Before anything of Qt's can keep settings of its own.
    KeepToolkitSettingsUnwritten();
    QApplication application(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(KIVO_VERSION));
    if (hooks.dialogs) InstallDialogs(std::move(hooks.dialogs));

    const InstanceLock lock(QStringLiteral("KIVOMutex2"));
    if (!lock.Acquired()) {
        // A file (a double-click in the file manager) goes to the copy that runs, which opens
        // it; the relative name is made whole here, where it means something.
        const QString file = FirstArgument();
        if (!file.isEmpty() &&
            HandOverFile(InstanceChannelName(),
                         QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()))) {
            return 0;
        }
        ShowAlreadyRunning();
        return 1;
    }
    // Listening from now on; what arrives before the windows exist waits in the socket.
    InstanceServer server(InstanceChannelName());

    // The splash closes itself on its timer; one still open when the loop ends goes here.
    QPointer<SplashScreen> splash;
    try {
        canvas::InstallFontSubstitutes();
        QApplication::setWindowIcon(ApplicationIcon());
        splash = new SplashScreen();
        splash->show();
        splash->repaint();
        const std::unique_ptr<MainWindow> main = CreateWindows(FirstArgument());
        QObject::connect(&server, &InstanceServer::FileHandedOver, main.get(),
                         &MainWindow::OpenFileFromElsewhere);
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
