// Folders walked one level at a time, each level sorted so that the whole walk comes out in
// byte order of the paths; nothing but the names of the folders on the way down is kept.
#include "cli/InputFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#endif

#include "cli/Messages.h"
#include "model/Error.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

enum class EntryKind : std::uint8_t { ClientFile, Folder };

#ifdef PATH_MAX
constexpr std::size_t kLongestPath = PATH_MAX - 1;  // the limit counts the closing NUL
#else
constexpr std::size_t kLongestPath = 4095;
#endif

// The entries of one folder, kept compact since a clinic's folder may hold 100,000 files: the
// names back to back in one string, and per entry its place there and its kind. Each key is
// the name, with a '/' after a folder's: sorting the keys sorts the full paths the walk makes,
// since the '/' is what follows the name in every path below the folder.
class FolderListing {
public:
    void Add(std::string_view key, EntryKind kind) {
        entries_.push_back({static_cast<std::uint32_t>(keys_.size()),
                            static_cast<std::uint16_t>(key.size()), kind});
        keys_ += key;
    }

    void Sort() {
        std::sort(entries_.begin(), entries_.end(),
                  [this](const Entry& a, const Entry& b) { return Key(a) < Key(b); });
    }

    template <typename Visit>
    void ForEach(const Visit& visit) const {
        for (const auto& entry : entries_) visit(Key(entry), entry.kind);
    }

private:
    struct Entry {
        std::uint32_t offset;
        std::uint16_t size;  // a name has at most 255 bytes
        EntryKind kind;
    };

    std::string_view Key(const Entry& entry) const {
        return std::string_view(keys_).substr(entry.offset, entry.size);
    }

    std::string keys_;
    std::vector<Entry> entries_;
};

std::string WithSlash(std::string folder) {
    if (folder.back() != '/') folder += '/';
    return folder;
}

enum class ListedType { File, Folder, Link };

// The answer of ReadFolder: nothing, or what stopped the listing.
struct Listed {
    std::error_code failure;
    explicit operator bool() const { return !failure; }
    const std::error_code& error() const { return failure; }
};

ListedType TypeOf(const fs::path& path) {
    std::error_code ec;
    const auto status = fs::symlink_status(path, ec);
    if (fs::is_symlink(status)) return ListedType::Link;
    return fs::is_directory(status) ? ListedType::Folder : ListedType::File;
}

// Calls `entry` with the name and type of every entry of `folder` but "." and "..", in the
// order the system lists them. Where the system has its own listing it is used directly: it
// gives each entry's type with its name, with no path object or further call per file, which
// counts at 100,000 files. Entries of unknown type, and every entry elsewhere, go through
// std::filesystem. This is kivo-cli's only use of the call, so it stays here rather than in
// the model's platform seam.
template <typename Entry>
Listed ReadFolder(const std::string& folder, const Entry& entry) {
#ifdef _WIN32
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        entry(it->path().filename().string(), TypeOf(it->path()));
    }
    return {ec};
#else
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return {std::error_code(errno, std::generic_category())};
    const std::string prefix = WithSlash(folder);
    for (;;) {
        errno = 0;
        const dirent* found = readdir(dir);
        if (found == nullptr) break;
        const std::string_view name = found->d_name;
        if (name == "." || name == "..") continue;
        switch (found->d_type) {
            case DT_DIR:
                entry(name, ListedType::Folder);
                break;
            case DT_LNK:
                entry(name, ListedType::Link);
                break;
            case DT_UNKNOWN:
                entry(name, TypeOf(prefix + std::string(name)));
                break;
            default:
                entry(name, ListedType::File);
        }
    }
    const int failure = errno;
    closedir(dir);
    return {failure == 0 ? std::error_code() : std::error_code(failure, std::generic_category())};
#endif
}

class Walker {
public:
    Walker(std::istream& in, std::ostream& err,
           const std::function<Visit(const std::string& path)>& visit)
        : in_(in), err_(err), visit_(visit) {}

    void Input(const std::string& input) {
        if (stopped_) return;
        if (input == "-") {
            ReadList();
            return;
        }
        // A client file name goes to the reader at once: asking the file system first would
        // add a call per file to a batch that is otherwise one open and one read each. The
        // reader tells a folder by what it opened.
        std::error_code ec;
        if (!HasClientFileName(input) && fs::is_directory(input, ec)) {
            Folder(input);
        } else {
            VisitFile(input);
        }
    }

    bool Clean() const { return clean_; }

private:
    void VisitFile(const std::string& path) {
        switch (visit_(path)) {
            case Visit::Next:
                break;
            case Visit::Folder:
                Folder(path);
                break;
            case Visit::Stop:
                stopped_ = true;
                break;
        }
    }

    void ReadList() {
        std::string line;
        while (!stopped_ && ReadLine(line)) {
            if (line.empty() || line == "-") continue;
            Input(line);
        }
    }

    // The next line of the list, without its CR LF or LF. False at the end of the list, and,
    // reported, at a line longer than any path: the rest of it is not read.
    bool ReadLine(std::string& line) {
        line.clear();
        std::streambuf& list = *in_.rdbuf();
        for (;;) {
            const auto c = list.sbumpc();
            if (c == std::char_traits<char>::eof()) {
                in_.setstate(std::ios::eofbit);
                if (line.empty()) return false;
                break;  // a last line without its line end
            }
            if (c == '\n') break;
            if (line.size() > kLongestPath) return TooLong();  // one byte more: a CR
            line.push_back(static_cast<char>(c));
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kLongestPath) return TooLong();
        return true;
    }

    bool TooLong() {
        Report(Error("a line on standard input is longer than the longest path (" +
                     std::to_string(kLongestPath) + " bytes)"));
        return false;
    }

    void Folder(const std::string& folder) {
        FolderListing listing;
        if (!List(folder, listing)) return;
        listing.Sort();
        std::string path = WithSlash(folder);
        const std::size_t base = path.size();
        listing.ForEach([&](std::string_view key, EntryKind kind) {
            if (stopped_) return;
            path.resize(base);
            path += key;
            if (kind == EntryKind::Folder) {
                path.pop_back();  // the sort key's '/'
                Folder(path);
            } else if (visit_(path) == Visit::Stop) {
                stopped_ = true;
            }
        });
    }

    // The folder's entries the walk goes on with. False, reported, when it cannot be read.
    bool List(const std::string& folder, FolderListing& listing) {
        const std::string prefix = WithSlash(folder);
        const auto listed = ReadFolder(folder, [&](std::string_view name, ListedType type) {
            if (name.empty() || name[0] == '.') return;
            // A link is read as what it points to, but a folder is not entered through one.
            if (type == ListedType::Link) {
                std::error_code ec;
                if (fs::is_directory(prefix + std::string(name), ec)) return;
                type = ListedType::File;
            }
            if (type == ListedType::Folder) {
                listing.Add(std::string(name) + '/', EntryKind::Folder);
            } else if (HasClientFileName(name)) {
                listing.Add(name, EntryKind::ClientFile);
            }
        });
        if (!listed) {
            Report(FileError(FileErrorKind::Open, folder, listed.error().message()));
            return false;
        }
        return true;
    }

    void Report(const Error& error) {
        PrintMessage(err_, error.what());
        clean_ = false;
    }

    std::istream& in_;
    std::ostream& err_;
    const std::function<Visit(const std::string& path)>& visit_;
    bool clean_ = true;
    bool stopped_ = false;
};

}  // namespace

bool HasClientFileName(std::string_view name) {
    constexpr std::string_view kExtension = ".kvo";
    if (name.size() < kExtension.size()) return false;
    const auto tail = name.substr(name.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                      [](char a, char b) { return AsciiLower(a) == b; });
}

std::size_t LongestListedPath() {
    return kLongestPath;
}

bool ForEachClientFile(std::span<const std::string> inputs, std::istream& in, std::ostream& err,
                       const std::function<Visit(const std::string& path)>& visit) {
    Walker walker(in, err, visit);
    for (const auto& input : inputs) walker.Input(input);
    return walker.Clean();
}

}  // namespace kivo::cli
