// The single-instance lock across real processes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "tests/support/TempDir.h"

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(runtime_.path().c_str(), 0700);  // a runtime folder must be private
    }

    std::unique_ptr<QProcess> Launch() {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.path().string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(QString::fromStdString(work_.path().string()));
        process->start(KIVO_BINARY_DIR "/bin/kivo_lock_probe", {});
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    }

    static bool WaitForReady(QProcess& process) {
        QByteArray out;
        while (!out.contains("READY")) {
            if (!process.waitForReadyRead(20000)) return false;
            out += process.readAllStandardOutput();
        }
        return true;
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
    third->kill();
    third->waitForFinished(10000);
}

}  // namespace
