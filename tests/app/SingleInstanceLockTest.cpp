// The single-instance lock within one process: one holder per name at a time, a lock file left
// by a copy that ended taken over, and the lock seen alike by a copy that holds it as a
// QLockFile (as earlier versions do) and by this one, before and after this one ends.
#include <gtest/gtest.h>

#include <QtGlobal>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QFileInfo>
#include <QLockFile>
#include <filesystem>

#include "app/InstanceLock.h"
#include "tests/support/TempDir.h"

namespace kivo {
namespace {

class SingleInstanceLock : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::permissions(runtime_.path(), std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_.path().string()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", oldRuntime_); }

    QString LockPath() const { return QString::fromStdString((runtime_ / "KIVOLock").string()); }

    TempDir runtime_;
    const QByteArray oldRuntime_ = qgetenv("XDG_RUNTIME_DIR");
};

TEST_F(SingleInstanceLock, OneHolderAtATime) {
    {
        const InstanceLock first(QStringLiteral("KIVOLock"));
        ASSERT_TRUE(first.Acquired());
        {
            const InstanceLock second(QStringLiteral("KIVOLock"));
            EXPECT_FALSE(second.Acquired());
        }
        // The refused one touched nothing of the holder's.
        EXPECT_FALSE(InstanceLock(QStringLiteral("KIVOLock")).Acquired());
    }
    EXPECT_TRUE(InstanceLock(QStringLiteral("KIVOLock")).Acquired());
}

// A copy that crashed leaves its lock file, with whatever it wrote in it; nothing holds it.
TEST_F(SingleInstanceLock, TheFileOfACopyThatEndedIsTakenOver) {
    WriteBytes(runtime_ / "KIVOLock", {'4', '2', '4', '2', '\n', 'k', 'i', 'v', 'o', '\n'});
    const InstanceLock lock(QStringLiteral("KIVOLock"));
    EXPECT_TRUE(lock.Acquired());
}

#ifndef Q_OS_WIN
// Something other than a plain file by the lock's name is no lock to take; opening a pipe
// must not wait for a writer either.
TEST_F(SingleInstanceLock, APipeOrAFolderByItsNameIsNoLock) {
    ASSERT_EQ(::mkfifo(LockPath().toUtf8().constData(), 0600), 0);
    EXPECT_FALSE(InstanceLock(QStringLiteral("KIVOLock")).Acquired());
    ASSERT_EQ(::unlink(LockPath().toUtf8().constData()), 0);
    std::filesystem::create_directory(runtime_ / "KIVOLock");
    EXPECT_FALSE(InstanceLock(QStringLiteral("KIVOLock")).Acquired());
    EXPECT_TRUE(std::filesystem::is_directory(runtime_ / "KIVOLock"));
}
#endif

#ifndef Q_OS_WIN
// Another user's file by the lock's name is never taken for this user's lock: in the user's
// own folder it makes way for a file of the user's.
TEST_F(SingleInstanceLock, AnotherUsersLockFileIsNeverTaken) {
    if (::getuid() != 0) GTEST_SKIP() << "only root can give a file away";
    WriteBytes(runtime_ / "KIVOLock", {'1', '\n'});
    ASSERT_EQ(::chown(LockPath().toUtf8().constData(), 65534, 65534), 0);
    const InstanceLock lock(QStringLiteral("KIVOLock"));
    EXPECT_TRUE(lock.Acquired());
    struct stat facts {};
    ASSERT_EQ(::stat(LockPath().toUtf8().constData(), &facts), 0);
    EXPECT_EQ(facts.st_uid, ::getuid());
    EXPECT_FALSE(InstanceLock(QStringLiteral("KIVOLock")).Acquired());
}
#endif

TEST_F(SingleInstanceLock, AQLockFileHolderAndThisLockSeeEachOther) {
    {
        QLockFile earlier(LockPath());
        ASSERT_TRUE(earlier.tryLock(0));
        EXPECT_FALSE(InstanceLock(QStringLiteral("KIVOLock")).Acquired());
    }
    {
        const InstanceLock lock(QStringLiteral("KIVOLock"));
        ASSERT_TRUE(lock.Acquired());
        QLockFile later(LockPath());
        later.setStaleLockTime(0);
        EXPECT_FALSE(later.tryLock(0));
    }
    // The file stays when this lock ends; an earlier version must still be able to take it.
    QLockFile earlier(LockPath());
    earlier.setStaleLockTime(0);
    EXPECT_TRUE(earlier.tryLock(0));
}

}  // namespace
}  // namespace kivo
