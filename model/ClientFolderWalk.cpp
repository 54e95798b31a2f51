// The walk keeps one folder's names at a time, back to back in one string, since a clinic's
// folder may hold 100,000 files; each level is sorted so the whole walk comes out in order.
#include "model/ClientFolderWalk.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kivo {
namespace {

using platform::EntryType;

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// One folder's entries: each key is the name, with a '/' after a folder's, so sorting the
// keys sorts the full paths the walk makes.
class FolderListing {
public:
    void Add(std::string_view key, EntryType type) {
        entries_.push_back({static_cast<std::uint32_t>(keys_.size()),
                            static_cast<std::uint16_t>(key.size()), type});
        keys_ += key;
    }

    void Sort() {
        std::sort(entries_.begin(), entries_.end(),
                  [this](const Entry& a, const Entry& b) { return Key(a) < Key(b); });
    }

    template <typename Visit>
    void ForEach(const Visit& visit) const {
        for (const auto& entry : entries_) visit(Key(entry), entry.type);
    }

private:
    struct Entry {
        std::uint32_t offset;
        std::uint16_t size;  // a name has at most 255 bytes
        EntryType type;
    };

    std::string_view Key(const Entry& entry) const {
        return std::string_view(keys_).substr(entry.offset, entry.size);
    }

    std::string keys_;
    std::vector<Entry> entries_;
};

class Walker {
public:
    Walker(const std::string& root, FolderWalkVisitor& visitor) : root_(root), visitor_(visitor) {}

    void Folder(const std::string& folder) {
        if (visitor_.Stopped() || !visitor_.EnterFolder(folder)) return;
        FolderListing listing;
        const std::string full = JoinPath(root_, folder);
        const auto listed = platform::ListFolder(full, [&](std::string_view name, EntryType type) {
            if (name.empty() || name[0] == '.') return;
            if (type == EntryType::Link || type == EntryType::Unknown) {
                type = Resolved(full, name, type);
                if (type == EntryType::Unknown) return;  // a link to a folder
            }
            if (type == EntryType::Folder) {
                listing.Add(std::string(name) + '/', type);
            } else if (HasClientFileName(name)) {
                listing.Add(name, type);
            }
        });
        if (!listed) {
            visitor_.FolderFailed(folder, listed.Failure().reason);
            return;
        }
        listing.Sort();
        std::string path = folder.empty() ? std::string() : folder + '/';
        const std::size_t base = path.size();
        listing.ForEach([&](std::string_view key, EntryType type) {
            if (visitor_.Stopped()) return;
            path.resize(base);
            path += key;
            if (type == EntryType::Folder) {
                path.pop_back();  // the sort key's '/'
                Folder(path);
            } else {
                visitor_.ClientFile(path, type);
            }
        });
    }

private:
    // A link or an entry of unknown type, looked at: a link to a folder is not followed, so
    // it counts as nothing; a link that leads nowhere is a file, for the reader to report.
    static EntryType Resolved(const std::string& folder, std::string_view name, EntryType type) {
        const std::string path = JoinPath(folder, std::string(name));
        if (type == EntryType::Unknown) {
            // A file system that does not say what an entry is may still hold a link to a
            // folder, which must not be followed either.
            std::error_code ec;
            const auto status = std::filesystem::symlink_status(std::filesystem::u8path(path), ec);
            if (std::filesystem::is_symlink(status)) type = EntryType::Link;
        }
        const auto state = platform::StateOfFile(path);
        if (!state) return EntryType::File;
        if (state->type == EntryType::Folder) {
            return type == EntryType::Link ? EntryType::Unknown : EntryType::Folder;
        }
        return state->type;
    }

    const std::string& root_;
    FolderWalkVisitor& visitor_;
};

}  // namespace

bool HasClientFileName(std::string_view name) {
    constexpr std::string_view kExtension = ".kvo";
    if (name.size() < kExtension.size()) return false;
    const auto tail = name.substr(name.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                      [](char a, char b) { return AsciiLower(a) == b; });
}

std::string JoinPath(const std::string& root, const std::string& relative) {
    if (relative.empty()) return root;
    if (root.empty()) return relative;
    return root.back() == '/' ? root + relative : root + '/' + relative;
}

void WalkClientFolder(const std::string& root, const std::string& start,
                      FolderWalkVisitor& visitor) {
    Walker(root, visitor).Folder(start);
}

}  // namespace kivo
