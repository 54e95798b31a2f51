// The main window: its menu with shortcuts, tool bar, scrolling page area and status bar, the
// page switch, the modified notice, dropped files and files handed over by a second start;
// the client file commands are the ClientSession's (ClientSession.cpp).
#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AboutBox.h"
#include "app/Artwork.h"
#include "app/FileNames.h"
#include "app/HelpWindow.h"
#include "app/Settings.h"
#include "app/WindowPlacement.h"
#include "app/clientlist/ClientListWindow.h"
#include "model/Session.h"
#include "pages/accessibility/ControlNames.h"
#include "pages/configuration/ConfigurationPage.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "pages/widgets/FixedLayout.h"
#include "pages/widgets/ToolBarButton.h"
#include "print/questionnaire/QuestionnairePrinting.h"
#include "print/score/ScoreReportPrinting.h"
#include "shell/ErrorBox.h"
#include "shell/FileModified.h"
#include "shell/ScoreReportHook.h"
#include "shell/StatusMessage.h"

namespace kivo {

namespace {

// A hint with its command's shortcut, as the tool tips show them: "Save the current file
// (Ctrl+S)".
QString HintWithShortcut(const QString& hint, const QKeySequence& shortcut) {
    return hint + QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText) +
           QLatin1Char(')');
}

}  // namespace

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
    session_ = std::make_unique<ClientSession>(static_cast<ClientView&>(*this), this);
    connect(session_.get(), &ClientSession::TitleChanged, this, &QWidget::setWindowTitle);
    connect(session_.get(), &ClientSession::RecentFilesChanged, this,
            &MainWindow::RebuildRecentMenu);
    connect(session_.get(), &ClientSession::Saved, this, [this] {
        statusPanel1_->clear();
        // A note on the last paste belongs to the work just saved or left.
        statusPanel0_->clear();
    });
    BuildMenu();
    BuildToolBar();
    column->addWidget(toolBar_);
    // The page area scrolls only on a screen too small for the window (FitToScreen).
    pageScroll_ = new QScrollArea(client);
    pageScroll_->setObjectName(QStringLiteral("PageScrollArea"));
    pageScroll_->setAccessibleName(QStringLiteral("Page area"));
    pageScroll_->setFrameShape(QFrame::NoFrame);
    pageScroll_->setWidgetResizable(true);
    // It only scrolls: the focus stays on the page's controls.
    pageScroll_->setFocusPolicy(Qt::NoFocus);
    windowPanel_ = new QFrame();
    windowPanel_->setObjectName(QStringLiteral("WindowPanel"));
    windowPanel_->setFrameShape(QFrame::NoFrame);
    auto* pages = new QGridLayout(windowPanel_);
    pages->setContentsMargins(0, 0, 0, 0);
    pageScroll_->setWidget(windowPanel_);
    column->addWidget(pageScroll_, 1);
    setCentralWidget(client);
    BuildStatusBar();
    BuildPageShortcuts();

    setFixedSize(kMainClientSize);
    // Client files dropped anywhere on the window, its edit boxes included (eventFilter).
    setAcceptDrops(true);
    qApp->installEventFilter(this);
    SetModifiedNoticeReceiver(this);
    // The pages' notes (what a paste left out) go to the first panel of the newest window.
    StatusMessageHook() = [panel = QPointer<QLabel>(statusPanel0_)](const QString& text) {
        if (panel) panel->setText(text);
    };
    PlaceOnScreen();
}

MainWindow::~MainWindow() = default;

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
    bar->setObjectName(QStringLiteral("MainMenu"));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    AddCommand(file, QStringLiteral("actionNew"), QStringLiteral("&New"), [this] {
        RunGuarded([this] { session_->New(); });
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    AddCommand(file, QStringLiteral("actionLoad"), QStringLiteral("&Load"), [this] {
        RunGuarded([this] { session_->Load(); });
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    recentMenu_ = file->addMenu(QStringLiteral("Open &Recent"));
    recentMenu_->setObjectName(QStringLiteral("menuOpenRecent"));
    RebuildRecentMenu();
    AddCommand(file, QStringLiteral("actionFindClient"), QStringLiteral("&Find Client..."), [this] {
        RunGuarded([this] { ShowClientList(); });
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    AddCommand(file, QStringLiteral("actionSave"), QStringLiteral("&Save"), [this] {
        RunGuarded([this] { session_->Save(); });
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    AddCommand(file, QStringLiteral("actionSaveAs"), QStringLiteral("Save &As.."), [this] {
        RunGuarded([this] { session_->SaveAs(); });
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    // Ctrl+Q first, so the menu shows the desktop's key; Alt+X works as it always has.
    AddCommand(file, QStringLiteral("actionExit"), QStringLiteral("E&xit"), [this] {
        close();
    })->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::ALT | Qt::Key_X)});
    QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
    AddCommand(reports, QStringLiteral("actionPrintScores"), QStringLiteral("Print &Scores"),
               [this] { PrintScores(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    reports->addSeparator();
    AddCommand(reports, QStringLiteral("actionPrintBlankFormA"),
               QStringLiteral("Print Blank Questionnaire - KIVOs(&a)"),
               [this] { PrintBlankQuestionnaire(kShortFormA); });
    AddCommand(reports, QStringLiteral("actionPrintBlankFormB"),
               QStringLiteral("Print Blank Questionnaire - KIVOs(&b)"),
               [this] { PrintBlankQuestionnaire(kShortFormB); });
    AddCommand(reports, QStringLiteral("actionPrintBlankLongForm"),
               QStringLiteral("Print Blank Questionnaire - &KIVO"),
               [this] { PrintBlankQuestionnaire(kLongForm); });
    // The page switch's keys, beside the names of the pages (BuildPageShortcuts fills it).
    pagesMenu_ = bar->addMenu(QStringLiteral("&Pages"));
    pagesMenu_->setObjectName(QStringLiteral("menuPages"));
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, QStringLiteral("actionHelpContents"), QStringLiteral("&Contents"), [this] {
        ShowHelp();
    })->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    AddCommand(help, QStringLiteral("actionAbout"), QStringLiteral("&About"),
               [this] { ShowAboutBox(); });
}

void MainWindow::BuildPageShortcuts() {
    // Each presses its page button, so the shortcut makes the button's own switch and checks.
    // In the Pages menu too, where the keys stand beside the pages' names.
    const auto pageShortcut = [this](const QString& name, const QString& caption,
                                     QToolButton* button, Qt::Key key) {
        QAction* action = pagesMenu_->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        connect(action, &QAction::triggered, button, &QToolButton::click);
        addAction(action);
        button->setToolTip(HintWithShortcut(button->toolTip(), action->shortcut()));
    };
    pageShortcut(QStringLiteral("actionShowDemographics"), QStringLiteral("Client &Demographics"),
                 demographicsButton_, Qt::Key_1);
    pageShortcut(QStringLiteral("actionShowResponseEntry"), QStringLiteral("&Response Entry"),
                 entryButton_, Qt::Key_2);
    pageShortcut(QStringLiteral("actionShowReports"), QStringLiteral("&View and Print Scores"),
                 reportsButton_, Qt::Key_3);
}

QToolButton* MainWindow::AddToolButton(const QString& name, int left, int width,
                                       const QString& glyph, const QString& hint) {
    auto* button = new ToolBarButton(toolBar_);
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
    toolBar_ = new QFrame(this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setFixedHeight(kToolBarHeight);
    toolBar_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    toolBar_->setLineWidth(1);

    // The file buttons run the menu's own actions.
    const auto fileButton = [this](const QString& name, int left, const QString& glyph,
                                   const QString& hint, const QString& action) {
        QAction* command = Action(action);
        QToolButton* button =
            AddToolButton(name, left, 25, glyph, HintWithShortcut(hint, command->shortcut()));
        connect(button, &QToolButton::clicked, command, &QAction::trigger);
    };
    fileButton(QStringLiteral("NewFileSpeedButton"), 0, QStringLiteral("new"),
               QStringLiteral("Create a new file"), QStringLiteral("actionNew"));
    fileButton(QStringLiteral("LoadFileSpeedButton"), 25, QStringLiteral("load"),
               QStringLiteral("Load an existing file"), QStringLiteral("actionLoad"));
    fileButton(QStringLiteral("SaveFileSpeedButton"), 50, QStringLiteral("save"),
               QStringLiteral("Save the current file"), QStringLiteral("actionSave"));
    // The gap between the file buttons and the page buttons: a dead, flat button.
    AddToolButton(QStringLiteral("ToolBarGap"), 75, 23, {}, {})->setEnabled(false);

    // Each page button runs the page switch for its page (TakePages).
    const auto pageButton = [this](const QString& name, int left, const QString& glyph,
                                   const QString& hint) {
        return AddToolButton(name, left, 23, glyph, hint);
    };
    demographicsButton_ =
        pageButton(QStringLiteral("DemographicsButton"), 98, QStringLiteral("demographics"),
                   QStringLiteral("Client Demographics Screen"));
    entryButton_ = pageButton(QStringLiteral("EntryButton"), 121, QStringLiteral("entry"),
                              QStringLiteral("Response Entry Screen"));
    reportsButton_ = pageButton(QStringLiteral("ReportsButton"), 144, QStringLiteral("reports"),
                                QStringLiteral("View and Print Scores"));
    configurationButton_ =
        pageButton(QStringLiteral("ConfigurationButton"), 167, QStringLiteral("configuration"),
                   QStringLiteral("Configuration screen"));
    itemScoresButton_ = pageButton(QStringLiteral("ItemScoresButton"), 190, {},
                                   QStringLiteral("View individual scores"));
    itemScoresButton_->setText(QStringLiteral("V"));
    configurationButton_->setVisible(false);
    itemScoresButton_->setVisible(false);
    NameControls(*toolBar_, {{"NewFileSpeedButton", QStringLiteral("New client")},
                             {"LoadFileSpeedButton", QStringLiteral("Load client")},
                             {"SaveFileSpeedButton", QStringLiteral("Save client")},
                             {"DemographicsButton", QStringLiteral("Client details page")},
                             {"EntryButton", QStringLiteral("Answers page")},
                             {"ReportsButton", QStringLiteral("Scores page")},
                             {"ConfigurationButton", QStringLiteral("Configuration page")},
                             {"ItemScoresButton", QStringLiteral("Item scores page")}});

    // The page buttons are one group: one button down at a time; clicking the one down keeps it
    // down and still runs its page switch, which then does nothing.
    pageButtons_ = new QButtonGroup(this);
    pageButtons_->setExclusive(true);
    for (QToolButton* button : {demographicsButton_, entryButton_, reportsButton_,
                                configurationButton_, itemScoresButton_}) {
        button->setCheckable(true);
        SpeakAsRadioButton(*button);
        pageButtons_->addButton(button);
    }
}

void MainWindow::BuildStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
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

void MainWindow::TakePages(const WindowPages& pages) {
    pages_ = pages;
    // Laid over the page area in this order, as they always were (it is their stacking order).
    for (Page* page :
         std::initializer_list<Page*>{pages.demographics, pages.configuration, pages.subscaleScores,
                                      pages.responseEntry, pages.itemScores}) {
        page->setParent(windowPanel_);
        page->setVisible(false);
        windowPanel_->layout()->addWidget(page);
    }
    // The page switch: one row a page, in the tool bar's order.
    pageTable_ = {{pages.demographics, demographicsButton_},
                  {pages.responseEntry, entryButton_},
                  {pages.subscaleScores, reportsButton_},
                  {pages.configuration, configurationButton_},
                  {pages.itemScores, itemScoresButton_}};
    for (const PageButton& row : pageTable_) {
        connect(row.button, &QToolButton::clicked, this, [this, page = row.page] { Show(*page); });
    }
}

void MainWindow::Show(Page& page) {
    if (page.isVisible()) return;
    // The visible page stores its controls as it hides.
    for (const PageButton& row : pageTable_) {
        if (row.page != &page && row.page->isVisible()) row.page->hide();
    }
    page.show();
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
        FitToScreen(screen->geometry(), screen->availableGeometry());
    }
}

namespace {

// What the window manager's frame adds around the client area, once it is known; a classic
// frame's until then.
QSize FrameExtra(const QWidget& window) {
    const QSize extra = window.frameGeometry().size() - window.size();
    return extra.isEmpty() ? kClassicFrameExtra : extra;
}

}  // namespace

void MainWindow::FitToScreen(const QRect& screen, const QRect& available) {
    screen_ = screen;
    available_ = available;
    const auto fitted = FitMainWindow(available, FrameExtra(*this),
                                      style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    fitted_ = fitted.has_value();
    if (!fitted) {
        // The page area is exactly the pages' size: no scroll bars, the window as designed.
        pageScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pageScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        windowPanel_->setMinimumSize(0, 0);
        setFixedSize(kMainClientSize);
        move(MainWindowPosition(screen.size(), frameGeometry().size()));
        return;
    }
    // The pages keep their designed size and scroll inside what is left of the window.
    const int pageHeight = kMainClientSize.height() - menuBar()->sizeHint().height() -
                           kToolBarHeight - kStatusBarHeight;
    windowPanel_->setMinimumSize(kMainClientSize.width(), pageHeight);
    pageScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pageScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFixedSize(fitted->client);
    move(fitted->position);
}

void MainWindow::RefitWithFrame() {
    const QSize extra = frameGeometry().size() - size();
    if (extra.isEmpty() || extra == kClassicFrameExtra || available_.isEmpty()) return;
    // A window that was cut is cut again to the real frame (or given its full size when it
    // now fits); one that fitted on a large screen stays exactly where it is. A window that
    // fitted with a classic frame but not with a larger one is cut now.
    if (fitted_ ||
        FitMainWindow(available_, extra, style()->pixelMetric(QStyle::PM_ScrollBarExtent))) {
        FitToScreen(screen_, available_);
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    StartFirstClient();
    QTimer::singleShot(0, this, &MainWindow::RefitWithFrame);
}

void MainWindow::StartFirstClient() {
    RunGuarded([this] { session_->ReadSettings(); });
    FillItemTextTable();
    session_->StartEmpty();
    pages_.demographics->show();
    demographicsButton_->setChecked(true);
    if (!commandLineArgument_.isEmpty()) {
        RunGuarded([this] { session_->OpenCommandLineFile(commandLineArgument_); });
    }
}

QString MainWindow::DroppedClientFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) return {};
    const QString path = urls.constFirst().toLocalFile();
    // A folder named like a client file is refused while it is dragged, not passed over after.
    if (!path.endsWith(QStringLiteral(".kvo"), Qt::CaseInsensitive) || !QFileInfo(path).isFile())
        return {};
    return QDir::toNativeSeparators(path);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QMainWindow::eventFilter(watched, event);
    }
    // A client file dropped on an edit box opens, rather than becoming its text.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DroppedClientFile(drop->mimeData());
    if (path.isEmpty()) {
        // Anything else is the window's to refuse or an edit box's to take.
        if (widget != this) return QMainWindow::eventFilter(watched, event);
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // Not inside the drop itself: the drag's source waits until it returns, and the
        // unsaved-changes question may wait for the user.
        QTimer::singleShot(0, this, [this, path] { OpenFileFromElsewhere(path); });
    }
    return true;
}

void MainWindow::OpenFileFromElsewhere(const QString& path) {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    session_->OpenWhenIdle(path);
}

void MainWindow::ShowHelp() {
    if (helpWindow_ == nullptr) {
        helpWindow_ = new HelpWindow(this);
        // The page keys and Exit work while the guide has the focus, as in the main window.
        for (const char* name : {"actionShowDemographics", "actionShowResponseEntry",
                                 "actionShowReports", "actionExit"}) {
            helpWindow_->addAction(Action(QString::fromLatin1(name)));
        }
    }
    helpWindow_->ShowOver(*this);
}

void MainWindow::ShowClientList() {
    if (clientList_ == nullptr) {
        clientList_ = new ClientListWindow(
            session_->DataFolder(), ReadShowAllClientsOnOpen(session_->SettingsFile()), this);
        connect(clientList_, &ClientListWindow::OpenRequested, this, [this](const QString& path) {
            RunGuarded([this, &path] {
                // Found and opened, the list has done its work; a cancelled question keeps it.
                if (session_->Open(path)) clientList_->close();
            });
        });
    }
    clientList_->show();
    clientList_->raise();
    clientList_->activateWindow();
}

void MainWindow::PrintScores() {
    // What is on screen is what prints: the visible editing page stores its controls first.
    RunGuarded([this] {
        StoreEdits();
        PreviewScoreReport();
    });
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
    RunGuarded([this] { session_->WriteSettings(); });
    event->accept();
}

bool MainWindow::ConfirmClose() {
    bool proceed = false;
    // A save that fails keeps the window open with the unsaved client.
    return RunGuarded([&] { proceed = session_->ResolveUnsavedChanges(); }) && proceed;
}

// --- Commands ----------------------------------------------------------------------

void MainWindow::ShowAboutBox() {
    AboutBox& about = *pages_.aboutBox;
    about.move(CentredOn(frameGeometry(), about.frameGeometry().size()));
    Dialogs().RunModal(about);
}

// --- The pages around the session's commands --------------------------------------

void MainWindow::StoreEdits() {
    if (pages_.demographics->isVisible()) pages_.demographics->ControlsToRecord();
    if (pages_.responseEntry->isVisible()) pages_.responseEntry->StoreResponses();
}

void MainWindow::LeaveClient() {
    HideVisible({pages_.responseEntry, pages_.subscaleScores, pages_.itemScores});
}

void MainWindow::ShowClient() {
    HideVisible({pages_.configuration});
    if (pages_.demographics->isVisible()) {
        pages_.demographics->RecordToControls();
    } else {
        pages_.demographics->show();
    }
    demographicsButton_->setChecked(true);
    // A new or loaded client starts at its last name, wherever the keys were before.
    pages_.demographics->FocusFirstField();
}

void MainWindow::RebuildRecentMenu() {
    for (QAction* action : recentMenu_->actions()) {
        recentMenu_->removeAction(action);
        // It may be the action running now; its name goes at once so it is never found again.
        action->setObjectName(QString());
        action->deleteLater();
    }
    const QStringList& recentFiles = session_->RecentFiles();
    for (qsizetype i = 0; i < recentFiles.size(); ++i) {
        const QString path = recentFiles.at(i);
        QString caption = path;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        action->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        connect(action, &QAction::triggered, this,
                [this, path] { RunGuarded([this, &path] { session_->OpenRecent(path); }); });
    }
    recentMenu_->setEnabled(!recentFiles.isEmpty());
}

void MainWindow::PrintBlankQuestionnaire(FormKind form) {
    RunGuarded([this, form] { questionnaires_->PrintBlankQuestionnaire(form); });
}

}  // namespace kivo
