#include "Winmain.h"

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

#include "About.h"
#include "Artwork.h"
#include "Config.h"
#include "ErrorBox.h"
#include "FileModified.h"
#include "FileNames.h"
#include "Page1.h"
#include "Qentry1.h"
#include "Qprint.h"
#include "Reports.h"
#include "Session.h"
#include "Viewscor.h"
#include "WindowPlacement.h"

namespace kivo {

TfmWinMain* fmWinMain = nullptr;

TfmWinMain::TfmWinMain()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("fmWinMain"));
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
    fmWinMain = this;
    FormCreate();
}

TfmWinMain::~TfmWinMain() {
    if (fmWinMain == this) fmWinMain = nullptr;
}

void TfmWinMain::BuildMenu() {
    auto* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const auto item = [this](QMenu* menu, const QString& name, const QString& caption,
                             void (TfmWinMain::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    item(file, QStringLiteral("New1"), QStringLiteral("&New"), &TfmWinMain::New1Click);
    item(file, QStringLiteral("Load1"), QStringLiteral("&Load"), &TfmWinMain::Load1Click);
    item(file, QStringLiteral("Save1"), QStringLiteral("&Save"), &TfmWinMain::Save1Click);
    item(file, QStringLiteral("SaveAs1"), QStringLiteral("Save &As.."), &TfmWinMain::SaveAs1Click);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    item(file, QStringLiteral("Exit1"), QStringLiteral("E&xit"), &TfmWinMain::Exit1Click)
        ->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
    item(reports, QStringLiteral("PrintBlankQuestionnaire1"),
         QStringLiteral("Print Blank Questionnaire - KIVOs(a)"),
         &TfmWinMain::PrintBlankQuestionnaire1Click);
    item(reports, QStringLiteral("PrintBlankQuestionnaireKIVOsb1"),
         QStringLiteral("Print Blank Questionnaire - KIVOs(b)"),
         &TfmWinMain::PrintBlankQuestionnaireKIVOsb1Click);
    item(reports, QStringLiteral("PrintBlankQuestionnaireKIVO1"),
         QStringLiteral("Print Blank Questionnaire - KIVO"),
         &TfmWinMain::PrintBlankQuestionnaireKIVO1Click);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    item(help, QStringLiteral("About1"), QStringLiteral("&About"), &TfmWinMain::About1Click);
}

QToolButton* TfmWinMain::AddSpeedButton(const QString& name, int left, int width,
                                        const QString& glyph, const QString& hint,
                                        void (TfmWinMain::*handler)()) {
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
    if (handler != nullptr) {
        connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    }
    return button;
}

void TfmWinMain::BuildToolBar() {
    ToolBar1 = new QFrame(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(kToolBarHeight);
    ToolBar1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    ToolBar1->setLineWidth(1);

    AddSpeedButton(QStringLiteral("NewFileSpeedButton"), 0, 25, QStringLiteral("new"),
                   QStringLiteral("Create a new file"), &TfmWinMain::NewFileSpeedButtonClick);
    AddSpeedButton(QStringLiteral("LoadFileSpeedButton"), 25, 25, QStringLiteral("load"),
                   QStringLiteral("Load an existing file"), &TfmWinMain::LoadFileSpeedButtonClick);
    AddSpeedButton(QStringLiteral("SaveFileSpeedButton"), 50, 25, QStringLiteral("save"),
                   QStringLiteral("Save the current file"), &TfmWinMain::SaveFileSpeedButtonClick);
    AddSpeedButton(QStringLiteral("SpeedButton1"), 75, 23, {}, {}, nullptr)->setEnabled(false);
    DemographicsButton = AddSpeedButton(
        QStringLiteral("DemographicsButton"), 98, 23, QStringLiteral("demographics"),
        QStringLiteral("Client Demographics Screen"), &TfmWinMain::DemographicsButtonClick);
    EntryButton =
        AddSpeedButton(QStringLiteral("EntryButton"), 121, 23, QStringLiteral("entry"),
                       QStringLiteral("Response Entry Screen"), &TfmWinMain::EntryButtonClick);
    ReportsButton =
        AddSpeedButton(QStringLiteral("ReportsButton"), 144, 23, QStringLiteral("reports"),
                       QStringLiteral("View and Print Scores"), &TfmWinMain::ReportsButtonClick);
    ConfigurationButton = AddSpeedButton(
        QStringLiteral("ConfigurationButton"), 167, 23, QStringLiteral("configuration"),
        QStringLiteral("Configuration screen"), &TfmWinMain::ConfigurationButtonClick);
    ViewScoresIndivButton = AddSpeedButton(QStringLiteral("ViewScoresIndivButton"), 190, 23, {},
                                           QStringLiteral("View individual scores"),
                                           &TfmWinMain::ViewScoresIndivButtonClick);
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

void TfmWinMain::BuildStatusBar() {
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

void TfmWinMain::HostPage(TfmPage& page) {
    page.setParent(WindowPanel);
    page.setVisible(false);
    WindowPanel->layout()->addWidget(&page);
}

void TfmWinMain::SetCommandLineArgument(const QString& argument) {
    CommandLineArgument_ = argument;
}

QString TfmWinMain::StatusPanelText(int panel) const {
    return (panel == 0 ? StatusPanel0 : StatusPanel1)->text();
}

// --- Life cycle -------------------------------------------------------------------

void TfmWinMain::FormCreate() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(MainWindowPosition(screen->geometry().size(), frameGeometry().size()));
    }
    Files_.StartupFolder = WithTrailingSeparator(QDir::toNativeSeparators(QDir::currentPath()));
}

void TfmWinMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown_) return;
    Shown_ = true;
    FormShow();
}

void TfmWinMain::FormShow() {
    RunGuarded([this] { ReadSettings(); });
    FillItemTextTable();
    BaseTitle_ = QStringLiteral("KIVO");
    ResetClientRecord(gClientRecord);
    setWindowTitle(BaseTitle_);
    ClearFileModified();
    StatusPanel0->clear();
    StatusPanel1->clear();
    fmDemographicsScreen->show();
    DemographicsButton->setChecked(true);
    if (!CommandLineArgument_.isEmpty()) RunGuarded([this] { OpenCommandLineFile(); });
}

bool TfmWinMain::event(QEvent* event) {
    if (event->type() == ModifiedNotice) {
        WMFileModified();
        return true;
    }
    return QMainWindow::event(event);
}

void TfmWinMain::WMFileModified() {
    StatusPanel1->setText(QStringLiteral(" Modified"));
}

void TfmWinMain::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TfmWinMain::FormCloseQuery() {
    bool proceed = false;
    // A save that fails keeps the window open with the unsaved client.
    return RunGuarded([&] { proceed = ResolveUnsavedChanges(); }) && proceed;
}

void TfmWinMain::FormClose() {
    // The settings are worth a message but never worth keeping the program from closing.
    RunGuarded([this] { WriteSettings(); });
}

// --- Handlers ----------------------------------------------------------------------

void TfmWinMain::NewFileSpeedButtonClick() {
    RunGuarded([this] { NewClientFile(); });
}
void TfmWinMain::New1Click() {
    RunGuarded([this] { NewClientFile(); });
}
void TfmWinMain::LoadFileSpeedButtonClick() {
    RunGuarded([this] { LoadClientFile(); });
}
void TfmWinMain::Load1Click() {
    RunGuarded([this] { LoadClientFile(); });
}
void TfmWinMain::SaveFileSpeedButtonClick() {
    RunGuarded([this] { SaveClientFile(false); });
}
void TfmWinMain::Save1Click() {
    RunGuarded([this] { SaveClientFile(false); });
}
void TfmWinMain::SaveAs1Click() {
    RunGuarded([this] { SaveClientFile(true); });
}
void TfmWinMain::Exit1Click() {
    close();
}

void TfmWinMain::About1Click() {
    fmAboutScreen->move(CentredOn(frameGeometry(), fmAboutScreen->frameGeometry().size()));
    Dialogs().RunModal(*fmAboutScreen);
}

void TfmWinMain::DemographicsButtonClick() {
    if (DemographicsButton->isChecked() && fmDemographicsScreen->isVisible()) return;
    SwitchPage(*fmDemographicsScreen, {fmConfigureScreen, fmQEntry1, fmReportScreen, fmViewScores});
}

void TfmWinMain::EntryButtonClick() {
    if (EntryButton->isChecked() && fmQEntry1->isVisible()) return;
    SwitchPage(*fmQEntry1, {fmDemographicsScreen, fmConfigureScreen, fmReportScreen, fmViewScores});
}

void TfmWinMain::ReportsButtonClick() {
    if (ReportsButton->isChecked() && fmReportScreen->isVisible()) return;
    SwitchPage(*fmReportScreen, {fmDemographicsScreen, fmQEntry1, fmConfigureScreen, fmViewScores});
}

void TfmWinMain::ConfigurationButtonClick() {
    if (ConfigurationButton->isChecked() && fmConfigureScreen->isVisible()) return;
    SwitchPage(*fmConfigureScreen, {fmDemographicsScreen, fmQEntry1, fmReportScreen, fmViewScores});
}

void TfmWinMain::ViewScoresIndivButtonClick() {
    if (ViewScoresIndivButton->isChecked() && fmViewScores->isVisible()) return;
    SwitchPage(*fmViewScores, {fmDemographicsScreen, fmConfigureScreen, fmQEntry1, fmReportScreen});
}

void TfmWinMain::PrintBlankQuestionnaire1Click() {
    PrintBlankQuestionnaire(kShortFormA);
}
void TfmWinMain::PrintBlankQuestionnaireKIVOsb1Click() {
    PrintBlankQuestionnaire(kShortFormB);
}
void TfmWinMain::PrintBlankQuestionnaireKIVO1Click() {
    PrintBlankQuestionnaire(kLongForm);
}

void TfmWinMain::PrintBlankQuestionnaire(FormKind form) {
    RunGuarded([form] { fmQPrint->PrintBlankQuestionnaire(form); });
}

}  // namespace kivo
