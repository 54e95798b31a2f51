// kivo-cli as a library call, so the tests run it in process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kivo::cli {

// Runs kivo-cli with its arguments (without the program name). Returns the exit status:
// 0 success, 1 when a file was refused, 2 on a usage error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The usage text printed by --help.
const char* UsageText();

}  // namespace kivo::cli
