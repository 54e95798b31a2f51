// One run of the program from the outside: what main() calls, with the hooks that tests and
// benchmarks use to answer dialogs and act before the message loop or once a second start
// can hand a file over.
#pragma once

#include <functional>
#include <memory>

#include "shell/DialogSeam.h"

namespace kivo {

class MainWindow;

// What a caller other than the program itself may change about a run (tests, benchmarks).
struct ProgramHooks {
    std::unique_ptr<DialogSeam> dialogs;                 // null: Qt's dialogs
    std::function<void(MainWindow&)> beforeMessageLoop;  // after every window is created
    // Once the program has set up its end of the hand-over (after the window's first paint).
    std::function<void()> listening;
};

// The whole run: the single-instance lock, the splash, the windows, the message loop.
// Returns 1 when another instance is running, else 0.
int RunProgram(int& argc, char** argv, ProgramHooks hooks = {});

}  // namespace kivo
