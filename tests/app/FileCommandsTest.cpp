// The client file commands: prompts, dialogs, titles, KIVO.INI and the failure paths.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QToolButton>

#include "app/Settings.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

using FileCommands = ShellTest;

void ExpectUnsavedPrompt(const Asked& asked) {
    EXPECT_EQ(asked.kind, Asked::Message);
    EXPECT_EQ(asked.message.text, kUnsaved);
    EXPECT_EQ(asked.message.caption, "Confirm");
    EXPECT_EQ(asked.message.icon, DialogIcon::Question);
    EXPECT_EQ(asked.message.buttons, DialogButton::Yes | DialogButton::No | DialogButton::Cancel);
}

TEST_F(FileCommands, NewWithoutChangesResetsWithoutPrompt) {
    MainWindow& main = Start();
    WriteTextField(gClientRecord.LastName, "Smith");
    const QString dataPath = main.Session().Files().DataPath;
    test::TriggerAction(main, "actionNew");
    EXPECT_TRUE(script_->asked.empty());
    EXPECT_EQ(LastName(), "");
    EXPECT_EQ(main.windowTitle(), "KIVO");
    EXPECT_EQ(main.Session().Files().DataPath, dataPath);
}

TEST_F(FileCommands, NewPromptAnswers) {
    struct Case {
        DialogButton answer;
        bool reset;
    };
    for (const Case& c : {Case{DialogButton::Cancel, false}, Case{DialogButton::No, true}}) {
        MainWindow& main = Start();
        script_->asked.clear();
        WriteTextField(gClientRecord.LastName, "Smith");
        Pages().demographics->RecordToControls();  // as if typed on the visible page
        Modify();
        test::ClickButton(main, "EntryButton");
        script_->buttons = {c.answer};
        test::ClickButton(main, "NewFileSpeedButton");
        ASSERT_EQ(script_->asked.size(), 1u);
        ExpectUnsavedPrompt(script_->asked[0]);
        EXPECT_EQ(LastName(), c.reset ? "" : "Smith");
        EXPECT_EQ(FileModified(), !c.reset);
        EXPECT_EQ(main.StatusPanelText(1), c.reset ? "" : " Modified");
        EXPECT_EQ(Pages().demographics->isVisible(), c.reset);
        EXPECT_EQ(Pages().responseEntry->isVisible(), !c.reset);
        ClearFileModified();
    }
}

TEST_F(FileCommands, NewYesOnNeverSavedClientShowsSaveAsAndStopsWhenCancelled) {
    MainWindow& main = Start();
    WriteTextField(gClientRecord.LastName, "Smith");
    Pages().demographics->RecordToControls();  // as if typed on the visible page
    Modify();
    script_->buttons = {DialogButton::Yes};
    script_->files = {std::nullopt};
    test::TriggerAction(main, "actionNew");
    ASSERT_EQ(script_->asked.size(), 2u);
    EXPECT_EQ(script_->asked[1].kind, Asked::SaveFile);
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(main.StatusPanelText(1), " Modified");
    EXPECT_EQ(main.windowTitle(), "KIVO");
    EXPECT_EQ(LastName(), "Smith");
    ClearFileModified();
}

TEST_F(FileCommands, LoadAfterYesShowsSaveAsAndStopsWhenItIsCancelled) {
    MainWindow& main = Start();
    Modify();
    script_->buttons = {DialogButton::Yes};
    script_->files = {std::nullopt};
    test::TriggerAction(main, "actionLoad");
    ASSERT_EQ(script_->asked.size(), 2u);
    EXPECT_EQ(script_->asked[1].kind, Asked::SaveFile);
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(main.StatusPanelText(1), " Modified");
    ClearFileModified();
}

// The window learns of the session's file, title, recent list and saves only through the
// session's signals; a window or list beside it may listen the same way.
TEST_F(FileCommands, TheSessionSignalsItsFileTitleRecentListAndSaves) {
    MainWindow& main = Start();
    const QString path = Path("smith.KVO");
    WriteClient(path, "Smith");
    ClientSession& session = main.Session();
    QSignalSpy files(&session, &ClientSession::FileChanged);
    QSignalSpy titles(&session, &ClientSession::TitleChanged);
    QSignalSpy recent(&session, &ClientSession::RecentFilesChanged);
    QSignalSpy saved(&session, &ClientSession::Saved);

    script_->files = {path};
    test::TriggerAction(main, "actionLoad");
    ASSERT_EQ(files.count(), 1);
    EXPECT_EQ(files.at(0).at(0).toString(), path);
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), "KIVO - SMITH.KVO");
    EXPECT_EQ(session.Title(), main.windowTitle());
    EXPECT_EQ(session.FileName(), path);
    EXPECT_EQ(session.DataFolder(), Folder());
    EXPECT_EQ(recent.count(), 1);
    EXPECT_EQ(session.RecentFiles(), QStringList({path}));
    EXPECT_EQ(saved.count(), 1);

    test::TriggerAction(main, "actionNew");
    ASSERT_EQ(files.count(), 2);
    EXPECT_EQ(files.at(1).at(0).toString(), "");
    EXPECT_EQ(titles.last().at(0).toString(), "KIVO");
    EXPECT_EQ(main.windowTitle(), "KIVO");
    EXPECT_EQ(session.FileName(), "");
    EXPECT_EQ(session.DataFolder(), Folder()) << "New keeps the folder";
    EXPECT_EQ(recent.count(), 1) << "New opens no file";
    EXPECT_EQ(saved.count(), 2);
}

TEST_F(FileCommands, LoadSetsTitleDataPathAndShowsTheClient) {
    MainWindow& main = Start();
    QDir(Folder()).mkdir("clients");
    const QString path = Folder() + "clients/smith.kvo";
    WriteClient(path, "Smith");
    test::ClickButton(main, "EntryButton");
    script_->files = {path};
    test::ClickButton(main, "LoadFileSpeedButton");

    const FileRequest& dialog = script_->asked.at(0).file;
    EXPECT_EQ(dialog.title, "Load a file");
    EXPECT_EQ(dialog.folder, Folder());  // DataPath defaults to the start-up folder
    EXPECT_EQ(dialog.fileName, "");
    EXPECT_EQ(dialog.defaultSuffix, "KVO");
    EXPECT_TRUE(dialog.filter.startsWith("KIVO Files (*.KVO"));
    EXPECT_EQ(LastName(), "Smith");
    EXPECT_EQ(main.windowTitle(), "KIVO - SMITH.KVO");
    EXPECT_EQ(main.Session().Files().CurrentFileName, path);
    EXPECT_EQ(main.Session().Files().CurrentShortName, "smith.kvo");
    EXPECT_EQ(main.Session().Files().DataPath, Folder() + "clients/");
    EXPECT_TRUE(Pages().demographics->isVisible());
    EXPECT_FALSE(Pages().responseEntry->isVisible());
    EXPECT_TRUE(Find<QToolButton>("DemographicsButton")->isChecked());
}

TEST_F(FileCommands, SaveOnALoadedClientWritesWithoutDialog) {
    MainWindow& main = Start();
    const QString path = Path("a.KVO");
    WriteClient(path, "Before");
    script_->files = {path};
    test::TriggerAction(main, "actionLoad");
    script_->asked.clear();
    WriteTextField(gClientRecord.LastName, "After");
    Pages().demographics->RecordToControls();  // as if typed on the visible page
    Modify();
    test::TriggerAction(main, "actionSave");
    EXPECT_TRUE(script_->asked.empty());
    EXPECT_FALSE(FileModified());
    EXPECT_EQ(main.StatusPanelText(1), "");
    const QByteArray bytes = FileBytes(path);
    ASSERT_EQ(bytes.size(), 552);
    EXPECT_EQ(bytes.mid(20, 6), QByteArray("After", 6));
}

TEST_F(FileCommands, SaveAsOffersTheShortNameAndTakesTheNewName) {
    MainWindow& main = Start();
    WriteClient(Path("a.KVO"), "A");
    script_->files = {Path("a.KVO")};
    test::TriggerAction(main, "actionLoad");
    QDir(Folder()).mkdir("other");
    const QString target = Folder() + "other/b.kvo";
    script_->files = {target};
    test::TriggerAction(main, "actionSaveAs");
    const FileRequest& dialog = script_->asked.at(1).file;
    EXPECT_EQ(dialog.title, "Save this file as...");
    EXPECT_EQ(dialog.fileName, "a.KVO");
    EXPECT_TRUE(dialog.confirmOverwrite);
    EXPECT_EQ(main.windowTitle(), "KIVO - B.KVO");
    EXPECT_EQ(main.Session().Files().DataPath, Folder() + "other/");
    EXPECT_EQ(FileBytes(target).size(), 552);
}

TEST_F(FileCommands, ClosePrompts) {
    struct Case {
        bool modified;
        std::vector<DialogButton> answers;
        bool closes;
    };
    const Case cases[] = {
        {false, {}, true},
        {true, {DialogButton::Cancel}, false},
        {true, {DialogButton::No}, true},
        {true, {DialogButton::Yes}, false},  // never saved: Save As, cancelled, stays open
    };
    for (const Case& c : cases) {
        MainWindow& main = Start();
        script_->asked.clear();
        if (c.modified) Modify();
        script_->buttons.assign(c.answers.begin(), c.answers.end());
        script_->files = {std::nullopt};
        test::TriggerAction(main, "actionExit");
        EXPECT_EQ(main.isVisible(), !c.closes);
        EXPECT_EQ(script_->asked.size(),
                  c.answers.size() + (c.answers.size() == 1 && c.answers[0] == DialogButton::Yes));
        if (!c.answers.empty()) ExpectUnsavedPrompt(script_->asked[0]);
        EXPECT_EQ(FileModified(), c.modified);
        script_->files.clear();
        ClearFileModified();
    }
}

TEST_F(FileCommands, FailedLoadChangesNothing) {
    MainWindow& main = Start();
    WriteClient(Path("good.KVO"), "Good");
    script_->files = {Path("good.KVO")};
    test::TriggerAction(main, "actionLoad");
    Modify();
    ASSERT_TRUE(WriteFileBytes(Path("short.KVO"), "KIVO1"));

    for (const QString& bad : {Path("missing.KVO"), Path("short.KVO")}) {
        script_->asked.clear();
        script_->buttons = {DialogButton::No, DialogButton::Ok};
        script_->files = {bad};
        test::TriggerAction(main, "actionLoad");
        ASSERT_EQ(script_->asked.size(), 3u);
        const MessageRequest& error = script_->asked[2].message;
        EXPECT_EQ(error.caption, "KIVO");
        EXPECT_EQ(error.icon, DialogIcon::Stop);
        if (bad.endsWith("missing.KVO")) {
            EXPECT_EQ(error.text, "Cannot open file \"" + bad + "\". No such file or directory.");
        } else {
            EXPECT_EQ(error.text,
                      "\"" + bad + "\" is not a KIVO client file: 5 bytes, expected 552.");
        }
        EXPECT_EQ(main.Session().Files().CurrentFileName, Path("good.KVO"));
        EXPECT_EQ(main.Session().Files().DataPath, Folder());
        EXPECT_EQ(main.windowTitle(), "KIVO - GOOD.KVO");
        EXPECT_TRUE(FileModified());
        EXPECT_EQ(LastName(), "Good");
        EXPECT_TRUE(Pages().demographics->isVisible());
    }
    ClearFileModified();
}

TEST_F(FileCommands, FailedSaveKeepsModifiedTitleAndName) {
    MainWindow& main = Start();
    WriteClient(Path("a.KVO"), "A");
    script_->files = {Path("a.KVO")};
    test::TriggerAction(main, "actionLoad");
    Modify();
    const QString unreachable = Folder() + "no-such-folder/b.KVO";
    script_->files = {unreachable};
    script_->buttons = {DialogButton::Ok};
    test::TriggerAction(main, "actionSaveAs");
    ASSERT_EQ(script_->asked.size(), 3u);
    EXPECT_TRUE(
        script_->asked[2].message.text.startsWith("Cannot create file \"" + unreachable + "\". "));
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(main.StatusPanelText(1), " Modified");
    EXPECT_EQ(main.windowTitle(), "KIVO - A.KVO");
    EXPECT_EQ(main.Session().Files().CurrentFileName, Path("a.KVO"));
    ClearFileModified();
}

TEST_F(FileCommands, FailedSaveOnCloseKeepsTheWindowOpen) {
    MainWindow& main = Start();
    Modify();
    script_->buttons = {DialogButton::Yes, DialogButton::Ok};
    script_->files = {Folder() + "no-such-folder/b.KVO"};
    test::TriggerAction(main, "actionExit");
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(FileModified());
    ClearFileModified();
}

TEST_F(FileCommands, CommandLineOpensAnExistingFile) {
    WriteClient(Path("smith.kvo"), "Smith");
    MainWindow& main = Start("smith.kvo");  // relative to the start-up folder
    EXPECT_TRUE(script_->asked.empty());
    EXPECT_EQ(LastName(), "Smith");
    EXPECT_EQ(main.windowTitle(), "KIVO - SMITH.KVO");
    EXPECT_EQ(main.Session().Files().CurrentFileName, "smith.kvo");
    EXPECT_EQ(main.Session().Files().DataPath, "");
    EXPECT_TRUE(Pages().demographics->isVisible());
}

TEST_F(FileCommands, CommandLineIgnoresAMissingFileAndReportsABadOne) {
    MainWindow& main = Start(Path("missing.kvo"));
    EXPECT_TRUE(script_->asked.empty());
    EXPECT_EQ(main.windowTitle(), "KIVO");
    main_.reset();

    ASSERT_TRUE(WriteFileBytes(Path("bad.kvo"), QByteArray(552, 'z')));
    script_->buttons = {DialogButton::Ok};
    MainWindow& again = Start(Path("bad.kvo"));
    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_EQ(script_->asked[0].message.caption, "KIVO");
    EXPECT_EQ(again.windowTitle(), "KIVO");
    EXPECT_EQ(again.Session().Files().CurrentFileName, "");
    EXPECT_EQ(ReadTextField(gClientRecord.Signature), "KIVO1");
}

TEST_F(FileCommands, SettingsReadAtStartWrittenAtCloseOtherLinesKept) {
    ASSERT_TRUE(WriteFileBytes(
        Path("KIVO.INI"), "; site settings\n[Printer]\nName=Front desk\n[Information]\nDataPath=" +
                              (Folder() + "data/").toUtf8() + "\n"));
    MainWindow& main = Start();
    EXPECT_EQ(main.Session().Files().DataPath, Folder() + "data/");
    QDir(Folder()).mkdir("clients");
    WriteClient(Folder() + "clients/x.KVO", "X");
    script_->files = {Folder() + "clients/x.KVO"};
    test::TriggerAction(main, "actionLoad");
    EXPECT_EQ(script_->asked.at(0).file.folder, Folder() + "data/");
    test::TriggerAction(main, "actionExit");
    EXPECT_FALSE(main.isVisible());
    // The loaded file is the first of the recent files, in their own section.
    EXPECT_EQ(QString::fromUtf8(FileBytes(Path("KIVO.INI"))),
              "; site settings\n[Printer]\nName=Front desk\n[Information]\nDataPath=" + Folder() +
                  "clients/\n\n[Recent Files]\nFile1=" + Folder() + "clients/x.KVO\n");
}

// A KIVO.INI in the start-up folder that cannot be written (here a folder by that name) gives
// way to the user's own folder without a word; only when that cannot be written either does
// closing say so, and the program still closes.
TEST_F(FileCommands, UnwritableSettingsAreReportedAndTheProgramStillCloses) {
    QDir(Folder()).mkdir("KIVO.INI");
    MainWindow& first = Start();
    EXPECT_EQ(first.Session().Files().DataPath, Folder());
    test::TriggerAction(first, "actionExit");
    EXPECT_TRUE(script_->asked.empty());
    EXPECT_EQ(ReadDataPath(UserSettings(), "-"), Folder());
    main_.reset();

    ASSERT_TRUE(QFile::remove(UserSettings()));
    ASSERT_TRUE(QDir().mkpath(UserSettings()));
    MainWindow& main = Start();
    script_->buttons = {DialogButton::Ok};
    test::TriggerAction(main, "actionExit");
    EXPECT_FALSE(main.isVisible());
    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_EQ(script_->asked[0].message.text, "Unable to write to " + UserSettings() + ".");
}

}  // namespace
}  // namespace kivo::test
