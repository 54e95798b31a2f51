// The main window: its menu, tool bar, page area and status bar, the page switch and the
// modified notice; the client file commands are in ClientFileCommands.cpp.
#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AboutBox.h"
#include "app/Artwork.h"
#include "app/FileNames.h"
#include "app/WindowPlacement.h"
#include "model/Session.h"
#include "pages/configuration/ConfigurationPage.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "pages/widgets/FixedLayout.h"
#include "print/questionnaire/QuestionnairePrinting.h"
#include "print/score/ScoreReportPrinting.h"
#include "shell/ErrorBox.h"
#include "shell/FileModified.h"
#include "shell/StatusMessage.h"

namespace kivo {

MainWindow* gMainWindow = nullptr;

MainWindow::MainWindow()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("KIVO"));
    setWindowIcon(ApplicationIcon());
    setFont(PixelFont(11));

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    BuildMenu();
    BuildToolBar();
    column->addWidget(toolBar1_);
    windowPanel_ = new QFrame(client);
    windowPanel_->setObjectName(QStringLiteral("WindowPanel"));
    windowPanel_->setFrameShape(QFrame::NoFrame);
    auto* pages = new QGridLayout(windowPanel_);
    pages->setContentsMargins(0, 0, 0, 0);
    column->addWidget(windowPanel_, 1);
    setCentralWidget(client);
    BuildStatusBar();

    setFixedSize(kMainClientSize);
    SetModifiedNoticeReceiver(this);
    gMainWindow = this;
    // The pages' notes (what a paste left out) go to the first panel.
    StatusMessageHook() = [](const QString& text) {
        if (gMainWindow != nullptr) gMainWindow->statusPanel0_->setText(text);
    };
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
    AddCommand(file, QStringLiteral("actionExit"), QStringLiteral("E&xit"), [this] {
        close();
    })->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
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
    auto* button = new QToolButton(toolBar1_);
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
    toolBar1_ = new QFrame(this);
    toolBar1_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar1_->setFixedHeight(kToolBarHeight);
    toolBar1_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    toolBar1_->setLineWidth(1);

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
    demographicsButton_ =
        pageButton(QStringLiteral("DemographicsButton"), 98, QStringLiteral("demographics"),
                   QStringLiteral("Client Demographics Screen"), &MainWindow::ShowDemographicsPage);
    entryButton_ =
        pageButton(QStringLiteral("EntryButton"), 121, QStringLiteral("entry"),
                   QStringLiteral("Response Entry Screen"), &MainWindow::ShowResponseEntryPage);
    reportsButton_ =
        pageButton(QStringLiteral("ReportsButton"), 144, QStringLiteral("reports"),
                   QStringLiteral("View and Print Scores"), &MainWindow::ShowSubscaleScoresPage);
    configurationButton_ =
        pageButton(QStringLiteral("ConfigurationButton"), 167, QStringLiteral("configuration"),
                   QStringLiteral("Configuration screen"), &MainWindow::ShowConfigurationPage);
    viewScoresIndivButton_ =
        pageButton(QStringLiteral("ViewScoresIndivButton"), 190, {},
                   QStringLiteral("View individual scores"), &MainWindow::ShowItemScoresPage);
    viewScoresIndivButton_->setText(QStringLiteral("V"));
    configurationButton_->setVisible(false);
    viewScoresIndivButton_->setVisible(false);

    // The page buttons are one group: one button down at a time; clicking the one down keeps it
    // down and still runs its page switch, which then does nothing.
    pageButtons_ = new QButtonGroup(this);
    pageButtons_->setExclusive(true);
    for (QToolButton* button : {demographicsButton_, entryButton_, reportsButton_,
                                configurationButton_, viewScoresIndivButton_}) {
        button->setCheckable(true);
        pageButtons_->addButton(button);
    }
}

void MainWindow::BuildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(kStatusBarHeight);
    bar->setSizeGripEnabled(false);
    statusPanel0_ = new QLabel(bar);
    statusPanel0_->setObjectName(QStringLiteral("StatusPanel0"));
    statusPanel0_->setFixedWidth(400);
    statusPanel1_ = new QLabel(bar);
    statusPanel1_->setObjectName(QStringLiteral("StatusPanel1"));
    statusPanel1_->setFixedWidth(50);
    for (QLabel* panel : {statusPanel0_, statusPanel1_}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
    }
    setStatusBar(bar);
}

void MainWindow::HostPage(Page& page) {
    page.setParent(windowPanel_);
    page.setVisible(false);
    windowPanel_->layout()->addWidget(&page);
}

void MainWindow::TakePrinting(std::unique_ptr<QuestionnairePrinting> questionnaires,
                              std::unique_ptr<ScoreReportPrinting> scoreReport) {
    questionnaires_ = std::move(questionnaires);
    scoreReport_ = std::move(scoreReport);
}

void MainWindow::SetCommandLineArgument(const QString& argument) {
    commandLineArgument_ = argument;
}

QString MainWindow::StatusPanelText(int panel) const {
    return (panel == 0 ? statusPanel0_ : statusPanel1_)->text();
}

// --- Life cycle -------------------------------------------------------------------

void MainWindow::PlaceOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(MainWindowPosition(screen->geometry().size(), frameGeometry().size()));
    }
    files_.StartupFolder = WithTrailingSeparator(QDir::toNativeSeparators(QDir::currentPath()));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    StartFirstClient();
}

void MainWindow::StartFirstClient() {
    RunGuarded([this] { ReadSettings(); });
    FillItemTextTable();
    baseTitle_ = QStringLiteral("KIVO");
    ResetClientRecord(gClientRecord);
    setWindowTitle(baseTitle_);
    ClearFileModified();
    statusPanel0_->clear();
    statusPanel1_->clear();
    gDemographicsPage->show();
    demographicsButton_->setChecked(true);
    if (!commandLineArgument_.isEmpty()) RunGuarded([this] { OpenCommandLineFile(); });
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == ModifiedNotice) {
        ShowModifiedMark();
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::ShowModifiedMark() {
    statusPanel1_->setText(QStringLiteral(" Modified"));
}

namespace {

// Closes every other window the program shows, the score report's preview among them: it
// runs in a loop of its own and would otherwise stay open alone once the main window is
// gone. False when one of them refuses (a preview still generating its pages).
bool CloseOtherWindows(const QWidget* main) {
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != main && window->isVisible()) windows.append(window);
    }
    bool closed = true;
    for (const QPointer<QWidget>& window : windows) {
        if (window && !window->close()) closed = false;
    }
    return closed;
}

}  // namespace

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmClose() || !CloseOtherWindows(this)) {
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

// --- Commands ----------------------------------------------------------------------

void MainWindow::ShowAboutBox() {
    gAboutBox->move(CentredOn(frameGeometry(), gAboutBox->frameGeometry().size()));
    Dialogs().RunModal(*gAboutBox);
}

void MainWindow::ShowDemographicsPage() {
    if (demographicsButton_->isChecked() && gDemographicsPage->isVisible()) return;
    SwitchPage(*gDemographicsPage,
               {gConfigurationPage, gResponseEntryPage, gSubscaleScoresPage, gItemScoresPage});
}

void MainWindow::ShowResponseEntryPage() {
    if (entryButton_->isChecked() && gResponseEntryPage->isVisible()) return;
    SwitchPage(*gResponseEntryPage,
               {gDemographicsPage, gConfigurationPage, gSubscaleScoresPage, gItemScoresPage});
}

void MainWindow::ShowSubscaleScoresPage() {
    if (reportsButton_->isChecked() && gSubscaleScoresPage->isVisible()) return;
    SwitchPage(*gSubscaleScoresPage,
               {gDemographicsPage, gResponseEntryPage, gConfigurationPage, gItemScoresPage});
}

void MainWindow::ShowConfigurationPage() {
    if (configurationButton_->isChecked() && gConfigurationPage->isVisible()) return;
    SwitchPage(*gConfigurationPage,
               {gDemographicsPage, gResponseEntryPage, gSubscaleScoresPage, gItemScoresPage});
}

void MainWindow::ShowItemScoresPage() {
    if (viewScoresIndivButton_->isChecked() && gItemScoresPage->isVisible()) return;
    SwitchPage(*gItemScoresPage,
               {gDemographicsPage, gConfigurationPage, gResponseEntryPage, gSubscaleScoresPage});
}

void MainWindow::PrintBlankQuestionnaire(FormKind form) {
    RunGuarded([this, form] { questionnaires_->PrintBlankQuestionnaire(form); });
}

}  // namespace kivo
