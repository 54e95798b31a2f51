// The program started as a real process (the probe: the program with its questions answered
// OK and written to its output), in a fresh start-up folder with a private runtime folder and
// a configuration folder of its own.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <memory>

#include "model/ClientFile.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace kivo::test {

inline constexpr char kProbe[] = KIVO_BINARY_DIR "/bin/kivo_lock_probe";
inline constexpr char kKivo[] = KIVO_BINARY_DIR "/bin/kivo";

class ProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(runtime_.path().c_str(), 0700);  // a runtime folder must be private
    }

    QString Runtime() const { return QString::fromStdString(runtime_.path().string()); }
    QString Work() const { return QString::fromStdString(work_.path().string()); }
    // $XDG_CONFIG_HOME of the started program, so it never writes the tester's own settings.
    QString Config() const { return QString::fromStdString(config_.path().string()); }

    std::unique_ptr<QProcess> Launch(const char* program = kProbe, const QStringList& args = {},
                                     const QProcessEnvironment& extra = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", Runtime());
        env.insert("XDG_CONFIG_HOME", Config());
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
        WriteClientFile((work_.path() / relative.toStdString()),
                        ClientBuilder().Name(lastName).Build());
    }

    TempDir runtime_;
    TempDir work_;
    TempDir config_;
};

}  // namespace kivo::test
