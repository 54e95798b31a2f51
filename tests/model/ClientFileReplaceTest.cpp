// The save as every system does it, Windows included: the new client replaces the old file,
// a save that fails part way leaves the old file whole and no temporary behind, and a file
// marked read-only is refused.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "model/ClientFile.h"
#include "model/Error.h"
#include "model/Platform.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

// The names in `folder` other than `keep`.
std::vector<fs::path> OtherEntries(const fs::path& folder, const fs::path& keep) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path() != keep) found.push_back(entry.path().filename());
    }
    return found;
}

// The save's reason for failing, "" when it worked.
std::string SaveReason(const fs::path& path, const char* lastName) {
    try {
        WriteClientFile(path, ClientBuilder().Name(lastName).Build());
    } catch (const FileError& e) {
        EXPECT_EQ(e.Kind(), FileErrorKind::Save);
        return e.Reason();
    }
    return {};
}

TEST(ClientFileReplace, TheNewClientTakesTheOldFilesPlace) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    auto old = ClientImageBytes("Old");
    old.resize(2000, 'Q');  // longer than a record: nothing of it may stay
    WriteBytes(file, old);
    EXPECT_EQ(SaveReason(file, "New"), "");
    EXPECT_EQ(ReadBytes(file), ClientImageBytes("New"));
    EXPECT_EQ(OtherEntries(dir.path(), file), std::vector<fs::path>());
}

// The step the hook fails and the errno it fails with.
std::string_view gFailedStep;
int gFailure = 0;

int FailOneStep(std::string_view step) {
    return step == gFailedStep ? gFailure : 0;
}

TEST(ClientFileReplace, AFailedSaveLeavesTheOldFileWhole) {
    const struct {
        std::string_view step;
        int code;
    } cases[] = {{"create", EROFS},  // no temporary at all
                 {"sync", ENOSPC},   // the temporary half written
                 {"replace", EIO}};  // written but never put in place
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.step));
        TempDir dir;
        const auto file = dir / "c.KVO";
        WriteBytes(file, ClientImageBytes("Old"));
        gFailedStep = c.step;
        gFailure = c.code;
        platform::SetFaultHook(FailOneStep);
        const std::string reason = SaveReason(file, "New");
        platform::SetFaultHook(nullptr);
        EXPECT_EQ(reason, std::strerror(c.code));
        EXPECT_EQ(ReadBytes(file), ClientImageBytes("Old"));
        EXPECT_EQ(OtherEntries(dir.path(), file), std::vector<fs::path>());
    }
}

TEST(ClientFileReplace, AFileMarkedReadOnlyIsRefused) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    WriteBytes(file, ClientImageBytes("Old"));
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(file, writable, fs::perm_options::remove);
    const std::string reason = SaveReason(file, "New");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(reason, std::strerror(EACCES));
    EXPECT_EQ(ReadBytes(file), ClientImageBytes("Old"));
    EXPECT_EQ(OtherEntries(dir.path(), file), std::vector<fs::path>());
}

}  // namespace
}  // namespace kivo::test
