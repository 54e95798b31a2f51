// The desktop habits around the main window, driven as a user drives them: shortcuts typed on
// the keyboard, Open Recent and KIVO.INI, the name Save suggests, files dropped on the window
// or handed over by a second start, the guide, the version and the window on small screens.
#include <sys/stat.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocalSocket>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>

#include "app/AboutBox.h"
#include "app/HelpWindow.h"
#include "app/InstanceChannel.h"
#include "app/Settings.h"
#include "app/WindowPlacement.h"
#include "app/clientlist/ClientListWindow.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "shell/ScoreReportHook.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

class Desktop : public ShellTest {
public:
    // The table-driven tests' steps reach the fixture through a reference.
    using ShellTest::Find;
    using ShellTest::Folder;
    using ShellTest::main_;
    using ShellTest::Pages;
    using ShellTest::script_;

    // Starts the window and makes it the active one, so its shortcuts take keys.
    MainWindow& StartActive(const QString& commandLine = {}) {
        MainWindow& main = Start(commandLine);
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        return main;
    }

    // A client file in the test folder; its path.
    QString Client(const QString& name, const char* lastName) {
        const QString path = Folder() + name;
        WriteClient(path, lastName);
        return path;
    }

    void Load(const QString& path) {
        script_->files = {path};
        test::TriggerAction(*main_, "actionLoad");
    }
};

// --- Shortcuts ------------------------------------------------------------------------

TEST_F(Desktop, ShortcutsTypedOnTheWindowRunTheirCommands) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::function<void(Desktop&)> before;
        std::function<void(Desktop&)> check;
    };
    const auto asked = [](Desktop& t, Asked::Kind kind, const char* title) {
        ASSERT_EQ(t.script_->asked.size(), 1u);
        EXPECT_EQ(t.script_->asked[0].kind, kind);
        EXPECT_EQ(t.script_->asked[0].file.title, title);
    };
    // The pages exist only once the windows do: each check finds its page when it runs.
    const auto pageShown = [](std::function<Page*(Desktop&)> page, const char* button) {
        return [page, button](Desktop& t) {
            EXPECT_TRUE(page(t)->isVisible());
            EXPECT_TRUE(t.Find<QToolButton>(button)->isChecked());
        };
    };
    const Case cases[] = {
        {"Ctrl+N", Qt::Key_N, Qt::ControlModifier,
         [](Desktop& t) { t.Load(t.Client("a.KVO", "A")); },
         [](Desktop& t) {
             EXPECT_EQ(t.main_->windowTitle(), "KIVO");
             EXPECT_EQ(LastName(), "");
         }},
        {"Ctrl+O", Qt::Key_O, Qt::ControlModifier,
         [](Desktop& t) { t.script_->files = {std::nullopt}; },
         [&](Desktop& t) { asked(t, Asked::OpenFile, "Load a file"); }},
        {"Ctrl+F", Qt::Key_F, Qt::ControlModifier, nullptr,
         [](Desktop& t) {
             const auto* list = t.main_->findChild<ClientListWindow*>();
             ASSERT_NE(list, nullptr);
             EXPECT_TRUE(list->isVisible());
         }},
        {"Ctrl+S", Qt::Key_S, Qt::ControlModifier,
         [](Desktop& t) { t.script_->files = {std::nullopt}; },
         [&](Desktop& t) { asked(t, Asked::SaveFile, "Save this file as..."); }},
        {"Ctrl+S on a loaded client", Qt::Key_S, Qt::ControlModifier,
         [](Desktop& t) {
             t.Load(t.Client("b.KVO", "B"));
             t.script_->asked.clear();
             QFile::remove(t.Folder() + "b.KVO");
         },
         [](Desktop& t) {
             EXPECT_TRUE(t.script_->asked.empty());
             EXPECT_EQ(FileBytes(t.Folder() + "b.KVO").size(), 552);
         }},
        {"Ctrl+Shift+S", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier,
         [](Desktop& t) {
             t.Load(t.Client("c.KVO", "C"));
             t.script_->asked.clear();
             t.script_->files = {std::nullopt};
         },
         [&](Desktop& t) { asked(t, Asked::SaveFile, "Save this file as..."); }},
        {"Ctrl+Q", Qt::Key_Q, Qt::ControlModifier, nullptr,
         [](Desktop& t) { EXPECT_FALSE(t.main_->isVisible()); }},
        {"Alt+X", Qt::Key_X, Qt::AltModifier, nullptr,
         [](Desktop& t) { EXPECT_FALSE(t.main_->isVisible()); }},
        {"Ctrl+2", Qt::Key_2, Qt::ControlModifier, nullptr,
         pageShown([](Desktop& t) -> Page* { return t.Pages().responseEntry; }, "EntryButton")},
        {"Ctrl+3", Qt::Key_3, Qt::ControlModifier, nullptr,
         pageShown([](Desktop& t) -> Page* { return t.Pages().subscaleScores; }, "ReportsButton")},
        {"Ctrl+1", Qt::Key_1, Qt::ControlModifier,
         [](Desktop& t) { test::ClickButton(*t.main_, "ReportsButton"); },
         pageShown([](Desktop& t) -> Page* { return t.Pages().demographics; },
                   "DemographicsButton")},
        {"F1", Qt::Key_F1, Qt::NoModifier, nullptr,
         [](Desktop& t) {
             auto* help = t.Find<HelpWindow>("HelpWindow");
             ASSERT_NE(help, nullptr);
             EXPECT_TRUE(help->isVisible());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartActive();
        script_->asked.clear();
        if (c.before) c.before(*this);
        // Typed where the keyboard focus is, as a user types.
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : main_.get();
        QTest::keyClick(target, c.key, c.modifiers);
        Flush();
        c.check(*this);
        main_.reset();
    }
}

// The page shortcuts press the page buttons: the same switch and the same checks.
TEST_F(Desktop, PageShortcutsGoThroughThePageButtons) {
    MainWindow& main = StartActive();
    int entryClicks = 0;
    QObject::connect(Find<QToolButton>("EntryButton"), &QToolButton::clicked, &main,
                     [&entryClicks] { ++entryClicks; });
    QTest::keyClick(&main, Qt::Key_2, Qt::ControlModifier);
    QTest::keyClick(&main, Qt::Key_2, Qt::ControlModifier);  // already shown: nothing happens
    EXPECT_EQ(entryClicks, 2);
    EXPECT_TRUE(Pages().responseEntry->isVisible());
    // From the item view (reached from the report page), Ctrl+3 goes back to the report page
    // although its button stayed down, as a click on it does.
    QTest::keyClick(&main, Qt::Key_3, Qt::ControlModifier);
    Pages().subscaleScores->hide();
    Pages().itemScores->show();
    QTest::keyClick(&main, Qt::Key_3, Qt::ControlModifier);
    EXPECT_TRUE(Pages().subscaleScores->isVisible());
    EXPECT_FALSE(Pages().itemScores->isVisible());
}

TEST_F(Desktop, MenuItemsShowTheirShortcuts) {
    Start();
    const std::pair<const char*, QList<QKeySequence>> shortcuts[] = {
        {"actionNew", {QKeySequence("Ctrl+N")}},
        {"actionLoad", {QKeySequence("Ctrl+O")}},
        {"actionSave", {QKeySequence("Ctrl+S")}},
        {"actionSaveAs", {QKeySequence("Ctrl+Shift+S")}},
        {"actionExit", {QKeySequence("Ctrl+Q"), QKeySequence("Alt+X")}},
        {"actionPrintScores", {QKeySequence("Ctrl+P")}},
        {"actionHelpContents", {QKeySequence("F1")}},
        {"actionShowDemographics", {QKeySequence("Ctrl+1")}},
        {"actionShowResponseEntry", {QKeySequence("Ctrl+2")}},
        {"actionShowReports", {QKeySequence("Ctrl+3")}},
    };
    for (const auto& [name, keys] : shortcuts) {
        const QAction* action = Find<QAction>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->shortcuts(), keys) << name;
    }
}

// Ctrl+P opens the score report's preview, as the report page's Print Scores does, with what
// is on screen: the visible page stores its controls first.
TEST_F(Desktop, PrintScoresShortcutOpensThePreviewOfWhatIsOnScreen) {
    MainWindow& main = StartActive();
    std::vector<std::string> previewed;
    ScoreReportPreviewHook() = [&previewed] { previewed.push_back(LastName()); };
    auto* edit = Pages().demographics->findChild<QLineEdit*>("EditLastName");
    edit->setFocus();
    QTest::keyClicks(edit, "Garcia");
    QTest::keyClick(edit, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(previewed.size(), 1u);
    EXPECT_EQ(previewed[0], "Garcia");
    // The report page's own button goes the same way.
    test::ClickButton(main, "ReportsButton");
    test::ClickButton(main, "PrintScoresButton");
    EXPECT_EQ(previewed.size(), 2u);
    ClearFileModified();
}

// --- Open Recent and KIVO.INI --------------------------------------------------------------

QStringList RecentCaptions(const MainWindow& main) {
    QStringList captions;
    for (QAction* action : main.findChild<QMenu*>("menuOpenRecent")->actions()) {
        captions << action->text();
    }
    return captions;
}

TEST_F(Desktop, OpenRecentListsNewestFirstWithoutRepeatsAndKeepsOtherLinesByteForByte) {
    // Other sections, a comment in the Windows code page ("Müller" in one byte), CRLF ends.
    const QByteArray before =
        "; Praxis M\xfcller\r\n[Printer]\r\nName=Front desk\r\n"
        "[Information]\r\nDataPath=" +
        Folder().toUtf8() + "\r\n";
    ASSERT_TRUE(WriteFileBytes(Path("KIVO.INI"), before));
    MainWindow& main = Start();
    EXPECT_FALSE(Find<QMenu>("menuOpenRecent")->isEnabled());
    const QString a = Client("a.KVO", "A"), b = Client("b.KVO", "B"), c = Client("c.KVO", "C");
    Load(a);
    Load(b);
    Load(a);  // to the top, once
    script_->files = {c};
    test::TriggerAction(main, "actionSaveAs");  // saved under a new name: to the top
    EXPECT_EQ(main.Session().RecentFiles(), QStringList({c, a, b}));
    EXPECT_EQ(RecentCaptions(main), QStringList({"&1 " + c, "&2 " + a, "&3 " + b}));
    EXPECT_TRUE(Find<QMenu>("menuOpenRecent")->isEnabled());

    test::TriggerAction(main, "actionExit");
    EXPECT_EQ(FileBytes(Path("KIVO.INI")), before + "\r\n[Recent Files]\r\nFile1=" + c.toUtf8() +
                                               "\r\nFile2=" + a.toUtf8() +
                                               "\r\nFile3=" + b.toUtf8() + "\r\n");

    // The next run reads them back.
    MainWindow& next = Start();
    EXPECT_EQ(next.Session().RecentFiles(), QStringList({c, a, b}));
    test::TriggerAction(next, "actionRecentFile3");
    EXPECT_EQ(next.windowTitle(), "KIVO - B.KVO");
    EXPECT_EQ(next.Session().RecentFiles(), QStringList({b, c, a}));
}

TEST_F(Desktop, OpenRecentKeepsTheLastEight) {
    MainWindow& main = Start();
    QStringList opened;
    for (int i = 1; i <= 10; ++i) {
        opened.prepend(Client(QStringLiteral("f%1.KVO").arg(i), "F"));
        Load(opened.first());
    }
    EXPECT_EQ(main.Session().RecentFiles(), opened.mid(0, 8));
    EXPECT_EQ(RecentCaptions(main).size(), 8);
    EXPECT_EQ(Find<QAction>("actionRecentFile9"), nullptr);
    // Without a KIVO.INI in the start-up folder they are kept in the user's own folder, on
    // disk as soon as they change.
    EXPECT_EQ(ReadRecentFiles(UserSettings()), opened.mid(0, 8));
    test::TriggerAction(main, "actionExit");
    EXPECT_EQ(ReadRecentFiles(UserSettings()), opened.mid(0, 8));
    EXPECT_FALSE(FileBytes(UserSettings()).contains("File9"));
    EXPECT_FALSE(QFileInfo::exists(Path("KIVO.INI")));
}

TEST_F(Desktop, AMissingRecentFileIsDroppedWithAMessage) {
    QByteArray ini = "[Recent Files]\nFile1=" + Path("gone.KVO").toUtf8() +
                     "\nFile2=" + Client("here.KVO", "Here").toUtf8() + "\n";
    ASSERT_TRUE(WriteFileBytes(Path("KIVO.INI"), ini));
    MainWindow& main = Start();
    Modify();  // no question for a file that is not there
    script_->buttons = {DialogButton::Ok};
    test::TriggerAction(main, "actionRecentFile1");
    ASSERT_EQ(script_->asked.size(), 1u);
    const MessageRequest& box = script_->asked[0].message;
    EXPECT_EQ(box.text, "The file \"" + Path("gone.KVO") +
                            "\" no longer exists. It has been removed from the list of recent "
                            "files.");
    EXPECT_EQ(box.caption, "KIVO");
    EXPECT_EQ(box.buttons, DialogButton::Ok);
    EXPECT_EQ(main.Session().RecentFiles(), QStringList({Path("here.KVO")}));
    EXPECT_EQ(RecentCaptions(main), QStringList({"&1 " + Path("here.KVO")}));
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(main.windowTitle(), "KIVO");

    script_->buttons = {DialogButton::No};
    test::TriggerAction(main, "actionExit");
    EXPECT_EQ(FileBytes(Path("KIVO.INI")), "[Recent Files]\nFile1=" + Path("here.KVO").toUtf8() +
                                               "\n\n[Information]\nDataPath=" + Folder().toUtf8() +
                                               "\n");
}

TEST_F(Desktop, OpenRecentAsksAboutUnsavedChangesAsLoadDoes) {
    const QString file = Client("r.KVO", "Recent");
    ASSERT_TRUE(WriteFileBytes(Path("KIVO.INI"), "[Recent Files]\nFile1=" + file.toUtf8() + "\n"));
    for (const DialogButton answer : {DialogButton::Cancel, DialogButton::No}) {
        MainWindow& main = Start();
        script_->asked.clear();
        Modify();
        script_->buttons = {answer};
        test::TriggerAction(main, "actionRecentFile1");
        ASSERT_EQ(script_->asked.size(), 1u);
        EXPECT_EQ(script_->asked[0].message.text, kUnsaved);
        EXPECT_EQ(script_->asked[0].message.buttons,
                  DialogButton::Yes | DialogButton::No | DialogButton::Cancel);
        const bool opened = answer == DialogButton::No;
        EXPECT_EQ(main.windowTitle(), opened ? "KIVO - R.KVO" : "KIVO");
        EXPECT_EQ(LastName(), opened ? "Recent" : "");
        EXPECT_EQ(FileModified(), !opened);
        ClearFileModified();
        main_.reset();
    }
}

// One client file reached under two names, through a linked folder or by a name relative to
// the start folder as KIVO.INI may hold it, is one entry: the name opened last.
TEST_F(Desktop, OpenRecentListsAFileReachedUnderTwoNamesOnce) {
    ASSERT_TRUE(QDir(Folder()).mkdir("real"));
    const QString real = Client("real/a.KVO", "A");
    const QString other = Client("other.KVO", "Other");
    ASSERT_TRUE(QFile::link(Folder() + "real", Folder() + "link"));
    const QString linked = Folder() + "link/a.KVO";
    ASSERT_TRUE(WriteFileBytes(Path("KIVO.INI"),
                               "[Recent Files]\nFile1=real/a.KVO\nFile2=" + other.toUtf8() + "\n"));
    MainWindow& main = Start();
    ASSERT_EQ(main.Session().RecentFiles(), QStringList({"real/a.KVO", other}));
    test::TriggerAction(main, "actionRecentFile1");
    EXPECT_EQ(LastName(), "A");
    EXPECT_EQ(main.Session().RecentFiles(), QStringList({real, other}));
    Load(linked);
    EXPECT_EQ(main.Session().RecentFiles(), QStringList({linked, other}));
    Load(real);
    EXPECT_EQ(main.Session().RecentFiles(), QStringList({real, other}));
}

// --- Where files go -------------------------------------------------------------------------

TEST_F(Desktop, SaveStartsInTheDataFolderAndSuggestsANameFromTheClient) {
    QDir(Folder()).mkdir("data");
    ASSERT_TRUE(WriteFileBytes(Path("KIVO.INI"),
                               "[Information]\nDataPath=" + (Folder() + "data/").toUtf8() + "\n"));
    MainWindow& main = Start();
    // Typed on the page, not yet stored: the suggestion is built from what is on screen.
    QTest::keyClicks(Pages().demographics->findChild<QLineEdit*>("EditLastName"), "Garcia");
    QTest::keyClicks(Pages().demographics->findChild<QLineEdit*>("EditID"), "C-2291");
    script_->files = {std::nullopt};
    test::TriggerAction(main, "actionSave");
    ASSERT_EQ(script_->asked.size(), 1u);
    const FileRequest& dialog = script_->asked[0].file;
    EXPECT_EQ(dialog.folder, Folder() + "data/");
    EXPECT_EQ(dialog.fileName, "GARCIA_C-2291.KVO");

    // A client with a file keeps its name; the dialog starts where it was loaded from.
    QDir(Folder()).mkdir("clients");
    script_->buttons = {DialogButton::No};  // the typing is not kept
    Load(Client("clients/lee.KVO", "Lee"));
    script_->asked.clear();
    script_->files = {std::nullopt};
    test::TriggerAction(main, "actionSaveAs");
    EXPECT_EQ(script_->asked.at(0).file.folder, Folder() + "clients/");
    EXPECT_EQ(script_->asked.at(0).file.fileName, "lee.KVO");

    // A client without name or ID gets no suggestion.
    script_->buttons = {DialogButton::No};
    test::TriggerAction(main, "actionNew");
    script_->asked.clear();
    script_->files = {std::nullopt};
    test::TriggerAction(main, "actionSaveAs");
    EXPECT_EQ(script_->asked.at(0).file.fileName, "");
    ClearFileModified();
}

// --- Files from elsewhere: drops and the hand-over ----------------------------------------

// Sends a drag of `urls` over `target` and, when it was accepted, the drop; whether the
// drag was accepted.
bool DragAndDrop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    data.setText(urls.isEmpty() ? QString() : urls.first().toString());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

TEST_F(Desktop, OnlyOneLocalClientFileIsAcceptedAsADrop) {
    MainWindow& main = Start();
    const QString kvo = Client("drop.kvo", "Drop");
    ASSERT_TRUE(WriteFileBytes(Path("notes.txt"), "x"));
    ASSERT_TRUE(QDir(Folder()).mkdir("Clients.KVO"));
    struct Case {
        const char* what;
        QList<QUrl> urls;
        bool accepted;
    };
    const Case cases[] = {
        {"one .kvo", {QUrl::fromLocalFile(kvo)}, true},
        {"one .KVO", {QUrl::fromLocalFile(Client("UP.KVO", "Up"))}, true},
        {"another kind", {QUrl::fromLocalFile(Path("notes.txt"))}, false},
        {"a folder named like one", {QUrl::fromLocalFile(Path("Clients.KVO"))}, false},
        {"two files", {QUrl::fromLocalFile(kvo), QUrl::fromLocalFile(kvo)}, false},
        {"not local", {QUrl("https://example.org/a.KVO")}, false},
        {"nothing", {}, false},
    };
    for (const Case& c : cases) {
        QMimeData data;
        data.setUrls(c.urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&main, &enter);
        EXPECT_EQ(enter.isAccepted(), c.accepted) << c.what;
    }
    EXPECT_EQ(main.windowTitle(), "KIVO");  // a drag alone opens nothing
}

TEST_F(Desktop, DroppedFileOpensThroughTheUnsavedChangesQuestion) {
    MainWindow& main = Start();
    const QString file = Client("dropped.KVO", "Dropped");
    Modify();
    script_->buttons = {DialogButton::Cancel};
    ASSERT_TRUE(DragAndDrop(&main, {QUrl::fromLocalFile(file)}));
    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_EQ(script_->asked[0].message.text,
              "Open dropped.KVO? The current client has unsaved changes: save them first?");
    EXPECT_EQ(main.windowTitle(), "KIVO");

    script_->buttons = {DialogButton::No};
    // On an edit box the file opens too, rather than becoming the box's text.
    auto* edit = Pages().demographics->findChild<QLineEdit*>("EditLastName");
    ASSERT_TRUE(DragAndDrop(edit, {QUrl::fromLocalFile(file)}));
    EXPECT_EQ(main.windowTitle(), "KIVO - DROPPED.KVO");
    EXPECT_EQ(LastName(), "Dropped");
    EXPECT_EQ(edit->text(), "Dropped");
    EXPECT_FALSE(FileModified());
    EXPECT_EQ(main.Session().RecentFiles().value(0), file);
}

class HandOver : public Desktop {
protected:
    void SetUp() override {
        Desktop::SetUp();
        name_ = Folder() + "hand-over.socket";
    }

    void TearDown() override {
        server_.reset();
        Desktop::TearDown();
    }

    // Starts the window with the hand-over server listening and opening what it is handed.
    MainWindow& StartListening() {
        MainWindow& main = Start();
        server_ = std::make_unique<InstanceServer>(name_);
        QObject::connect(server_.get(), &InstanceServer::FileHandedOver, &main,
                         &MainWindow::OpenFileFromElsewhere);
        return main;
    }

    // Sends `path` as a second start would and waits for the running copy's answer.
    QByteArray Send(const QString& path) {
        QLocalSocket socket;
        socket.connectToServer(name_);
        EXPECT_TRUE(socket.waitForConnected(5000));
        socket.write(HandOverMessage(path));
        QByteArray reply;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                reply += socket.readAll();
                return reply.contains('\n');
            },
            5000));
        Flush();
        return reply;
    }

    QString name_;
    std::unique_ptr<InstanceServer> server_;
};

TEST_F(HandOver, TheRunningCopyOpensTheFileItIsHanded) {
    MainWindow& main = StartListening();
    ASSERT_TRUE(server_->Listening());
    const QString file = Client("handed.KVO", "Handed");

    Modify();
    script_->buttons = {DialogButton::No};
    EXPECT_EQ(Send(file), "OK\n");
    ASSERT_EQ(script_->asked.size(), 1u);
    // The question names the file about to open and what Yes does.
    EXPECT_EQ(script_->asked[0].message.text,
              "Open handed.KVO? The current client has unsaved changes: save them first?");
    EXPECT_EQ(script_->asked[0].message.buttons,
              DialogButton::Yes | DialogButton::No | DialogButton::Cancel);
    EXPECT_EQ(main.windowTitle(), "KIVO - HANDED.KVO");
    EXPECT_EQ(LastName(), "Handed");
    EXPECT_TRUE(Pages().demographics->isVisible());
}

// A handed-over path that is missing, a folder or no regular file gets the message Load gives
// for it, and nothing changes.
TEST_F(HandOver, APathThatIsNoClientFileGetsLoadsMessage) {
    MainWindow& main = StartListening();
    ASSERT_TRUE(server_->Listening());
    const QString file = Client("handed.KVO", "Handed");
    EXPECT_EQ(Send(file), "OK\n");
    ASSERT_TRUE(QDir(Folder()).mkdir("folder.KVO"));
    ASSERT_EQ(::mkfifo(Path("pipe.KVO").toLocal8Bit().constData(), 0600), 0);
    for (const QString& bad : {Path("missing.KVO"), Path("folder.KVO"), Path("pipe.KVO")}) {
        SCOPED_TRACE(bad.toStdString());
        // What Load says of it.
        script_->asked.clear();
        script_->files = {bad};
        script_->buttons = {DialogButton::Ok};
        test::TriggerAction(main, "actionLoad");
        ASSERT_EQ(script_->asked.size(), 2u);
        const QString loadSays = script_->asked[1].message.text;
        EXPECT_TRUE(loadSays.contains(bad)) << loadSays.toStdString();

        script_->asked.clear();
        script_->buttons = {DialogButton::Ok};
        EXPECT_EQ(Send(bad), "OK\n");
        ASSERT_EQ(script_->asked.size(), 1u);
        EXPECT_EQ(script_->asked[0].message.text, loadSays);
        EXPECT_EQ(script_->asked[0].message.icon, DialogIcon::Stop);
        EXPECT_EQ(main.windowTitle(), "KIVO - HANDED.KVO");
        EXPECT_EQ(LastName(), "Handed");
    }
}

// The open file handed over again while it has unsaved changes: the question is whether to
// reload it and lose them, No (the default) keeps the edits; Yes reloads.
TEST_F(HandOver, TheOpenModifiedFileAsksToReloadAndKeepsTheEditsOnNo) {
    MainWindow& main = StartListening();
    const QString file = Client("jones_c-1.KVO", "Jones");
    EXPECT_EQ(Send(file), "OK\n");
    ASSERT_EQ(LastName(), "Jones");
    EXPECT_TRUE(script_->asked.empty()) << "nothing unsaved: no question";
    QApplication::setActiveWindow(&main);
    auto* edit = Pages().demographics->findChild<QLineEdit*>("EditLastName");
    QTest::keyClicks(edit, "-Smith");
    Flush();
    ASSERT_TRUE(FileModified());

    script_->buttons = {DialogButton::No};
    EXPECT_EQ(Send(file), "OK\n");
    ASSERT_EQ(script_->asked.size(), 1u);
    const MessageRequest& question = script_->asked[0].message;
    EXPECT_EQ(question.text,
              "jones_c-1.KVO is open with unsaved changes. Reload it from the disk and lose the "
              "changes?");
    EXPECT_EQ(question.buttons, DialogButton::Yes | DialogButton::No);
    EXPECT_EQ(question.defaultButton, DialogButton::No);
    EXPECT_EQ(edit->text(), "Jones-Smith");
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(main.windowTitle(), "KIVO - JONES_C-1.KVO");

    script_->asked.clear();
    script_->buttons = {DialogButton::Yes};
    EXPECT_EQ(Send(file), "OK\n");
    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_EQ(edit->text(), "Jones");
    EXPECT_FALSE(FileModified());
}

// Two hand-overs of one file while a dialog is open wait, and then ask once.
TEST_F(HandOver, TwoQueuedHandOversOfOneFileAskOnce) {
    MainWindow& main = StartListening();
    const QString file = Client("twice.KVO", "Twice");
    Modify();
    QDialog busy(&main);
    busy.setModal(true);
    busy.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &busy);
    EXPECT_EQ(Send(file), "OK\n");
    EXPECT_EQ(Send(file), "OK\n");
    EXPECT_TRUE(script_->asked.empty()) << "nothing is asked while the dialog is open";
    busy.close();
    script_->buttons = {DialogButton::No};
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.windowTitle() == "KIVO - TWICE.KVO"; }, 5000));
    QTest::qWait(400);  // past the next retry: no second question comes
    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_TRUE(script_->asked[0].message.text.startsWith("Open twice.KVO?"));
}

// A second start sends whole paths only: a bare name, which the running copy would look up in
// its own folder, opens nothing, nor does a line that is no path at all.
TEST_F(HandOver, OnlyAWholePathIsOpened) {
    MainWindow& main = StartListening();
    ASSERT_TRUE(server_->Listening());
    Client("here.KVO", "Here");  // in this copy's current folder
    for (const QString& line : {QStringLiteral("here.KVO"), QStringLiteral("./here.KVO"),
                                QStringLiteral("\x01\x02 garbage"), QString()}) {
        EXPECT_EQ(Send(line), "OK\n");
        EXPECT_TRUE(script_->asked.empty());
        EXPECT_EQ(main.windowTitle(), "KIVO") << line.toStdString();
    }
}

// --- The guide and the version ------------------------------------------------------------

TEST_F(Desktop, HelpContentsShowsTheGuide) {
    MainWindow& main = Start();
    test::TriggerAction(main, "actionHelpContents");
    auto* help = Find<HelpWindow>("HelpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    const QString text = help->findChild<QTextBrowser*>("HelpText")->toPlainText();
    for (const char* needle : {"A to G, or 1 to 7",
                               "A to E, or 1 to 5",
                               "Up, Down",
                               "Left, Right, Tab, Shift+Tab",
                               "Page Up, Page Down",
                               "Backspace",
                               "takes back the last answer",
                               "Delete",
                               "Tab from condition 2 leaves the answers for the Clear "
                               "Condition 1 and Clear Condition 2 buttons",
                               "the next unanswered item after the framed one",
                               "Space",
                               "Home, End",
                               "F8",
                               "25 of 28 answered",
                               "middle 80%",
                               "middle 50%",
                               "red square",
                               "blue circle",
                               "INV",
                               "Print Scores",
                               "kivo-cli",
                               "KIVO.INI",
                               "DataPath",
                               "Recent Files",
                               "Ctrl+Shift+S",
                               "Ctrl+1",
                               "Ctrl+Q, Alt+X"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(needle))) << needle;
    }
    // F1 again brings the same window forward rather than a second one.
    test::TriggerAction(main, "actionHelpContents");
    EXPECT_EQ(main.findChildren<HelpWindow*>().size(), 1);
}

TEST_F(Desktop, AboutShowsTheVersion) {
    Start();
    auto* version = Pages().aboutBox->findChild<QLabel*>("VersionLabel");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Version " KIVO_PROJECT_VERSION));
}

// --- Small screens ---------------------------------------------------------------------

TEST_F(Desktop, OnALargeScreenTheWindowKeepsItsSizeAndThePagesDoNotScroll) {
    MainWindow& main = Start();
    EXPECT_EQ(main.size(), QSize(1014, 710));
    const auto* scroll = Find<QScrollArea>("PageScrollArea");
    const auto* panel = Find<QWidget>("WindowPanel");
    EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());
    EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_EQ(scroll->viewport()->size(), panel->size());
    EXPECT_EQ(panel->mapTo(&main, QPoint(0, 0)).y(),
              Find<QWidget>("ToolBar")->mapTo(&main, QPoint(0, 33)).y());
    EXPECT_EQ(panel->height() + 33 + 19 + main.menuBar()->height(), 710);
}

// The figures of the cut window are the sizing function's (ShellPieces); here the real window
// on screens too small for it, whatever frame the platform reports.
TEST_F(Desktop, OnASmallScreenTheWindowFitsAndThePageAreaScrolls) {
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QRect screens[] = {
        {0, 0, 1280, 680},   // 1280 x 720 with a 40-pixel panel
        {0, 27, 1366, 650},  // panels at the top and the bottom
        {100, 0, 1024, 600},
    };
    for (const QRect& available : screens) {
        SCOPED_TRACE(available.height());
        MainWindow& main = Start({}, available);
        Flush();
        EXPECT_TRUE(available.contains(main.frameGeometry()))
            << main.frameGeometry().height() << " " << main.frameGeometry().width();
        EXPECT_EQ(main.frameGeometry().top(), available.top());
        EXPECT_LT(main.height(), 710);
        const int frameWidth = main.frameGeometry().width() - main.width();
        EXPECT_EQ(main.width(), std::min(1014 + bar, available.width() - frameWidth));
        auto* scroll = Find<QScrollArea>("PageScrollArea");
        const auto* panel = Find<QWidget>("WindowPanel");
        // The pages keep their designed size; the area shows part and scrolls to the rest.
        EXPECT_EQ(panel->width(), 1014);
        EXPECT_EQ(panel->height(), 710 - 33 - 19 - main.menuBar()->height());
        EXPECT_EQ(Pages().demographics->size(), panel->size());
        EXPECT_EQ(scroll->verticalScrollBar()->maximum(),
                  panel->height() - scroll->viewport()->height());
        const bool narrow = main.width() < 1014 + bar;
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), narrow);
        EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 710 - main.height() + (narrow ? bar : 0));
        // Scrolling shows the foot of the page.
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        EXPECT_EQ(panel->mapTo(scroll->viewport(), QPoint(0, panel->height())).y(),
                  scroll->viewport()->height());
        main_.reset();
    }
}

}  // namespace
}  // namespace kivo::test
