// Reading client files into list entries and keeping a mirror of the data folder's times, so
// that a change on disk costs a listing of one folder and the reading of what changed.
#include "model/ClientListScan.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <span>
#include <unordered_set>
#include <vector>

#include "model/ClientFile.h"
#include "model/ClientFolderWalk.h"
#include "model/ClientListTable.h"

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

std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ClientListEntry::ClientListEntry(const ClientListEntry& other)
    : modified(other.modified), size(other.size), form(other.form), status(other.status) {
    std::string_view texts[kFieldCount];
    other.GetTexts(texts);
    SetTexts(texts);
}

ClientListEntry& ClientListEntry::operator=(const ClientListEntry& other) {
    if (this != &other) *this = ClientListEntry(other);
    return *this;
}

void ClientListEntry::GetTexts(std::string_view (&texts)[kFieldCount]) const {
    for (int field = 0; field < kFieldCount; ++field) {
        const auto end = field + 1 < kFieldCount ? start_[field + 1] - 1
                                                 : start_[field] + std::strlen(Text(kSearch));
        texts[field] = std::string_view(Text(static_cast<Field>(field)), end - start_[field]);
    }
}

void ClientListEntry::SetTexts(const std::string_view (&texts)[kFieldCount]) {
    std::size_t total = 0;
    for (const auto& text : texts) total += text.size() + 1;
    auto buffer = std::make_unique_for_overwrite<char[]>(total);
    std::uint32_t at = 0;
    for (int field = 0; field < kFieldCount; ++field) {
        start_[field] = at;
        std::copy(texts[field].begin(), texts[field].end(), buffer.get() + at);  // may be empty
        at += static_cast<std::uint32_t>(texts[field].size());
        buffer[at++] = '\0';
    }
    text_ = std::move(buffer);
}

void ClientListEntry::SetNoClient(std::string_view path, Status why, std::string_view reason) {
    status = why;
    form = 0;
    const std::string_view texts[kFieldCount] = {path, reason};
    SetTexts(texts);
}

void ClientListEntry::SetClient(std::string_view path, const ClientRecord& record) {
    status = Status::Client;
    form = record.TestForm;
    const std::string_view searched[] = {FieldBytes(record.LastName), FieldBytes(record.FirstName),
                                         FieldBytes(record.ClientId), FieldBytes(record.BirthDate)};
    std::string search;
    for (std::size_t i = 0; i < std::size(searched); ++i) {
        if (i > 0) search += '\n';
        for (const char c : searched[i]) search += FoldForSearch(c);
    }
    const std::string_view texts[kFieldCount] = {path,
                                                 {},
                                                 searched[0],
                                                 searched[1],
                                                 searched[2],
                                                 searched[3],
                                                 FieldBytes(record.TestDate1),
                                                 FieldBytes(record.TestDate2),
                                                 search};
    SetTexts(texts);
}

ClientListEntry ReadClientListEntry(const std::string& root, const std::string& path,
                                    EntryType type) {
    using Status = ClientListEntry::Status;
    ClientListEntry entry;
    const std::string full = JoinPath(root, path);
    if (type == EntryType::Special) {
        // A pipe is never opened: opening it could wait for a writer for ever.
        if (const auto state = platform::StateOfFile(full)) entry.modified = state->modified;
        entry.SetNoClient(path, Status::NotClientFile, kNotPlainFile);
        return entry;
    }
    ClientImage image{};
    platform::FileState state;
    const auto got = platform::ReadPlainFileHead(full, image, state);
    entry.modified = state.modified;
    entry.size = state.size;
    if (!got) {
        entry.SetNoClient(path, Status::Unreadable, got.Failure().reason);
        return entry;
    }
    if (state.type != EntryType::File) {
        entry.SetNoClient(path, Status::NotClientFile, kNotPlainFile);
        return entry;
    }
    if (const std::string fault = NotClientReason(full, image, *got); !fault.empty()) {
        entry.SetNoClient(path, Status::NotClientFile, fault);
        return entry;
    }
    entry.SetClient(path, FromImage(image));
    return entry;
}

namespace {

// A field as the ID check compares it: folded, without spaces around it.
std::string Comparable(const char* field) {
    std::string_view text(field);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    std::string folded;
    for (const char c : text) folded += FoldForSearch(c);
    return folded;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(std::filesystem::u8path(a), std::filesystem::u8path(b), ec);
}

}  // namespace

std::optional<ClientListEntry> FindOtherClientWithId(const std::string& root,
                                                     const ClientRecord& record,
                                                     const std::string& target) {
    ClientListEntry saved;
    saved.SetClient({}, record);
    const std::string id = Comparable(saved.ClientId());
    if (id.empty()) return std::nullopt;
    const std::string lastName = Comparable(saved.LastName());
    const std::string birthDate = Comparable(saved.BirthDate());

    struct Visitor : FolderWalkVisitor {
        const std::string& root;
        std::string id;
        std::string lastName;
        std::string birthDate;
        const std::string& target;
        std::optional<ClientListEntry> found;
        Visitor(const std::string& r, const std::string& t) : root(r), target(t) {}
        bool Stopped() const override { return found.has_value(); }
        bool EnterFolder(const std::string&) override { return true; }
        void ClientFile(const std::string& path, EntryType type) override {
            if (type == EntryType::Special) return;
            ClientListEntry entry = ReadClientListEntry(root, path, type);
            if (!entry.IsClient() || Comparable(entry.ClientId()) != id) return;
            if (Comparable(entry.LastName()) == lastName &&
                Comparable(entry.BirthDate()) == birthDate) {
                return;
            }
            if (SameFile(JoinPath(root, path), target)) return;
            found = std::move(entry);
        }
        void FolderFailed(const std::string&, const std::string&) override {}
    } visitor(root, target);
    visitor.id = id;
    visitor.lastName = lastName;
    visitor.birthDate = birthDate;
    WalkClientFolder(root, "", visitor);
    return visitor.found;
}

void ClientFolderMirror::FileMarks::Add(std::string_view name, const FileMark& mark) {
    if (!entries_.empty() && !(Name(entries_.back()) < name)) sorted_ = false;
    entries_.push_back(
        {static_cast<std::uint32_t>(names_.size()), static_cast<std::uint32_t>(name.size()), mark});
    names_ += name;
}

void ClientFolderMirror::FileMarks::Sort() const {
    if (sorted_) return;
    std::sort(entries_.begin(), entries_.end(),
              [this](const Entry& a, const Entry& b) { return Name(a) < Name(b); });
    sorted_ = true;
}

const ClientFolderMirror::FileMark* ClientFolderMirror::FileMarks::Find(
    std::string_view name) const {
    Sort();
    const auto at =
        std::lower_bound(entries_.begin(), entries_.end(), name,
                         [this](const Entry& a, std::string_view n) { return Name(a) < n; });
    return at != entries_.end() && Name(*at) == name ? &at->mark : nullptr;
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
        // The marks of the folder whose files come now (the map's nodes stay put).
        std::string markedFolder;
        FileMarks* marks = nullptr;
        Visitor(ClientFolderMirror& m, ClientListSink& s) : mirror(m), sink(s) {}
        bool Stopped() const override { return sink.Stopped(); }
        bool EnterFolder(const std::string& folder) override {
            // The time is taken before the listing, so a change during it shows at the next poll.
            mirror.folders_[folder].modified = mirror.FolderTime(folder);
            if (!folder.empty()) {
                const auto parent = mirror.folders_.find(ParentOf(folder));
                if (parent != mirror.folders_.end()) parent->second.subfolders.insert(folder);
            }
            sink.FolderAdded(folder);
            return true;
        }
        void ClientFile(const std::string& path, EntryType type) override {
            ClientListEntry entry = ReadClientListEntry(mirror.root_, path, type);
            const auto slash = path.rfind('/');
            const std::string_view parent = slash == std::string::npos
                                                ? std::string_view()
                                                : std::string_view(path).substr(0, slash);
            if (marks == nullptr || parent != markedFolder) {
                markedFolder = std::string(parent);
                marks = &mirror.folders_[markedFolder].files;
            }
            marks->Add(std::string_view(path).substr(slash + 1), {entry.modified, entry.size});
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
    mark.files.ForEach([&](std::string_view name, const FileMark&) {
        sink.Gone(folder.empty() ? std::string(name) : folder + '/' + std::string(name));
    });
    for (const auto& sub : mark.subfolders) Forget(sub, sink);
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
        const FileMarks& before;
        FileMarks now;
        std::unordered_set<std::string> subfolders;
        std::vector<std::string> newFolders;
        Visitor(ClientFolderMirror& m, ClientListSink& s, const std::string& f, const FileMarks& b)
            : mirror(m), sink(s), folder(f), before(b) {}
        bool Stopped() const override { return sink.Stopped(); }
        bool EnterFolder(const std::string& entered) override {
            if (entered == folder) return true;
            subfolders.insert(entered);
            if (mirror.folders_.count(entered) == 0) newFolders.push_back(entered);
            return false;
        }
        void ClientFile(const std::string& path, EntryType type) override {
            const std::string name = NameOf(path);
            const FileMark* mark = before.Find(name);
            if (mark != nullptr && type != EntryType::Special) {
                const auto state = platform::StateOfFile(JoinPath(mirror.root_, path));
                if (state && state->modified == mark->modified && state->size == mark->size) {
                    now.Add(name, *mark);
                    return;
                }
            }
            ClientListEntry entry = ReadClientListEntry(mirror.root_, path, type);
            now.Add(name, {entry.modified, entry.size});
            sink.Found(std::move(entry));
        }
        void FolderFailed(const std::string& failed, const std::string& reason) override {
            sink.FolderFailed(failed, reason);
        }
    } visitor(*this, sink, folder, known->second.files);
    // The time is taken before the listing, so a change during it shows at the next poll.
    const std::int64_t time = FolderTime(folder);
    WalkClientFolder(root_, folder, visitor);
    if (sink.Stopped()) return;

    FolderMark& mark = folders_[folder];
    mark.modified = time;
    mark.files.ForEach([&](std::string_view name, const FileMark&) {
        if (visitor.now.Find(name) == nullptr) {
            sink.Gone(folder.empty() ? std::string(name) : folder + '/' + std::string(name));
        }
    });
    mark.files = std::move(visitor.now);
    std::vector<std::string> goneFolders;
    for (const auto& sub : mark.subfolders) {
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
