// File > Find Client: the client files of the data folder in a table with a search box, kept
// up to date while it is open, from which a client is opened with Enter or a double-click.
#pragma once

#include <QDialog>
#include <QSet>
#include <QString>
#include <memory>

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

namespace kivo {

class ClientListModel;
class ClientListScanner;
struct ClientListChanges;

// Object names: ClientListSearch (the search box), ClientListTable, ClientListStatus.
class ClientListWindow : public QDialog {
    Q_OBJECT
public:
    // Starts reading `dataFolder` and everything below it at once. With `showAllOnOpen`
    // false, no file shows until something is typed.
    ClientListWindow(const QString& dataFolder, bool showAllOnOpen, QWidget* owner);
    ~ClientListWindow() override;

    const QString& DataFolder() const { return dataFolder_; }
    QString StatusText() const;
    ClientListModel& Model() { return *model_; }
    // Milliseconds between looks at the folders' times (for shares that send no change events).
    void SetPollInterval(int milliseconds);

signals:
    // Enter or a double-click on a row: the full path of its file.
    void OpenRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape: the dialog's own Cancel.
    void done(int result) override;

private:
    void TakeChanges(ClientListChanges& changes);
    void StopWatching();
    void SearchChanged(const QString& text);
    void RestoreCurrentRow();
    void OpenCurrent();
    void FolderChanged(const QString& folder);
    void RescanChangedFolders();
    void ShowStatus();
    QString FullPath(const QString& relative) const;
    QString Relative(const QString& full) const;

    QString dataFolder_;  // without a trailing separator, '/' between the parts
    bool showAllOnOpen_ = true;
    bool scanning_ = true;
    QString failure_;
    QString currentPath_;  // the file of the current row, kept across rebuilds
    bool restoring_ = false;

    QLineEdit* search_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* status_ = nullptr;
    ClientListModel* model_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* poll_ = nullptr;
    QTimer* rescanSoon_ = nullptr;
    QSet<QString> changedFolders_;
    std::unique_ptr<ClientListScanner> scanner_;
};

}  // namespace kivo
