// The open client's file and the commands on it: New, Load, Save, Save As, Open Recent, the
// command-line open, files from outside, and the settings file.
#include "app/ClientSession.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "app/ClientFileIo.h"
#include "app/FileNames.h"
#include "app/Settings.h"
#include "app/clientlist/ClientIdQuestion.h"
#include "drawing/RecordText.h"
#include "model/Error.h"
#include "model/Session.h"
#include "shell/DialogSeam.h"
#include "shell/ErrorBox.h"
#include "shell/FileModified.h"
#include "shell/StatusMessage.h"

namespace kivo {

namespace {

const QString kUnsavedChangesQuestion = QStringLiteral(
    "You have unsaved changes in the current file.  Would you like to save before continuing?");

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

// Asked when the client's file name now leads to `target`, a file that is neither the one
// loaded nor a client file (a link swapped after the load): Yes writes the client there.
bool ConfirmChangedTarget(const QString& path, const QString& target, QWidget* owner) {
    MessageRequest question{QStringLiteral("\"") + path +
                                QStringLiteral("\" has changed since it was loaded: it now leads "
                                               "to \"") +
                                target +
                                QStringLiteral("\", which is not a client file.\nDo you want to "
                                               "save the client there anyway?"),
                            kApplicationTitle, DialogIcon::Question,
                            DialogButton::Yes | DialogButton::No, owner};
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

ClientSession::ClientSession(ClientView& view, QWidget* dialogOwner)
    : view_(view), dialogOwner_(dialogOwner) {
    files_.StartupFolder = WithTrailingSeparator(QDir::toNativeSeparators(QDir::currentPath()));
    pendingTimer_ = new QTimer(this);
    pendingTimer_->setSingleShot(true);
    pendingTimer_->setInterval(250);
    connect(pendingTimer_, &QTimer::timeout, this, &ClientSession::OpenPendingFiles);
}

ClientSession::~ClientSession() = default;

QString ClientSession::Title() const {
    return TitleFor(QStringLiteral("KIVO"), files_.CurrentShortName);
}

bool ClientSession::ResolveUnsavedChanges() {
    return ResolveUnsavedChanges(kUnsavedChangesQuestion);
}

bool ClientSession::ResolveUnsavedChanges(const QString& question) {
    if (!FileModified()) return true;
    const DialogButton answer = Dialogs().Message(
        {question, QStringLiteral("Confirm"), DialogIcon::Question,
         DialogButton::Yes | DialogButton::No | DialogButton::Cancel, dialogOwner_});
    if (answer == DialogButton::Cancel) return false;
    // Yes goes on only once the client is on disk: a cancelled Save As stops the command
    // here, a failed write raises its error and stops it there.
    if (answer == DialogButton::Yes) return SaveClientFile(false);
    return true;
}

FileRequest ClientSession::ClientFileRequest(const QString& title) const {
    FileRequest request;
    request.title = title;
    request.filter = QStringLiteral("KIVO Files (*.KVO *.kvo)");
    request.defaultSuffix = QStringLiteral("KVO");
    request.owner = dialogOwner_;
    return request;
}

void ClientSession::TakeFileName(const QString& path) {
    files_.CurrentFileName = path;
    files_.CurrentShortName = NamePart(path);
    files_.CurrentFile.reset();
    emit FileChanged(path);
}

void ClientSession::MarkSaved() {
    ClearFileModified();
    emit TitleChanged(Title());
    emit Saved();
}

void ClientSession::StartEmpty() {
    ResetClientRecord(gClientRecord);
    MarkSaved();
    // Once the status bar is fresh: KIVO.INI was read only in part.
    if (!settingsNotice_.isEmpty()) ShowStatusMessage(std::exchange(settingsNotice_, QString()));
}

void ClientSession::New() {
    if (!ResolveUnsavedChanges()) return;
    TakeFileName(QString());
    view_.LeaveClient();
    ResetClientRecord(gClientRecord);
    view_.ShowClient();
    MarkSaved();
}

void ClientSession::Load() {
    if (!ResolveUnsavedChanges()) return;
    FileRequest request = ClientFileRequest(QStringLiteral("Load a file"));
    request.folder = files_.DataPath;
    const auto chosen = Dialogs().OpenFileName(request);
    if (!chosen) return;
    OpenClientFile(QDir::toNativeSeparators(*chosen));
}

void ClientSession::OpenCommandLineFile(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return;
    OpenClientFile(path);
}

bool ClientSession::Open(const QString& path) {
    if (!ResolveUnsavedChanges()) return false;
    OpenClientFile(path);
    return true;
}

void ClientSession::OpenClientFile(const QString& path) {
    // Read first: a file that cannot be opened changes nothing, not even the file name,
    // so a later Save can never write this client over the file that failed to open.
    ClientRecord loaded = gClientRecord;
    const platform::FileIdentity file = LoadClientImage(path, loaded);

    view_.LeaveClient();
    gClientRecord = loaded;
    TakeFileName(path);
    files_.CurrentFile = file;
    files_.DataPath = FolderPart(path);
    view_.ShowClient();
    MarkSaved();
    AddRecentFile(path);
}

bool ClientSession::Save() {
    return SaveClientFile(false);
}

bool ClientSession::SaveAs() {
    return SaveClientFile(true);
}

bool ClientSession::SaveClientFile(bool saveAs) {
    QString path = files_.CurrentFileName;
    const bool newName = saveAs || path.isEmpty();
    if (newName) {
        FileRequest request = ClientFileRequest(QStringLiteral("Save this file as..."));
        request.folder = files_.DataPath;
        request.fileName = files_.CurrentShortName;
        if (request.fileName.isEmpty()) {
            // The suggestion is built from what is on screen.
            view_.StoreEdits();
            request.fileName = SuggestedFileName();
        }
        request.confirmOverwrite = true;
        const auto chosen = Dialogs().SaveFileName(request);
        if (!chosen) return false;
        path = QDir::toNativeSeparators(WithClientExtension(*chosen));
        // The dialog asked about the name as typed; No to the completed name ends the Save As
        // as Cancel in the dialog would.
        if (!chosen->endsWith(QStringLiteral(".kvo"), Qt::CaseInsensitive) &&
            QFileInfo::exists(path) && !ConfirmReplace(path, request.title, dialogOwner_)) {
            return false;
        }
    }
    view_.StoreEdits();
    // A new file for a client whose ID another client's file holds: asked before writing.
    if (newName && !ConfirmClientIdUse(files_.DataPath, path, gClientRecord, dialogOwner_)) {
        return false;
    }
    // A failed write leaves the old file whole and raises its error here, before the file
    // name, the title or the modified flag change. A name the user just chose is written
    // wherever it leads; the open client's own name only to the file it was loaded from.
    platform::FileIdentity written;
    try {
        written = SaveClientImage(path, gClientRecord, newName ? std::nullopt : files_.CurrentFile);
    } catch (const ChangedFileError& changed) {
        if (!ConfirmChangedTarget(path, changed.Target(), dialogOwner_)) return false;
        written = SaveClientImage(path, gClientRecord);
    }
    if (newName) {
        TakeFileName(path);
        files_.DataPath = FolderPart(path);
    }
    files_.CurrentFile = written;
    MarkSaved();
    AddRecentFile(path);
    return true;
}

QString ClientSession::SuggestedFileName() const {
    return SuggestedClientFileName(drawing::RecordText(gClientRecord.LastName),
                                   drawing::RecordText(gClientRecord.ClientId));
}

void ClientSession::OpenRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        recentFiles_.removeIf([&path](const QString& entry) { return SamePath(entry, path); });
        emit RecentFilesChanged();
        SettingsChanged();
        Dialogs().Message({QStringLiteral("The file \"") + path +
                               QStringLiteral("\" no longer exists. It has been removed from "
                                              "the list of recent files."),
                           kApplicationTitle, DialogIcon::Stop, DialogButton::Ok, dialogOwner_});
        return;
    }
    Open(path);
}

void ClientSession::AddRecentFile(const QString& path) {
    // Full paths, so an entry from a relative command-line name still opens from elsewhere.
    const QString full = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    recentFiles_.removeIf([&full](const QString& entry) { return SameRecentFile(entry, full); });
    recentFiles_.prepend(full);
    while (recentFiles_.size() > kRecentFileCount) recentFiles_.removeLast();
    emit RecentFilesChanged();
    SettingsChanged();
}

void ClientSession::OpenWhenIdle(const QString& path) {
    // The same file handed over again while it waits, or while its question is open, is one
    // request: it asks once.
    const auto same = [&path](const QString& other) { return SameRecentFile(other, path); };
    if (std::any_of(pendingOpens_.cbegin(), pendingOpens_.cend(), same) ||
        (!openingNow_.isEmpty() && same(openingNow_))) {
        return;
    }
    pendingOpens_ << path;
    OpenPendingFiles();
}

void ClientSession::OpenHandedOver(const QString& path) {
    // Missing, a folder, a device: the message Load gives for it, before any question.
    if (!QFileInfo(path).isFile()) {
        ClientRecord unused{};
        LoadClientImage(path, unused);
        return;
    }
    const QString name = NamePart(path);
    if (!files_.CurrentFileName.isEmpty() && SameRecentFile(path, files_.CurrentFileName)) {
        // The open file again: saving first would only write the edits over what is to be
        // read back, so the question is whether to drop them; keeping them is the default.
        if (FileModified()) {
            MessageRequest question{
                name + QStringLiteral(" is open with unsaved changes. Reload it from the disk "
                                      "and lose the changes?"),
                QStringLiteral("Confirm"), DialogIcon::Question,
                DialogButton::Yes | DialogButton::No, dialogOwner_};
            question.defaultButton = DialogButton::No;
            if (Dialogs().Message(question) != DialogButton::Yes) return;
        }
        OpenClientFile(path);
        return;
    }
    if (!ResolveUnsavedChanges(QStringLiteral("Open ") + name +
                               QStringLiteral("? The current client has unsaved changes: save "
                                              "them first?"))) {
        return;
    }
    OpenClientFile(path);
}

void ClientSession::OpenPendingFiles() {
    // A question or dialog of the program is open: the file waits until it is answered.
    if (openingPending_ || QApplication::activeModalWidget() != nullptr) {
        if (!pendingOpens_.isEmpty()) pendingTimer_->start();
        return;
    }
    openingPending_ = true;
    while (!pendingOpens_.isEmpty()) {
        openingNow_ = pendingOpens_.takeFirst();
        RunGuarded([this] { OpenHandedOver(openingNow_); });
    }
    openingNow_.clear();
    openingPending_ = false;
}

void ClientSession::ReadSettings() {
    settingsPlace_ = FindSettingsFile(files_.StartupFolder, UserSettingsFolder());
    const StoredSettings stored = ReadSettingsFile(settingsPlace_.readFrom);
    files_.DataPath = stored.dataPath.value_or(files_.StartupFolder);
    recentFiles_ = stored.recentFiles;
    settingsNotice_ = stored.cut ? SettingsCutMessage(settingsPlace_.readFrom) : QString();
    emit RecentFilesChanged();
}

void ClientSession::WriteSettings() {
    if (settingsPlace_.writeTo.isEmpty()) return;  // never read: nothing to keep
    try {
        WriteSettingsFile(settingsPlace_.writeTo, files_.DataPath, recentFiles_);
    } catch (const Error&) {
        // The start-up folder's file cannot be written after all: the user's own folder
        // takes the settings from now on.
        const QString own = SettingsPath(UserSettingsFolder());
        if (SamePath(settingsPlace_.writeTo, own)) throw;
        settingsPlace_.writeTo = own;
        WriteSettingsFile(own, files_.DataPath, recentFiles_);
    }
}

void ClientSession::SettingsChanged() {
    try {
        WriteSettings();
    } catch (const Error& error) {
        ShowStatusMessage(QString::fromStdString(error.what()));
    }
}

}  // namespace kivo
