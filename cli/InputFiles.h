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

// True when the file name ends in ".kvo" in any case (smith.KVO, smith.kvo, smith.Kvo).
bool HasClientFileName(std::string_view name);

// Calls `visit` with the path of every client file the inputs name, one at a time, in this
// order: the inputs as given; a file stands for itself whatever its name; "-" stands for the
// lines of `in` (one path per line, a CR before the line end and empty lines ignored), each
// of them taken as an input; a folder stands for the files below it, found recursively and
// visited in byte order of their paths (as `LC_ALL=C sort` orders them). In a folder, names
// starting with a dot and links to folders are passed over, files named *.kvo (any case) are
// visited and every other file is reported on `err` as not a client file. A folder that
// cannot be read is reported too. Returns false when anything was reported.
bool ForEachClientFile(std::span<const std::string> inputs, std::istream& in, std::ostream& err,
                       const std::function<void(const std::string& path)>& visit);

}  // namespace kivo::cli
