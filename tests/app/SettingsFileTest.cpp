// KIVO.INI on a shared machine: where it is kept, and that a pipe, a device, a huge file or a
// link by its name neither holds up the program nor gets written through.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <future>
#include <thread>

#include "app/IniText.h"
#include "app/Settings.h"
#include "model/Error.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempDir.h"

namespace kivo {
namespace {

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// ReadSettingsFile on another thread, failing the test when it has not returned in 2 s (the
// thread is then left waiting rather than hanging the test).
std::optional<StoredSettings> ReadWithin2s(const QString& path) {
    auto done = std::make_shared<std::promise<StoredSettings>>();
    auto result = done->get_future();
    std::thread([done, path] { done->set_value(ReadSettingsFile(path)); }).detach();
    if (result.wait_for(std::chrono::seconds(2)) != std::future_status::ready) return std::nullopt;
    return result.get();
}

TEST(SettingsFile, OneReadGivesWhatEachKeyHolds) {
    const QString text =
        "[information]\r\n DATAPATH = /d/ \r\n[Recent Files]\nFile2=/b\n;File1=/c\nfile1=/a\n"
        "File1=/later\n[Information]\nDataPath=/second-section/\n";
    const IniSections sections = ReadIniSections(text);
    for (const auto& [section, key] :
         {std::pair("Information", "DataPath"), std::pair("Recent Files", "File1"),
          std::pair("Recent Files", "File2"), std::pair("Recent Files", "File3")}) {
        const auto one = IniValue(text, section, key);
        const auto inSection = sections.value(QString(section).toLower());
        const auto found = inSection.find(QString(key).toLower());
        EXPECT_EQ(found == inSection.end() ? std::nullopt : std::optional(*found), one)
            << section << " " << key;
    }
    EXPECT_EQ(sections.value("recent files").value("file1"), "/a");
}

// None of these is a settings file: each reads as an empty one at once.
TEST(SettingsFile, APipeADeviceOrAFolderByItsNameHoldsNothingAndNeverWaits) {
    const TempDir temp;
    ASSERT_EQ(::mkfifo((temp / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", temp / "zero");
    std::filesystem::create_symlink(temp / "fifo", temp / "link-to-fifo");
    std::filesystem::create_directory(temp / "folder");
    for (const char* name : {"fifo", "zero", "link-to-fifo", "folder", "missing"}) {
        const auto read = ReadWithin2s(Q(temp / name));
        ASSERT_TRUE(read) << name << " held the read up";
        EXPECT_FALSE(read->dataPath) << name;
        EXPECT_TRUE(read->recentFiles.isEmpty()) << name;
        EXPECT_FALSE(read->cut) << name;
    }
}

// 100 MB: the first MiB is read, up to its last whole line, quickly; the file is never written,
// so nothing past that MiB is lost.
TEST(SettingsFile, AHugeFileIsReadOnlyToItsFirstMebibyteAndNeverWritten) {
    const TempDir temp;
    const QString ini = Q(temp / "KIVO.INI");
    QByteArray start = "[Information]\nDataPath=/d/\n[Recent Files]\nFile1=/a\n;";
    start += QByteArray(kSettingsSizeLimit - start.size() - 4, 'x') + "\nFile2=/cut-in-two\n";
    ASSERT_TRUE(test::WriteFileBytes(ini, start));
    ASSERT_EQ(::truncate(ini.toLocal8Bit().constData(), 100'000'000), 0);
    const QByteArray before = test::FileHead(ini, kSettingsSizeLimit + 64);

    QElapsedTimer timer;
    timer.start();
    const StoredSettings read = ReadSettingsFile(ini);
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_TRUE(read.cut);
    EXPECT_EQ(read.dataPath, QString("/d/"));
    EXPECT_EQ(read.recentFiles, QStringList({"/a"}));  // File2 lies across the limit
    EXPECT_TRUE(SettingsCutMessage(ini).contains(QDir::toNativeSeparators(ini)));

    EXPECT_THROW(WriteSettingsFile(ini, "/new/", {"/b"}), Error);
    EXPECT_EQ(QFileInfo(ini).size(), 100'000'000);
    EXPECT_EQ(test::FileHead(ini, kSettingsSizeLimit + 64), before);
}

// The file is replaced by a new one in one step, which keeps its mode; a link stays a link
// and its file gets the text.
TEST(SettingsFile, WrittenThroughANewFileKeepingModeAndLinks) {
    const TempDir temp;
    const QString ini = Q(temp / "KIVO.INI");
    ASSERT_TRUE(test::WriteFileBytes(ini, "; mine\n"));
    ASSERT_EQ(::chmod(ini.toLocal8Bit().constData(), 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(ini.toLocal8Bit().constData(), &before), 0);
    WriteSettingsFile(ini, "/d/", {"/a"});
    struct stat after {};
    ASSERT_EQ(::stat(ini.toLocal8Bit().constData(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(test::FileBytes(ini),
              "; mine\n\n[Information]\nDataPath=/d/\n\n[Recent Files]\nFile1=/a\n");

    std::filesystem::create_directory(temp / "real");
    std::filesystem::create_symlink(temp / "real" / "settings.ini", temp / "link.ini");
    ASSERT_TRUE(test::WriteFileBytes(Q(temp / "real" / "settings.ini"), ""));
    WriteSettingsFile(Q(temp / "link.ini"), "/e/", {});
    EXPECT_TRUE(std::filesystem::is_symlink(temp / "link.ini"));
    EXPECT_EQ(test::FileBytes(Q(temp / "real" / "settings.ini")), "[Information]\nDataPath=/e/\n");
    EXPECT_EQ(QDir(Q(temp / "real")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A link to a pipe, a device stand-in or nothing, or a pipe itself, is refused and left as
// it was.
TEST(SettingsFile, NotWrittenThroughALinkToAnythingButAPlainFile) {
    const TempDir temp;
    ASSERT_EQ(::mkfifo((temp / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(temp / "fifo", temp / "to-fifo.ini");
    std::filesystem::create_symlink(temp / "nowhere", temp / "dangling.ini");
    std::filesystem::create_directory(temp / "folder.ini");
    for (const char* name : {"fifo", "to-fifo.ini", "dangling.ini", "folder.ini"}) {
        EXPECT_THROW(WriteSettingsFile(Q(temp / name), "/d/", {}), Error) << name;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(temp / "fifo"));
    EXPECT_TRUE(std::filesystem::is_symlink(temp / "to-fifo.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(temp / "dangling.ini"));
    EXPECT_FALSE(std::filesystem::exists(temp / "nowhere"));
}

// A missing configuration folder is made for the user alone.
TEST(SettingsFile, MakesTheUsersFolderPrivate) {
    const TempDir temp;
    const QString ini = Q(temp / "config" / "kivo" / "KIVO.INI");
    WriteSettingsFile(ini, "/d/", {});
    EXPECT_EQ(ReadSettingsFile(ini).dataPath, QString("/d/"));
    struct stat facts {};
    ASSERT_EQ(::stat((temp / "config" / "kivo").c_str(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0700u);
}

TEST(SettingsFile, UsersFolderFollowsXdgConfigHomeOrHome) {
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(UserSettingsFolder(), "/somewhere/config/kivo/");
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", "/home/anna");
    EXPECT_EQ(UserSettingsFolder(), "/home/anna/.config/kivo/");
    qputenv("XDG_CONFIG_HOME", oldConfig);
    if (oldConfig.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", oldHome);
}

// Which file is read and which written, for what the start-up folder and the user's folder
// hold.
TEST(SettingsFile, KeptInTheStartupFolderOnlyWhenItHoldsOneThatCanBeReplaced) {
    enum class Startup { None, Plain, Huge, Pipe, LinkToPlain, LinkToNothing };
    struct Case {
        Startup startup;
        bool userHasOne;
        const char* readFrom;  // "startup" or "user"
        const char* writeTo;
    };
    const Case cases[] = {
        {Startup::None, false, "user", "user"},
        {Startup::None, true, "user", "user"},
        {Startup::Plain, false, "startup", "startup"},
        {Startup::Plain, true, "startup", "startup"},
        {Startup::LinkToPlain, false, "startup", "startup"},
        // One that cannot be replaced whole is read while the user's folder has none.
        {Startup::Huge, false, "startup", "user"},
        {Startup::Huge, true, "user", "user"},
        {Startup::Pipe, false, "user", "user"},
        {Startup::LinkToNothing, false, "user", "user"},
    };
    for (const Case& c : cases) {
        const TempDir temp;
        std::filesystem::create_directories(temp / "start");
        std::filesystem::create_directories(temp / "user");
        const QString startup = Q(temp / "start") + "/";
        const QString user = Q(temp / "user") + "/";
        const std::filesystem::path ini = temp / "start" / "KIVO.INI";
        switch (c.startup) {
            case Startup::None:
                break;
            case Startup::Plain:
                ASSERT_TRUE(test::WriteFileBytes(Q(ini), "[Information]\n"));
                break;
            case Startup::Huge:
                ASSERT_TRUE(test::WriteFileBytes(Q(ini), ""));
                std::filesystem::resize_file(ini, kSettingsSizeLimit + 1);
                break;
            case Startup::Pipe:
                ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0);
                break;
            case Startup::LinkToPlain:
                ASSERT_TRUE(test::WriteFileBytes(Q(temp / "elsewhere.ini"), ""));
                std::filesystem::create_symlink(temp / "elsewhere.ini", ini);
                break;
            case Startup::LinkToNothing:
                std::filesystem::create_symlink(temp / "nowhere.ini", ini);
                break;
        }
        if (c.userHasOne) {
            ASSERT_TRUE(test::WriteFileBytes(SettingsPath(user), ""));
        }
        const SettingsPlace place = FindSettingsFile(startup, user);
        const auto where = [&](const char* which) {
            return SettingsPath(QString(which) == "user" ? user : startup);
        };
        const int index = static_cast<int>(&c - cases);
        EXPECT_EQ(place.readFrom, where(c.readFrom)) << "case " << index;
        EXPECT_EQ(place.writeTo, where(c.writeTo)) << "case " << index;
    }
}

}  // namespace
}  // namespace kivo
