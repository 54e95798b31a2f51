// kivo-cli's entry point; the commands live in kivo_cli_lib, which the tests link.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return kivo::cli::Run(args, std::cout, std::cerr);
}
