// KIVO.INI seen from a real start and exit of the program: a pipe, an endless device or a huge
// file by its name costs no more time than none; a start-up folder that is no place for it
// leaves the settings in the user's configuration folder, without a box; the recent files
// are on disk as soon as they change, so a killed program keeps them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "tests/app/ProbeProcess.h"
#include "tests/support/FileBytes.h"

namespace kivo::test {
namespace {

class SettingsProcess : public ProbeTest {
protected:
    // Milliseconds from start to the end of each of `runs` runs that close themselves once
    // they have shown their window, sorted; -1 for a run that did not end in 20 s. `output`
    // gets what the runs wrote, one after the other.
    std::vector<qint64> TimedRuns(int runs, QByteArray* output = nullptr) {
        std::vector<qint64> times;
        for (int i = 0; i < runs; ++i) {
            // What a run kept goes, so each run meets KIVO.INI as the first did.
            std::filesystem::remove_all(config_.path() / "kivo");
            QProcessEnvironment close;
            close.insert("KIVO_PROBE_CLOSE", "1");
            QElapsedTimer timer;
            timer.start();
            auto probe = Launch(kProbe, {}, close);
            if (!probe->waitForFinished(20000)) {
                End(*probe);
                times.push_back(-1);
                continue;
            }
            times.push_back(timer.elapsed());
            EXPECT_EQ(probe->exitCode(), 0);
            if (output != nullptr) *output += probe->readAllStandardOutput();
        }
        std::sort(times.begin(), times.end());
        return times;
    }

    std::filesystem::path Ini() const { return work_.path() / "KIVO.INI"; }
    QString UserIni() const { return Config() + "/kivo/KIVO.INI"; }
};

TEST_F(SettingsProcess, APipeADeviceOrAHugeFileByItsNameNeitherHangsNorSlowsStartAndExit) {
    // The usual time is the middle one of three runs without KIVO.INI; each case counts its
    // fastest of three, so a busy machine does not decide the outcome.
    const std::vector<qint64> plain = TimedRuns(3);
    ASSERT_GT(plain.front(), 0);
    const qint64 usual = plain[1];
    enum class Kind { Pipe, Device, Huge };
    for (const Kind kind : {Kind::Pipe, Kind::Device, Kind::Huge}) {
        std::filesystem::remove(Ini());
        switch (kind) {
            case Kind::Pipe:
                ASSERT_EQ(::mkfifo(Ini().c_str(), 0600), 0);
                break;
            case Kind::Device:
                std::filesystem::create_symlink("/dev/zero", Ini());
                break;
            case Kind::Huge:
                ASSERT_TRUE(WriteFileBytes(QString::fromStdString(Ini().string()),
                                           "[Information]\nDataPath=/d/\n"));
                std::filesystem::resize_file(Ini(), 100'000'000);
                break;
        }
        QByteArray output;
        const std::vector<qint64> times = TimedRuns(3, &output);
        const int index = static_cast<int>(kind);
        ASSERT_GT(times.front(), 0) << "case " << index << " hung";
        const qint64 took = times.front();
        RecordProperty("case" + std::to_string(index) + "_ms", std::to_string(took));
        std::cout << "case " << index << ": " << took << " ms, usually " << usual << " ms\n";
        EXPECT_LE(took, usual * 3 / 2)
            << "case " << index << ": " << took << " ms, usually " << usual << " ms";
        EXPECT_FALSE(output.contains("MESSAGE|")) << output.toStdString();
        if (kind == Kind::Huge) {
            // Each run reads the file's first MiB and says so, and keeps the settings in the
            // user's folder.
            EXPECT_TRUE(output.contains(
                ("STATUS|" + SettingsCutMessage(QString::fromStdString(Ini().string()))).toUtf8()))
                << output.toStdString();
            EXPECT_EQ(std::filesystem::file_size(Ini()), 100'000'000u);
        }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(work_.path() / "KIVO.INI") ||
                std::filesystem::is_regular_file(Ini()));
}

// Started from a folder without KIVO.INI that the user cannot write (a desktop entry starts
// the program in "/"): the settings go to ~/.config/kivo, no box is shown, and a file opened
// is among the recent files on disk at once, so it survives the program being killed.
TEST_F(SettingsProcess, KeptInTheUsersFolderAndWrittenWhenTheyChange) {
    TempDir home;
    WriteClient("clients/smith.kvo", "Smith");
    ::chmod(work_.path().c_str(), 0555);
    QProcessEnvironment user;
    user.insert("HOME", QString::fromStdString(home.path().string()));
    user.insert("XDG_CONFIG_HOME", "");
    auto first = Launch(kProbe, {}, user);
    ASSERT_TRUE(WaitForReady(*first));
    auto second = Launch(kKivo, {"clients/smith.kvo"}, user);
    ASSERT_TRUE(second->waitForFinished(20000));
    QByteArray seen;
    ASSERT_TRUE(WaitForLine(*first, "TITLE|KIVO - SMITH.KVO", &seen)) << seen.toStdString();
    End(*first);  // killed: no clean exit writes anything
    ::chmod(work_.path().c_str(), 0755);

    EXPECT_FALSE(seen.contains("MESSAGE|")) << seen.toStdString();
    EXPECT_FALSE(std::filesystem::exists(Ini()));
    const QString ini = QString::fromStdString((home.path() / ".config/kivo/KIVO.INI").string());
    const StoredSettings stored = ReadSettingsFile(ini);
    EXPECT_EQ(stored.recentFiles, QStringList({Work() + "/clients/smith.kvo"}));
    EXPECT_EQ(stored.dataPath, Work() + "/clients/");
    struct stat facts {};
    ASSERT_EQ(::stat((home.path() / ".config/kivo").c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u);
}

}  // namespace
}  // namespace kivo::test
