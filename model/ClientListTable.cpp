// Sorting and filtering the client list without a copy of any row: the order and the shown
// rows are indices into the one vector of entries.
#include "model/ClientListTable.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kivo {
namespace {

constexpr std::array<char, 256> MakeFoldTable() {
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = static_cast<char>(c + 32);
    // Windows-1252 letters with accents, upper and lower case, to their base letter.
    const auto map = [&table](std::string_view bytes, char base) {
        for (const char byte : bytes) table[static_cast<unsigned char>(byte)] = base;
    };
    map("\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xAA", 'a');
    map("\xC7\xE7", 'c');
    map("\xD0\xF0", 'd');
    map("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", 'e');
    map("\x83", 'f');
    map("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", 'i');
    map("\xD1\xF1", 'n');
    map("\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8\x8C\x9C\xBA", 'o');
    map("\x8A\x9A\xDF", 's');
    map("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", 'u');
    map("\xDD\xFD\xFF\x9F", 'y');
    map("\x8E\x9E", 'z');
    map("\xDE\xFE", 't');
    return table;
}

constexpr std::array<char, 256> kFold = MakeFoldTable();

// The two texts compared as the search sees them, then byte for byte.
int CompareFolded(const char* a, const char* b) {
    for (std::size_t i = 0;; ++i) {
        const char fa = FoldForSearch(a[i]);
        const char fb = FoldForSearch(b[i]);
        if (fa != fb) {
            return static_cast<unsigned char>(fa) < static_cast<unsigned char>(fb) ? -1 : 1;
        }
        if (a[i] == '\0') return std::strcmp(a, b);
    }
}

// Dates first in time order, then every other text in folded order.
int CompareDates(const char* a, const char* b) {
    const auto ka = DateKey(a);
    const auto kb = DateKey(b);
    if (ka && kb) return *ka < *kb ? -1 : (*ka > *kb ? 1 : 0);
    if (ka || kb) return ka ? -1 : 1;
    return CompareFolded(a, b);
}

int Compare(const ClientListEntry& a, const ClientListEntry& b, ClientListColumn column) {
    switch (column) {
        case ClientListColumn::LastName:
            return CompareFolded(a.LastName(), b.LastName());
        case ClientListColumn::FirstName:
            return CompareFolded(a.FirstName(), b.FirstName());
        case ClientListColumn::ClientId:
            return CompareFolded(a.ClientId(), b.ClientId());
        case ClientListColumn::BirthDate:
            return CompareDates(a.BirthDate(), b.BirthDate());
        case ClientListColumn::Form:
            if (a.IsClient() != b.IsClient()) return a.IsClient() ? -1 : 1;
            return a.form < b.form ? -1 : (a.form > b.form ? 1 : 0);
        case ClientListColumn::TestDate1:
            return CompareDates(a.TestDate1(), b.TestDate1());
        case ClientListColumn::TestDate2:
            return CompareDates(a.TestDate2(), b.TestDate2());
        case ClientListColumn::File:
            return a.Path().compare(b.Path());
        case ClientListColumn::Modified:
            return a.modified < b.modified ? -1 : (a.modified > b.modified ? 1 : 0);
    }
    return 0;
}

}  // namespace

char FoldForSearch(char byte) {
    return kFold[static_cast<unsigned char>(byte)];
}

std::optional<std::int32_t> DateKey(std::string_view text) {
    // m/d/yyyy up to mm/dd/yyyy.
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (const char c : text) {
        if (c == '/') {
            if (++part > 2) return std::nullopt;
        } else if (c >= '0' && c <= '9') {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits[part];
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits[0] < 1 || digits[0] > 2 || digits[1] < 1 || digits[1] > 2 ||
        digits[2] != 4 || parts[0] < 1 || parts[0] > 12 || parts[1] < 1 || parts[1] > 31) {
        return std::nullopt;
    }
    return parts[2] * 10000 + parts[0] * 100 + parts[1];
}

void ClientListEntries::push_back(ClientListEntry&& entry) {
    if ((size_ >> kShift) == blocks_.size()) {
        blocks_.push_back(std::make_unique<ClientListEntry[]>(kMask + 1));
    }
    (*this)[size_++] = std::move(entry);
}

void ClientListEntries::pop_back() {
    (*this)[--size_] = ClientListEntry();
    // A block is let go once the one after it is empty too, so a file added and removed at
    // a block's edge does not allocate it again and again.
    while (blocks_.size() > (size_ >> kShift) + 2) blocks_.pop_back();
}

void ClientListEntries::clear() {
    blocks_.clear();
    size_ = 0;
}

std::size_t ClientListTable::PathHash::operator()(std::uint32_t row) const {
    return std::hash<std::string_view>()(table->PathOf(row));
}

bool ClientListTable::PathEqual::operator()(std::uint32_t a, std::uint32_t b) const {
    return table->PathOf(a) == table->PathOf(b);
}

std::optional<std::uint32_t> ClientListTable::RowOf(std::string_view path) const {
    probe_ = path;
    const auto found = byPath_.find(kProbe);
    probe_ = {};
    if (found == byPath_.end()) return std::nullopt;
    return *found;
}

void ClientListTable::Put(ClientListEntry&& entry) {
    if (const auto row = RowOf(entry.Path())) {
        rows_[*row] = std::move(entry);
        reorder_ = true;
        return;
    }
    const auto row = static_cast<std::uint32_t>(rows_.size());
    rows_.push_back(std::move(entry));
    byPath_.insert(row);
    added_.push_back(row);
}

bool ClientListTable::Remove(std::string_view path) {
    const auto row = RowOf(path);
    if (!row) return false;
    byPath_.erase(*row);
    const auto last = static_cast<std::uint32_t>(rows_.size() - 1);
    if (*row != last) {
        // The last row takes the place of the removed one.
        byPath_.erase(last);
        rows_[*row] = std::move(rows_[last]);
        byPath_.insert(*row);
    }
    rows_.pop_back();
    reorder_ = true;
    return true;
}

void ClientListTable::Clear() {
    rows_.clear();
    byPath_.clear();
    added_.clear();
    reorder_ = true;
}

void ClientListTable::SetFilter(std::string_view cp1252Words, bool showAllWhenEmpty) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : cp1252Words) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += FoldForSearch(c);
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    if (words == words_ && showAllWhenEmpty == showAllWhenEmpty_) return;
    // Typing on narrows the rows shown: only they need looking at again.
    bool narrows =
        showAllWhenEmpty == showAllWhenEmpty_ && !words_.empty() && words.size() >= words_.size();
    for (std::size_t i = 0; narrows && i < words_.size(); ++i) {
        narrows = words[i].find(words_[i]) != std::string::npos;
    }
    narrowOnly_ = (refilter_ ? narrowOnly_ : true) && narrows;
    words_ = std::move(words);
    showAllWhenEmpty_ = showAllWhenEmpty;
    refilter_ = true;
}

void ClientListTable::SortBy(ClientListColumn column, bool ascending) {
    if (column == column_ && ascending == ascending_) return;
    column_ = column;
    ascending_ = ascending;
    reorder_ = true;
}

bool ClientListTable::Before(std::uint32_t a, std::uint32_t b) const {
    const int order = Compare(rows_[a], rows_[b], column_);
    if (order != 0) return ascending_ ? order < 0 : order > 0;
    // Equal keys keep one order whichever way the column sorts: by file.
    return rows_[a].Path() < rows_[b].Path();
}

bool ClientListTable::Update() {
    const auto before = [this](std::uint32_t a, std::uint32_t b) { return Before(a, b); };
    bool changed = false;
    if (reorder_) {
        order_.resize(rows_.size());
        for (std::uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
        std::sort(order_.begin(), order_.end(), before);
        changed = true;
    } else if (!added_.empty()) {
        std::sort(added_.begin(), added_.end(), before);
        const auto middle = static_cast<std::ptrdiff_t>(order_.size());
        order_.insert(order_.end(), added_.begin(), added_.end());
        std::inplace_merge(order_.begin(), order_.begin() + middle, order_.end(), before);
        changed = true;
    }
    added_.clear();
    reorder_ = false;
    if (changed || refilter_) {
        Filter(!changed && narrowOnly_ ? shown_ : order_);
        refilter_ = false;
        return true;
    }
    return false;
}

bool ClientListTable::Matches(const ClientListEntry& entry) const {
    for (const auto& word : words_) {
        if (std::strstr(entry.SearchLine(), word.c_str()) == nullptr) return false;
    }
    return true;
}

void ClientListTable::Filter(const std::vector<std::uint32_t>& from) {
    if (words_.empty()) {
        if (showAllWhenEmpty_) {
            shown_ = from;
        } else {
            shown_.clear();
        }
        return;
    }
    std::vector<std::uint32_t> shown;
    shown.reserve(from.size());
    for (const std::uint32_t index : from) {
        if (Matches(rows_[index])) shown.push_back(index);
    }
    shown_ = std::move(shown);
}

std::optional<std::size_t> ClientListTable::ShownRowOf(std::string_view path) const {
    const auto row = RowOf(path);
    if (!row) return std::nullopt;
    const auto at = std::find(shown_.begin(), shown_.end(), *row);
    if (at == shown_.end()) return std::nullopt;
    return static_cast<std::size_t>(at - shown_.begin());
}

const ClientListEntry* ClientListTable::Find(std::string_view path) const {
    const auto row = RowOf(path);
    return row ? &rows_[*row] : nullptr;
}

}  // namespace kivo
