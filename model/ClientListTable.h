// The client list's rows: every entry of the data folder, the order of a chosen column and
// the rows the search text lets through. Plain C++, so 100,000 rows filter in a few
// milliseconds and tests need no display.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "model/ClientListScan.h"

namespace kivo {

enum class ClientListColumn {
    LastName,
    FirstName,
    ClientId,
    BirthDate,
    Form,
    TestDate1,
    TestDate2,
    File,
    Modified,
};
inline constexpr int kClientListColumnCount = 9;

// A Windows-1252 byte as the search compares it: letters in lower case without their accents
// (É and é are e, ß is s), every other byte as it is.
char FoldForSearch(char byte);

// A mm/dd/yyyy date as yyyymmdd, so dates sort by time; nullopt for any other text.
std::optional<std::int32_t> DateKey(std::string_view text);

// Entries in blocks of 1,024, so growing to 100,000 never copies them all to a new block and
// a row is found with a shift and a mask.
class ClientListEntries {
public:
    std::size_t size() const { return size_; }
    ClientListEntry& operator[](std::size_t i) { return blocks_[i >> kShift][i & kMask]; }
    const ClientListEntry& operator[](std::size_t i) const {
        return blocks_[i >> kShift][i & kMask];
    }
    void push_back(ClientListEntry&& entry);
    void pop_back();
    void clear();

private:
    static constexpr std::size_t kShift = 10;
    static constexpr std::size_t kMask = (std::size_t{1} << kShift) - 1;
    std::vector<std::unique_ptr<ClientListEntry[]>> blocks_;
    std::size_t size_ = 0;
};

class ClientListTable {
public:
    ClientListTable() = default;
    // The path set refers to its table.
    ClientListTable(const ClientListTable&) = delete;
    ClientListTable& operator=(const ClientListTable&) = delete;

    // A new file, or the new state of a file already listed (same path).
    void Put(ClientListEntry&& entry);
    // Drops the file; false when it was not listed.
    bool Remove(std::string_view path);
    void Clear();

    // The search text in Windows-1252 bytes: words separated by spaces, each of which must
    // appear in the last name, first name, ID or birth date, without regard to case or
    // accents. With `showAllWhenEmpty` false an empty search shows no rows.
    void SetFilter(std::string_view cp1252Words, bool showAllWhenEmpty = true);
    void SortBy(ClientListColumn column, bool ascending);
    ClientListColumn SortColumn() const { return column_; }
    bool SortAscending() const { return ascending_; }

    // Brings the shown rows up to date after Put, Remove, SetFilter or SortBy; cheap when
    // only new files were put since the last call. True when the shown rows changed.
    bool Update();

    std::size_t Count() const { return rows_.size(); }
    std::size_t ShownCount() const { return shown_.size(); }
    const ClientListEntry& Shown(std::size_t row) const { return rows_[shown_[row]]; }
    // The shown row of a file, if it is shown.
    std::optional<std::size_t> ShownRowOf(std::string_view path) const;
    const ClientListEntry* Find(std::string_view path) const;

private:
    bool Before(std::uint32_t a, std::uint32_t b) const;
    bool Matches(const ClientListEntry& entry) const;
    // The rows of `from` that match, in its order, become the rows shown.
    void Filter(const std::vector<std::uint32_t>& from);

    // Row numbers hashed by their path; kProbe stands for the path being looked up, so the
    // set holds 4 bytes a row instead of a second copy of every path.
    static constexpr std::uint32_t kProbe = 0xFFFFFFFF;
    struct PathHash {
        const ClientListTable* table;
        std::size_t operator()(std::uint32_t row) const;
    };
    struct PathEqual {
        const ClientListTable* table;
        bool operator()(std::uint32_t a, std::uint32_t b) const;
    };
    std::string_view PathOf(std::uint32_t row) const {
        return row == kProbe ? probe_ : rows_[row].Path();
    }
    std::optional<std::uint32_t> RowOf(std::string_view path) const;

    ClientListEntries rows_;
    std::unordered_set<std::uint32_t, PathHash, PathEqual> byPath_{0, PathHash{this},
                                                                   PathEqual{this}};
    mutable std::string_view probe_;
    std::vector<std::uint32_t> order_;  // every row, sorted
    std::vector<std::uint32_t> shown_;  // the rows of order_ the filter lets through
    std::vector<std::uint32_t> added_;  // put since the last Update, not yet in order_
    bool reorder_ = false;              // order_ must be built again
    bool refilter_ = false;
    bool narrowOnly_ = false;         // the pending filter only narrows the rows shown
    std::vector<std::string> words_;  // folded
    bool showAllWhenEmpty_ = true;
    ClientListColumn column_ = ClientListColumn::Modified;
    bool ascending_ = false;
};

}  // namespace kivo
