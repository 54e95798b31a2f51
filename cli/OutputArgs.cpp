// -o/--output and --paper for render, report and blank, and the check of the output's
// extension.
#include "cli/OutputArgs.h"

#include <algorithm>

namespace kivo::cli {
namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of option `name` at args[i]: "--name=value" there, or the next argument.
std::optional<std::string> ValueOf(std::span<const std::string> args, std::size_t& i,
                                   std::string_view name) {
    const std::string& a = args[i];
    if (a.size() > name.size() && a.compare(0, name.size(), name) == 0 && a[name.size()] == '=') {
        return a.substr(name.size() + 1);
    }
    if (i + 1 >= args.size()) return std::nullopt;
    return args[++i];
}

bool Names(const std::string& arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
                           arg[name.size()] == '=');
}

}  // namespace

bool OutputArgs::Take(std::span<const std::string> args, std::size_t& i, bool paper,
                      std::optional<std::string>& problem) {
    const std::string& a = args[i];
    const std::string_view name = a == "-o"                      ? "-o"
                                  : Names(a, "--output")         ? "--output"
                                  : paper && Names(a, "--paper") ? "--paper"
                                                                 : "";
    if (name.empty()) return false;
    const auto value = ValueOf(args, i, name);
    if (!value || value->empty()) {
        problem =
            std::string(name) + (name == "--paper" ? " needs letter or a4" : " needs a file name");
        return true;
    }
    if (name != "--paper") {
        output = *value;
    } else if (*value == "letter" || *value == "a4") {
        a4 = *value == "a4";
    } else {
        problem = "--paper needs letter or a4, not '" + *value + "'";
    }
    return true;
}

std::optional<std::string> OutputArgs::Check(std::string_view command,
                                             std::string_view extension) const {
    if (output.empty()) return std::string(command) + " needs -o OUT" + std::string(extension);
    return WrongExtension(output, extension, command);
}

std::optional<std::string> WrongExtension(const std::string& output, std::string_view extension,
                                          std::string_view command) {
    const std::size_t slash = output.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = output.find_last_of('.');
    // No extension: a dot only at the start of the name (".pdf" is a hidden file's name).
    if (dot == std::string::npos || dot <= nameStart) return std::nullopt;
    const std::string_view given = std::string_view(output).substr(dot);
    const bool same = given.size() == extension.size() &&
                      std::equal(given.begin(), given.end(), extension.begin(),
                                 [](char a, char b) { return AsciiLower(a) == b; });
    if (same) return std::nullopt;
    std::string upper(extension.substr(1));
    for (char& c : upper) c = static_cast<char>(c - 'a' + 'A');
    return std::string(command) + " writes " + upper + ": '" + output + "' does not end in " +
           std::string(extension);
}

}  // namespace kivo::cli
