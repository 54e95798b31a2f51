// kivo-cli as a library call, so the tests run it in process.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace kivo::cli {

// The streams one run of kivo-cli reads and writes.
struct Streams {
    std::istream& in;   // the list of paths that "-" reads
    std::ostream& out;  // results
    std::ostream& err;  // messages, and progress when errIsTerminal
    // True when `err` shows on a terminal: long jobs then say how far they are.
    bool errIsTerminal = false;
};

// Runs kivo-cli with its arguments (without the program name). Returns the exit status:
// 0 success, 1 when a file was refused or an output not written, 2 on a usage error.
int Run(const std::vector<std::string>& args, const Streams& streams);
// As above, with "-" reading the process's standard input and no progress.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage text printed by --help.
const char* UsageText();

}  // namespace kivo::cli
