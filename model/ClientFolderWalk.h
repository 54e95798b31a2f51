// The client files below a folder, found one way for every part of the program that looks
// through a clinic's data folder: the client list and the ID check on saving.
#pragma once

#include <string>
#include <string_view>

#include "model/Platform.h"

namespace kivo {

// True when the file name ends in ".kvo" in any case (smith.KVO, smith.kvo, smith.Kvo).
bool HasClientFileName(std::string_view name);

// What a walk reports, with paths relative to the walk's root, '/' between the parts and
// no leading one; the root itself is "".
class FolderWalkVisitor {
public:
    virtual ~FolderWalkVisitor() = default;
    // Asked before each file and folder; true ends the walk at once.
    virtual bool Stopped() const { return false; }
    // A folder about to be walked; false passes over what is in it.
    virtual bool EnterFolder(const std::string& folder) = 0;
    // A file named *.kvo: `type` is File for a plain file (or a link to one) and Special for
    // a pipe, a device or a socket, which must not be opened.
    virtual void ClientFile(const std::string& path, platform::EntryType type) = 0;
    // A folder that could not be listed, with the system's reason.
    virtual void FolderFailed(const std::string& folder, const std::string& reason) = 0;
};

// Walks `start` (relative to `root`, "" for the root itself) and the folders below it, each
// folder in byte order of its names (as `LC_ALL=C sort` orders them), a folder's files and
// subfolders mixed in that order. Names starting with a dot are passed over, and so are
// files not named *.kvo; a folder is walked whatever its name (a folder "old.kvo" too); a
// link to a folder is not followed, a link to a file is a file.
void WalkClientFolder(const std::string& root, const std::string& start,
                      FolderWalkVisitor& visitor);

// `root` and a relative path joined with one '/'.
std::string JoinPath(const std::string& root, const std::string& relative);

}  // namespace kivo
