// The main window, which hosts one page at a time and runs the menu's and tool bar's commands
// on the open client.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "model/Questionnaire.h"
#include "shell/DialogSeam.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QMenu;
class QMimeData;
class QScrollArea;
class QTimer;
class QToolButton;

namespace kivo {

class HelpWindow;
class Page;
class QuestionnairePrinting;
class ScoreReportPrinting;

// Where the open client lives on disk, and where the dialogs start.
struct FileBookkeeping {
    QString CurrentFileName;   // full path of the open client file; empty for a new client
    QString CurrentShortName;  // the name part of CurrentFileName
    QString DataPath;          // the Load dialog's folder, with its trailing separator
    QString StartupFolder;     // the current folder at start, with its trailing separator
};

// The main window: menu, tool bar, page area and status bar; it hosts one page at a time
// and runs the client file commands.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // Lays `page` over the page area.
    void HostPage(Page& page);
    // The first command-line argument: a client file to open at the first show.
    void SetCommandLineArgument(const QString& argument);

    // The menu's commands, one action each, shared by the menu and the tool bar. Object names:
    // actionNew (Ctrl+N), actionLoad (Ctrl+O), actionSave (Ctrl+S), actionSaveAs
    // (Ctrl+Shift+S), actionExit (Alt+X, Ctrl+Q), actionPrintScores (Ctrl+P),
    // actionPrintBlankFormA, actionPrintBlankFormB, actionPrintBlankLongForm,
    // actionHelpContents (F1), actionAbout; the Open Recent menu's actionRecentFile1 to 8;
    // and, without a menu item, the page buttons' actionShowDemographics (Ctrl+1),
    // actionShowResponseEntry (Ctrl+2) and actionShowReports (Ctrl+3).
    QAction* Action(const QString& objectName) const;

    // The page switch of the tool bar's page buttons: hides the visible page (which stores
    // its controls) and shows the chosen one. Nothing happens when it is already shown.
    void ShowDemographicsPage();
    void ShowResponseEntryPage();
    void ShowSubscaleScoresPage();
    void ShowConfigurationPage();
    void ShowItemScoresPage();

    // Client file commands; errors are raised as Error.
    void NewClientFile();
    void LoadClientFile();
    // True when the file was written; false when the Save As dialog was cancelled.
    bool SaveClientFile(bool saveAs);
    void OpenCommandLineFile();
    void ReadSettings();
    void WriteSettings();
    // Opens a file of the Open Recent menu through the unsaved-changes question; a file that
    // is gone is dropped from the menu with a message instead.
    void OpenRecentFile(const QString& path);
    // The client files opened or saved last, newest first (full paths, at most eight).
    const QStringList& RecentFiles() const { return recentFiles_; }
    // A client file from outside the window: handed over by a second start of the program
    // or dropped on the window. Raises the window, then opens the file through the
    // unsaved-changes question, once no modal window is open; a path that names no file is
    // passed over without a word, as on the command line.
    void OpenFileFromElsewhere(const QString& path);

    // The window on a screen of `screen` with the free area `available`: its fixed size and
    // place where it fits; else cut to the free area with a scrolling page area.
    void FitToScreen(const QRect& screen, const QRect& available);
    // The built-in guide (F1, Help > Contents).
    void ShowHelp();

    // The printing of the Reports menu and of Print Scores; the window owns both for the run.
    void TakePrinting(std::unique_ptr<QuestionnairePrinting> questionnaires,
                      std::unique_ptr<ScoreReportPrinting> scoreReport);
    QuestionnairePrinting& Questionnaires() { return *questionnaires_; }
    ScoreReportPrinting& ScoreReport() { return *scoreReport_; }

    const FileBookkeeping& Files() const { return files_; }
    const QString& BaseTitle() const { return baseTitle_; }
    QString StatusPanelText(int panel) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Places the window on the screen and notes the start-up folder.
    void PlaceOnScreen();
    // The first show: settings, item texts, an empty client, the demographics page and the
    // file named on the command line.
    void StartFirstClient();
    // Closing: false when the unsaved-changes question was cancelled or its save failed.
    bool ConfirmClose();
    void ShowModifiedMark();
    // Fits the window again once the window manager's frame is known.
    void RefitWithFrame();
    void OpenPendingFiles();
    void AddRecentFile(const QString& path);
    void RebuildRecentMenu();
    void PrintScores();
    // The name Save As offers a client that has no file yet.
    QString SuggestedFileName() const;

    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildPageShortcuts();
    QAction* AddCommand(QMenu* menu, const QString& name, const QString& caption,
                        const std::function<void()>& command);
    QToolButton* AddToolButton(const QString& name, int left, int width, const QString& glyph,
                               const QString& hint);

    // Asks about unsaved changes when there are any; Yes saves. False when the user cancelled
    // or the save did not complete (its dialog cancelled; a failed write raises its error).
    bool ResolveUnsavedChanges();
    // Makes the visible editing pages store their controls into the record.
    void StoreVisiblePages();
    // Shows the demographics page with the record's contents and presses its button.
    void ShowDemographicsFromRecord();
    // Reads a client file and makes it the open client (Load, command-line open).
    void OpenClientFile(const QString& path);
    void TakeFileName(const QString& path);
    void MarkSaved();
    void PrintBlankQuestionnaire(FormKind form);
    void ShowAboutBox();
    FileRequest ClientFileRequest(const QString& title);

    // The single client file of a drag, or empty when the drag carries anything else.
    static QString DroppedClientFile(const QMimeData* data);

    std::unique_ptr<QuestionnairePrinting> questionnaires_;
    std::unique_ptr<ScoreReportPrinting> scoreReport_;
    FileBookkeeping files_;
    QString baseTitle_;
    QString commandLineArgument_;
    bool shown_ = false;
    QStringList recentFiles_;
    QStringList pendingOpens_;
    bool openingPending_ = false;
    QRect screen_;
    QRect available_;
    bool fitted_ = false;  // cut to a small screen

    QFrame* toolBar1_ = nullptr;
    QFrame* windowPanel_ = nullptr;
    QScrollArea* pageScroll_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QTimer* pendingTimer_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QButtonGroup* pageButtons_ = nullptr;
    QToolButton* demographicsButton_ = nullptr;
    QToolButton* entryButton_ = nullptr;
    QToolButton* reportsButton_ = nullptr;
    QToolButton* configurationButton_ = nullptr;
    QToolButton* viewScoresIndivButton_ = nullptr;
};

extern MainWindow* gMainWindow;

}  // namespace kivo
