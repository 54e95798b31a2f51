// The subcommands of kivo-cli. Each takes the arguments after its name and returns the exit
// status.
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "cli/Cli.h"

namespace kivo::cli {

// Scores client files, folders of them and lists on standard input, as CSV or JSON.
int Scores(std::span<const std::string> args, const Streams& streams);
int Show(std::span<const std::string> args, std::ostream& out, std::ostream& err);
// Paints the report or item view paint box of a client file to a PNG image.
int Render(std::span<const std::string> args, std::ostream& out, std::ostream& err);
// Prints the score report of one client into a PDF, or of many into one PDF each.
int Report(std::span<const std::string> args, const Streams& streams);
// Prints a blank questionnaire (a, b or long) into a two-page PDF.
int Blank(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// Prints a usage error and returns 2.
int UsageError(std::ostream& err, const std::string& message);

}  // namespace kivo::cli
