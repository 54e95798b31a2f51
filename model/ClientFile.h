// Reading and writing .KVO client files: the 552-byte record image, checked on the way in and
// written so that a failed save never damages the file already there.
#pragma once

#include <filesystem>

#include "model/ClientRecord.h"
#include "model/Error.h"

namespace kivo {

// Reads a client file into `record`. A file that cannot be read throws a FileError of kind
// Open; one shorter than the record, or one that does not start with "KIVO1" and a NUL, of
// kind NotClientFile. On any error `record` is left exactly as it was. Bytes after the
// record are ignored.
void ReadClientFile(const std::filesystem::path& path, ClientRecord& record);

// The checks and decoding of ReadClientFile on the first `size` bytes of the file at `path`,
// already read into `image` (for readers that open files their own way).
void DecodeClientFile(const std::filesystem::path& path, const ClientImage& image, std::size_t size,
                      ClientRecord& record);

// Writes the 552-byte image. The bytes go to a temporary file in the same folder that
// replaces the target only once everything is written and flushed to disk, and the folder is
// flushed after the rename, so a failed save never leaves a truncated client file. A
// symbolic link is written through to the file at its end and stays a link; the new file
// keeps the mode of the one it replaces, and its owner and group where the process may set
// them. A file without the user's write permission is refused (reason "Permission
// denied"), for root too; a folder that takes no new files has its client file written over
// in place. A successful save removes the temporaries that killed saves of the same file
// left. Every failure throws a FileError of kind Save.
void WriteClientFile(const std::filesystem::path& path, const ClientRecord& record);

}  // namespace kivo
