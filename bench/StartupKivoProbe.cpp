// KIVO's own start-up (lock, splash, every window, first show) up to the main window's first
// paint, then quit: the measured side of the start-up benchmark.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "bench/StartupPaintProbe.h"

int main(int argc, char** argv) {
    kivo::ProgramHooks hooks;
    hooks.beforeMessageLoop = [](kivo::MainWindow& main) {
        main.installEventFilter(new FirstPaintProbe(&main));
    };
    return kivo::RunProgram(argc, argv, std::move(hooks));
}
