// The main window as the user meets it: its layout, the modified notice, the page switch, the
// About box and the splash that closes itself.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/AboutBox.h"
#include "app/SplashScreen.h"
#include "app/WindowPlacement.h"
#include "canvas/printer/PrinterCanvas.h"
#include "pages/configuration/ConfigurationPage.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "print/questionnaire/QuestionnairePrinting.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

using MainWindowShell = ShellTest;

TEST_F(MainWindowShell, ClientAreaHoldsMenuToolBarPagesAndStatusBar) {
    MainWindow& main = Start();
    EXPECT_EQ(main.size(), QSize(1014, 710));
    EXPECT_EQ(main.minimumSize(), main.maximumSize());
    EXPECT_FALSE(main.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(Find<QWidget>("ToolBar")->height(), 33);
    EXPECT_EQ(Find<QStatusBar>("StatusBar")->height(), 19);
    const QWidget* area = Find<QWidget>("WindowPanel");
    EXPECT_EQ(area->width(), 1014);
    // The visible page covers the page area.
    EXPECT_EQ(Pages().demographics->geometry(), area->rect());
    EXPECT_EQ(Find<QLabel>("StatusPanel0")->width(), 400);
    EXPECT_EQ(Find<QLabel>("StatusPanel1")->width(), 50);
}

TEST_F(MainWindowShell, ToolButtonsAtTheirPlacesWithHints) {
    Start();
    struct Button {
        const char* name;
        int left, width;
        const char* hint;
        bool visible, enabled;
        int glyph;
    };
    const Button buttons[] = {
        {"NewFileSpeedButton", 0, 25, "Create a new file (Ctrl+N)", true, true, 20},
        {"LoadFileSpeedButton", 25, 25, "Load an existing file (Ctrl+O)", true, true, 20},
        {"SaveFileSpeedButton", 50, 25, "Save the current file (Ctrl+S)", true, true, 20},
        {"ToolBarGap", 75, 23, "", true, false, 0},
        {"DemographicsButton", 98, 23, "Client Demographics Screen (Ctrl+1)", true, true, 16},
        {"EntryButton", 121, 23, "Response Entry Screen (Ctrl+2)", true, true, 16},
        {"ReportsButton", 144, 23, "View and Print Scores (Ctrl+3)", true, true, 16},
        {"ConfigurationButton", 167, 23, "Configuration screen", false, true, 20},
        {"ItemScoresButton", 190, 23, "View individual scores", false, true, 0},
    };
    for (const Button& b : buttons) {
        const auto* button = Find<QToolButton>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->geometry(), QRect(b.left, 0, b.width, 24)) << b.name;
        EXPECT_EQ(button->toolTip(), b.hint) << b.name;
        EXPECT_EQ(button->isVisible(), b.visible) << b.name;
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
        if (b.glyph != 0) {
            EXPECT_EQ(button->iconSize(), QSize(b.glyph, b.glyph)) << b.name;
            for (auto mode : {QIcon::Normal, QIcon::Disabled}) {
                EXPECT_FALSE(button->icon().pixmap(b.glyph, mode).isNull()) << b.name;
            }
        }
    }
    EXPECT_EQ(Find<QToolButton>("ItemScoresButton")->text(), "V");
}

// The file buttons of the tool bar run the menu's own actions, so both always do the same.
TEST_F(MainWindowShell, FileToolButtonsTriggerTheMenuActions) {
    MainWindow& main = Start();
    const std::pair<const char*, const char*> pairs[] = {{"NewFileSpeedButton", "actionNew"},
                                                         {"LoadFileSpeedButton", "actionLoad"},
                                                         {"SaveFileSpeedButton", "actionSave"}};
    for (const auto& [button, action] : pairs) {
        QStringList triggered;
        QObject context;
        for (const char* name : {"actionNew", "actionLoad", "actionSave", "actionSaveAs"}) {
            QObject::connect(Find<QAction>(name), &QAction::triggered, &context,
                             [&triggered, name] { triggered << name; });
        }
        script_->files = {std::nullopt};  // Load and Save are cancelled in their dialogs
        test::ClickButton(main, button);
        EXPECT_EQ(triggered, QStringList({action})) << button;
    }
}

TEST_F(MainWindowShell, MenuCaptions) {
    Start();
    const std::pair<const char*, const char*> items[] = {
        {"actionNew", "&New"},
        {"actionLoad", "&Load"},
        {"actionFindClient", "&Find Client..."},
        {"actionSave", "&Save"},
        {"actionSaveAs", "Save &As.."},
        {"actionExit", "E&xit"},
        {"actionPrintBlankFormA", "Print Blank Questionnaire - KIVOs(&a)"},
        {"actionPrintBlankFormB", "Print Blank Questionnaire - KIVOs(&b)"},
        {"actionPrintBlankLongForm", "Print Blank Questionnaire - &KIVO"},
        {"actionShowDemographics", "Client &Demographics"},
        {"actionShowResponseEntry", "&Response Entry"},
        {"actionShowReports", "&View and Print Scores"},
        {"actionPrintScores", "Print &Scores"},
        {"actionHelpContents", "&Contents"},
        {"actionAbout", "&About"}};
    for (const auto& [name, caption] : items) {
        const QAction* action = Find<QAction>(name);
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->text(), caption) << name;
    }
    // The menu shows an action's first shortcut: Exit's is Ctrl+Q.
    EXPECT_EQ(Find<QAction>("actionExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QStringList menus;
    for (QAction* menu : Find<QMenuBar>("MainMenu")->actions()) menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Reports", "&Pages", "&Help"}));
    // The page keys stand in the Pages menu, beside the pages' names.
    QStringList pages;
    for (QAction* item : Find<QMenu>("menuPages")->actions())
        pages << item->text() + " " + item->shortcut().toString();
    EXPECT_EQ(pages, QStringList({"Client &Demographics Ctrl+1", "&Response Entry Ctrl+2",
                                  "&View and Print Scores Ctrl+3"}));
}

TEST_F(MainWindowShell, FirstShowStartsWithEmptyClientOnDemographicsPage) {
    std::memset(&gClientRecord, 'x', sizeof gClientRecord);
    RaiseFileModified();
    MainWindow& main = Start();
    Flush();
    EXPECT_EQ(main.windowTitle(), "KIVO");
    EXPECT_FALSE(FileModified());
    EXPECT_EQ(ReadTextField(gClientRecord.Signature), "KIVO1");
    EXPECT_EQ(ReadTextField(gClientRecord.LastName), "");
    EXPECT_TRUE(Pages().demographics->isVisible());
    EXPECT_TRUE(Find<QToolButton>("DemographicsButton")->isChecked());
    for (Page* page : std::initializer_list<Page*>{Pages().responseEntry, Pages().subscaleScores,
                                                   Pages().itemScores, Pages().configuration}) {
        EXPECT_FALSE(page->isVisible()) << page->objectName().toStdString();
    }
}

TEST_F(MainWindowShell, ModifiedNoticeIsPostedOnceAndShownWhenDelivered) {
    MainWindow& main = Start();
    int notices = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == ModifiedNotice) ++*count;
            return false;
        }
    } counter(&notices);
    main.installEventFilter(&counter);

    RaiseFileModified();
    EXPECT_TRUE(FileModified());
    EXPECT_EQ(main.StatusPanelText(1), "");  // posted, not sent
    RaiseFileModified();
    Flush();
    EXPECT_EQ(main.StatusPanelText(1), " Modified");
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(main.StatusPanelText(0), "");
    main.removeEventFilter(&counter);
}

// Records OnHidden / OnShown of every page in order.
class PageLog {
public:
    explicit PageLog(const WindowPages& pages) {
        for (Page* page : std::initializer_list<Page*>{pages.demographics, pages.responseEntry,
                                                       pages.subscaleScores, pages.itemScores,
                                                       pages.configuration}) {
            const QString name = page->objectName();
            QObject::connect(page, &Page::PageShown, &context_,
                             [this, name] { log_ << "show " + name; });
            QObject::connect(page, &Page::PageHidden, &context_,
                             [this, name] { log_ << "hide " + name; });
        }
    }
    QStringList Take() { return std::exchange(log_, {}); }

private:
    QObject context_;
    QStringList log_;
};

TEST_F(MainWindowShell, PageSwitchHidesTheShownPageBeforeShowingTheNext) {
    MainWindow& main = Start();
    PageLog log(Pages());
    const auto click = [&](const char* name) {
        QTest::mouseClick(Find<QToolButton>(name), Qt::LeftButton);
    };
    click("EntryButton");
    EXPECT_EQ(log.Take(), QStringList({"hide DemographicsPage", "show ResponseEntryPage"}));
    click("ReportsButton");
    EXPECT_EQ(log.Take(), QStringList({"hide ResponseEntryPage", "show SubscaleScoresPage"}));
    test::ClickButton(main, "ItemScoresButton");  // as the report's item-scores button would
    EXPECT_EQ(log.Take(), QStringList({"hide SubscaleScoresPage", "show ItemScoresPage"}));
    click("DemographicsButton");
    EXPECT_EQ(log.Take(), QStringList({"hide ItemScoresPage", "show DemographicsPage"}));
    test::ClickButton(main, "ConfigurationButton");
    EXPECT_EQ(log.Take(), QStringList({"hide DemographicsPage", "show ConfigurationPage"}));
    click("EntryButton");
    EXPECT_EQ(log.Take(), QStringList({"hide ConfigurationPage", "show ResponseEntryPage"}));
    EXPECT_TRUE(Find<QToolButton>("EntryButton")->isChecked());
    EXPECT_FALSE(Find<QToolButton>("DemographicsButton")->isChecked());
}

TEST_F(MainWindowShell, ClickOnTheShownPagesButtonDoesNothing) {
    Start();
    PageLog log(Pages());
    auto* button = Find<QToolButton>("DemographicsButton");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(log.Take().isEmpty());
}

TEST_F(MainWindowShell, EditStoredOnHideIsInTheRecordWhenTheNextPageShows) {
    Start();
    // Stand-ins for the pages' own handlers: hiding stores, showing reads.
    QObject context;
    QObject::connect(Pages().demographics, &Page::PageHidden, &context,
                     [] { WriteTextField(gClientRecord.LastName, "Edited"); });
    std::string seen;
    QObject::connect(Pages().responseEntry, &Page::PageShown, &context,
                     [&] { seen = ReadTextField(gClientRecord.LastName); });
    QTest::mouseClick(Find<QToolButton>("EntryButton"), Qt::LeftButton);
    EXPECT_EQ(seen, "Edited");
}

TEST_F(MainWindowShell, AboutBoxCentredOnTheMainWindow) {
    MainWindow& main = Start();
    test::TriggerAction(main, "actionAbout");
    ASSERT_EQ(script_->asked.size(), 1u);
    const Asked& about = script_->asked[0];
    EXPECT_EQ(about.kind, Asked::Modal);
    EXPECT_EQ(about.modalTitle, "About");
    EXPECT_EQ(about.modalPos,
              CentredOn(main.frameGeometry(), Pages().aboutBox->frameGeometry().size()));
    EXPECT_EQ(Pages().aboutBox->size(), QSize(321, 208));
}

// The splash closes and destroys itself once its timer runs out, with no one to close it.
TEST(Splash, ClosesItselfAfterItsTimer) {
    QPointer<SplashScreen> splash = new SplashScreen();
    splash->show();
    EXPECT_EQ(splash->size(), QSize(329, 136));
    EXPECT_FALSE(splash->findChild<QLabel*>(QStringLiteral("LogoImage"))->pixmap().isNull());
    const auto* timer = splash->findChild<QTimer*>(QStringLiteral("CloseTimer"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 1500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 5000));
}

TEST_F(MainWindowShell, ErrorOfACommandIsShownAndTheProgramCarriesOn) {
    MainWindow& main = Start();
    // A print job whose output cannot be opened: the command fails with an error.
    main_->Questionnaires().SetJobOutput({[] { return true; },
                                          [](QPrinter& p) -> std::unique_ptr<canvas::PageCanvas> {
                                              p.setOutputFormat(QPrinter::PdfFormat);
                                              p.setOutputFileName("/nonexistent/folder/x.pdf");
                                              return std::make_unique<canvas::PrinterCanvas>(p);
                                          }});
    script_->printCopies = {1};
    script_->buttons = {DialogButton::Ok};
    test::TriggerAction(main, "actionPrintBlankFormA");
    ASSERT_EQ(script_->asked.size(), 2u);
    EXPECT_EQ(script_->asked[0].kind, Asked::Print);
    const MessageRequest& box = script_->asked[1].message;
    EXPECT_EQ(box.caption, "KIVO");
    EXPECT_EQ(box.icon, DialogIcon::Stop);
    EXPECT_EQ(box.buttons, DialogButton::Ok);
    EXPECT_TRUE(box.text.endsWith('.'));
    EXPECT_TRUE(main.isVisible());
}

}  // namespace
}  // namespace kivo::test
