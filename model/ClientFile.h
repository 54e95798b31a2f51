#pragma once

#include <filesystem>

#include "model/ClientRecord.h"

namespace kivo {

// Reads a client file into `record`. A file shorter than the record, or one that does not
// start with "KIVO1" and a NUL, is refused with an Error naming the file and the fault;
// on any error `record` is left exactly as it was. Bytes after the record are ignored.
void ReadClientFile(const std::filesystem::path& path, ClientRecord& record);

// Writes the 552-byte image. The bytes go to a temporary file in the same folder that
// replaces the target only once everything is written and flushed to disk, so a failed
// save never leaves a truncated client file. Every failure throws an Error.
void WriteClientFile(const std::filesystem::path& path, const ClientRecord& record);

// Display form of a path for messages (as given, in UTF-8).
std::string PathText(const std::filesystem::path& path);

}  // namespace kivo
