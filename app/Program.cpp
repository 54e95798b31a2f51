// The run itself: the single-instance check (a second start with a file hands it to the copy
// that runs), the splash, the main window, the hand-over's listening end and the message loop,
// with any error that escapes shown in the error box.
#include "app/Program.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <exception>
#include <optional>
#include <utility>

#include "app/Artwork.h"
#include "app/InstanceChannel.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "app/SplashScreen.h"
#include "app/Windows.h"
#include "canvas/FontMap.h"
#include "shell/ErrorBox.h"
#include "shell/FocusRingStyle.h"

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

// Runs `work` once, after the window's first paint has gone out, or `latest` after it was
// shown if no paint comes by then (a window the platform never exposes). Lives as a child of
// the window, so nothing runs after the window is gone.
class AfterFirstPaint final : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> work, std::chrono::milliseconds latest)
        : QObject(&window), window_(window), work_(std::move(work)) {
        window.installEventFilter(this);
        QTimer::singleShot(latest, this, [this] { Run(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Queued, so the paint finishes first.
        if (event->type() == QEvent::Paint) QTimer::singleShot(0, this, [this] { Run(); });
        return QObject::eventFilter(watched, event);
    }

private:
    void Run() {
        if (!work_) return;
        window_.removeEventFilter(this);
        deleteLater();
        std::exchange(work_, nullptr)();
    }

    QWidget& window_;
    std::function<void()> work_;
};

// How long after the window shows a second start may have to wait for the hand-over at most;
// it retries its connection for far longer (HandOverFile).
constexpr std::chrono::milliseconds kListenAtTheLatest{500};

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
    // Made once the window has painted: making the socket may wait on a busy disk, which the
    // first sight of the program should not, and a second start retries meanwhile.
    std::optional<InstanceServer> server;

    // The splash closes itself on its timer; one still open when the loop ends goes here.
    QPointer<SplashScreen> splash;
    try {
        canvas::InstallFontSubstitutes();
        InstallFocusRingStyle();
        QApplication::setWindowIcon(ApplicationIcon());
        splash = new SplashScreen();
        splash->show();
        splash->repaint();
        const std::unique_ptr<MainWindow> main = CreateWindows(FirstArgument());
        if (hooks.beforeMessageLoop) hooks.beforeMessageLoop(*main);
        main->show();
        new AfterFirstPaint(
            *main,
            [&server, &main, &hooks] {
                server.emplace(InstanceChannelName());
                QObject::connect(&*server, &InstanceServer::FileHandedOver, main.get(),
                                 &MainWindow::OpenFileFromElsewhere);
                if (hooks.listening) hooks.listening();
            },
            kListenAtTheLatest);
        QApplication::exec();
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    }
    delete splash.data();
    InstallDialogs(nullptr);
    return 0;
}

}  // namespace kivo
