#pragma once

#include <QMainWindow>
#include <QString>

#include "DialogSeam.h"
#include "Questionnaire.h"

class QAbstractButton;
class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QToolButton;

namespace kivo {

class TfmPage;

// Where the open client lives on disk, and where the dialogs start.
struct FileBookkeeping {
    QString CurrentFileName;   // full path of the open client file; empty for a new client
    QString CurrentShortName;  // the name part of CurrentFileName
    QString DataPath;          // the Load dialog's folder, with its trailing separator
    QString StartupFolder;     // the current folder at start, with its trailing separator
};

// The main window: menu, tool bar, page area and status bar; it hosts one page at a time
// and runs the client file commands.
class TfmWinMain : public QMainWindow {
    Q_OBJECT
public:
    TfmWinMain();
    ~TfmWinMain() override;

    // Lays `page` over the page area.
    void HostPage(TfmPage& page);
    // The first command-line argument: a client file to open at the first show.
    void SetCommandLineArgument(const QString& argument);

    // Menu and tool-bar handlers.
    void NewFileSpeedButtonClick();
    void New1Click();
    void LoadFileSpeedButtonClick();
    void Load1Click();
    void SaveFileSpeedButtonClick();
    void Save1Click();
    void SaveAs1Click();
    void Exit1Click();
    void About1Click();
    void DemographicsButtonClick();
    void EntryButtonClick();
    void ReportsButtonClick();
    void ConfigurationButtonClick();
    void ViewScoresIndivButtonClick();
    void PrintBlankQuestionnaire1Click();
    void PrintBlankQuestionnaireKIVOsb1Click();
    void PrintBlankQuestionnaireKIVO1Click();

    // Client file commands; errors are raised as Error.
    void NewClientFile();
    void LoadClientFile();
    // True when the file was written; false when the Save As dialog was cancelled.
    bool SaveClientFile(bool saveAs);
    void OpenCommandLineFile();
    void ReadSettings();
    void WriteSettings();

    const FileBookkeeping& Files() const { return Files_; }
    const QString& BaseTitle() const { return BaseTitle_; }
    QString StatusPanelText(int panel) const;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void WMFileModified();

    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    QToolButton* AddSpeedButton(const QString& name, int left, int width, const QString& glyph,
                                const QString& hint, void (TfmWinMain::*handler)());

    // Asks about unsaved changes when there are any; Yes saves. False when the user cancelled.
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
    FileRequest ClientFileRequest(const QString& title);

    FileBookkeeping Files_;
    QString BaseTitle_;
    QString CommandLineArgument_;
    bool Shown_ = false;

    QFrame* ToolBar1 = nullptr;
    QFrame* WindowPanel = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QButtonGroup* PageButtons = nullptr;
    QToolButton* DemographicsButton = nullptr;
    QToolButton* EntryButton = nullptr;
    QToolButton* ReportsButton = nullptr;
    QToolButton* ConfigurationButton = nullptr;
    QToolButton* ViewScoresIndivButton = nullptr;
};

extern TfmWinMain* fmWinMain;

}  // namespace kivo
