#include "app/MainWindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AboutBox.h"
#include "app/Artwork.h"
#include "pages/configuration/ConfigurationPage.h"
#include "shell/ErrorBox.h"
#include "shell/FileModified.h"
#include "app/FileNames.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "print/questionnaire/QuestionnairePrinting.h"
#include "print/score/ScoreReportPrinting.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "model/Session.h"
#include "pages/scores/ItemScoresPage.h"
#include "app/WindowPlacement.h"

namespace kivo {

MainWindow* gMainWindow = nullptr;

MainWindow::MainWindow()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("KIVO"));
    setWindowIcon(ApplicationIcon());
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    BuildMenu();
    BuildToolBar();
    column->addWidget(ToolBar1);
    WindowPanel = new QFrame(client);
    WindowPanel->setObjectName(QStringLiteral("WindowPanel"));
    WindowPanel->setFrameShape(QFrame::NoFrame);
    auto* pages = new QGridLayout(WindowPanel);
    pages->setContentsMargins(0, 0, 0, 0);
    column->addWidget(WindowPanel, 1);
    setCentralWidget(client);
    BuildStatusBar();

    setFixedSize(kMainClientSize);
    SetModifiedNoticeReceiver(this);
    gMainWindow = this;
    PlaceOnScreen();
}

MainWindow::~MainWindow() {
    if (gMainWindow == this) gMainWindow = nullptr;
}

QAction* MainWindow::AddCommand(QMenu* menu, const QString& name, const QString& caption,
                               const std::function<void()>& command) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, command);
    return action;
}

QAction* MainWindow::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void MainWindow::BuildMenu() {
    auto* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    AddCommand(file, QStringLiteral("actionNew"), QStringLiteral("&New"),
               [this] { RunGuarded([this] { NewClientFile(); }); });
    AddCommand(file, QStringLiteral("actionLoad"), QStringLiteral("&Load"),
               [this] { RunGuarded([this] { LoadClientFile(); }); });
    AddCommand(file, QStringLiteral("actionSave"), QStringLiteral("&Save"),
               [this] { RunGuarded([this] { SaveClientFile(false); }); });
    AddCommand(file, QStringLiteral("actionSaveAs"), QStringLiteral("Save &As.."),
               [this] { RunGuarded([this] { SaveClientFile(true); }); });
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    AddCommand(file, QStringLiteral("actionExit"), QStringLiteral("E&xit"), [this] { close(); })
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
    AddCommand(reports, QStringLiteral("actionPrintBlankFormA"),
               QStringLiteral("Print Blank Questionnaire - KIVOs(a)"),
               [this] { PrintBlankQuestionnaire(kShortFormA); });
    AddCommand(reports, QStringLiteral("actionPrintBlankFormB"),
               QStringLiteral("Print Blank Questionnaire - KIVOs(b)"),
               [this] { PrintBlankQuestionnaire(kShortFormB); });
    AddCommand(reports, QStringLiteral("actionPrintBlankLongForm"),
               QStringLiteral("Print Blank Questionnaire - KIVO"),
               [this] { PrintBlankQuestionnaire(kLongForm); });
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, QStringLiteral("actionAbout"), QStringLiteral("&About"),
               [this] { ShowAboutBox(); });
}

QToolButton* MainWindow::AddToolButton(const QString& name, int left, int width,
                                       const QString& glyph, const QString& hint) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(name);
    button->setGeometry(left, 0, width, 24);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    if (!glyph.isEmpty()) {
        button->setIcon(GlyphIcon(glyph));
        const int side = glyph == QLatin1String("demographics") ||
                                 glyph == QLatin1String("entry") ||
                                 glyph == QLatin1String("reports")
                             ? 16
                             : 20;
        button->setIconSize(QSize(side, side));
    }
    return button;
}

void MainWindow::BuildToolBar() {
    ToolBar1 = new QFrame(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ToolBar1->setLineWidth(1);

    // The file buttons run the menu's own actions.
    const auto fileButton = [this](const QString& name, int left, const QString& glyph,
                                   const QString& hint, const QString& action) {
        QToolButton* button = AddToolButton(name, left, 25, glyph, hint);
        connect(button, &QToolButton::clicked, Action(action), &QAction::trigger);
    };
    fileButton(QStringLiteral("NewFileSpeedButton"), 0, QStringLiteral("new"),
               QStringLiteral("Create a new file"), QStringLiteral("actionNew"));
    fileButton(QStringLiteral("LoadFileSpeedButton"), 25, QStringLiteral("load"),
               QStringLiteral("Load an existing file"), QStringLiteral("actionLoad"));
    fileButton(QStringLiteral("SaveFileSpeedButton"), 50, QStringLiteral("save"),
               QStringLiteral("Save the current file"), QStringLiteral("actionSave"));
    AddToolButton(QStringLiteral("SpeedButton1"), 75, 23, {}, {})->setEnabled(false);

    const auto pageButton = [this](const QString& name, int left, const QString& glyph,
                                   const QString& hint, void (MainWindow::*showPage)()) {
        QToolButton* button = AddToolButton(name, left, 23, glyph, hint);
        connect(button, &QToolButton::clicked, this, [this, showPage] { (this->*showPage)(); });
        return button;
    };
    DemographicsButton =
        pageButton(QStringLiteral("DemographicsButton"), 98, QStringLiteral("demographics"),
                   QStringLiteral("Client Demographics Screen"), &MainWindow::ShowDemographicsPage);
    EntryButton =
        pageButton(QStringLiteral("EntryButton"), 121, QStringLiteral("entry"),
                   QStringLiteral("Response Entry Screen"), &MainWindow::ShowResponseEntryPage);
    ReportsButton =
        pageButton(QStringLiteral("ReportsButton"), 144, QStringLiteral("reports"),
                   QStringLiteral("View and Print Scores"), &MainWindow::ShowSubscaleScoresPage);
    ConfigurationButton = pageButton(
        QStringLiteral("ConfigurationButton"), 167, QStringLiteral("configuration"),
        QStringLiteral("Configuration screen"), &MainWindow::ShowConfigurationPage);
    ViewScoresIndivButton =
        pageButton(QStringLiteral("ViewScoresIndivButton"), 190, {},
                   QStringLiteral("View individual scores"), &MainWindow::ShowItemScoresPage);
    ViewScoresIndivButton->setText(QStringLiteral("V"));
    ConfigurationButton->setVisible(false);
    ViewScoresIndivButton->setVisible(false);

    // Group 1: one button down at a time; clicking the one down keeps it down and still
    // runs its handler.
    PageButtons = new QButtonGroup(this);
    PageButtons->setExclusive(true);
    for (QToolButton* button : {DemographicsButton, EntryButton, ReportsButton, ConfigurationButton,
                                ViewScoresIndivButton}) {
        button->setCheckable(true);
        PageButtons->addButton(button);
    }
}

void MainWindow::BuildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(kStatusBarHeight);
    bar->setSizeGripEnabled(false);
    StatusPanel0 = new QLabel(bar);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(400);
    StatusPanel1 = new QLabel(bar);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setFixedWidth(50);
    for (QLabel* panel : {StatusPanel0, StatusPanel1}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
    }
    setStatusBar(bar);
}

void MainWindow::HostPage(Page& page) {
    page.setParent(WindowPanel);
    page.setVisible(false);
    WindowPanel->layout()->addWidget(&page);
}

void MainWindow::TakePrinting(std::unique_ptr<QuestionnairePrinting> questionnaires,
                              std::unique_ptr<ScoreReportPrinting> scoreReport) {
    questionnaires_ = std::move(questionnaires);
    scoreReport_ = std::move(scoreReport);
}

void MainWindow::SetCommandLineArgument(const QString& argument) {
    CommandLineArgument_ = argument;
}

QString MainWindow::StatusPanelText(int panel) const {
    return (panel == 0 ? StatusPanel0 : StatusPanel1)->text();
}

// --- Life cycle -------------------------------------------------------------------

void MainWindow::PlaceOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(MainWindowPosition(screen->geometry().size(), frameGeometry().size()));
    }
    Files_.StartupFolder = WithTrailingSeparator(QDir::toNativeSeparators(QDir::currentPath()));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown_) return;
    Shown_ = true;
    StartFirstClient();
}

void MainWindow::StartFirstClient() {
    RunGuarded([this] { ReadSettings(); });
    FillItemTextTable();
    BaseTitle_ = QStringLiteral("KIVO");
    ResetClientRecord(gClientRecord);
    setWindowTitle(BaseTitle_);
    ClearFileModified();
    StatusPanel0->clear();
    StatusPanel1->clear();
    gDemographicsPage->show();
    DemographicsButton->setChecked(true);
    if (!CommandLineArgument_.isEmpty()) RunGuarded([this] { OpenCommandLineFile(); });
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == ModifiedNotice) {
        ShowModifiedMark();
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::ShowModifiedMark() {
    StatusPanel1->setText(QStringLiteral(" Modified"));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmClose()) {
        event->ignore();
        return;
    }
    // The settings are worth a message but never worth keeping the program from closing.
    RunGuarded([this] { WriteSettings(); });
    event->accept();
}

bool MainWindow::ConfirmClose() {
    bool proceed = false;
    // A save that fails keeps the window open with the unsaved client.
    return RunGuarded([&] { proceed = ResolveUnsavedChanges(); }) && proceed;
}

// --- Handlers ----------------------------------------------------------------------

void MainWindow::ShowAboutBox() {
    gAboutBox->move(CentredOn(frameGeometry(), gAboutBox->frameGeometry().size()));
    Dialogs().RunModal(*gAboutBox);
}

void MainWindow::ShowDemographicsPage() {
    if (DemographicsButton->isChecked() && gDemographicsPage->isVisible()) return;
    SwitchPage(*gDemographicsPage, {gConfigurationPage, gResponseEntryPage, gSubscaleScoresPage, gItemScoresPage});
}

void MainWindow::ShowResponseEntryPage() {
    if (EntryButton->isChecked() && gResponseEntryPage->isVisible()) return;
    SwitchPage(*gResponseEntryPage, {gDemographicsPage, gConfigurationPage, gSubscaleScoresPage, gItemScoresPage});
}

void MainWindow::ShowSubscaleScoresPage() {
    if (ReportsButton->isChecked() && gSubscaleScoresPage->isVisible()) return;
    SwitchPage(*gSubscaleScoresPage, {gDemographicsPage, gResponseEntryPage, gConfigurationPage, gItemScoresPage});
}

void MainWindow::ShowConfigurationPage() {
    if (ConfigurationButton->isChecked() && gConfigurationPage->isVisible()) return;
    SwitchPage(*gConfigurationPage, {gDemographicsPage, gResponseEntryPage, gSubscaleScoresPage, gItemScoresPage});
}

void MainWindow::ShowItemScoresPage() {
    if (ViewScoresIndivButton->isChecked() && gItemScoresPage->isVisible()) return;
    SwitchPage(*gItemScoresPage, {gDemographicsPage, gConfigurationPage, gResponseEntryPage, gSubscaleScoresPage});
}

void MainWindow::PrintBlankQuestionnaire(FormKind form) {
    RunGuarded([this, form] { questionnaires_->PrintBlankQuestionnaire(form); });
}

}  // namespace kivo
