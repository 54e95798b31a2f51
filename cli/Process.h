// What the kivo-cli process sets up before it runs a command: a quiet toolkit and a look at
// where its messages go, and the last check of its output. For main only; the tests run commands in
// their own process.
#pragma once

#include <string>

namespace kivo::cli {

// Keeps the toolkit's own diagnostics (a missing XDG_RUNTIME_DIR, a PDF device that did not
// open) off standard error: kivo-cli reports every failure in its own words. A fatal toolkit
// error still prints before the process ends.
void SilenceToolkitMessages();

// True when standard error is a terminal, so progress can be shown there.
bool StandardErrorIsTerminal();

// Closes standard output at the end of a run: a file system that reports a failed write only
// when the file is closed (NFS, a full quota) is heard too. Empty when it closed cleanly,
// else the system's reason.
std::string CloseStandardOutput();

}  // namespace kivo::cli
