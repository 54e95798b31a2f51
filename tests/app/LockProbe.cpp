// The program itself with its questions answered OK and written to stdout, and "READY" once
// the message loop runs: what the single-instance test starts as real processes.
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
    kivo::ProgramHooks hooks;
    hooks.dialogs = std::make_unique<PrintingDialogs>();
    hooks.beforeMessageLoop = [](kivo::MainWindow&) {
        QTimer::singleShot(0, [] {
            std::printf("READY\n");
            std::fflush(stdout);
        });
    };
    return kivo::RunProgram(argc, argv, std::move(hooks));
}
