// The single-instance lock across real processes, and the hand-over of a client file from a
// second start to the copy that runs.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <filesystem>
#include <vector>

#include "model/ClientFile.h"
#include "tests/app/ProbeProcess.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace {

using kivo::test::kKivo;
using kivo::test::kProbe;

class InstanceLockTest : public kivo::test::ProbeTest {
protected:
    // Where the running copy listens: the user's socket in the runtime folder.
    QString SocketPath() const {
        return Runtime() + QStringLiteral("/kivo-%1.socket").arg(::getuid());
    }
};

TEST_F(InstanceLockTest, SecondInstanceRefusedUntilTheFirstEndsEvenByCrash) {
    auto first = Launch();
    ASSERT_TRUE(WaitForReady(*first));

    auto second = Launch();
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 1);
    EXPECT_EQ(second->readAllStandardOutput(),
              "MESSAGE|Error|The program is already running.|unowned\n");

    first->kill();  // ends as a crash would: no clean-up of its own
    ASSERT_TRUE(first->waitForFinished(10000));

    auto third = Launch();
    EXPECT_TRUE(WaitForReady(*third));
    End(*third);
}

// A double-click while KIVO runs: the real program, given a file relative to its folder,
// hands it to the running copy, which opens it, and ends at once with 0 and no box (a box
// would keep it waiting for a click that never comes).
TEST_F(InstanceLockTest, SecondStartWithAFileHandsItToTheRunningCopy) {
    auto first = Launch();
    ASSERT_TRUE(WaitForReady(*first));
    WriteClient("clients/smith.kvo", "Smith");

    auto second = Launch(kKivo, {"clients/smith.kvo"});
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(second->readAllStandardOutput(), "");

    QByteArray seen;
    EXPECT_TRUE(WaitForLine(*first, "TITLE|KIVO - SMITH.KVO", &seen)) << seen.toStdString();
    End(*first);
}

// A double-click while the first copy is still starting: it holds the lock but listens only
// once its window has painted. The second start keeps trying meanwhile and gets its file
// through.
TEST_F(InstanceLockTest, ASecondStartWhileTheFirstStartsUpStillHandsItsFileOver) {
    WriteClient("early.KVO", "Early");
    auto first = Launch();
    const QString lockFile = Runtime() + "/KIVOMutex2";
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(lockFile) && waited.elapsed() < 20000) QThread::usleep(200);
    ASSERT_TRUE(QFileInfo::exists(lockFile));

    auto second = Launch(kKivo, {"early.KVO"});
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
    QByteArray seen;
    EXPECT_TRUE(WaitForLine(*first, "TITLE|KIVO - EARLY.KVO", &seen)) << seen.toStdString();
    End(*first);
}

// What travels: the path made whole by the sender, one line, answered by the running copy.
TEST_F(InstanceLockTest, TheSentPathIsAbsoluteAndTheSenderWaitsForTheAnswer) {
    QLockFile lock(Runtime() + "/KIVOMutex2");  // a running copy, as far as kivo can tell
    ASSERT_TRUE(lock.tryLock(0));
    QLocalServer server;
    ASSERT_TRUE(server.listen(SocketPath())) << server.errorString().toStdString();
    WriteClient("a/b c.KVO", "X");

    auto second = Launch(kKivo, {"a/b c.KVO"});
    ASSERT_TRUE(server.waitForNewConnection(20000));
    QLocalSocket* socket = server.nextPendingConnection();
    ASSERT_NE(socket, nullptr);
    while (!socket->canReadLine()) ASSERT_TRUE(socket->waitForReadyRead(10000));
    EXPECT_EQ(socket->readLine(), (Work() + "/a/b c.KVO\n").toUtf8());
    // Not finished before the answer.
    EXPECT_FALSE(second->waitForFinished(300));
    socket->write("OK\n");
    socket->flush();
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
}

// A copy that crashed leaves its socket behind; the next copy takes the lock, removes it and
// listens, and a double-click reaches that copy.
TEST_F(InstanceLockTest, StaleSocketOfACrashedCopyIsReplaced) {
    auto crashed = Launch();
    ASSERT_TRUE(WaitForReady(*crashed));
    crashed->kill();
    ASSERT_TRUE(crashed->waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(SocketPath()));

    auto first = Launch();
    ASSERT_TRUE(WaitForReady(*first));
    WriteClient("jones.KVO", "Jones");
    auto second = Launch(kKivo, {"jones.KVO"});
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(WaitForLine(*first, "TITLE|KIVO - JONES.KVO"));
    End(*first);
}

// When the copy holding the lock does not answer, the file cannot be handed over: the second
// start says so as before and ends with 1.
TEST_F(InstanceLockTest, NoAnswerFromTheLockHolderShowsTheBox) {
    QLockFile lock(Runtime() + "/KIVOMutex2");
    ASSERT_TRUE(lock.tryLock(0));
    WriteClient("x.KVO", "X");
    auto second = Launch(kProbe, {"x.KVO"});
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitCode(), 1);
    EXPECT_EQ(second->readAllStandardOutput(),
              "MESSAGE|Error|The program is already running.|unowned\n");
}

// Another user got to the shared temporary folder first: the runtime folder Qt would make there
// and the program's own folder there are theirs, each with a held lock file and a listening
// socket by the program's names. The program starts all the same, with its lock and socket
// in ~/.cache/kivo, and leaves theirs alone.
TEST_F(InstanceLockTest, ASquattedTemporaryFolderDoesNotStopTheProgram) {
    if (::getuid() != 0) GTEST_SKIP() << "only root can give files away";
    TempDir shared;
    TempDir home;
    ::chmod(shared.path().c_str(), 01777);
    const std::string uid = std::to_string(::getuid());
    std::vector<std::unique_ptr<QLockFile>> locks;
    std::vector<std::unique_ptr<QLocalServer>> sockets;
    std::vector<std::filesystem::path> lockFiles;
    for (const std::string& name :
         {std::string("runtime-") + ::getpwuid(::getuid())->pw_name, "kivo-" + uid}) {
        const std::filesystem::path folder = shared / name;
        std::filesystem::create_directory(folder);
        lockFiles.push_back(folder / "KIVOMutex2");
        locks.push_back(std::make_unique<QLockFile>(QString::fromStdString(lockFiles.back())));
        ASSERT_TRUE(locks.back()->tryLock(0));
        sockets.push_back(std::make_unique<QLocalServer>());
        const std::string socket = (folder / ("kivo-" + uid + ".socket")).string();
        ASSERT_TRUE(sockets.back()->listen(QString::fromStdString(socket)));
        for (const std::filesystem::path& path :
             {folder, folder / "KIVOMutex2", std::filesystem::path(socket)}) {
            ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0) << path;
        }
        ::chmod(folder.c_str(), 0755);
    }
    QProcessEnvironment extra;
    extra.insert("XDG_RUNTIME_DIR", "");  // none named
    extra.insert("TMPDIR", QString::fromStdString(shared.path().string()));
    extra.insert("HOME", QString::fromStdString(home.path().string()));
    extra.insert("XDG_CACHE_HOME", "");
    extra.insert("XDG_CONFIG_HOME", QString::fromStdString((home / "config").string()));
    auto probe = Launch(kProbe, {}, extra);
    QByteArray seen;
    EXPECT_TRUE(WaitForLine(*probe, "READY", &seen)) << seen.toStdString();
    const std::filesystem::path own = home / ".cache" / "kivo";
    struct stat facts {};
    ASSERT_EQ(::lstat(own.c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u);
    EXPECT_TRUE(std::filesystem::is_regular_file(own / "KIVOMutex2"));
    EXPECT_TRUE(std::filesystem::is_socket(own / ("kivo-" + uid + ".socket")));
    for (const std::filesystem::path& lock : lockFiles) {
        ASSERT_EQ(::stat(lock.c_str(), &facts), 0);
        EXPECT_EQ(facts.st_uid, 65534u);
    }
    End(*probe);
}

// Qt's file dialog keeps a history in a settings file of Qt's own; KIVO.INI is the only
// settings file the program may write.
TEST_F(InstanceLockTest, NoSettingsFileOfQtsOwn) {
    TempDir home;
    TempDir cache;  // font caches and the like are no settings
    QProcessEnvironment extra;
    extra.insert("XDG_CACHE_HOME", QString::fromStdString(cache.path().string()));
    extra.insert("HOME", QString::fromStdString(home.path().string()));
    extra.insert("XDG_CONFIG_HOME", QString::fromStdString((home.path() / "config").string()));
    extra.insert("KIVO_PROBE_FILE_DIALOG", "1");
    auto probe = Launch(kProbe, {}, extra);
    ASSERT_TRUE(WaitForReady(*probe));
    End(*probe);
    const QDir folder(QString::fromStdString(home.path().string()));
    EXPECT_TRUE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
        << folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
               .join(' ')
               .toStdString();
}

}  // namespace
