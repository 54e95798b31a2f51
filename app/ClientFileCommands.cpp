// The client file commands of the main window: New, Load, Save, Save As, Open Recent, the
// command-line open and the settings file.

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "app/ClientFileIo.h"
#include "app/FileNames.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "drawing/RecordText.h"
#include "model/Session.h"
#include "pages/configuration/ConfigurationPage.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "shell/DialogSeam.h"
#include "shell/ErrorBox.h"
#include "shell/FileModified.h"

namespace kivo {

const QString kUnsavedChangesQuestion = QStringLiteral(
    "You have unsaved changes in the current file.  Would you like to save before continuing?");

namespace {

// A client file always ends in ".KVO": the file dialog adds it only to a name without any
// dot, so "Mary.Smith" would otherwise be saved as a file KIVO does not list.
QString WithClientExtension(const QString& path) {
    if (path.endsWith(QStringLiteral(".kvo"), Qt::CaseInsensitive)) return path;
    return path + QStringLiteral(".KVO");
}

// The file dialog's own question, for a name that the extension turned into another file.
bool ConfirmReplace(const QString& path, const QString& caption, QWidget* owner) {
    MessageRequest question{
        QFileInfo(path).fileName() + QStringLiteral(" already exists.\nDo you want to replace it?"),
        caption, DialogIcon::Question, DialogButton::Yes | DialogButton::No, owner};
    question.defaultButton = DialogButton::No;
    return Dialogs().Message(question) == DialogButton::Yes;
}

// True when the two names reach one file: the same spelling, or one file on disk through
// a link or a name relative to the start folder (KIVO.INI may hold either).
bool SameRecentFile(const QString& a, const QString& b) {
    if (SamePath(a, b)) return true;
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

}  // namespace

bool MainWindow::ResolveUnsavedChanges() {
    if (!FileModified()) return true;
    const DialogButton answer =
        Dialogs().Message({kUnsavedChangesQuestion, QStringLiteral("Confirm"), DialogIcon::Question,
                           DialogButton::Yes | DialogButton::No | DialogButton::Cancel, this});
    if (answer == DialogButton::Cancel) return false;
    // Yes goes on only once the client is on disk: a cancelled Save As stops the command
    // here, a failed write raises its error and stops it there.
    if (answer == DialogButton::Yes) return SaveClientFile(false);
    return true;
}

FileRequest MainWindow::ClientFileRequest(const QString& title) {
    FileRequest request;
    request.title = title;
    request.filter = QStringLiteral("KIVO Files (*.KVO *.kvo)");
    request.defaultSuffix = QStringLiteral("KVO");
    request.owner = this;
    return request;
}

void MainWindow::TakeFileName(const QString& path) {
    files_.CurrentFileName = path;
    files_.CurrentShortName = NamePart(path);
}

void MainWindow::MarkSaved() {
    ClearFileModified();
    statusPanel1_->clear();
    // A note on the last paste belongs to the work just saved or left.
    statusPanel0_->clear();
}

void MainWindow::StoreVisiblePages() {
    if (gDemographicsPage->isVisible()) gDemographicsPage->ControlsToRecord();
    if (gResponseEntryPage->isVisible()) gResponseEntryPage->StoreResponses();
}

void MainWindow::ShowDemographicsFromRecord() {
    HideVisible({gConfigurationPage});
    if (gDemographicsPage->isVisible()) {
        gDemographicsPage->RecordToControls();
    } else {
        gDemographicsPage->show();
    }
    demographicsButton_->setChecked(true);
}

void MainWindow::NewClientFile() {
    if (!ResolveUnsavedChanges()) return;
    files_.CurrentFileName.clear();
    files_.CurrentShortName.clear();
    setWindowTitle(baseTitle_);
    HideVisible({gResponseEntryPage, gSubscaleScoresPage, gItemScoresPage});
    ResetClientRecord(gClientRecord);
    ShowDemographicsFromRecord();
    MarkSaved();
}

void MainWindow::LoadClientFile() {
    if (!ResolveUnsavedChanges()) return;
    FileRequest request = ClientFileRequest(QStringLiteral("Load a file"));
    request.folder = files_.DataPath;
    const auto chosen = Dialogs().OpenFileName(request);
    if (!chosen) return;
    const QString path = QDir::toNativeSeparators(*chosen);

    OpenClientFile(path);
}

void MainWindow::OpenCommandLineFile() {
    if (!QFileInfo(commandLineArgument_).isFile()) return;
    OpenClientFile(commandLineArgument_);
}

void MainWindow::OpenClientFile(const QString& path) {
    // Read first: a file that cannot be opened changes nothing, not even the file name,
    // so a later Save can never write this client over the file that failed to open.
    ClientRecord loaded = gClientRecord;
    LoadClientImage(path, loaded);

    HideVisible({gResponseEntryPage, gSubscaleScoresPage, gItemScoresPage});
    gClientRecord = loaded;
    TakeFileName(path);
    files_.DataPath = FolderPart(path);
    ShowDemographicsFromRecord();
    setWindowTitle(TitleFor(baseTitle_, files_.CurrentShortName));
    MarkSaved();
    AddRecentFile(path);
}

bool MainWindow::SaveClientFile(bool saveAs) {
    QString path = files_.CurrentFileName;
    const bool newName = saveAs || path.isEmpty();
    if (newName) {
        FileRequest request = ClientFileRequest(QStringLiteral("Save this file as..."));
        request.folder = files_.DataPath;
        request.fileName = files_.CurrentShortName;
        if (request.fileName.isEmpty()) {
            // The suggestion is built from what is on screen.
            StoreVisiblePages();
            request.fileName = SuggestedFileName();
        }
        request.confirmOverwrite = true;
        const auto chosen = Dialogs().SaveFileName(request);
        if (!chosen) return false;
        path = QDir::toNativeSeparators(WithClientExtension(*chosen));
        // The dialog asked about the name as typed; No to the completed name ends the Save As
        // as Cancel in the dialog would.
        if (!chosen->endsWith(QStringLiteral(".kvo"), Qt::CaseInsensitive) &&
            QFileInfo::exists(path) && !ConfirmReplace(path, request.title, this)) {
            return false;
        }
    }
    StoreVisiblePages();
    // A failed write leaves the old file whole and raises its error here, before the file
    // name, the title or the modified flag change.
    SaveClientImage(path, gClientRecord);
    if (newName) {
        TakeFileName(path);
        files_.DataPath = FolderPart(path);
    }
    setWindowTitle(TitleFor(baseTitle_, files_.CurrentShortName));
    MarkSaved();
    AddRecentFile(path);
    return true;
}

QString MainWindow::SuggestedFileName() const {
    return SuggestedClientFileName(drawing::RecordText(gClientRecord.LastName),
                                   drawing::RecordText(gClientRecord.ClientId));
}

void MainWindow::OpenRecentFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        recentFiles_.removeIf([&path](const QString& entry) { return SamePath(entry, path); });
        RebuildRecentMenu();
        Dialogs().Message({QStringLiteral("The file \"") + path +
                               QStringLiteral("\" no longer exists. It has been removed from "
                                              "the list of recent files."),
                           kApplicationTitle, DialogIcon::Stop, DialogButton::Ok, this});
        return;
    }
    if (!ResolveUnsavedChanges()) return;
    OpenClientFile(path);
}

void MainWindow::AddRecentFile(const QString& path) {
    // Full paths, so an entry from a relative command-line name still opens from elsewhere.
    const QString full = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    recentFiles_.removeIf([&full](const QString& entry) { return SameRecentFile(entry, full); });
    recentFiles_.prepend(full);
    while (recentFiles_.size() > kRecentFileCount) recentFiles_.removeLast();
    RebuildRecentMenu();
}

void MainWindow::RebuildRecentMenu() {
    for (QAction* action : recentMenu_->actions()) {
        recentMenu_->removeAction(action);
        // It may be the action running now; its name goes at once so it is never found again.
        action->setObjectName(QString());
        action->deleteLater();
    }
    for (qsizetype i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_.at(i);
        QString caption = path;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        action->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        connect(action, &QAction::triggered, this,
                [this, path] { RunGuarded([this, &path] { OpenRecentFile(path); }); });
    }
    recentMenu_->setEnabled(!recentFiles_.isEmpty());
}

void MainWindow::ReadSettings() {
    const QString settings = SettingsPath(files_.StartupFolder);
    files_.DataPath = ReadDataPath(settings, files_.StartupFolder);
    recentFiles_ = ReadRecentFiles(settings);
    RebuildRecentMenu();
}

void MainWindow::WriteSettings() {
    WriteSettingsFile(SettingsPath(files_.StartupFolder), files_.DataPath, recentFiles_);
}

}  // namespace kivo
