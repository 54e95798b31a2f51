// The client list's view of a data folder: one compact entry per client file, read on a
// worker thread, and a mirror of the folder that turns later changes on disk into the few
// entries that changed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/ClientRecord.h"
#include "model/Platform.h"

namespace kivo {

// One *.kvo file below the data folder. Its texts (the file's path, the reason it is no
// client, the record's Windows-1252 fields and the folded search line) lie back to back in
// one allocation, each NUL-ended, so 100,000 entries stay small.
class ClientListEntry {
public:
    enum class Status : std::uint8_t {
        Client,         // read and holds a client
        Unreadable,     // could not be opened or read (reason: the system's)
        NotClientFile,  // read, but holds no client (reason: what is wrong)
    };

    ClientListEntry() = default;
    ClientListEntry(const ClientListEntry& other);
    ClientListEntry& operator=(const ClientListEntry& other);
    ClientListEntry(ClientListEntry&&) noexcept = default;
    ClientListEntry& operator=(ClientListEntry&&) noexcept = default;
    ~ClientListEntry() = default;

    std::int64_t modified = 0;  // nanoseconds since 1970, UTC
    std::uint64_t size = 0;
    std::int32_t form = 0;
    Status status = Status::Client;

    bool IsClient() const { return status == Status::Client; }

    // Relative to the data folder, '/' between the parts.
    std::string_view Path() const { return {Text(kPath), start_[kReason] - 1}; }
    // Why it is not a client, empty for one.
    std::string_view Reason() const {
        return {Text(kReason), start_[kLastName] - start_[kReason] - 1};
    }
    // The file at `path` holds `record`: its fields, its form and the status of a client.
    void SetClient(std::string_view path, const ClientRecord& record);
    // The file at `path` holds no client, for this reason.
    void SetNoClient(std::string_view path, Status why, std::string_view reason);

    // The record's fields in its own Windows-1252 bytes, every byte of a field filled to its
    // width kept.
    const char* LastName() const { return Text(kLastName); }
    const char* FirstName() const { return Text(kFirstName); }
    const char* ClientId() const { return Text(kClientId); }
    const char* BirthDate() const { return Text(kBirthDate); }
    const char* TestDate1() const { return Text(kTestDate1); }
    const char* TestDate2() const { return Text(kTestDate2); }
    // The four searched fields as the search compares them (see FoldForSearch), one line each,
    // so a search is one fast substring look per typed word.
    const char* SearchLine() const { return Text(kSearch); }

private:
    enum Field : std::uint8_t {
        kPath,
        kReason,
        kLastName,
        kFirstName,
        kClientId,
        kBirthDate,
        kTestDate1,
        kTestDate2,
        kSearch,
        kFieldCount,
    };
    const char* Text(Field field) const {
        return text_ ? text_.get() + start_[field] : kEmpty + field;
    }
    void SetTexts(const std::string_view (&texts)[kFieldCount]);
    void GetTexts(std::string_view (&texts)[kFieldCount]) const;

    // One NUL for each field of an entry that holds no text yet.
    static constexpr char kEmpty[kFieldCount] = {};
    std::unique_ptr<char[]> text_;
    // Where each field starts in text_; the path starts at 0.
    std::uint32_t start_[kFieldCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
};

// Reads the file `path` (relative to `root`) into an entry. `type` is what the folder listing
// said: a Special file (a pipe, a device) is never opened and is listed as not a client file.
// Failures are entries with their reason, never exceptions.
ClientListEntry ReadClientListEntry(const std::string& root, const std::string& path,
                                    platform::EntryType type = platform::EntryType::File);

// Another client file below `root` that holds the client ID of `record` for a different
// client: another last name or another birth date (IDs, names and dates compared without
// regard to case, accents or spaces around them). The file `target` (the one about to be
// written) is not counted. Nothing when the record has no ID or no such file exists.
std::optional<ClientListEntry> FindOtherClientWithId(const std::string& root,
                                                     const ClientRecord& record,
                                                     const std::string& target);

// Where a mirror's findings go, on the worker thread.
class ClientListSink {
public:
    virtual ~ClientListSink() = default;
    virtual bool Stopped() const { return false; }
    // A file that is new or changed since the mirror last saw it.
    virtual void Found(ClientListEntry&& entry) = 0;
    // A file that is gone (also every file of a folder that is gone).
    virtual void Gone(const std::string& path) = 0;
    // A folder the mirror now watches, or no longer does.
    virtual void FolderAdded(const std::string& folder) = 0;
    virtual void FolderGone(const std::string& folder) = 0;
    // A folder that could not be listed.
    virtual void FolderFailed(const std::string& folder, const std::string& reason) = 0;
};

// What the worker knows of the data folder: each folder's time and each file's time and
// length, so a change seen later costs a listing of that one folder and the reading of only
// the files that changed.
class ClientFolderMirror {
public:
    explicit ClientFolderMirror(std::string root) : root_(std::move(root)) {}

    const std::string& Root() const { return root_; }

    // Walks the whole folder, reporting every file and folder.
    void Scan(ClientListSink& sink);
    // Lists `folder` again (files in it; new subfolders walked whole, gone ones dropped with
    // everything below them) and reports what changed.
    void Rescan(const std::string& folder, ClientListSink& sink);
    // Looks at the time of every known folder and rescans those whose time moved: for
    // network shares, where no change events arrive.
    void Poll(ClientListSink& sink);

    std::size_t FolderCount() const { return folders_.size(); }

private:
    struct FileMark {
        std::int64_t modified = 0;
        std::uint64_t size = 0;
    };
    // One folder's files by name with their time and length, packed (the names back to back)
    // since a folder may hold 100,000 files.
    class FileMarks {
    public:
        void Add(std::string_view name, const FileMark& mark);
        const FileMark* Find(std::string_view name) const;
        template <typename Visit>
        void ForEach(const Visit& visit) const {
            for (const auto& entry : entries_) visit(Name(entry), entry.mark);
        }

    private:
        struct Entry {
            std::uint32_t offset;
            std::uint32_t size;
            FileMark mark;
        };
        std::string_view Name(const Entry& entry) const {
            return std::string_view(names_).substr(entry.offset, entry.size);
        }
        void Sort() const;

        std::string names_;
        mutable std::vector<Entry> entries_;
        mutable bool sorted_ = true;
    };
    struct FolderMark {
        std::int64_t modified = 0;
        FileMarks files;
        std::unordered_set<std::string> subfolders;
    };

    void Walk(const std::string& start, ClientListSink& sink);
    void Forget(const std::string& folder, ClientListSink& sink);
    std::int64_t FolderTime(const std::string& folder) const;

    std::string root_;
    std::unordered_map<std::string, FolderMark> folders_;
};

}  // namespace kivo
