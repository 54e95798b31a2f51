// What kivo-cli's FILE arguments may name besides a client file: a folder of client files, or
// "-" for a list of paths on standard input, so any number of files can be given.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace kivo::cli {

// What a visit asks of the walk: go on with the next file, walk the path as a folder (a
// folder named like a client file, found when it was opened), or stop at once.
enum class Visit { Next, Folder, Stop };

// The longest path a line on standard input may hold, in bytes: the system's limit.
std::size_t LongestListedPath();

// Calls `visit` with the path of every client file the inputs name, one at a time, in this
// order: the inputs as given; a file stands for itself whatever its name; "-" stands for the
// lines of `in` (one path per line, a CR before the line end and empty lines ignored), each
// of them taken as an input; a folder stands for the files below it, found recursively and
// visited in byte order of their paths (as `LC_ALL=C sort` orders them). In a folder, only
// files named *.kvo (any case) are visited: names starting with a dot, links to folders and
// every other file are passed over without a word. An input named *.kvo is handed to `visit`
// without a look at what it is, and walked when `visit` answers that it is a folder. A folder
// that cannot be read is reported on `err`, and so is a line of `in` longer than
// LongestListedPath(), which ends the list. Returns false when anything was reported.
bool ForEachClientFile(std::span<const std::string> inputs, std::istream& in, std::ostream& err,
                       const std::function<Visit(const std::string& path)>& visit);

}  // namespace kivo::cli
