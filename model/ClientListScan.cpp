// Reading client files into list entries and keeping a mirror of the data folder's times, so
// that a change on disk costs a listing of one folder and the reading of what changed.
#include "model/ClientListScan.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <unordered_set>
#include <vector>

#include "model/ClientFile.h"
#include "model/ClientFolderWalk.h"

namespace kivo {
namespace {

using platform::EntryType;

const char* const kNotPlainFile = "it is not a plain file";

// Why the first `got` bytes of the file, read into `image`, hold no client; empty when they
// hold one. The reader's own checks give the reason, worded as everywhere else.
std::string NotClientReason(const std::string& path, const ClientImage& image, std::size_t got) {
    try {
        ClientRecord record{};
        DecodeClientFile(path, image, got, record);
        return {};
    } catch (const FileError& error) {
        return error.Reason();
    }
}

template <std::size_t N>
void CopyField(char (&to)[N], std::span<const char> field) {
    const std::string_view bytes = FieldBytes(field);
    const std::size_t size = std::min(bytes.size(), N - 1);
    std::memcpy(to, bytes.data(), size);
    std::fill(to + size, to + N, '\0');
}

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void FillClientListEntry(ClientListEntry& entry, const ClientRecord& record) {
    entry.status = ClientListEntry::Status::Client;
    entry.reason.clear();
    entry.form = record.TestForm;
    CopyField(entry.lastName, record.LastName);
    CopyField(entry.firstName, record.FirstName);
    CopyField(entry.clientId, record.ClientId);
    CopyField(entry.birthDate, record.BirthDate);
    CopyField(entry.testDate1, record.TestDate1);
    CopyField(entry.testDate2, record.TestDate2);
}

ClientListEntry ReadClientListEntry(const std::string& root, const std::string& path,
                                    EntryType type) {
    ClientListEntry entry;
    entry.path = path;
    const std::string full = JoinPath(root, path);
    if (type == EntryType::Special) {
        // A pipe is never opened: opening it could wait for a writer for ever.
        if (const auto state = platform::StateOfFile(full)) entry.modified = state->modified;
        entry.status = ClientListEntry::Status::NotClientFile;
        entry.reason = kNotPlainFile;
        return entry;
    }
    ClientImage image{};
    platform::FileState state;
    const auto got = platform::ReadPlainFileHead(full, image, state);
    entry.modified = state.modified;
    entry.size = state.size;
    if (!got) {
        entry.status = ClientListEntry::Status::Unreadable;
        entry.reason = got.Failure().reason;
        return entry;
    }
    if (state.type != EntryType::File) {
        entry.status = ClientListEntry::Status::NotClientFile;
        entry.reason = kNotPlainFile;
        return entry;
    }
    std::string fault = NotClientReason(full, image, *got);
    if (!fault.empty()) {
        entry.status = ClientListEntry::Status::NotClientFile;
        entry.reason = std::move(fault);
        return entry;
    }
    FillClientListEntry(entry, FromImage(image));
    return entry;
}

std::int64_t ClientFolderMirror::FolderTime(const std::string& folder) const {
    const auto state = platform::StateOfFile(JoinPath(root_, folder));
    if (!state || state->type != EntryType::Folder) return -1;
    return state->modified;
}

void ClientFolderMirror::Scan(ClientListSink& sink) {
    while (!folders_.empty()) Forget(folders_.begin()->first, sink);
    Walk("", sink);
}

// Walks `start` and everything below it as new: each folder and file is reported.
void ClientFolderMirror::Walk(const std::string& start, ClientListSink& sink) {
    struct Visitor : FolderWalkVisitor {
        ClientFolderMirror& mirror;
        ClientListSink& sink;
        Visitor(ClientFolderMirror& m, ClientListSink& s) : mirror(m), sink(s) {}
        bool Stopped() const override { return sink.Stopped(); }
        bool EnterFolder(const std::string& folder) override {
            // The time is taken before the listing, so a change during it shows at the next poll.
            mirror.folders_[folder].modified = mirror.FolderTime(folder);
            if (!folder.empty()) {
                const auto parent = mirror.folders_.find(ParentOf(folder));
                if (parent != mirror.folders_.end()) parent->second.subfolders[folder] = true;
            }
            sink.FolderAdded(folder);
            return true;
        }
        void ClientFile(const std::string& path, EntryType type) override {
            ClientListEntry entry = ReadClientListEntry(mirror.root_, path, type);
            mirror.folders_[ParentOf(path)].files[NameOf(path)] = {entry.modified, entry.size};
            sink.Found(std::move(entry));
        }
        void FolderFailed(const std::string& folder, const std::string& reason) override {
            sink.FolderFailed(folder, reason);
        }
    } visitor(*this, sink);
    WalkClientFolder(root_, start, visitor);
}

void ClientFolderMirror::Forget(const std::string& folder, ClientListSink& sink) {
    const auto found = folders_.find(folder);
    if (found == folders_.end()) return;
    FolderMark mark = std::move(found->second);
    folders_.erase(found);
    for (const auto& [name, file] : mark.files) {
        sink.Gone(folder.empty() ? name : folder + '/' + name);
    }
    for (const auto& [sub, known] : mark.subfolders) Forget(sub, sink);
    if (!folder.empty()) {
        const auto parent = folders_.find(ParentOf(folder));
        if (parent != folders_.end()) parent->second.subfolders.erase(folder);
    }
    sink.FolderGone(folder);
}

void ClientFolderMirror::Rescan(const std::string& folder, ClientListSink& sink) {
    const auto known = folders_.find(folder);
    if (FolderTime(folder) < 0) {
        Forget(folder, sink);
        return;
    }
    if (known == folders_.end()) {
        // A folder the mirror has not seen: walked whole once its parent is known.
        if (folder.empty() || folders_.count(ParentOf(folder)) != 0) Walk(folder, sink);
        return;
    }

    // The files and subfolders there now; the files compared with their marks by time and
    // length, so only those that changed are read.
    struct Visitor : FolderWalkVisitor {
        ClientFolderMirror& mirror;
        ClientListSink& sink;
        const std::string& folder;
        std::unordered_set<std::string> files;
        std::unordered_set<std::string> subfolders;
        std::vector<std::string> newFolders;
        Visitor(ClientFolderMirror& m, ClientListSink& s, const std::string& f)
            : mirror(m), sink(s), folder(f) {}
        bool Stopped() const override { return sink.Stopped(); }
        bool EnterFolder(const std::string& entered) override {
            if (entered == folder) {
                mirror.folders_[folder].modified = mirror.FolderTime(folder);
                return true;
            }
            subfolders.insert(entered);
            if (mirror.folders_.count(entered) == 0) newFolders.push_back(entered);
            return false;
        }
        void ClientFile(const std::string& path, EntryType type) override {
            const std::string name = NameOf(path);
            files.insert(name);
            auto& marks = mirror.folders_[folder].files;
            const auto mark = marks.find(name);
            if (mark != marks.end() && type != EntryType::Special) {
                const auto state = platform::StateOfFile(JoinPath(mirror.root_, path));
                if (state && state->modified == mark->second.modified &&
                    state->size == mark->second.size) {
                    return;
                }
            }
            ClientListEntry entry = ReadClientListEntry(mirror.root_, path, type);
            marks[name] = {entry.modified, entry.size};
            sink.Found(std::move(entry));
        }
        void FolderFailed(const std::string& failed, const std::string& reason) override {
            sink.FolderFailed(failed, reason);
        }
    } visitor(*this, sink, folder);
    WalkClientFolder(root_, folder, visitor);
    if (sink.Stopped()) return;

    auto& mark = folders_[folder];
    std::vector<std::string> goneFiles;
    for (const auto& [name, file] : mark.files) {
        if (visitor.files.count(name) == 0) goneFiles.push_back(name);
    }
    for (const auto& name : goneFiles) {
        folders_[folder].files.erase(name);
        sink.Gone(folder.empty() ? name : folder + '/' + name);
    }
    std::vector<std::string> goneFolders;
    for (const auto& [sub, present] : mark.subfolders) {
        if (visitor.subfolders.count(sub) == 0) goneFolders.push_back(sub);
    }
    for (const auto& sub : goneFolders) Forget(sub, sink);
    for (const auto& sub : visitor.newFolders) Walk(sub, sink);
}

void ClientFolderMirror::Poll(ClientListSink& sink) {
    std::vector<std::string> known;
    known.reserve(folders_.size());
    for (const auto& [folder, mark] : folders_) known.push_back(folder);
    // Parents first, so a folder that went takes its subfolders with it before they are asked.
    std::sort(known.begin(), known.end());
    for (const auto& folder : known) {
        if (sink.Stopped()) return;
        const auto mark = folders_.find(folder);
        if (mark == folders_.end()) continue;
        if (FolderTime(folder) != mark->second.modified) Rescan(folder, sink);
    }
}

}  // namespace kivo
