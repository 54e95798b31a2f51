// The output options the drawing commands share: -o/--output names the file (or for a batch
// report the folder) and --paper picks Letter or A4, parsed in one place with one wording.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kivo::cli {

struct OutputArgs {
    std::string output;
    bool a4 = false;

    // When args[i] is -o, --output or (with `paper`) --paper, in either the "-o X" or the
    // "--output=X" form, takes it and its value, leaves `i` on the last argument taken and
    // returns true; `problem` then says what is wrong with it, if anything.
    bool Take(std::span<const std::string> args, std::size_t& i, bool paper,
              std::optional<std::string>& problem);

    // The problem when no output was given ("<command> needs -o OUT.png") or when it has an
    // extension other than `extension` (compared in any case). A name without one is written
    // as it is (/dev/stdout, a pipe).
    std::optional<std::string> Check(std::string_view command, std::string_view extension) const;
};

// A usage problem when `output` has an extension other than `extension`.
std::optional<std::string> WrongExtension(const std::string& output, std::string_view extension,
                                          std::string_view command);

}  // namespace kivo::cli
