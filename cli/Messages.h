// What kivo-cli prints besides its results: messages on standard error that stay one clean
// line whatever the file names hold, and names made valid UTF-8 for the CSV and JSON output.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "model/Error.h"

namespace kivo::cli {

// `text` as it may be shown on a terminal: tab, CR and LF as \t, \r and \n, the other control
// characters (C0, DEL and C1) and bytes that are not UTF-8 as \x1B, \x7F, \u009B, \xE9, so a
// name can neither move the cursor, retitle or clear the terminal nor start a line of its own.
std::string TerminalText(std::string_view text);

// Prints "kivo-cli: <text>" as one line, the text shown as TerminalText does.
void PrintMessage(std::ostream& err, std::string_view text);

// "cannot write '<file>': <reason>" for an output that failed, and that message printed.
std::string UnwrittenText(const FileError& failure);
void PrintUnwritten(std::ostream& err, const FileError& failure);

// Appends `text` to `out` as valid UTF-8: each byte that does not decode becomes U+FFFD.
// Returns false when anything had to be replaced.
bool AppendValidUtf8(std::string& out, std::string_view text);

// A file name as the score output writes it: `name` itself when it is valid UTF-8, otherwise
// a copy in `scratch` with U+FFFD in place of what does not decode, after a warning on `err`.
std::string_view OutputName(const std::string& name, std::string& scratch, std::ostream& err);

}  // namespace kivo::cli
