// Saves that never finish: a process killed between writing the temporary file and the
// rename, and a process whose file size limit makes the write itself fail (a full disk
// seen from inside). Each runs in a child process; the old client file stays whole.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "model/ClientFile.h"
#include "model/Error.h"
#include "model/Platform.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace kivo::test {
namespace {

ClientRecord Client(const char* lastName) {
    return ClientBuilder().Name(lastName).Build();
}

// Runs `child` in a forked process and returns its wait status.
template <typename F>
int InChild(F child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        child();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

std::vector<std::filesystem::path> Leftovers(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".tmp") found.push_back(entry.path());
    }
    return found;
}

TEST(KilledSave, KillBeforeTheRenameLeavesTheOldFileWholeAndReadable) {
    TempDir dir;
    const auto target = dir / "client.KVO";
    WriteClientFile(target, Client("Old"));
    const auto before = ReadBytes(target);

    const int status = InChild([&] {
        platform::SetFaultHook([](std::string_view step) {
            if (step == "replace") ::raise(SIGKILL);
            return 0;
        });
        WriteClientFile(target, Client("New"));
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    EXPECT_EQ(ReadBytes(target), before);
    ClientRecord read{};
    ReadClientFile(target, read);
    EXPECT_EQ(ReadTextField(read.LastName), "Old");
    // The killed save's temporary file is whole too, and the next save works beside it.
    const auto left = Leftovers(dir.path());
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(ReadBytes(left[0]).size(), kClientRecordSize);
    WriteClientFile(target, Client("Again"));
    ReadClientFile(target, read);
    EXPECT_EQ(ReadTextField(read.LastName), "Again");
    EXPECT_TRUE(Leftovers(dir.path()).empty()) << "the next save clears the killed one's file";
}

TEST(KilledSave, WriteBeyondTheFileSizeLimitFailsWithTheReasonAndKeepsTheOldFile) {
    TempDir dir;
    const auto target = dir / "client.KVO";
    WriteClientFile(target, Client("Old"));
    const auto before = ReadBytes(target);
    const auto message = dir / "message.txt";

    const int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteClientFile(target, Client("New"));
        } catch (const Error& e) {
            const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            WriteBytes(message, {e.what(), e.what() + std::strlen(e.what())});
            ::_exit(3);
        }
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << "the save must fail";
    const auto text = ReadBytes(message);
    EXPECT_EQ(std::string(text.begin(), text.end()),
              "Cannot save \"" + target.string() + "\": File too large");
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_TRUE(Leftovers(dir.path()).empty());
}

}  // namespace
}  // namespace kivo::test
