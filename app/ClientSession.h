// The open client as a document: its file, its unsaved changes, the client file commands
// (New, Load, Save, Save As, Open Recent, the command-line open, files handed over or
// dropped), the recent files and the data folder with the settings file that keeps them.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "app/Settings.h"
#include "model/Platform.h"
#include "shell/DialogSeam.h"

class QTimer;
class QWidget;

namespace kivo {

// Where the open client lives on disk, and where the dialogs start.
struct FileBookkeeping {
    QString CurrentFileName;   // full path of the open client file; empty for a new client
    QString CurrentShortName;  // the name part of CurrentFileName
    // The file CurrentFileName led to when it was loaded or last saved: a Save asks before
    // writing to a file that is neither it nor a client file.
    std::optional<platform::FileIdentity> CurrentFile;
    QString DataPath;       // the Load dialog's folder, with its trailing separator
    QString StartupFolder;  // the current folder at start, with its trailing separator
};

// What the session needs of the window that shows the client; the window answers at once.
class ClientView {
public:
    virtual ~ClientView() = default;
    // The visible editing pages store their controls into the record.
    virtual void StoreEdits() = 0;
    // The pages that show the old client's answers and scores are hidden (their edits stored)
    // before the record is replaced.
    virtual void LeaveClient() = 0;
    // The demographics page shows the record, which is now the open client.
    virtual void ShowClient() = 0;
};

// The open client's file and the commands on it. The record itself is gClientRecord
// (model/Session.h); the session decides when it is replaced, read and written. Errors of the
// commands are raised as Error for the caller's RunGuarded; every question and file dialog
// goes through the DialogSeam, owned by `dialogOwner`.
class ClientSession : public QObject {
    Q_OBJECT
public:
    ClientSession(ClientView& view, QWidget* dialogOwner);
    ~ClientSession() override;

    // Reads the data folder and the recent files from KIVO.INI: the start-up folder's (noted
    // here, at construction) when it holds one that can be replaced, else the user's own
    // (FindSettingsFile). WriteSettings writes them back, to the user's folder when the
    // start-up folder's file cannot be written; they are also written whenever they change.
    void ReadSettings();
    void WriteSettings();
    // The KIVO.INI the settings were read from (empty before ReadSettings).
    const QString& SettingsFile() const { return settingsPlace_.readFrom; }

    // An empty, unmodified client with no file: the state at the first show.
    void StartEmpty();
    // Opens `path` when it names a file (the command line); anything else is passed over.
    void OpenCommandLineFile(const QString& path);

    // File > New, Load, Save, Save As. New and Load ask the unsaved-changes question first.
    void New();
    void Load();
    // True when the file was written; false when the Save As dialog was cancelled, or when
    // the file's name now leads to another file than the one loaded and the user said No to
    // writing there.
    bool Save();
    bool SaveAs();
    // Opens a file of the Open Recent menu through the unsaved-changes question; a file that
    // is gone is dropped from the list with a message instead.
    void OpenRecent(const QString& path);
    // Opens `path` through the unsaved-changes question (no file dialog). False when the
    // question was cancelled (a file that cannot be read raises its error).
    bool Open(const QString& path);
    // A client file from outside (a second start, a drop), opened once no modal window is
    // open: with unsaved changes the question names the file ("Open JONES_C-1.KVO? ..."); the
    // open file itself, modified, is reloaded only when the user agrees to lose the changes;
    // the same file handed over twice before it opens asks once; a path that names no regular
    // file gets Load's message.
    void OpenWhenIdle(const QString& path);

    // Asks about unsaved changes when there are any; Yes saves. False when the user cancelled
    // or the save did not complete (its dialog cancelled; a failed write raises its error).
    bool ResolveUnsavedChanges();

    const FileBookkeeping& Files() const { return files_; }
    // Full path of the open client file; empty for a new client.
    const QString& FileName() const { return files_.CurrentFileName; }
    // The Load and Save As dialogs' folder, with its trailing separator.
    const QString& DataFolder() const { return files_.DataPath; }
    // The client files opened or saved last, newest first (full paths, at most eight).
    const QStringList& RecentFiles() const { return recentFiles_; }
    // The main window's title for the open client: "KIVO" or "KIVO - name".
    QString Title() const;

signals:
    // The open client's file changed (opened, saved under a new name, or none for New).
    void FileChanged(const QString& path);
    void TitleChanged(const QString& title);
    void RecentFilesChanged();
    // The open client has no unsaved changes: just opened, saved or started new.
    void Saved();

private:
    // Reads a client file and makes it the open client.
    void OpenClientFile(const QString& path);
    bool SaveClientFile(bool saveAs);
    void TakeFileName(const QString& path);
    void MarkSaved();
    void AddRecentFile(const QString& path);
    // Writes the settings at once, so a program that does not end cleanly keeps them; a
    // failure is shown in the status bar (closing shows it in a box).
    void SettingsChanged();
    void OpenPendingFiles();
    // One file of OpenWhenIdle, now that nothing modal is open.
    void OpenHandedOver(const QString& path);
    // ResolveUnsavedChanges with its own question.
    bool ResolveUnsavedChanges(const QString& question);
    // The name Save As offers a client that has no file yet.
    QString SuggestedFileName() const;
    FileRequest ClientFileRequest(const QString& title) const;

    ClientView& view_;
    QWidget* dialogOwner_;
    FileBookkeeping files_;
    QStringList recentFiles_;
    SettingsPlace settingsPlace_;
    QString settingsNotice_;  // for the status bar once the first client shows: KIVO.INI was cut
    QStringList pendingOpens_;
    bool openingPending_ = false;
    QString openingNow_;  // the file of OpenWhenIdle being opened (its question may be open)
    QTimer* pendingTimer_ = nullptr;
};

}  // namespace kivo
