// The client list's table model over the rows of model/ClientListTable.h: one column per
// listed detail, greyed rows for files that hold no client, sorting by any column.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include "app/clientlist/ClientListScanner.h"
#include "model/ClientListTable.h"

namespace kivo {

class ClientListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The role that gives a row's file, relative to the data folder.
    static constexpr int kPathRole = Qt::UserRole + 1;

    explicit ClientListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Applies a batch of the scanner's findings (its entries are moved out).
    void Apply(ClientListChanges& changes);
    // The typed search text; with `showAllWhenEmpty` false no row shows until something is typed.
    void SetSearch(const QString& text, bool showAllWhenEmpty);

    const ClientListTable& Table() const { return table_; }
    // Files listed, and how many of them hold no client.
    std::size_t FileCount() const { return table_.Count(); }
    std::size_t DamagedCount() const { return damaged_; }

signals:
    // The rows shown were rebuilt (after a reset; the view's current row is lost).
    void RowsRebuilt();

private:
    void Rebuild();

    ClientListTable table_;
    std::size_t damaged_ = 0;
};

// The search text as the table compares it: Windows-1252 bytes, accents taken off letters
// that Windows-1252 cannot hold (the table folds the rest).
std::string SearchBytes(const QString& text);

}  // namespace kivo
