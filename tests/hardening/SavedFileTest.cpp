// Saving from the real main window onto files as users set them up: a private or read-only
// file, a link, a folder that takes no new files, a killed save's leftover, a Save As name
// without the client extension; and Exit while the score report's preview is open.
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <span>
#include <string_view>
#include <vector>

#include "model/Platform.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/widgets/RecordTextEdits.h"
#include "print/preview/ReportPreview.h"
#include "shell/ScoreReportHook.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ShownPreview.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

int gCreateFault = 0;

int FailCreate(std::string_view step) {
    return step == "create" ? gCreateFault : 0;
}

// The temporary files in `folder` and the folders in it.
QStringList Temporaries(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, {"*.tmp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) found << it.next();
    return found;
}

unsigned ModeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info.st_mode & 07777u;
}

ino_t InodeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info.st_ino;
}

void SetMode(const QString& path, unsigned mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << path.toStdString();
}

class SavedFile : public ShellTest {
protected:
    void TearDown() override {
        platform::SetFaultHook(nullptr);
        ShellTest::TearDown();
    }

    // Loads `path` and changes the client's last name to "New" on the page.
    void LoadAndChange(MainWindow& main, const QString& path) {
        script_->files = {path};
        test::TriggerAction(main, "actionLoad");
        WriteTextField(gClientRecord.LastName, "New");
        Pages().demographics->RecordToControls();
        Modify();
        script_->asked.clear();
    }

    // A fresh folder inside the test's folder for each case of a table.
    QString CaseFolder() {
        const QString folder = Folder() + "case" + QString::number(++cases_) + "/";
        QDir().mkpath(folder);
        return folder;
    }

    int cases_ = 0;
};

TEST_F(SavedFile, SaveKeepsWhatTheUserSetOnTheFile) {
    const struct Case {
        const char* name;
        unsigned mode;     // of real/a.KVO, the same after the save
        bool throughLink;  // loaded as link.KVO, a link to real/a.KVO
        int createFault;   // what the folder says to a new file; 0: it takes it
        bool leftover;     // a killed save's temporary lies beside real/a.KVO
        bool saved;        // false: refused as read-only
    } cases[] = {
        {"a private file stays private", 0600, false, 0, false, true},
        {"a link is written through and stays a link", 0640, true, 0, false, true},
        {"a read-only file is refused", 0444, false, 0, false, false},
        {"a read-only file behind a link is refused", 0440, true, 0, false, false},
        {"a folder that takes no new files gets the file written in place", 0600, false, EACCES,
         false, true},
        {"a killed save's temporary goes with the next save", 0644, false, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindow& main = Start();
        const QString folder = CaseFolder();
        QDir(folder).mkdir("real");
        const QString real = folder + "real/a.KVO";
        WriteClient(real, "Old");
        SetMode(real, c.mode);
        const QByteArray old = FileBytes(real);
        const ino_t inode = InodeOf(real);
        const QString link = folder + "link.KVO";
        if (c.throughLink) std::filesystem::create_symlink("real/a.KVO", ToFsPath(link));
        const QString leftover = real + ".kivo-save-4711.tmp";
        if (c.leftover) {
            ASSERT_TRUE(QFile::copy(real, leftover));
        }
        const QString opened = c.throughLink ? link : real;
        LoadAndChange(main, opened);
        const QString title = c.throughLink ? "KIVO - LINK.KVO" : "KIVO - A.KVO";
        EXPECT_EQ(main.windowTitle(), title);

        gCreateFault = c.createFault;
        platform::SetFaultHook(FailCreate);
        if (!c.saved) script_->buttons = {DialogButton::Ok};
        test::TriggerAction(main, "actionSave");
        platform::SetFaultHook(nullptr);

        if (c.saved) {
            EXPECT_TRUE(script_->asked.empty());
            EXPECT_EQ(FileBytes(real), RecordBytes(gClientRecord));
            EXPECT_FALSE(FileModified());
            EXPECT_EQ(main.StatusPanelText(1), "");
            if (c.createFault != 0) {
                EXPECT_EQ(InodeOf(real), inode) << "written over in place";
            }
        } else {
            ASSERT_EQ(script_->MessageTexts().size(), 1u);
            EXPECT_EQ(script_->MessageTexts()[0].toStdString(),
                      ("Cannot create file \"" + opened + "\". Permission denied.").toStdString());
            EXPECT_EQ(FileBytes(real), old);
            EXPECT_TRUE(FileModified());
            EXPECT_EQ(main.StatusPanelText(1), " Modified");
        }
        EXPECT_EQ(ReadTextField(gClientRecord.LastName), "New");
        EXPECT_EQ(main.windowTitle(), title);
        EXPECT_EQ(main.Session().Files().CurrentFileName, opened);
        EXPECT_EQ(ModeOf(real), c.mode);
        if (c.throughLink) {
            EXPECT_EQ(std::filesystem::read_symlink(ToFsPath(link)), "real/a.KVO");
        }
        EXPECT_EQ(Temporaries(folder), QStringList());
        ClearFileModified();
    }
}

TEST_F(SavedFile, SaveAsAddsTheClientExtensionAndAsksAboutTheNameItMakes) {
    const struct Case {
        const char* typed;  // the name the dialog gives back
        std::vector<const char*> existing;
        std::vector<DialogButton> answers;  // to "... already exists" (asked when scripted)
        const char* written;                // the file that takes the client; "": none
    } cases[] = {
        {"Mary.Smith", {}, {}, "Mary.Smith.KVO"},
        {"Smith", {}, {}, "Smith.KVO"},
        {"Mary.Smith", {"Mary.Smith.KVO"}, {DialogButton::Yes}, "Mary.Smith.KVO"},
        {"Mary.Smith", {"Mary.Smith.KVO"}, {DialogButton::No}, ""},
        // The dialog itself asked about the name as typed; the new name is free.
        {"Mary.Smith", {"Mary.Smith"}, {}, "Mary.Smith.KVO"},
        // The dialog asked about these names: no second question.
        {"mary.kvo", {"mary.kvo"}, {}, "mary.kvo"},
        {"Jones.Kvo", {}, {}, "Jones.Kvo"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        SCOPED_TRACE(c.existing.size());
        MainWindow& main = Start();
        const QString folder = CaseFolder();
        WriteClient(folder + "a.KVO", "A");
        for (const char* name : c.existing) WriteClient(folder + name, "Old");
        const QByteArray old = FileBytes(folder + "Mary.Smith.KVO");
        LoadAndChange(main, folder + "a.KVO");
        script_->files = {folder + c.typed};
        script_->buttons.assign(c.answers.begin(), c.answers.end());
        test::TriggerAction(main, "actionSaveAs");

        ASSERT_EQ(script_->asked.size(), 1 + c.answers.size());
        EXPECT_EQ(script_->asked[0].kind, Asked::SaveFile);
        if (!c.answers.empty()) {
            const MessageRequest& question = script_->asked[1].message;
            EXPECT_EQ(question.text, "Mary.Smith.KVO already exists.\nDo you want to replace it?");
            EXPECT_EQ(question.caption, "Save this file as...");
            EXPECT_EQ(question.icon, DialogIcon::Question);
            EXPECT_EQ(question.buttons, DialogButton::Yes | DialogButton::No);
            EXPECT_EQ(question.defaultButton, DialogButton::No);
        }
        const QString written = c.written;
        if (written.isEmpty()) {
            EXPECT_EQ(FileBytes(folder + "Mary.Smith.KVO"), old);
            EXPECT_TRUE(FileModified());
            EXPECT_EQ(main.StatusPanelText(1), " Modified");
            EXPECT_EQ(main.windowTitle(), "KIVO - A.KVO");
            EXPECT_EQ(main.Session().Files().CurrentFileName, folder + "a.KVO");
        } else {
            EXPECT_EQ(FileBytes(folder + written), RecordBytes(gClientRecord));
            EXPECT_FALSE(FileModified());
            EXPECT_EQ(main.StatusPanelText(1), "");
            EXPECT_EQ(main.windowTitle(), "KIVO - " + written.toUpper());
            EXPECT_EQ(main.Session().Files().CurrentFileName, folder + written);
        }
        // Only the file named takes the client: a name typed without the extension stays as
        // it was, or absent.
        if (written != c.typed) {
            const bool existed = !c.existing.empty() && c.existing[0] == std::string(c.typed);
            EXPECT_EQ(QFileInfo::exists(folder + c.typed), existed);
            if (existed) {
                EXPECT_EQ(FileBytes(folder + c.typed).mid(20, 4), QByteArray("Old", 4));
            }
        }
        ClearFileModified();
    }
}

// A client as other programs write it: fields filled to their width with no NUL, bytes
// after a field's NUL, and a memo with a non-breaking space, a lone CR, a lone LF and a CR LF.
ClientRecord ClientFromElsewhere() {
    ClientRecord record = ClientBuilder().Build();
    const auto fill = [](std::span<char> field, std::string_view bytes) {
        ASSERT_LE(bytes.size(), field.size());
        std::fill(field.begin(), field.end(), '\0');
        std::copy(bytes.begin(), bytes.end(), field.begin());
    };
    fill(record.LastName, "Abcdefghijklmnopqr");  // 18 letters, the whole field
    fill(record.FirstName, std::string_view("Ann\0Old name", 12));
    fill(record.MiddleInitial, "QR");
    fill(record.ClientId, "12345678901234");  // 14 digits
    fill(record.Gender, "MF");
    fill(record.BirthDate, "01/02/19345");
    fill(record.HearingAid1, "Aid with thirty characters: ab");
    fill(record.Ear1, "Bothxx");
    fill(record.Coupling1, "Open vented!");
    fill(record.TestDate1, "12/31/20245");
    fill(record.HearingAid2, std::string_view("Second\0\x7f\xff", 9));
    fill(record.Comments,
         "Caf\xe9\xa0"
         "au lait\rlone CR\nlone LF\r\nboth\xa0");
    return record;
}

TEST_F(SavedFile, LoadThenSaveWithoutAnEditKeepsEveryByte) {
    MainWindow& main = Start();
    const QString path = Path("elsewhere.KVO");
    const ClientRecord written = ClientFromElsewhere();
    ASSERT_TRUE(WriteFileBytes(path, RecordBytes(written)));
    script_->files = {path};
    test::TriggerAction(main, "actionLoad");
    ASSERT_TRUE(Pages().demographics->isVisible());
    script_->asked.clear();

    // Every character the fields hold is shown.
    const auto shown = [&](const char* name) {
        return Pages().demographics->findChild<QLineEdit*>(name)->text().toStdString();
    };
    EXPECT_EQ(shown("EditLastName"), "Abcdefghijklmnopqr");
    EXPECT_EQ(shown("EditID"), "12345678901234");
    EXPECT_EQ(shown("EditMI"), "QR");
    const auto* memo = Pages().demographics->findChild<entry::RecordMemo*>("CommentsMemo");
    EXPECT_EQ(memo->ShownText(), QString::fromUtf8("Café\u00a0au lait\nlone CR\nlone LF\nboth"
                                                   "\u00a0"));

    const ino_t loaded = InodeOf(path);
    test::TriggerAction(main, "actionSave");
    EXPECT_TRUE(script_->asked.empty());
    EXPECT_NE(InodeOf(path), loaded) << "saved anew, not left alone";
    EXPECT_EQ(FileBytes(path), RecordBytes(written));

    // One field typed in: that field changes, every other keeps its bytes.
    auto* firstName = Pages().demographics->findChild<QLineEdit*>("EditFirstName");
    firstName->setFocus();
    QTest::keyClick(firstName, Qt::Key_End);
    QTest::keyClick(firstName, Qt::Key_E);
    test::TriggerAction(main, "actionSave");
    ClientRecord expected = written;
    expected.FirstName[3] = 'e';
    expected.FirstName[4] = '\0';
    EXPECT_EQ(FileBytes(path), RecordBytes(expected));
}

TEST_F(SavedFile, ANameSwappedForALinkAfterTheLoadIsNotWrittenThroughUnasked) {
    // Between Load and Save, jones.KVO becomes a link to the user's notes.txt.
    const struct {
        DialogButton answer;
        bool written;  // notes.txt takes the client
    } cases[] = {{DialogButton::No, false}, {DialogButton::Yes, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        MainWindow& main = Start();
        const QString folder = CaseFolder();
        const QString jones = folder + "jones.KVO";
        const QString notes = folder + "notes.txt";
        WriteClient(jones, "Jones");
        ASSERT_TRUE(WriteFileBytes(notes, "my own notes"));
        LoadAndChange(main, jones);
        ASSERT_TRUE(QFile::remove(jones));
        std::filesystem::create_symlink(ToFsPath(notes), ToFsPath(jones));

        script_->buttons = {c.answer};
        test::TriggerAction(main, "actionSave");

        ASSERT_EQ(script_->asked.size(), 1u);
        const MessageRequest& question = script_->asked[0].message;
        EXPECT_EQ(question.text.toStdString(),
                  ("\"" + jones + "\" has changed since it was loaded: it now leads to \"" + notes +
                   "\", which is not a client file.\nDo you want to save the client there anyway?")
                      .toStdString());
        EXPECT_EQ(question.icon, DialogIcon::Question);
        EXPECT_EQ(question.buttons, DialogButton::Yes | DialogButton::No);
        EXPECT_EQ(question.defaultButton, DialogButton::No);
        if (c.written) {
            EXPECT_EQ(FileBytes(notes), RecordBytes(gClientRecord));
            EXPECT_FALSE(FileModified());
        } else {
            EXPECT_EQ(FileBytes(notes), "my own notes");
            EXPECT_TRUE(FileModified());
            EXPECT_EQ(main.StatusPanelText(1), " Modified");
        }
        EXPECT_TRUE(std::filesystem::is_symlink(ToFsPath(jones)));
        EXPECT_EQ(Temporaries(folder), QStringList());
        ClearFileModified();
    }
}

TEST_F(SavedFile, ASaveAfterASaveStillKnowsItsFile) {
    // Each save replaces the file by a new one: the next Save goes on without a question.
    MainWindow& main = Start();
    const QString path = Path("a.KVO");
    WriteClient(path, "Old");
    LoadAndChange(main, path);
    for (int i = 0; i < 2; ++i) {
        test::TriggerAction(main, "actionSave");
        EXPECT_TRUE(script_->asked.empty());
        EXPECT_EQ(FileBytes(path), RecordBytes(gClientRecord));
    }
}

TEST_F(SavedFile, ExitWithTheScoreReportPreviewOpenClosesBoth) {
    const struct Case {
        bool modified;
        std::vector<DialogButton> answers;  // to the unsaved-changes question
        bool closes;
    } cases[] = {
        {false, {}, true},
        {true, {DialogButton::No}, true},
        {true, {DialogButton::Cancel}, false},  // nothing closes: the preview stays too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers.size());
        // The old window goes first: going, it takes the Print Scores hook with it.
        main_.reset();
        MainWindow& main = Start();
        if (c.modified) Modify();
        script_->buttons.assign(c.answers.begin(), c.answers.end());
        bool exited = false;
        bool previewOpenAfterExit = false;
        QTimer poll;
        // Exit from inside the preview's own loop, once it shows its pages.
        QObject::connect(&poll, &QTimer::timeout, [&] {
            report::ReportPreview* preview = test::ShownPreviewWithPages();
            if (preview == nullptr) return;
            poll.stop();
            exited = true;
            test::TriggerAction(main, "actionExit");
            previewOpenAfterExit = preview->isVisible();
            preview->close();  // ends the preview where Exit did not
        });
        poll.start(5);
        // A preview that never closes must fail the test, not hang it.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            ADD_FAILURE() << "the preview was still open after ten seconds";
            for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        });
        guard.start(10000);
        PreviewScoreReport();

        EXPECT_TRUE(exited);
        EXPECT_EQ(previewOpenAfterExit, !c.closes);
        EXPECT_EQ(main.isVisible(), !c.closes);
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != &main) {
                EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
            }
        }
        ClearFileModified();
    }
}

}  // namespace
}  // namespace kivo::test
