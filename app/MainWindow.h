// The main window, which hosts one page at a time and runs the menu's and tool bar's commands
// on the open client.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "app/ClientSession.h"
#include "model/Questionnaire.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QMenu;
class QMimeData;
class QScrollArea;
class QToolButton;

namespace kivo {

class AboutBox;
class ClientListWindow;
class ConfigurationPage;
class DemographicsPage;
class HelpWindow;
class ItemScoresPage;
class Page;
class QuestionnairePrinting;
class ResponseEntryPage;
class ScoreReportPrinting;
class SubscaleScoresPage;

// The windows the main window hosts and shows, made once by CreateWindows (app/Windows.h) and
// kept by the main window, whose children they are.
struct WindowPages {
    DemographicsPage* demographics = nullptr;
    ConfigurationPage* configuration = nullptr;
    SubscaleScoresPage* subscaleScores = nullptr;
    ResponseEntryPage* responseEntry = nullptr;
    ItemScoresPage* itemScores = nullptr;
    AboutBox* aboutBox = nullptr;
};

// The main window: menu, tool bar, page area and status bar; it hosts one page at a time
// and hands the client file commands to its ClientSession.
class MainWindow : public QMainWindow, private ClientView {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // Takes the pages made for this window: lays each over the page area, hidden, and puts the
    // five pages into the page switch with their tool bar buttons.
    void TakePages(const WindowPages& pages);
    const WindowPages& Pages() const { return pages_; }
    // The first command-line argument: a client file to open at the first show.
    void SetCommandLineArgument(const QString& argument);

    // The menu's commands, one action each, shared by the menu and the tool bar. Object names:
    // actionNew (Ctrl+N), actionLoad (Ctrl+O), actionSave (Ctrl+S), actionSaveAs
    // (Ctrl+Shift+S), actionExit (Ctrl+Q, Alt+X), actionPrintScores (Ctrl+P),
    // actionFindClient (Ctrl+F), actionPrintBlankFormA, actionPrintBlankFormB,
    // actionPrintBlankLongForm, actionHelpContents (F1), actionAbout; the Open Recent menu's
    // actionRecentFile1 to 8; and, in the Pages menu, the page buttons' actionShowDemographics
    // (Ctrl+1), actionShowResponseEntry (Ctrl+2) and actionShowReports (Ctrl+3).
    QAction* Action(const QString& objectName) const;

    // The page switch of the tool bar's page buttons: hides the visible page (which stores
    // its controls) and shows `page`. Nothing happens when it is already shown.
    void Show(Page& page);

    // The open client's file and its commands.
    ClientSession& Session() { return *session_; }
    const ClientSession& Session() const { return *session_; }
    // A client file from outside the window: handed over by a second start of the program
    // or dropped on the window. Raises the window, then has the session open the file
    // through the unsaved-changes question once no modal window is open.
    void OpenFileFromElsewhere(const QString& path);

    // The window on a screen of `screen` with the free area `available`: its fixed size and
    // place where it fits; else cut to the free area with a scrolling page area.
    void FitToScreen(const QRect& screen, const QRect& available);
    // The built-in guide (F1, Help > Contents).
    void ShowHelp();
    // File > Find Client: the client list over the session's data folder, or the open one
    // raised. A client chosen in it opens through the session.
    void ShowClientList();

    // The printing of the Reports menu and of Print Scores; the window owns both for the run.
    void TakePrinting(std::unique_ptr<QuestionnairePrinting> questionnaires,
                      std::unique_ptr<ScoreReportPrinting> scoreReport);
    QuestionnairePrinting& Questionnaires() { return *questionnaires_; }
    ScoreReportPrinting& ScoreReport() { return *scoreReport_; }

    QString StatusPanelText(int panel) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Places the window on the screen.
    void PlaceOnScreen();
    // The first show: settings, item texts, an empty client, the demographics page and the
    // file named on the command line.
    void StartFirstClient();
    // Closing: false when the unsaved-changes question was cancelled or its save failed.
    bool ConfirmClose();
    void ShowModifiedMark();
    // Fits the window again once the window manager's frame is known.
    void RefitWithFrame();
    void RebuildRecentMenu();
    void PrintScores();

    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildPageShortcuts();
    QAction* AddCommand(QMenu* menu, const QString& name, const QString& caption,
                        const std::function<void()>& command);
    QToolButton* AddToolButton(const QString& name, int left, int width, const QString& glyph,
                               const QString& hint);

    // ClientView: the pages around the session's commands.
    void StoreEdits() override;
    void LeaveClient() override;
    void ShowClient() override;

    void PrintBlankQuestionnaire(FormKind form);
    void ShowAboutBox();

    // The single client file of a drag, or empty when the drag carries anything else.
    static QString DroppedClientFile(const QMimeData* data);

    // A page of the page switch and the tool bar button that shows it.
    struct PageButton {
        Page* page = nullptr;
        QToolButton* button = nullptr;
    };

    std::unique_ptr<ClientSession> session_;
    std::unique_ptr<QuestionnairePrinting> questionnaires_;
    std::unique_ptr<ScoreReportPrinting> scoreReport_;
    WindowPages pages_;
    // The page switch, in the tool bar's order; a page without a button has none here.
    std::vector<PageButton> pageTable_;
    QString commandLineArgument_;
    bool shown_ = false;
    QRect screen_;
    QRect available_;
    bool fitted_ = false;  // cut to a small screen

    QFrame* toolBar_ = nullptr;
    QFrame* windowPanel_ = nullptr;
    QScrollArea* pageScroll_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* pagesMenu_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    QPointer<ClientListWindow> clientList_;
    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QButtonGroup* pageButtons_ = nullptr;
    QToolButton* demographicsButton_ = nullptr;
    QToolButton* entryButton_ = nullptr;
    QToolButton* reportsButton_ = nullptr;
    QToolButton* configurationButton_ = nullptr;
    QToolButton* itemScoresButton_ = nullptr;
};

}  // namespace kivo
