// How kivo-cli reads a client file named to it: opened without waiting, so a FIFO or a device
// under a client file's name never holds a run up, and read only when it is a regular file.
#pragma once

#include <ostream>
#include <string>

#include "model/ClientRecord.h"

namespace kivo::cli {

enum class InputKind { ClientFile, Folder };

// Reads the client file at `path` into `record` and gives ClientFile. A folder gives Folder,
// for the caller to walk, and leaves `record` alone. Throws a FileError as ReadClientFile
// does; anything that is not a regular file (a FIFO, a device, a socket) is refused as not a
// client file, with the reason "it is not a regular file", without reading from it.
InputKind ReadClientInput(const std::string& path, ClientRecord& record);

// Reads the one client file a command takes (show, render, report of one file): true when it
// was read; otherwise the reason is printed on `err` (a folder is refused as well).
bool ReadOneClientFile(const std::string& path, ClientRecord& record, std::ostream& err);

}  // namespace kivo::cli
