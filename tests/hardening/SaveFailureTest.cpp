// Saving when the disk lets the program down: a read-only folder, a full disk, a rename that
// fails, a target that is a folder or sits in a missing one. The old client file stays whole,
// the client stays marked modified, and the message names the file and the reason.
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "model/Platform.h"
#include "pages/demographics/DemographicsPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

struct Fault {
    const char* step;
    int error;
    const char* alsoStep = "";  // a second step failing the same way
};
Fault gFault{};

int InjectFault(std::string_view step) {
    return step == gFault.step || step == gFault.alsoStep ? gFault.error : 0;
}

class SaveFailure : public ShellTest {
protected:
    void TearDown() override {
        platform::SetFaultHook(nullptr);
        ShellTest::TearDown();
    }

    // The window with a.KVO ("Old") open and its last name changed to "New" on the page.
    MainWindow& StartWithChangedClient() {
        MainWindow& main = Start();
        WriteClient(Path("a.KVO"), "Old");
        oldBytes_ = FileBytes(Path("a.KVO"));
        script_->files = {Path("a.KVO")};
        test::TriggerAction(main, "actionLoad");
        WriteTextField(gClientRecord.LastName, "New");
        Pages().demographics->RecordToControls();
        Modify();
        script_->asked.clear();
        return main;
    }

    // The save failed as it should: one error box naming the file and the reason, the old
    // file whole, no temporary file left, the client still modified under its old name.
    void ExpectFailedSave(MainWindow& main, const QString& target, const QString& reason) {
        ASSERT_EQ(script_->MessageTexts().size(), 1u);
        EXPECT_EQ(script_->MessageTexts()[0].toStdString(),
                  ("Cannot create file \"" + target + "\". " + reason + ".").toStdString());
        EXPECT_EQ(FileBytes(Path("a.KVO")), oldBytes_);
        EXPECT_EQ(QDir(Folder()).entryList({"*.tmp"}, QDir::Files), QStringList());
        EXPECT_TRUE(FileModified());
        EXPECT_EQ(main.StatusPanelText(1), " Modified");
        EXPECT_EQ(main.windowTitle(), "KIVO - A.KVO");
        EXPECT_EQ(main.Session().Files().CurrentFileName, Path("a.KVO"));
        EXPECT_EQ(ReadTextField(gClientRecord.LastName), "New");
        ClearFileModified();
    }

    QByteArray oldBytes_;
};

TEST_F(SaveFailure, InjectedFailuresLeaveTheOldFileWholeAndTheClientModified) {
    const struct Case {
        Fault fault;
        const char* reason;
    } cases[] = {
        {{"create", EROFS}, "Read-only file system"},
        // A folder that takes no new files, and a client file that cannot be written in place.
        {{"create", EACCES, "overwrite"}, "Permission denied"},
        {{"sync", ENOSPC}, "No space left on device"},
        {{"sync", EIO}, "Input/output error"},
        {{"replace", EXDEV}, "Invalid cross-device link"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault.step);
        MainWindow& main = StartWithChangedClient();
        gFault = c.fault;
        platform::SetFaultHook(InjectFault);
        script_->buttons = {DialogButton::Ok};
        test::TriggerAction(main, "actionSave");
        platform::SetFaultHook(nullptr);
        ExpectFailedSave(main, Path("a.KVO"), c.reason);

        test::TriggerAction(main, "actionSave");  // the disk is back: the same save now works
        EXPECT_FALSE(FileModified());
        EXPECT_EQ(FileBytes(Path("a.KVO")).mid(20, 4), QByteArray("New", 4));
    }
}

TEST_F(SaveFailure, TargetsThatCannotBeFilesAreRefusedWithTheirReason) {
    MainWindow& main = StartWithChangedClient();
    QDir(Folder()).mkdir("folder.KVO");
    const struct {
        QString target;
        const char* reason;
    } cases[] = {
        {Folder() + "folder.KVO", "Is a directory"},
        {Folder() + "missing/b.KVO", "No such file or directory"},
    };
    for (const auto& c : cases) {
        Modify();
        script_->asked.clear();
        script_->files = {c.target};
        script_->buttons = {DialogButton::Ok};
        test::TriggerAction(main, "actionSaveAs");
        ExpectFailedSave(main, c.target, c.reason);
    }
    EXPECT_TRUE(QFileInfo(Folder() + "folder.KVO").isDir());
}

}  // namespace
}  // namespace kivo::test
