// What a save keeps of the file it replaces, on a real disk: links written through, mode,
// owner and group, read-only files refused (root included), the in-place write where the
// folder takes no new files, the flushes before success and the clearing of killed saves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/ClientFile.h"
#include "model/Error.h"
#include "model/Platform.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/FileStat.h"
#include "tests/support/OtherUser.h"
#include "tests/support/TempDir.h"

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

void SetMode(const fs::path& path, unsigned mode) {
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

// Every file under `folder` whose name ends in ".tmp".
std::vector<fs::path> Temporaries(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().extension() == ".tmp") found.push_back(entry.path());
    }
    return found;
}

// The steps of the save in the order they ran, and the errno each injected fault gives.
struct StepLog {
    std::vector<std::string> steps;
    std::map<std::string, int, std::less<>> faults;
};
StepLog gLog;

int RecordStep(std::string_view step) {
    gLog.steps.emplace_back(step);
    const auto fault = gLog.faults.find(step);
    return fault == gLog.faults.end() ? 0 : fault->second;
}

// Records the steps of the saves of one test and removes the hook whatever the outcome.
struct RecordedSteps {
    explicit RecordedSteps(std::map<std::string, int, std::less<>> faults = {}) {
        gLog = {{}, std::move(faults)};
        platform::SetFaultHook(RecordStep);
    }
    ~RecordedSteps() { platform::SetFaultHook(nullptr); }
    RecordedSteps(const RecordedSteps&) = delete;
    RecordedSteps& operator=(const RecordedSteps&) = delete;
};

// The save as it should be told: nothing when it worked, else the reason of its FileError.
std::string SaveReason(const fs::path& path, const char* lastName) {
    try {
        WriteClientFile(path, ClientBuilder().Name(lastName).Build());
    } catch (const FileError& e) {
        EXPECT_EQ(e.Kind(), FileErrorKind::Save);
        EXPECT_EQ(e.Path(), path) << "the message names the file the user chose";
        return e.Reason();
    }
    return {};
}

const std::vector<std::string> kReplaceSteps = {"create", "permissions", "attributes",
                                                "sync",   "replace",     "sync folder"};

TEST(ClientFileSave, KeepsWhatTheUserSetOnTheFile) {
    // In every case `old` holds the old client ("Old", in a 2000-byte file for the in-place
    // cases) at real/c.KVO unless the case makes its own; the save of "New" goes to `save`
    // and must land on `lands`, with `mode`, or fail with `reason` and leave `lands` alone.
    const struct Case {
        const char* name;
        unsigned mode;  // of real/c.KVO before, and of `lands` after
        std::function<void(const TempDir&)> prepare;
        const char* save;
        const char* lands;
        std::map<std::string, int, std::less<>> faults;
        const char* reason;  // "" when the save works
        bool replaced;       // `lands` holds the new client afterwards
        std::vector<std::string> steps;
    } cases[] = {
        {"a private file stays private",
         0600,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {},
         "",
         true,
         kReplaceSteps},
        {"bits the umask would narrow are kept",
         0666,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {},
         "",
         true,
         kReplaceSteps},
        {"an absolute link is written through",
         0640,
         [](const TempDir& d) { fs::create_symlink(d / "real/c.KVO", d / "link.KVO"); },
         "link.KVO",
         "real/c.KVO",
         {},
         "",
         true,
         kReplaceSteps},
        {"a relative link is written through",
         0600,
         [](const TempDir& d) { fs::create_symlink("real/c.KVO", d / "link.KVO"); },
         "link.KVO",
         "real/c.KVO",
         {},
         "",
         true,
         kReplaceSteps},
        {"a chain of links is followed to its end",
         0600,
         [](const TempDir& d) {
             fs::create_symlink("c.KVO", d / "real/inner.KVO");
             fs::create_symlink("real/inner.KVO", d / "link.KVO");
         },
         "link.KVO",
         "real/c.KVO",
         {},
         "",
         true,
         kReplaceSteps},
        {"a link to a file not yet there creates that file",
         0,
         [](const TempDir& d) { fs::create_symlink("real/new.KVO", d / "link.KVO"); },
         "link.KVO",
         "real/new.KVO",
         {},
         "",
         true,
         {"create", "sync", "replace", "sync folder"}},
        {"a read-only file is refused",
         0444,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {},
         "Permission denied",
         false,
         {}},
        {"without the owner's write bit the others' do not count",
         0466,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {},
         "Permission denied",
         false,
         {}},
        {"a read-only file behind a link is refused",
         0400,
         [](const TempDir& d) { fs::create_symlink("real/c.KVO", d / "link.KVO"); },
         "link.KVO",
         "real/c.KVO",
         {},
         "Permission denied",
         false,
         {}},
        {"a folder that takes no new files gets the file written in place",
         0640,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"create", EACCES}},
         "",
         true,
         {"create", "overwrite", "sync"}},
        {"the same through a link",
         0600,
         [](const TempDir& d) { fs::create_symlink("real/c.KVO", d / "link.KVO"); },
         "link.KVO",
         "real/c.KVO",
         {{"create", EPERM}},
         "",
         true,
         {"create", "overwrite", "sync"}},
        {"a file that cannot be written in place either stays whole",
         0600,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"create", EACCES}, {"overwrite", EACCES}},
         "Permission denied",
         false,
         {"create", "overwrite"}},
        {"a read-only file system is not tried in place",
         0600,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"create", EROFS}},
         "Read-only file system",
         false,
         {"create"}},
        {"a mode that cannot be kept fails the save",
         0600,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"permissions", EPERM}},
         "Operation not permitted",
         false,
         {"create", "permissions"}},
        {"a rename the folder refuses writes in place (another user's file, sticky folder)",
         0640,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"replace", EPERM}},
         "",
         true,
         {"create", "permissions", "attributes", "sync", "replace", "overwrite", "sync"}},
        {"an access list a new file cannot take writes in place",
         0600,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"attributes", EPERM}},
         "",
         true,
         {"create", "permissions", "attributes", "overwrite", "sync"}},
        {"a rename that fails otherwise keeps the old file",
         0600,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"replace", EIO}},
         "Input/output error",
         false,
         {"create", "permissions", "attributes", "sync", "replace"}},
        {"a folder that cannot be flushed is reported after the rename",
         0600,
         {},
         "real/c.KVO",
         "real/c.KVO",
         {{"sync folder", EIO}},
         "Input/output error",
         true,
         kReplaceSteps},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        fs::create_directory(dir / "real");
        const bool inPlace = std::ranges::count(c.steps, "overwrite") != 0;
        auto old = ClientImageBytes("Old");
        if (inPlace) old.resize(2000, 'Q');  // the write in place must cut off the rest
        WriteBytes(dir / "real/c.KVO", old);
        const bool fresh = c.mode == 0;  // the save makes a new file
        if (!fresh) SetMode(dir / "real/c.KVO", c.mode);
        const ino_t inode = StatOf(dir / "real/c.KVO").st_ino;
        if (c.prepare) c.prepare(dir);
        const auto linkText =
            fs::is_symlink(dir / c.save) ? fs::read_symlink(dir / c.save) : fs::path();

        {
            const RecordedSteps recorded(c.faults);
            EXPECT_EQ(SaveReason(dir / c.save, "New"), c.reason);
        }
        EXPECT_EQ(gLog.steps, c.steps);

        EXPECT_EQ(ReadBytes(dir / c.lands), c.replaced ? ClientImageBytes("New") : old);
        if (!fresh) {
            EXPECT_EQ(ModeOf(dir / c.lands), c.mode);
        }
        if (inPlace && c.replaced) {
            EXPECT_EQ(StatOf(dir / c.lands).st_ino, inode) << "the same file, written over";
        }
        if (!linkText.empty()) {
            EXPECT_TRUE(fs::is_symlink(dir / c.save)) << "the link stays a link";
            EXPECT_EQ(fs::read_symlink(dir / c.save), linkText);
        }
        EXPECT_EQ(Temporaries(dir.path()), std::vector<fs::path>());
    }
}

TEST(ClientFileSave, ANewFileGetsTheUsualModeAndNoOwnerChange) {
    TempDir dir;
    const mode_t mask = ::umask(027);
    const std::string reason = SaveReason(dir / "new.KVO", "New");
    ::umask(mask);
    EXPECT_EQ(reason, "");
    EXPECT_EQ(ModeOf(dir / "new.KVO"), 0640u);
    EXPECT_EQ(StatOf(dir / "new.KVO").st_uid, ::geteuid());
}

TEST(ClientFileSave, KeepsOwnerAndGroupWhereTheProcessMaySetThem) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const auto file = dir / "c.KVO";
    WriteBytes(file, ClientImageBytes("Old"));
    ASSERT_EQ(::chown(file.c_str(), 4321, 4322), 0);
    // setgid survives the change of owner because the mode is set after it.
    SetMode(file, 02640);
    EXPECT_EQ(SaveReason(file, "New"), "");
    const struct stat info = StatOf(file);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
    EXPECT_EQ(info.st_mode & 07777u, 02640u);
    EXPECT_EQ(ReadBytes(file), ClientImageBytes("New"));
}

TEST(ClientFileSave, AnotherUsersFileFollowsTheSystemsAnswer) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
    // For anyone but root "writable" is the system's answer for that user: a file of root's
    // that only root may write is refused even where the folder would take a new one; one
    // that everyone may write, in a folder that takes no new file from nobody, is written
    // in place and stays root's.
    const struct {
        unsigned mode;
        unsigned folderMode;
        int exitCode;  // 0 saved, 1 refused with "Permission denied"
    } cases[] = {{0644, 0777, 1}, {0666, 0755, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        TempDir dir;
        const auto file = dir / "c.KVO";
        WriteBytes(file, ClientImageBytes("Old"));
        SetMode(file, c.mode);
        SetMode(dir.path(), c.folderMode);
        const int code = AsNobody([&] {
            try {
                WriteClientFile(file, ClientBuilder().Name("New").Build());
            } catch (const FileError& e) {
                return e.Reason() == "Permission denied" ? 1 : 2;
            }
            return 0;
        });
        EXPECT_EQ(code, c.exitCode);
        EXPECT_EQ(ReadBytes(file), code == 0 ? ClientImageBytes("New") : ClientImageBytes("Old"));
        EXPECT_EQ(StatOf(file).st_uid, 0u);
        EXPECT_EQ(ModeOf(file), c.mode);
        EXPECT_EQ(Temporaries(dir.path()), std::vector<fs::path>());
    }
}

// The temporary files of the folder watched, and their modes when the save came to setting
// the old file's mode on its temporary.
fs::path gWatched;
std::vector<unsigned> gModesBeforeSet;

int WatchTemporaries(std::string_view step) {
    if (step == "permissions") {
        for (const auto& temp : Temporaries(gWatched)) gModesBeforeSet.push_back(ModeOf(temp));
    }
    return 0;
}

TEST(ClientFileSave, TheTemporaryIsNeverMoreOpenThanTheFileItReplaces) {
    TempDir dir;
    WriteBytes(dir / "c.KVO", ClientImageBytes("Old"));
    SetMode(dir / "c.KVO", 0600);
    gWatched = dir.path();
    gModesBeforeSet.clear();
    const mode_t mask = ::umask(022);
    platform::SetFaultHook(WatchTemporaries);
    const std::string reason = SaveReason(dir / "c.KVO", "New");
    platform::SetFaultHook(nullptr);
    ::umask(mask);
    EXPECT_EQ(reason, "");
    EXPECT_EQ(gModesBeforeSet, std::vector<unsigned>{0600});
}

TEST(ClientFileSave, ClearsTheTemporariesOfKilledSavesOfTheSameFileOnly) {
    TempDir dir;
    fs::create_directory(dir / "real");
    const auto file = dir / "real/c.KVO";
    WriteBytes(file, ClientImageBytes("Old"));
    fs::create_symlink("real/c.KVO", dir / "link.KVO");
    const std::vector<std::string> cleared = {"c.KVO.kivo-save-123456789.tmp",
                                              "c.KVO.kivo-save-7.tmp"};
    const std::vector<std::string> kept = {
        "d.KVO.kivo-save-5.tmp",                  // another client's
        "C.KVO.kivo-save-5.tmp",                  // another file where case matters
        "c.KVO.kivo-save-x5.tmp",                 // not a name a save draws
        "c.KVO.kivo-save-.tmp",                   // nor this
        "c.KVO.kivo-save-5.tmp.KVO",              // a client file with an odd name
        "xc.KVO.kivo-save-5.tmp",                 // a longer name ending like this one
        "c.KVO.kivo-save-5.tmp.kivo-save-6.tmp",  // the temporary of that odd client
    };
    for (const auto& name : cleared) WriteBytes(dir / "real" / name, ClientImageBytes("Killed"));
    for (const auto& name : kept) WriteBytes(dir / "real" / name, ClientImageBytes("Other"));

    // A failed save leaves them; the next one that works clears them beside the file the
    // link names.
    {
        const RecordedSteps recorded({{"sync", ENOSPC}});
        EXPECT_EQ(SaveReason(dir / "link.KVO", "New"), "No space left on device");
    }
    for (const auto& name : cleared) EXPECT_TRUE(fs::exists(dir / "real" / name)) << name;
    EXPECT_EQ(SaveReason(dir / "link.KVO", "New"), "");
    for (const auto& name : cleared) EXPECT_FALSE(fs::exists(dir / "real" / name)) << name;
    for (const auto& name : kept) {
        EXPECT_EQ(ReadBytes(dir / "real" / name), ClientImageBytes("Other")) << name;
    }
    EXPECT_EQ(ReadBytes(file), ClientImageBytes("New"));
}

TEST(ClientFileSave, ALoopOfLinksIsRefusedWithItsReason) {
    TempDir dir;
    fs::create_symlink("b.KVO", dir / "a.KVO");
    fs::create_symlink("a.KVO", dir / "b.KVO");
    EXPECT_EQ(SaveReason(dir / "a.KVO", "New"), "Too many levels of symbolic links");
    EXPECT_TRUE(fs::is_symlink(dir / "a.KVO"));
    EXPECT_EQ(Temporaries(dir.path()), std::vector<fs::path>());
}

}  // namespace
}  // namespace kivo::test
