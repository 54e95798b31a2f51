// Texts are made only for the rows on screen, from the entries' record bytes, so the model
// holds no QString per row.
#include "app/clientlist/ClientListModel.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QFont>

#include "drawing/RecordText.h"
#include "model/Questionnaire.h"

namespace kivo {
namespace {

QString StatusText(const ClientListEntry& entry) {
    const QString reason = QString::fromUtf8(entry.Reason());
    return entry.status == ClientListEntry::Status::Unreadable
               ? QStringLiteral("Cannot read: ") + reason
               : QStringLiteral("Not a client file: ") + reason;
}

QString FormText(std::int32_t form) {
    if (IsKnownForm(form)) return drawing::Utf8Text(FormKindName(form));
    return QString::number(form);
}

QString ModifiedText(std::int64_t nanoseconds) {
    return QDateTime::fromMSecsSinceEpoch(nanoseconds / 1'000'000)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString CellText(const ClientListEntry& entry, ClientListColumn column) {
    switch (column) {
        case ClientListColumn::LastName:
            return entry.IsClient() ? drawing::Cp1252Text(entry.LastName()) : StatusText(entry);
        case ClientListColumn::FirstName:
            return drawing::Cp1252Text(entry.FirstName());
        case ClientListColumn::ClientId:
            return drawing::Cp1252Text(entry.ClientId());
        case ClientListColumn::BirthDate:
            return drawing::Cp1252Text(entry.BirthDate());
        case ClientListColumn::Form:
            return entry.IsClient() ? FormText(entry.form) : QString();
        case ClientListColumn::TestDate1:
            return drawing::Cp1252Text(entry.TestDate1());
        case ClientListColumn::TestDate2:
            return drawing::Cp1252Text(entry.TestDate2());
        case ClientListColumn::File:
            return QString::fromUtf8(entry.Path());
        case ClientListColumn::Modified:
            return ModifiedText(entry.modified);
    }
    return {};
}

}  // namespace

std::string SearchBytes(const QString& text) {
    QString plain;
    for (const QChar c : text) {
        if (drawing::FitsCp1252(QStringView(&c, 1))) {
            plain += c;
            continue;
        }
        // A letter Windows-1252 lacks (ą, ł is left as it is) searched for by its base letter.
        for (const QChar part : QString(c).normalized(QString::NormalizationForm_D)) {
            if (!part.isMark()) plain += part;
        }
    }
    return drawing::ToCp1252(plain);
}

ClientListModel::ClientListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ClientListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.ShownCount());
}

int ClientListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kClientListColumnCount;
}

QVariant ClientListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= table_.ShownCount()) return {};
    const ClientListEntry& entry = table_.Shown(static_cast<std::size_t>(index.row()));
    const auto column = static_cast<ClientListColumn>(index.column());
    switch (role) {
        case Qt::DisplayRole:
            return CellText(entry, column);
        case Qt::ToolTipRole:
            return entry.IsClient() ? QString::fromUtf8(entry.Path()) : StatusText(entry);
        case Qt::ForegroundRole:
            if (!entry.IsClient()) return QBrush(QColor(128, 128, 128));
            return {};
        case Qt::FontRole:
            if (!entry.IsClient() && column == ClientListColumn::LastName) {
                QFont font;
                font.setItalic(true);
                return font;
            }
            return {};
        case kPathRole:
            return QString::fromUtf8(entry.Path());
        default:
            return {};
    }
}

QVariant ClientListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[kClientListColumnCount] = {
        "Last name",   "First name",  "ID",   "Birth date", "Form",
        "Test date 1", "Test date 2", "File", "Modified"};
    if (section < 0 || section >= kClientListColumnCount) return {};
    return QString::fromLatin1(kTitles[section]);
}

void ClientListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kClientListColumnCount) return;
    table_.SortBy(static_cast<ClientListColumn>(column), order == Qt::AscendingOrder);
    Rebuild();
}

void ClientListModel::Apply(ClientListChanges& changes) {
    for (const auto& path : changes.gone) {
        if (const auto* entry = table_.Find(path); entry && !entry->IsClient()) --damaged_;
        table_.Remove(path);
    }
    for (auto& found : changes.found) {
        if (const auto* entry = table_.Find(found.Path()); entry && !entry->IsClient()) --damaged_;
        if (!found.IsClient()) ++damaged_;
        table_.Put(std::move(found));
    }
    Rebuild();
}

void ClientListModel::SetSearch(const QString& text, bool showAllWhenEmpty) {
    table_.SetFilter(SearchBytes(text), showAllWhenEmpty);
    Rebuild();
}

void ClientListModel::Rebuild() {
    beginResetModel();
    table_.Update();
    endResetModel();
    emit RowsRebuilt();
}

}  // namespace kivo
