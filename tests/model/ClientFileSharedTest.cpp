// A save on a machine shared with other users, on a real disk: access lists, extended
// attributes and hard links survive it, it works in a sticky shared folder, and a name
// swapped for a link to another file after the load is not written through.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "model/ClientFile.h"
#include "model/Error.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/FileStat.h"
#include "tests/support/OtherUser.h"
#include "tests/support/TempDir.h"

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

// What a shell command prints, and whether it exited with 0.
std::optional<std::string> Output(const std::string& command) {
    std::FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string text;
    std::array<char, 256> chunk{};
    while (const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), pipe)) {
        text.append(chunk.data(), got);
    }
    if (::pclose(pipe) != 0) return std::nullopt;
    return text;
}

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// Every name in `folder` that a save could have left behind.
std::vector<fs::path> Temporaries(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".tmp") found.push_back(entry.path());
    }
    return found;
}

TEST(ClientFileShared, AnAccessListAndAttributesSurviveTheSave) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    WriteBytes(file, ClientImageBytes("Old"));
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    // A colleague may read and write; the rest of the file's group may not.
    if (!Output("setfacl -m u:" + std::to_string(kNobody) + ":rw " + Quoted(file))) {
        GTEST_SKIP() << "no setfacl, or a file system without access lists";
    }
    const std::string attribute = "kept by the save";
    const bool attributes =
        ::setxattr(file.c_str(), "user.kivo.note", attribute.data(), attribute.size(), 0) == 0;
    const auto before = Output("getfacl -cpn " + Quoted(file));
    ASSERT_TRUE(before);
    ASSERT_NE(before->find("group::---"), std::string::npos) << *before;
    ASSERT_NE(before->find("user:" + std::to_string(kNobody) + ":rw-"), std::string::npos)
        << *before;
    const ino_t inode = StatOf(file).st_ino;

    WriteClientFile(file, ClientBuilder().Name("New").Build());

    EXPECT_EQ(ReadBytes(file), ClientImageBytes("New"));
    EXPECT_NE(StatOf(file).st_ino, inode) << "replaced through a new file, not written over";
    EXPECT_EQ(Output("getfacl -cpn " + Quoted(file)), before);
    EXPECT_EQ(StatOf(file).st_mode & 07777u, 0660u) << "the group bits stay the access mask";
    if (attributes) {
        std::array<char, 64> value{};
        const ssize_t got = ::getxattr(file.c_str(), "user.kivo.note", value.data(), value.size());
        EXPECT_EQ(std::string(value.data(), got > 0 ? static_cast<std::size_t>(got) : 0u),
                  attribute);
    }
    EXPECT_EQ(Temporaries(dir.path()), std::vector<fs::path>());
}

TEST(ClientFileShared, AFileWithASecondNameIsWrittenOverForBoth) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    auto old = ClientImageBytes("Old");
    old.resize(900, 'Q');
    WriteBytes(file, old);
    fs::create_hard_link(file, dir / "backup.KVO");
    const ino_t inode = StatOf(file).st_ino;

    WriteClientFile(file, ClientBuilder().Name("New").Build());

    EXPECT_EQ(ReadBytes(file), ClientImageBytes("New"));
    EXPECT_EQ(ReadBytes(dir / "backup.KVO"), ClientImageBytes("New"));
    EXPECT_EQ(StatOf(file).st_ino, inode);
    EXPECT_EQ(StatOf(file).st_nlink, 2u);
    EXPECT_EQ(Temporaries(dir.path()), std::vector<fs::path>());
}

TEST(ClientFileShared, AnotherUsersFileInAStickyFolderIsSavedInPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 01777), 0);
    const auto file = dir / "c.KVO";
    WriteBytes(file, ClientImageBytes("Old"));
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    const ino_t inode = StatOf(file).st_ino;

    const int code = AsNobody([&] {
        try {
            WriteClientFile(file, ClientBuilder().Name("New").Build());
        } catch (const FileError&) {
            return 1;
        }
        return 0;
    });

    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadBytes(file), ClientImageBytes("New"));
    EXPECT_EQ(StatOf(file).st_ino, inode);
    EXPECT_EQ(StatOf(file).st_uid, 0u) << "still the owner's file";
    EXPECT_EQ(StatOf(file).st_mode & 07777u, 0666u);
    EXPECT_EQ(Temporaries(dir.path()), std::vector<fs::path>()) << "nobody's temporary removed";
}

TEST(ClientFileShared, ASaveGoesOnlyToTheLoadedFileOrAnotherClient) {
    // jones.KVO is loaded; before the save, `swap` changes what the name leads to. The save
    // goes ahead, or stops naming the file it would have written (`stops`) and leaves it.
    const struct Case {
        const char* name;
        void (*swap)(const TempDir&);
        const char* stops;  // "" when the save goes ahead
        const char* lands;  // where the new client is, when it goes ahead
    } cases[] = {
        {"nothing changed", [](const TempDir&) {}, "", "jones.KVO"},
        {"a link to a private file",
         [](const TempDir& d) {
             fs::remove(d / "jones.KVO");
             fs::create_symlink(d / "notes.txt", d / "jones.KVO");
         },
         "notes.txt", ""},
        {"a link to a file not there yet",
         [](const TempDir& d) {
             fs::remove(d / "jones.KVO");
             fs::create_symlink(d / "planted.txt", d / "jones.KVO");
         },
         "planted.txt", ""},
        {"another program's file by that name",
         [](const TempDir& d) {
             // Renamed aside, not removed: a removed file's inode may be handed on at once.
             fs::rename(d / "jones.KVO", d / "jones.old");
             WriteBytes(d / "jones.KVO", std::vector<unsigned char>(600, 'x'));
         },
         "jones.KVO", ""},
        {"a link to another client file",
         [](const TempDir& d) {
             fs::remove(d / "jones.KVO");
             fs::create_symlink("smith.KVO", d / "jones.KVO");
         },
         "", "smith.KVO"},
        {"the client saved anew by another copy of the program",
         [](const TempDir& d) {
             WriteBytes(d / "other.KVO", ClientImageBytes("Elsewhere"));
             fs::rename(d / "other.KVO", d / "jones.KVO");
         },
         "", "jones.KVO"},
        {"the file removed", [](const TempDir& d) { fs::remove(d / "jones.KVO"); }, "",
         "jones.KVO"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir / "jones.KVO", ClientImageBytes("Jones"));
        WriteBytes(dir / "smith.KVO", ClientImageBytes("Smith"));
        const std::vector<unsigned char> notes = {'m', 'y', ' ', 'n', 'o', 't', 'e', 's'};
        WriteBytes(dir / "notes.txt", notes);
        ClientRecord record;
        const auto loaded = ReadClientFile(dir / "jones.KVO", record);
        c.swap(dir);
        const auto bytesAt = [&](const char* name) {
            return fs::is_regular_file(dir / name) ? ReadBytes(dir / name)
                                                   : std::vector<unsigned char>();
        };
        const auto before = bytesAt(c.stops);

        std::string stoppedAt;
        try {
            WriteClientFile(dir / "jones.KVO", ClientBuilder().Name("New").Build(), loaded);
        } catch (const FileError& e) {
            EXPECT_EQ(e.Kind(), FileErrorKind::ChangedFile);
            EXPECT_EQ(e.Path(), dir / "jones.KVO");
            stoppedAt = e.Target().lexically_relative(dir.path()).string();
            EXPECT_NE(std::string(e.what()).find(PathText(e.Target())), std::string::npos);
        }
        EXPECT_EQ(stoppedAt, c.stops);
        if (*c.stops) {
            EXPECT_EQ(bytesAt(c.stops), before);
        } else {
            EXPECT_EQ(ReadBytes(dir / c.lands), ClientImageBytes("New"));
        }
        EXPECT_EQ(ReadBytes(dir / "notes.txt"), notes);
    }
}

TEST(ClientFileShared, TheSavedFileIsTheOneTheNextSaveExpects) {
    TempDir dir;
    const auto file = dir / "c.KVO";
    WriteBytes(file, ClientImageBytes("Old"));
    ClientRecord record;
    auto identity = ReadClientFile(file, record);
    for (const char* name : {"First", "Second"}) {
        identity = WriteClientFile(file, ClientBuilder().Name(name).Build(), identity);
        EXPECT_EQ(identity.inode, StatOf(file).st_ino);
    }
    // Another program's file takes the name (the old one kept aside, so its inode is not
    // handed on): the identity of the last save is no longer it.
    fs::rename(file, dir / "aside.KVO");
    WriteBytes(file, std::vector<unsigned char>(10, 'x'));
    EXPECT_THROW(WriteClientFile(file, ClientBuilder().Name("Third").Build(), identity), FileError);
}

}  // namespace
}  // namespace kivo::test
