// Runs kivo-cli in the test's own process and splits its output, for the kivo-cli tests.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace kivo::test {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

// kivo-cli with `args` (no program name) and `input` as its standard input.
inline CliResult RunCliInProcess(const std::vector<std::string>& args,
                                 const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::Run(args, cli::Streams{in, out, err});
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace kivo::test
