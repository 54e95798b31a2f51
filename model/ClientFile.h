// Reading and writing .KVO client files: the 552-byte record image, checked on the way in and
// written so that a failed save never damages the file already there.
#pragma once

#include <filesystem>
#include <optional>

#include "model/ClientRecord.h"
#include "model/Error.h"
#include "model/Platform.h"

namespace kivo {

// Reads a client file into `record` and gives the identity of the file read, for a later
// save to check against. A file that cannot be read throws a FileError of kind Open; one
// shorter than the record, or one that does not start with "KIVO1" and a NUL, of kind
// NotClientFile. On any error `record` is left exactly as it was. Bytes after the record are
// ignored.
platform::FileIdentity ReadClientFile(const std::filesystem::path& path, ClientRecord& record);

// The checks and decoding of ReadClientFile on the first `size` bytes of the file at `path`,
// already read into `image` (for readers that open files their own way).
void DecodeClientFile(const std::filesystem::path& path, const ClientImage& image, std::size_t size,
                      ClientRecord& record);

// Writes the 552-byte image and gives the identity of the file written. The bytes go to a
// temporary file in the same folder that replaces the target only once everything is
// written and flushed to disk, and the folder is flushed after the rename, so a failed save
// never leaves a truncated client file. A symbolic link is written through to the file at
// its end and stays a link; the new file keeps the mode of the one it replaces, its access
// control list and extended attributes, and its owner and group where the process may set
// them. A file without the user's write permission is refused (reason "Permission denied"),
// for root too.
//
// The file is written over in place instead, not atomically but keeping everything it has,
// where replacing it would change more than its contents: it has other names (hard links),
// the folder takes no new files, the folder refuses the rename (a sticky folder and another
// user's file), or its access list or attributes cannot be given to a new file.
//
// With `loaded`, the identity ReadClientFile gave, a file in the way that is neither that
// file nor a client file (a link swapped for one to another file) is not written: the save
// throws a FileError of kind ChangedFile naming the file it leads to. A successful save
// removes the temporaries that killed saves of the same file left. Every other failure
// throws a FileError of kind Save.
platform::FileIdentity WriteClientFile(const std::filesystem::path& path,
                                       const ClientRecord& record,
                                       std::optional<platform::FileIdentity> loaded = {});

}  // namespace kivo
