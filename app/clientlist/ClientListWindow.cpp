// The search box keeps the focus: the arrow and page keys move the current row of the table
// and Enter opens it, so a client is found and opened without touching the mouse.
#include "app/clientlist/ClientListWindow.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "app/clientlist/ClientListModel.h"
#include "app/clientlist/ClientListScanner.h"

namespace kivo {
namespace {

constexpr int kPollMilliseconds = 5000;
// Change events come in bursts (a save is a new file and a rename): one rescan for a burst.
constexpr int kRescanDelayMilliseconds = 150;

QString Plural(std::size_t count, const char* one, const char* many) {
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

}  // namespace

ClientListWindow::ClientListWindow(const QString& dataFolder, bool showAllOnOpen, QWidget* owner)
    : QDialog(owner),
      dataFolder_(QDir::cleanPath(QDir::fromNativeSeparators(dataFolder))),
      showAllOnOpen_(showAllOnOpen) {
    setObjectName(QStringLiteral("ClientListWindow"));
    setWindowTitle(QStringLiteral("Find Client"));
    setAttribute(Qt::WA_DeleteOnClose);
    setSizeGripEnabled(true);
    resize(1000, 540);

    auto* label = new QLabel(QStringLiteral("&Search:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("ClientListSearch"));
    search_->setAccessibleName(QStringLiteral("Search clients"));
    search_->setAccessibleDescription(
        QStringLiteral("Part of a last name, first name, ID or birth date"));
    search_->setPlaceholderText(QStringLiteral("Last name, first name, ID or birth date"));
    search_->setClearButtonEnabled(true);
    label->setBuddy(search_);

    model_ = new ClientListModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("ClientListTable"));
    table_->setAccessibleName(QStringLiteral("Client files"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    // Fixed row heights and column widths: measuring 100,000 rows would take seconds.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    const int widths[] = {140, 100, 80, 80, 70, 80, 80, 170, 120};
    for (int column = 0; column < 9; ++column) table_->setColumnWidth(column, widths[column]);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setSortIndicator(8, Qt::DescendingOrder);
    table_->setSortingEnabled(true);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("ClientListStatus"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(label);
    searchRow->addWidget(search_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    setTabOrder(search_, table_);

    search_->installEventFilter(this);
    table_->installEventFilter(this);
    connect(search_, &QLineEdit::textChanged, this, &ClientListWindow::SearchChanged);
    connect(model_, &ClientListModel::RowsRebuilt, this, &ClientListWindow::RestoreCurrentRow);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        table_->setCurrentIndex(index);
        OpenCurrent();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!restoring_ && current.isValid()) {
                    currentPath_ = current.data(ClientListModel::kPathRole).toString();
                }
                ShowStatus();
            });

    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this,
            &ClientListWindow::FolderChanged);
    rescanSoon_ = new QTimer(this);
    rescanSoon_->setSingleShot(true);
    rescanSoon_->setInterval(kRescanDelayMilliseconds);
    connect(rescanSoon_, &QTimer::timeout, this, &ClientListWindow::RescanChangedFolders);
    poll_ = new QTimer(this);
    poll_->setInterval(kPollMilliseconds);
    connect(poll_, &QTimer::timeout, this, [this] {
        if (scanner_ && !scanning_) scanner_->Poll();
    });
    poll_->start();

    model_->SetSearch(QString(), showAllOnOpen_);
    scanner_ = std::make_unique<ClientListScanner>(dataFolder_.toStdString());
    connect(scanner_.get(), &ClientListScanner::Changed, this,
            [this](const std::shared_ptr<ClientListChanges>& changes) { TakeChanges(*changes); });
    ShowStatus();
    search_->setFocus();
}

ClientListWindow::~ClientListWindow() = default;

void ClientListWindow::SetPollInterval(int milliseconds) {
    poll_->setInterval(milliseconds);
}

QString ClientListWindow::FullPath(const QString& relative) const {
    return relative.isEmpty() ? dataFolder_ : dataFolder_ + QLatin1Char('/') + relative;
}

QString ClientListWindow::Relative(const QString& full) const {
    const QString clean = QDir::cleanPath(full);
    if (clean == dataFolder_) return {};
    return clean.mid(dataFolder_.size() + 1);
}

void ClientListWindow::TakeChanges(ClientListChanges& changes) {
    for (const auto& folder : changes.foldersGone) {
        watcher_->removePath(FullPath(QString::fromStdString(folder)));
    }
    QStringList added;
    for (const auto& folder : changes.foldersAdded) {
        added << FullPath(QString::fromStdString(folder));
    }
    if (!added.isEmpty()) watcher_->addPaths(added);
    if (!changes.rootFailure.empty()) failure_ = QString::fromStdString(changes.rootFailure);
    if (changes.scanFinished) scanning_ = false;
    model_->Apply(changes);
    ShowStatus();
}

void ClientListWindow::SearchChanged(const QString& text) {
    currentPath_.clear();  // a new search starts at its best match
    model_->SetSearch(text, showAllOnOpen_);
    ShowStatus();
}

void ClientListWindow::RestoreCurrentRow() {
    if (model_->rowCount() == 0) return;
    int row = 0;
    if (!currentPath_.isEmpty()) {
        if (const auto shown = model_->Table().ShownRowOf(currentPath_.toStdString())) {
            row = static_cast<int>(*shown);
        }
    }
    restoring_ = true;
    table_->selectionModel()->setCurrentIndex(
        model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    restoring_ = false;
}

void ClientListWindow::OpenCurrent() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid()) return;
    emit OpenRequested(
        QDir::toNativeSeparators(FullPath(current.data(ClientListModel::kPathRole).toString())));
}

void ClientListWindow::FolderChanged(const QString& folder) {
    changedFolders_.insert(Relative(folder));
    rescanSoon_->start();
}

void ClientListWindow::RescanChangedFolders() {
    if (!scanner_) return;
    for (const QString& folder : std::as_const(changedFolders_)) {
        scanner_->Rescan(folder.toStdString());
    }
    changedFolders_.clear();
}

QString ClientListWindow::StatusText() const {
    const std::size_t files = model_->FileCount();
    const auto shown = static_cast<std::size_t>(model_->rowCount());
    QString text;
    if (!failure_.isEmpty()) {
        text = QStringLiteral("Cannot read the data folder %1: %2.")
                   .arg(QDir::toNativeSeparators(dataFolder_), failure_);
    } else if (search_->text().trimmed().isEmpty() && !showAllOnOpen_) {
        text = Plural(files, "client file", "client files") +
               QStringLiteral(". Type part of a name, an ID or a birth date to list them.");
    } else if (shown == files) {
        text = Plural(files, "client file", "client files") + QLatin1Char('.');
    } else {
        text = QStringLiteral("%1 of %2 shown.")
                   .arg(QString::number(shown), Plural(files, "client file", "client files"));
    }
    if (const std::size_t damaged = model_->DamagedCount(); damaged > 0) {
        text += QLatin1Char(' ') + Plural(damaged, "file holds no readable client (greyed).",
                                          "files hold no readable client (greyed).");
    }
    if (scanning_ && failure_.isEmpty()) text += QStringLiteral(" Reading the data folder\u2026");
    // A greyed row's reason does not fit its cell: the status line says it while it is current.
    const QModelIndex current = table_->currentIndex();
    if (current.isValid() && current.data(Qt::ForegroundRole).isValid()) {
        text += QStringLiteral(" %1: %2.")
                    .arg(current.data(ClientListModel::kPathRole).toString(),
                         current.data(Qt::ToolTipRole).toString());
    }
    return text;
}

void ClientListWindow::ShowStatus() {
    const QString text = StatusText();
    if (text == status_->text()) return;
    status_->setText(text);
    // Screen readers hear the count as the label's name changes.
    status_->setAccessibleName(text);
    QAccessibleEvent event(status_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

bool ClientListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OpenCurrent();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (watched == search_) {
                // The table moves its current row as if it had the focus.
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QCoreApplication::sendEvent(table_, &copy);
                return true;
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void ClientListWindow::StopWatching() {
    // Closing stops the scan at once; nothing is left reading or watching the folder.
    scanner_.reset();
    poll_->stop();
    rescanSoon_->stop();
}

void ClientListWindow::done(int result) {
    StopWatching();
    QDialog::done(result);
}

void ClientListWindow::closeEvent(QCloseEvent* event) {
    StopWatching();
    QDialog::closeEvent(event);
}

}  // namespace kivo
