// kivo-cli's entry point; the commands live in kivo_cli_lib, which the tests link.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/Process.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    kivo::cli::SilenceToolkitMessages();
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = kivo::cli::Run(
        args,
        kivo::cli::Streams{std::cin, std::cout, std::cerr, kivo::cli::StandardErrorIsTerminal()});
    std::cout.flush();
    if (const std::string failure = kivo::cli::CloseStandardOutput(); !failure.empty()) {
        std::cerr << "kivo-cli: cannot write standard output: " << failure << '\n';
        return 1;
    }
    return status;
}
