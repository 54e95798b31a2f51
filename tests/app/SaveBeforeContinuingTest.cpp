// "Yes, save" saves or stops: when the unsaved-changes question of New, Load or closing is
// answered Yes and the save does not complete, the command stops with the client, its file
// name, the title and " Modified" as they were, and the window open.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "pages/demographics/DemographicsPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

// How the save after Yes fails.
enum class Failure {
    SaveAsCancelled,   // a client never saved: its Save As dialog is cancelled
    SaveAsUnwritable,  // a client never saved: the name chosen lies in a missing folder
    FolderGone,        // a loaded client: its folder was removed since
};

struct StopCase {
    const char* command;  // actionNew, actionLoad, actionExit
    Failure failure;
};

std::string CaseName(const StopCase& c) {
    const char* failure = c.failure == Failure::SaveAsCancelled    ? "SaveAsCancelled"
                          : c.failure == Failure::SaveAsUnwritable ? "SaveAsUnwritable"
                                                                   : "FolderGone";
    return std::string(c.command + 6) + "_" + failure;
}

void PrintTo(const StopCase& c, std::ostream* out) {
    *out << CaseName(c);
}

class SaveBeforeContinuing : public ShellTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(SaveBeforeContinuing, AFailedSaveStopsTheCommand) {
    const StopCase& c = GetParam();
    MainWindow& main = Start();
    QString loadedPath;
    if (c.failure == Failure::FolderGone) {
        QDir(Folder()).mkdir("clients");
        loadedPath = Folder() + "clients/smith.KVO";
        WriteClient(loadedPath, "Smith");
        script_->files = {loadedPath};
        test::TriggerAction(main, "actionLoad");
        script_->asked.clear();
    }
    const QString fileName = main.Session().Files().CurrentFileName;
    const QString title = main.windowTitle();

    // The user types a last name.
    auto* lastName = main.findChild<QLineEdit*>(QStringLiteral("EditLastName"));
    QTest::keyClick(lastName, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(lastName, QStringLiteral("Jones"));
    Flush();
    ASSERT_TRUE(FileModified());
    ASSERT_EQ(main.StatusPanelText(1), " Modified");

    script_->buttons = {DialogButton::Yes};
    std::size_t expectedQuestions = 1;
    switch (c.failure) {
        case Failure::SaveAsCancelled:
            script_->files = {std::nullopt};
            ++expectedQuestions;
            break;
        case Failure::SaveAsUnwritable:
            script_->files = {Folder() + "no-such-folder/jones.KVO"};
            script_->buttons.push_back(DialogButton::Ok);  // the error box
            expectedQuestions += 2;
            break;
        case Failure::FolderGone:
            ASSERT_TRUE(QDir(Folder() + "clients").removeRecursively());
            script_->buttons.push_back(DialogButton::Ok);
            ++expectedQuestions;
            break;
    }
    test::TriggerAction(main, c.command);
    Flush();

    // Asked: the question, then the save's own dialog and error; never the Load dialog.
    ASSERT_EQ(script_->asked.size(), expectedQuestions) << script_->MessageTexts().size();
    EXPECT_EQ(script_->asked[0].message.text, kUnsaved);
    for (const Asked& asked : script_->asked) EXPECT_NE(asked.kind, Asked::OpenFile);
    if (c.failure != Failure::SaveAsCancelled) {
        const MessageRequest& error = script_->asked.back().message;
        EXPECT_EQ(error.icon, DialogIcon::Stop);
        EXPECT_TRUE(error.text.startsWith("Cannot create file")) << error.text.toStdString();
    }

    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.Session().Files().CurrentFileName, fileName);
    EXPECT_EQ(main.windowTitle(), title);
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(main.StatusPanelText(1), " Modified");
    EXPECT_EQ(lastName->text(), "Jones");
    EXPECT_TRUE(Pages().demographics->isVisible());
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(ReadTextField(gClientRecord.LastName), "Jones");
    // Nothing was written anywhere.
    EXPECT_FALSE(QFile::exists(Folder() + "no-such-folder"));
    EXPECT_FALSE(QFile::exists(Folder() + "clients"));
    QDir folder(Folder());
    EXPECT_EQ(folder.entryList({"*.KVO", "*.kvo"}, QDir::Files), QStringList());

    // Answered Yes again with a save that works, the command goes on.
    QString saved = Folder() + "jones.KVO";
    script_->asked.clear();
    script_->buttons = {DialogButton::Yes};
    script_->files = {saved};
    if (c.failure == Failure::FolderGone) {
        QDir(Folder()).mkdir("clients");
        saved = loadedPath;
        script_->files.clear();  // saved under its name, no dialog
    }
    if (std::string_view(c.command) == "actionLoad") script_->files.push_back(std::nullopt);
    test::TriggerAction(main, c.command);
    EXPECT_EQ(FileBytes(saved).mid(20, 6), QByteArray("Jones", 6));
    EXPECT_FALSE(FileModified());
    EXPECT_EQ(main.isVisible(), std::string_view(c.command) != "actionExit");
}

INSTANTIATE_TEST_SUITE_P(Commands, SaveBeforeContinuing,
                         ::testing::Values(StopCase{"actionNew", Failure::SaveAsCancelled},
                                           StopCase{"actionNew", Failure::SaveAsUnwritable},
                                           StopCase{"actionNew", Failure::FolderGone},
                                           StopCase{"actionLoad", Failure::SaveAsCancelled},
                                           StopCase{"actionLoad", Failure::SaveAsUnwritable},
                                           StopCase{"actionLoad", Failure::FolderGone},
                                           StopCase{"actionExit", Failure::SaveAsCancelled},
                                           StopCase{"actionExit", Failure::SaveAsUnwritable},
                                           StopCase{"actionExit", Failure::FolderGone}),
                         [](const auto& param) { return CaseName(param.param); });

}  // namespace
}  // namespace kivo::test
