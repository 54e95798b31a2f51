// The single-instance lock across real processes, and the hand-over of a client file from a
// second start to the copy that runs.
#include <gtest/gtest.h>
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

#include "model/ClientFile.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace {

constexpr char kProbe[] = KIVO_BINARY_DIR "/bin/kivo_lock_probe";
constexpr char kKivo[] = KIVO_BINARY_DIR "/bin/kivo";

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(runtime_.path().c_str(), 0700);  // a runtime folder must be private
    }

    QString Runtime() const { return QString::fromStdString(runtime_.path().string()); }
    QString Work() const { return QString::fromStdString(work_.path().string()); }
    // Where the running copy listens: the user's socket in the runtime folder.
    QString SocketPath() const {
        return Runtime() + QStringLiteral("/kivo-%1.socket").arg(::getuid());
    }

    std::unique_ptr<QProcess> Launch(const char* program = kProbe, const QStringList& args = {},
                                     const QProcessEnvironment& extra = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", Runtime());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const QString& key : extra.keys()) env.insert(key, extra.value(key));
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(Work());
        process->start(program, args);
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    // Reads the process's output until `line` has come; false on timeout or exit.
    static bool WaitForLine(QProcess& process, const QByteArray& line, QByteArray* seen = nullptr) {
        QByteArray out;
        while (!out.contains(line + '\n')) {
            if (!process.waitForReadyRead(20000)) {
                if (seen != nullptr) *seen = out;
                return false;
            }
            out += process.readAllStandardOutput();
        }
        if (seen != nullptr) *seen = out;
        return true;
    }

    static bool WaitForReady(QProcess& process) { return WaitForLine(process, "READY"); }

    static void End(QProcess& process) {
        process.kill();
        process.waitForFinished(10000);
    }

    void WriteClient(const QString& relative, const char* lastName) {
        QDir(Work()).mkpath(QFileInfo(Work() + "/" + relative).path());
        kivo::WriteClientFile((work_.path() / relative.toStdString()),
                              kivo::test::ClientBuilder().Name(lastName).Build());
    }

    TempDir runtime_;
    TempDir work_;
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
