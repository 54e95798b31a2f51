// The program itself with its questions answered OK and written to stdout, its window title
// written on each change ("TITLE|..."), and "READY" once it takes hand-overs: what the
// single-instance tests start as real processes. With KIVO_PROBE_FILE_DIALOG set it makes and
// destroys one of Qt's file dialogs before READY, which would write Qt's own settings. With
// KIVO_PROBE_CLOSE set it writes the status bar's first panel ("STATUS|...") after READY and
// closes its window as File > Exit does, so the whole run from start to exit can be timed.
#include <QFileDialog>
#include <QTimer>
#include <cstdio>

#include "app/MainWindow.h"
#include "app/Program.h"

namespace {

class PrintingDialogs final : public kivo::DialogSeam {
public:
    kivo::DialogButton Message(const kivo::MessageRequest& request) override {
        std::printf("MESSAGE|%s|%s|%s\n", request.caption.toUtf8().constData(),
                    request.text.toUtf8().constData(), request.owner ? "owned" : "unowned");
        std::fflush(stdout);
        return kivo::DialogButton::Ok;
    }
    std::optional<QString> OpenFileName(const kivo::FileRequest&) override { return {}; }
    std::optional<QString> SaveFileName(const kivo::FileRequest&) override { return {}; }
    bool Print(const kivo::PrintRequest&, QPrinter&) override { return false; }
    std::optional<QString> InputText(const kivo::InputRequest&) override { return {}; }
    int RunModal(QDialog&) override { return 0; }
};

}  // namespace

int main(int argc, char** argv) {
    static kivo::MainWindow* shown = nullptr;
    kivo::ProgramHooks hooks;
    hooks.dialogs = std::make_unique<PrintingDialogs>();
    hooks.beforeMessageLoop = [](kivo::MainWindow& main) {
        shown = &main;
        QObject::connect(&main, &QWidget::windowTitleChanged, [](const QString& title) {
            std::printf("TITLE|%s\n", title.toUtf8().constData());
            std::fflush(stdout);
        });
        if (qEnvironmentVariableIsSet("KIVO_PROBE_FILE_DIALOG")) {
            QFileDialog dialog(&main, QStringLiteral("Load a file"));
            dialog.setOption(QFileDialog::DontUseNativeDialog);
        }
    };
    hooks.listening = [] {
        std::printf("READY\n");
        std::fflush(stdout);
        if (qEnvironmentVariableIsSet("KIVO_PROBE_CLOSE") && shown != nullptr) {
            std::printf("STATUS|%s\n", shown->StatusPanelText(0).toUtf8().constData());
            std::fflush(stdout);
            QTimer::singleShot(0, shown, [] { shown->close(); });
        }
    };
    return kivo::RunProgram(argc, argv, std::move(hooks));
}
