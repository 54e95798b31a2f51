// The data folder as the client list sees it: which files the walk finds and in what order,
// what each entry holds (greyed files with their reason), the mirror's changes, and the
// search and sort of the rows.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/ClientFile.h"
#include "model/ClientFolderWalk.h"
#include "model/ClientListScan.h"
#include "model/ClientListTable.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

void WriteClient(const fs::path& path, const ClientRecord& record) {
    fs::create_directories(path.parent_path());
    WriteClientFile(path, record);
}

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

#ifndef _WIN32
// A named pipe: a client file name on something no read may open, since it would wait.
void MakePipe(const fs::path& path) {
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
}
#endif

std::int64_t ModifiedNanoseconds(const fs::path& path) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::file_clock::to_sys(fs::last_write_time(path)).time_since_epoch())
        .count();
}

struct Recorder : FolderWalkVisitor {
    std::vector<std::string> seen;
    bool EnterFolder(const std::string& folder) override {
        seen.push_back("[" + folder + "]");
        return true;
    }
    void ClientFile(const std::string& path, platform::EntryType type) override {
        seen.push_back(type == platform::EntryType::Special ? path + " (special)" : path);
    }
    void FolderFailed(const std::string& folder, const std::string& reason) override {
        seen.push_back("failed " + folder + ": " + reason);
    }
};

TEST(ClientFolderWalk, FindsClientFilesInByteOrderByTheRulesOfTheCli) {
    TempDir dir;
    const auto client = ClientBuilder().Name("Lee").Build();
    WriteClient(dir / "b.KVO", client);
    WriteClient(dir / "A.kvo", client);
    WriteClient(dir / "2024/smith.Kvo", client);
    WriteClient(dir / "old.kvo/inside.KVO", client);  // a folder named like a file is walked
    WriteClient(dir / ".hidden/x.KVO", client);
    WriteClient(dir / ".dot.KVO", client);
    WriteText(dir / "notes.txt", "not listed");
#ifndef _WIN32
    fs::create_directory_symlink(dir / "2024", dir / "link-to-folder");
    fs::create_symlink(dir / "b.KVO", dir / "link.KVO");
    MakePipe(dir / "pipe.KVO");
    const std::vector<std::string> expected = {"[]",
                                               "[2024]",
                                               "2024/smith.Kvo",
                                               "A.kvo",
                                               "b.KVO",
                                               "link.KVO",
                                               "[old.kvo]",
                                               "old.kvo/inside.KVO",
                                               "pipe.KVO (special)"};
#else
    const std::vector<std::string> expected = {"[]",    "[2024]",    "2024/smith.Kvo",    "A.kvo",
                                               "b.KVO", "[old.kvo]", "old.kvo/inside.KVO"};
#endif

    Recorder recorder;
    WalkClientFolder(dir.path().string(), "", recorder);
    EXPECT_EQ(recorder.seen, expected);
}

TEST(ClientFolderWalk, ClientFileNames) {
    for (const auto& [name, expected] :
         std::vector<std::pair<std::string, bool>>{{"a.KVO", true},
                                                   {"a.kvo", true},
                                                   {"a.kVo", true},
                                                   {".kvo", true},
                                                   {"a.kv", false},
                                                   {"kvo", false},
                                                   {"a.kvo.bak", false}}) {
        EXPECT_EQ(HasClientFileName(name), expected) << name;
    }
}

TEST(ClientListEntryTest, HoldsTheListedFieldsOrTheReasonItIsNoClient) {
    TempDir dir;
    WriteClient(dir / "smith.KVO", ClientBuilder()
                                       .Name("Sm\xC3\xADth", "Ann")
                                       .ClientId("C-1042")
                                       .BirthDate("03/15/1950")
                                       .Form(kLongForm)
                                       .Fitting1({.testDate = "01/02/2024"})
                                       .Fitting2({.testDate = "02/03/2024"})
                                       .Build());
    WriteText(dir / "short.KVO", "KIVO1");
    WriteText(dir / "other.KVO", std::string(600, 'x'));
#ifndef _WIN32
    MakePipe(dir / "pipe.KVO");
#endif

    const std::string root = dir.path().string();
    const auto smith = ReadClientListEntry(root, "smith.KVO");
    EXPECT_EQ(smith.status, ClientListEntry::Status::Client);
    EXPECT_STREQ(smith.LastName(), "Sm\xEDth");  // Windows-1252, as in the file
    EXPECT_STREQ(smith.FirstName(), "Ann");
    EXPECT_STREQ(smith.ClientId(), "C-1042");
    EXPECT_STREQ(smith.BirthDate(), "03/15/1950");
    EXPECT_STREQ(smith.TestDate1(), "01/02/2024");
    EXPECT_STREQ(smith.TestDate2(), "02/03/2024");
    EXPECT_EQ(smith.form, kLongForm);
    EXPECT_EQ(smith.size, 552u);
#ifdef _WIN32
    // This runtime's std::filesystem keeps a file's time in whole seconds only.
    EXPECT_EQ(smith.modified / 1'000'000'000,
              ModifiedNanoseconds(dir / "smith.KVO") / 1'000'000'000);
#else
    EXPECT_EQ(smith.modified, ModifiedNanoseconds(dir / "smith.KVO"));
#endif

    struct Case {
        std::string name;
        ClientListEntry::Status status;
        std::string reason;
    };
    for (const auto& c : std::vector<Case>{
             {"short.KVO", ClientListEntry::Status::NotClientFile, "5 bytes, expected 552"},
             {"other.KVO", ClientListEntry::Status::NotClientFile,
              "it does not start with the KIVO1 signature"},
             {"missing.KVO", ClientListEntry::Status::Unreadable, "No such file or directory"}}) {
        const auto entry = ReadClientListEntry(root, c.name);
        EXPECT_EQ(entry.status, c.status) << c.name;
        EXPECT_EQ(entry.Reason(), c.reason) << c.name;
        EXPECT_STREQ(entry.LastName(), "") << c.name;
    }
#ifndef _WIN32
    // A pipe is not opened, whichever way it is reached, so the read cannot hang.
    for (const auto type : {platform::EntryType::Special, platform::EntryType::File}) {
        const auto pipe = ReadClientListEntry(root, "pipe.KVO", type);
        EXPECT_EQ(pipe.status, ClientListEntry::Status::NotClientFile);
        EXPECT_EQ(pipe.Reason(), "it is not a plain file");
    }
#endif
}

TEST(ClientListEntryTest, AFieldFilledToItsWidthKeepsEveryByte) {
    ClientRecord record = ClientBuilder().Build();
    std::fill(std::begin(record.ClientId), std::end(record.ClientId), '7');
    ClientListEntry entry;
    entry.SetClient("a.KVO", record);
    EXPECT_EQ(std::string(entry.ClientId()), std::string(14, '7'));

    // A copy holds every text of its own; the first is let go.
    auto first = std::make_unique<ClientListEntry>(entry);
    const ClientListEntry copy = *first;
    first.reset();
    EXPECT_EQ(copy.Path(), "a.KVO");
    EXPECT_EQ(std::string(copy.ClientId()), std::string(14, '7'));
    EXPECT_STREQ(copy.LastName(), record.LastName);
    EXPECT_EQ(copy.Reason(), "");
}

// Records what a mirror reports, as the list would apply it.
struct Changes : ClientListSink {
    std::map<std::string, std::string> files;  // path -> last name
    std::vector<std::string> log;
    std::vector<std::string> folders;
    void Found(ClientListEntry&& entry) override {
        log.push_back("found " + std::string(entry.Path()));
        files[std::string(entry.Path())] = entry.LastName();
    }
    void Gone(const std::string& path) override {
        log.push_back("gone " + path);
        files.erase(path);
    }
    void FolderAdded(const std::string& folder) override { folders.push_back("+" + folder); }
    void FolderGone(const std::string& folder) override { folders.push_back("-" + folder); }
    void FolderFailed(const std::string&, const std::string&) override {}
};

// Moves a file's time on, as a save a moment later would.
void Touch(const fs::path& path, int seconds) {
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(seconds));
}

TEST(ClientFolderMirrorTest, RescanReportsOnlyWhatChanged) {
    TempDir dir;
    WriteClient(dir / "a.KVO", ClientBuilder().Name("Adams").Build());
    WriteClient(dir / "b.KVO", ClientBuilder().Name("Brown").Build());
    WriteClient(dir / "sub/c.KVO", ClientBuilder().Name("Clark").Build());
    ClientFolderMirror mirror(dir.path().string());
    Changes changes;
    mirror.Scan(changes);
    EXPECT_EQ(changes.files, (std::map<std::string, std::string>{
                                 {"a.KVO", "Adams"}, {"b.KVO", "Brown"}, {"sub/c.KVO", "Clark"}}));
    EXPECT_EQ(changes.folders, (std::vector<std::string>{"+", "+sub"}));

    // Nothing changed: nothing read, nothing reported.
    changes.log.clear();
    mirror.Rescan("", changes);
    EXPECT_TRUE(changes.log.empty());

    // Changed, renamed, deleted and added in one go.
    WriteClient(dir / "a.KVO", ClientBuilder().Name("Allen").Build());
    Touch(dir / "a.KVO", 2);
    fs::rename(dir / "b.KVO", dir / "bb.KVO");
    WriteClient(dir / "new/d.KVO", ClientBuilder().Name("Dole").Build());
    fs::remove_all(dir / "sub");
    changes.log.clear();
    changes.folders.clear();
    mirror.Rescan("", changes);
    std::sort(changes.log.begin(), changes.log.end());
    EXPECT_EQ(changes.log,
              (std::vector<std::string>{"found a.KVO", "found bb.KVO", "found new/d.KVO",
                                        "gone b.KVO", "gone sub/c.KVO"}));
    EXPECT_EQ(changes.files, (std::map<std::string, std::string>{
                                 {"a.KVO", "Allen"}, {"bb.KVO", "Brown"}, {"new/d.KVO", "Dole"}}));
    std::sort(changes.folders.begin(), changes.folders.end());
    EXPECT_EQ(changes.folders, (std::vector<std::string>{"+new", "-sub"}));
    EXPECT_EQ(mirror.FolderCount(), 2u);
}

TEST(ClientFolderMirrorTest, PollRescansTheFoldersWhoseTimeMoved) {
    TempDir dir;
    WriteClient(dir / "x/a.KVO", ClientBuilder().Name("Adams").Build());
    WriteClient(dir / "y/b.KVO", ClientBuilder().Name("Brown").Build());
    ClientFolderMirror mirror(dir.path().string());
    Changes changes;
    mirror.Scan(changes);
    changes.log.clear();

    WriteClient(dir / "y/c.KVO", ClientBuilder().Name("Clark").Build());
#ifndef _WIN32
    // A coarse clock on a share still moves the folder's time. (Windows sets a folder's
    // time itself when a file is added and lets no plain open change it.)
    Touch(dir / "y", 2);
#endif
    mirror.Poll(changes);
    EXPECT_EQ(changes.log, (std::vector<std::string>{"found y/c.KVO"}));

    changes.log.clear();
    fs::remove_all(dir / "x");
    mirror.Poll(changes);
    EXPECT_EQ(changes.log, (std::vector<std::string>{"gone x/a.KVO"}));
}

TEST(ClientIdCheck, FindsAnotherClientUnderTheSameId) {
    TempDir dir;
    WriteClient(
        dir / "2024/smith.KVO",
        ClientBuilder().Name("Smith", "John").ClientId("C-1042").BirthDate("03/15/1950").Build());
    WriteClient(dir / "other.KVO", ClientBuilder().Name("Other").ClientId("X-1").Build());
    WriteText(dir / "bad.KVO", "KIVO1");
    const std::string root = dir.path().string();
    const std::string target = (dir / "new.KVO").string();
    struct Case {
        const char* name;
        ClientRecord record;
        const char* conflict;  // the file named, or null for none
    };
    const Case cases[] = {
        {"another last name",
         ClientBuilder().Name("Jones").ClientId("C-1042").BirthDate("03/15/1950").Build(),
         "2024/smith.KVO"},
        {"another birth date",
         ClientBuilder().Name("Smith").ClientId("c-1042 ").BirthDate("03/16/1950").Build(),
         "2024/smith.KVO"},
        {"the same client again",
         ClientBuilder().Name("SM\xC3\x8DTH ").ClientId("C-1042").BirthDate("03/15/1950").Build(),
         nullptr},
        {"another ID", ClientBuilder().Name("Jones").ClientId("C-1043").Build(), nullptr},
        {"no ID", ClientBuilder().Name("Jones").Build(), nullptr},
    };
    for (const auto& c : cases) {
        const auto found = FindOtherClientWithId(root, c.record, target);
        if (c.conflict == nullptr) {
            EXPECT_FALSE(found) << c.name;
        } else {
            ASSERT_TRUE(found) << c.name;
            EXPECT_EQ(found->Path(), c.conflict) << c.name;
            EXPECT_STREQ(found->LastName(), "Smith") << c.name;
        }
    }
    // Saving over the file that holds the ID replaces it: no other file holds the ID.
    const auto over =
        FindOtherClientWithId(root, ClientBuilder().Name("Jones").ClientId("C-1042").Build(),
                              (dir / "2024" / ".." / "2024" / "smith.KVO").string());
    EXPECT_FALSE(over);
}

ClientListEntry Entry(std::string path, std::string last, std::string first, std::string id,
                      std::string birth, std::int64_t modified) {
    ClientListEntry entry;
    entry.SetClient(path, ClientBuilder().Name(last, first).ClientId(id).BirthDate(birth).Build());
    entry.modified = modified;
    return entry;
}

std::vector<std::string> ShownPaths(const ClientListTable& table) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < table.ShownCount(); ++i) paths.emplace_back(table.Shown(i).Path());
    return paths;
}

void Sample(ClientListTable& table) {
    table.Put(Entry("smith.KVO", "Smith", "John", "C-1042", "03/15/1950", 300));
    table.Put(Entry("smith2.KVO", "Sm\xC3\xADth", "Ann", "C-2000", "12/01/1949", 100));
    table.Put(Entry("jones.KVO", "Jones", "Smita", "J-7", "07/04/1960", 200));
    table.Put(Entry("brown.KVO", "Brown", "\xC3\x89mile", "B-1", "01/20/1955", 400));
    ClientListEntry damaged;
    damaged.SetNoClient("bad.KVO", ClientListEntry::Status::NotClientFile, "5 bytes, expected 552");
    damaged.modified = 50;
    table.Put(std::move(damaged));
    table.Update();
}

TEST(ClientListTableTest, NewestFirstUntilAnotherColumnIsChosen) {
    ClientListTable table;
    Sample(table);
    EXPECT_EQ(ShownPaths(table), (std::vector<std::string>{"brown.KVO", "smith.KVO", "jones.KVO",
                                                           "smith2.KVO", "bad.KVO"}));
    table.SortBy(ClientListColumn::BirthDate, true);  // by time, not by text
    table.Update();
    EXPECT_EQ(ShownPaths(table), (std::vector<std::string>{"smith2.KVO", "smith.KVO", "brown.KVO",
                                                           "jones.KVO", "bad.KVO"}));
    table.SortBy(ClientListColumn::LastName, false);
    table.Update();
    EXPECT_EQ(ShownPaths(table), (std::vector<std::string>{"smith2.KVO", "smith.KVO", "jones.KVO",
                                                           "brown.KVO", "bad.KVO"}));
    table.SortBy(ClientListColumn::File, true);
    table.Update();
    EXPECT_EQ(ShownPaths(table), (std::vector<std::string>{"bad.KVO", "brown.KVO", "jones.KVO",
                                                           "smith.KVO", "smith2.KVO"}));
}

TEST(ClientListTableTest, SearchIgnoresCaseAndAccents) {
    ClientListTable table;
    Sample(table);
    table.SortBy(ClientListColumn::File, true);
    struct Case {
        std::string typed;  // Windows-1252, as the window hands it over
        std::vector<std::string> shown;
    };
    for (const auto& c : std::vector<Case>{
             {"smi", {"jones.KVO", "smith.KVO", "smith2.KVO"}},  // Smita is a first name
             {"SM\xCDTH", {"smith.KVO", "smith2.KVO"}},
             {"1042", {"smith.KVO"}},
             {"c-2", {"smith2.KVO"}},
             {"12/01/1949", {"smith2.KVO"}},
             {"1950", {"smith.KVO"}},
             {"emile", {"brown.KVO"}},
             {"smith ann", {"smith2.KVO"}},
             {"  john   smith ", {"smith.KVO"}},
             {"zzz", {}},
             {"", {"bad.KVO", "brown.KVO", "jones.KVO", "smith.KVO", "smith2.KVO"}}}) {
        table.SetFilter(c.typed);
        table.Update();
        EXPECT_EQ(ShownPaths(table), c.shown) << c.typed;
    }
    table.SetFilter("", false);  // the list opens empty until something is typed
    table.Update();
    EXPECT_EQ(table.ShownCount(), 0u);
    table.SetFilter("jo", false);
    table.Update();
    EXPECT_EQ(ShownPaths(table), (std::vector<std::string>{"jones.KVO", "smith.KVO"}));
}

TEST(ClientListTableTest, PutReplacesAndRemoveDrops) {
    ClientListTable table;
    Sample(table);
    table.Put(Entry("jones.KVO", "Jonas", "Smita", "J-7", "07/04/1960", 999));
    EXPECT_TRUE(table.Remove("smith.KVO"));
    EXPECT_FALSE(table.Remove("smith.KVO"));
    table.Put(Entry("late.KVO", "Late", "", "", "", 500));
    table.Update();
    EXPECT_EQ(ShownPaths(table), (std::vector<std::string>{"jones.KVO", "late.KVO", "brown.KVO",
                                                           "smith2.KVO", "bad.KVO"}));
    EXPECT_STREQ(table.Find("jones.KVO")->LastName(), "Jonas");
    EXPECT_EQ(table.ShownRowOf("brown.KVO"), 2u);
    EXPECT_EQ(table.Count(), 5u);
}

TEST(ClientListTableTest, ThousandsOfFilesComeAndGo) {
    ClientListTable table;
    for (int i = 0; i < 2500; ++i) {
        table.Put(
            Entry("f" + std::to_string(i) + ".KVO", "Name" + std::to_string(i), "", "", "", i));
    }
    for (int i = 0; i < 2500; i += 2) ASSERT_TRUE(table.Remove("f" + std::to_string(i) + ".KVO"));
    table.SetFilter("name24");  // Name24, Name240..249, Name2400..2499, odd ones only
    table.Update();
    EXPECT_EQ(table.Count(), 1250u);
    ASSERT_EQ(table.ShownCount(), 55u);
    EXPECT_EQ(table.Shown(0).Path(), "f2499.KVO");  // newest first
    EXPECT_EQ(table.Shown(54).Path(), "f241.KVO");
    for (int i = 1; i < 2500; i += 2) {
        const auto* entry = table.Find("f" + std::to_string(i) + ".KVO");
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_EQ(std::string(entry->LastName()), "Name" + std::to_string(i));
    }
    EXPECT_EQ(table.Find("f0.KVO"), nullptr);
}

TEST(ClientListTableTest, DatesAsTheyAreTyped) {
    EXPECT_EQ(DateKey("03/15/1950"), 19500315);
    EXPECT_EQ(DateKey("3/5/1950"), 19500305);
    for (const char* text : {"", "1950-03-15", "13/01/1950", "03/15/50", "03/15/1950/1", "a"}) {
        EXPECT_FALSE(DateKey(text)) << text;
    }
}

}  // namespace
}  // namespace kivo::test
