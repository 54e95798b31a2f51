// File > Find Client driven from the keyboard: Ctrl+F, typing in the search box, the arrow
// keys and Enter; the list following files made, renamed and deleted while it is open; greyed
// files with their reason; and the question before a second client takes an ID.
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/clientlist/ClientIdQuestion.h"
#include "app/clientlist/ClientListModel.h"
#include "app/clientlist/ClientListWindow.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/FileBytes.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

class ClientList : public ShellTest {
protected:
    // A client file in the data folder (the start-up folder, as no KIVO.INI names another),
    // changed `age` seconds ago.
    void Client(const std::string& name, const ClientRecord& record, int age) {
        const fs::path path = folder_.path() / name;
        fs::create_directories(path.parent_path());
        WriteClientFile(path, record);
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(age));
    }

    void Clinic() {
        Client("smith.KVO",
               ClientBuilder()
                   .Name("Smith", "John")
                   .ClientId("C-1042")
                   .BirthDate("03/15/1950")
                   .Build(),
               300);
        Client("2023/smith-ann.KVO",
               ClientBuilder()
                   .Name("Sm\xC3\xADth", "Ann")
                   .ClientId("C-2000")
                   .BirthDate("12/01/1949")
                   .Build(),
               100);
        Client(
            "jones.KVO",
            ClientBuilder().Name("Jones", "Mary").ClientId("J-7").BirthDate("07/04/1960").Build(),
            200);
    }

    MainWindow& StartActive() {
        MainWindow& main = Start();
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        return main;
    }

    // Ctrl+F on the main window; the list once its first reading of the folder is done.
    ClientListWindow& OpenList() {
        QTest::keyClick(main_.get(), Qt::Key_F, Qt::ControlModifier);
        auto* list = main_->findChild<ClientListWindow*>();
        EXPECT_NE(list, nullptr);
        if (list == nullptr) throw std::runtime_error("no client list");
        EXPECT_TRUE(list->isVisible());
        EXPECT_TRUE(QTest::qWaitFor([list] { return !list->StatusText().contains("Reading"); }));
        return *list;
    }

    static QLineEdit& Search(ClientListWindow& list) {
        return *list.findChild<QLineEdit*>("ClientListSearch");
    }
    static QTableView& Table(ClientListWindow& list) {
        return *list.findChild<QTableView*>("ClientListTable");
    }

    // The file column of every shown row, top to bottom.
    static QStringList Files(ClientListWindow& list) {
        QStringList files;
        const auto* model = Table(list).model();
        for (int row = 0; row < model->rowCount(); ++row) {
            files << model->index(row, 7).data().toString();
        }
        return files;
    }

    static QString Cell(ClientListWindow& list, int row, int column) {
        return Table(list).model()->index(row, column).data().toString();
    }
};

TEST_F(ClientList, CtrlFTypingPartOfANameAndEnterOpensThatClient) {
    Clinic();
    MainWindow& main = StartActive();
    ClientListWindow& list = OpenList();
    EXPECT_EQ(list.windowTitle(), "Find Client");
    EXPECT_EQ(list.focusWidget(), &Search(list));
    // Newest first, every file below the data folder.
    EXPECT_EQ(Files(list), (QStringList{"2023/smith-ann.KVO", "jones.KVO", "smith.KVO"}));
    EXPECT_EQ(Cell(list, 0, 0), "Sm\u00EDth");
    EXPECT_EQ(Cell(list, 0, 1), "Ann");
    EXPECT_EQ(Cell(list, 0, 2), "C-2000");
    EXPECT_EQ(Cell(list, 0, 3), "12/01/1949");
    EXPECT_EQ(list.StatusText(), "3 client files.");

    QTest::keyClicks(&Search(list), "smi");  // Smith and Smíth
    EXPECT_EQ(Files(list), (QStringList{"2023/smith-ann.KVO", "smith.KVO"}));
    EXPECT_EQ(list.StatusText(), "2 of 3 client files shown.");
    QTest::keyClick(&Search(list), Qt::Key_Down);  // the second match
    QTest::keyClick(&Search(list), Qt::Key_Return);

    EXPECT_EQ(main.windowTitle(), "KIVO - SMITH.KVO");
    EXPECT_EQ(LastName(), "Smith");
    EXPECT_EQ(main.Session().FileName(), Path("smith.KVO"));
    // The list closed once the client was open.
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->findChild<ClientListWindow*>() == nullptr; }));
}

TEST_F(ClientList, AnIdOrABirthDateFindsItsClient) {
    Clinic();
    StartActive();
    ClientListWindow& list = OpenList();
    struct Case {
        const char* typed;
        QStringList files;
    };
    for (const Case& c : {Case{"1042", {"smith.KVO"}}, Case{"j-7", {"jones.KVO"}},
                          Case{"07/04/1960", {"jones.KVO"}}, Case{"1949", {"2023/smith-ann.KVO"}},
                          Case{"SMITH ANN", {"2023/smith-ann.KVO"}}, Case{"nobody", {}}}) {
        Search(list).clear();
        QTest::keyClicks(&Search(list), c.typed);
        EXPECT_EQ(Files(list), c.files) << c.typed;
    }
    Search(list).clear();
    QTest::keyClicks(&Search(list), "07/04");
    QTest::keyClick(&Search(list), Qt::Key_Enter);
    EXPECT_EQ(LastName(), "Jones");
}

TEST_F(ClientList, OpeningAsksAboutUnsavedChangesFirst) {
    Clinic();
    StartActive();
    ClientListWindow& list = OpenList();
    Modify();
    QTest::keyClicks(&Search(list), "jones");
    script_->buttons = {DialogButton::Cancel};
    QTest::keyClick(&Search(list), Qt::Key_Return);
    ASSERT_EQ(script_->MessageTexts(), std::vector<QString>{kUnsaved});
    EXPECT_EQ(LastName(), "");
    EXPECT_TRUE(list.isVisible());  // cancelled: the list stays for another choice

    script_->buttons = {DialogButton::No};
    // A double-click on the row does the same as Enter.
    QTableView& table = Table(list);
    const QRect cell = table.visualRect(table.model()->index(0, 0));
    QTest::mousePress(table.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(table.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(script_->MessageTexts(), (std::vector<QString>{kUnsaved, kUnsaved}));
    EXPECT_EQ(LastName(), "Jones");
}

TEST_F(ClientList, EscapeClosesTheListAndStopsItsScan) {
    Clinic();
    StartActive();
    ClientListWindow& list = OpenList();
    QPointer<ClientListWindow> closing(&list);
    QTest::keyClick(&Search(list), Qt::Key_Escape);
    EXPECT_FALSE(closing && closing->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return closing.isNull(); }, 2000));
}

TEST_F(ClientList, FilesMadeRenamedAndDeletedWhileItIsOpenShowUpMoveAndGo) {
    Clinic();
    StartActive();
    ClientListWindow& list = OpenList();
    const fs::path made = folder_.path() / "2023" / "new.KVO";
    WriteClientFile(made, ClientBuilder().Name("Newman").Build());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Files(list).contains("2023/new.KVO"); }, 3000));
    EXPECT_EQ(Files(list).front(), "2023/new.KVO");  // the newest
    EXPECT_EQ(Cell(list, 0, 0), "Newman");

    fs::rename(made, folder_.path() / "renamed.KVO");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Files(list).contains("renamed.KVO"); }, 3000));
    EXPECT_FALSE(Files(list).contains("2023/new.KVO"));

    // Changed by a save: the new name shows.
    WriteClientFile(folder_.path() / "renamed.KVO", ClientBuilder().Name("Newer").Build());
    EXPECT_TRUE(QTest::qWaitFor([&] { return Cell(list, 0, 0) == QString("Newer"); }, 3000));

    fs::remove(folder_.path() / "renamed.KVO");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Files(list).contains("renamed.KVO"); }, 3000));
    EXPECT_EQ(Files(list), (QStringList{"2023/smith-ann.KVO", "jones.KVO", "smith.KVO"}));

    // A new folder and what is in it.
    Client("2025/lee.KVO", ClientBuilder().Name("Lee").Build(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Files(list).contains("2025/lee.KVO"); }, 3000));
    fs::remove_all(folder_.path() / "2023");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return Files(list) == (QStringList{"2025/lee.KVO", "jones.KVO", "smith.KVO"});
        },
        3000));
}

TEST_F(ClientList, FoldersWithoutChangeEventsAreFollowedByThePoll) {
    Clinic();
    StartActive();
    ClientListWindow& list = OpenList();
    list.SetPollInterval(100);
    // As on a network share: the watcher hears nothing, the folder's time moves.
    auto* watcher = list.findChild<QFileSystemWatcher*>();
    ASSERT_NE(watcher, nullptr);
    watcher->blockSignals(true);
    Client("late.KVO", ClientBuilder().Name("Late").Build(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Files(list).contains("late.KVO"); }, 3000));
}

TEST_F(ClientList, AFileThatHoldsNoClientIsListedGreyedWithItsReason) {
    Clinic();
    {
        std::ofstream(folder_.path() / "short.KVO", std::ios::binary) << "KIVO1";
        std::ofstream(folder_.path() / "notes.txt") << "not a client file name: not listed";
    }
    fs::last_write_time(folder_.path() / "short.KVO",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    StartActive();
    ClientListWindow& list = OpenList();
    EXPECT_EQ(Files(list),
              (QStringList{"2023/smith-ann.KVO", "jones.KVO", "smith.KVO", "short.KVO"}));
    const QModelIndex damaged = Table(list).model()->index(3, 0);
    EXPECT_EQ(damaged.data().toString(), "Not a client file: 5 bytes, expected 552");
    EXPECT_EQ(damaged.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(128, 128, 128));
    EXPECT_EQ(Table(list).model()->index(0, 0).data(Qt::ForegroundRole), QVariant());
    EXPECT_EQ(list.StatusText(), "4 client files. 1 file holds no readable client (greyed).");
    // Made the current row, its reason shows in full in the status line.
    for (int i = 0; i < 3; ++i) QTest::keyClick(&Search(list), Qt::Key_Down);
    EXPECT_EQ(list.StatusText(),
              "4 client files. 1 file holds no readable client (greyed). short.KVO: Not a client "
              "file: 5 bytes, expected 552.");
}

TEST_F(ClientList, EveryColumnSortsFromItsHeader) {
    Clinic();
    StartActive();
    ClientListWindow& list = OpenList();
    QHeaderView& header = *Table(list).horizontalHeader();
    const auto clickHeader = [&](int column) {
        const int x = header.sectionViewportPosition(column) + header.sectionSize(column) / 2;
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(x, header.height() / 2));
    };
    struct Case {
        int column;
        QStringList files;  // ascending, after the first click
    };
    for (const Case& c : {
             Case{0, {"jones.KVO", "smith.KVO", "2023/smith-ann.KVO"}},  // Smith before Smíth
             Case{1, {"2023/smith-ann.KVO", "smith.KVO", "jones.KVO"}},
             Case{2, {"smith.KVO", "2023/smith-ann.KVO", "jones.KVO"}},
             Case{3, {"2023/smith-ann.KVO", "smith.KVO", "jones.KVO"}},  // by date, not text
             Case{7, {"2023/smith-ann.KVO", "jones.KVO", "smith.KVO"}},
             Case{8, {"smith.KVO", "jones.KVO", "2023/smith-ann.KVO"}},
         }) {
        clickHeader(c.column);
        if (header.sortIndicatorOrder() != Qt::AscendingOrder) clickHeader(c.column);
        EXPECT_EQ(Files(list), c.files) << c.column;
        clickHeader(c.column);
        QStringList reversed(c.files.rbegin(), c.files.rend());
        EXPECT_EQ(Files(list), reversed) << c.column;
    }
    for (int column = 4; column <= 6; ++column) {  // forms and test dates all equal here
        clickHeader(column);
        EXPECT_EQ(header.sortIndicatorSection(), column);
        EXPECT_EQ(Files(list).size(), 3);
    }
}

TEST_F(ClientList, ShowAllOnOpenZeroListsNothingUntilSomethingIsTyped) {
    Clinic();
    { std::ofstream(folder_.path() / "KIVO.INI") << "[Client List]\r\nShowAllOnOpen=0\r\n"; }
    StartActive();
    ClientListWindow& list = OpenList();
    EXPECT_TRUE(Files(list).isEmpty());
    EXPECT_EQ(list.StatusText(),
              "3 client files. Type part of a name, an ID or a birth date to list them.");
    QTest::keyClicks(&Search(list), "jo");
    EXPECT_EQ(Files(list), (QStringList{"jones.KVO", "smith.KVO"}));  // Jones, John
    Search(list).clear();
    EXPECT_TRUE(Files(list).isEmpty());
}

TEST_F(ClientList, ATableWithHeadersANamedSearchBoxAndAnAnnouncedCount) {
    Clinic();
    StartActive();
    ClientListWindow& list = OpenList();
    EXPECT_EQ(Search(list).accessibleName(), "Search clients");
    QTableView& table = Table(list);
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&table);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::Table);
    EXPECT_FALSE(table.horizontalHeader()->isHidden());
    QStringList titles;
    for (int column = 0; column < table.model()->columnCount(); ++column) {
        titles << table.model()->headerData(column, Qt::Horizontal).toString();
    }
    EXPECT_EQ(titles, (QStringList{"Last name", "First name", "ID", "Birth date", "Form",
                                   "Test date 1", "Test date 2", "File", "Modified"}));
    auto* status = list.findChild<QLabel*>("ClientListStatus");
    QTest::keyClicks(&Search(list), "jones");
    EXPECT_EQ(status->text(), "1 of 3 client files shown.");
    EXPECT_EQ(status->accessibleName(), status->text());
}

TEST_F(ClientList, SavingANewClientUnderAnotherClientsIdAsksFirst) {
    Clinic();
    StartActive();
    QTest::keyClicks(Find<QLineEdit>("EditLastName"), "Jonas");
    QTest::keyClicks(Find<QLineEdit>("EditID"), "C-1042");
    const QString question =
        ClientIdQuestionText("C-1042", "smith.KVO", "Smith, John, born 03/15/1950");

    script_->files = {Path("jonas.KVO")};
    script_->buttons = {DialogButton::No};
    QTest::keyClick(main_.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script_->asked.size(), 2u);
    EXPECT_EQ(script_->asked[0].kind, Asked::SaveFile);
    EXPECT_EQ(script_->asked[1].message.text, question);
    EXPECT_EQ(script_->asked[1].message.defaultButton, DialogButton::No);
    EXPECT_FALSE(QFile::exists(Path("jonas.KVO")));
    EXPECT_TRUE(FileModified());

    script_->files = {Path("jonas.KVO")};
    script_->buttons = {DialogButton::Yes};
    QTest::keyClick(main_.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script_->asked.size(), 4u);
    EXPECT_EQ(script_->asked[3].message.text, question);
    ClientRecord saved{};
    ReadClientFile(ToFsPath(Path("jonas.KVO")), saved);
    EXPECT_EQ(ReadTextField(saved.ClientId), "C-1042");

    // Saving again under the same name writes without asking.
    script_->asked.clear();
    QTest::keyClicks(Find<QLineEdit>("EditFirstName"), "Al");
    QTest::keyClick(main_.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(script_->asked.empty());
}

TEST_F(ClientList, TheSameClientSavedAsANewFileIsNotAsked) {
    Clinic();
    StartActive();
    QTest::keyClicks(Find<QLineEdit>("EditLastName"), "smith");
    QTest::keyClicks(Find<QLineEdit>("EditID"), "C-1042");
    QTest::keyClicks(Find<QLineEdit>("EditDOB"), "03/15/1950");
    script_->files = {Path("smith-copy.KVO")};
    QTest::keyClick(main_.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script_->asked.size(), 1u);
    EXPECT_EQ(FileBytes(Path("smith-copy.KVO")).size(), 552);
}

}  // namespace
}  // namespace kivo::test
