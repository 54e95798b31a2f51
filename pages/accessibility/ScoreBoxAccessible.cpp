// The report screen's chart and score tables for a screen reader. The texts are computed from
// the open client each time they are asked for, as the box scores it on every paint.
#include "pages/accessibility/ScoreBoxAccessible.h"

#include <array>

#include "drawing/ScoreSpeech.h"
#include "drawing/ScoreTables.h"
#include "model/Session.h"
#include "pages/accessibility/ReadOnlyTable.h"

namespace kivo {

namespace {

constexpr int kColumns = 3;  // subscale, score, items missing
constexpr int kRows = kSubscaleCount;

SubscaleScoreTable OpenClientScores() {
    SubscaleScoreTable scores{};
    ComputeSubscaleScores(gClientRecord, scores);
    return scores;
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The tables' boxes as DrawScoreTables lays them out in the box.
QRect TableArea(const QWidget& box, int condition) {
    const int w = box.width();
    const int h = box.height();
    const int left = condition == 0 ? w * 2 / 100 : w * 52 / 100;
    const int right = condition == 0 ? w * 46 / 100 : w * 96 / 100;
    return QRect(QPoint(left, h * 64 / 100), QPoint(right, h * 98 / 100));
}

class ChartElement : public VirtualElement {
public:
    ChartElement(QWidget* box, QAccessibleInterface* parent)
        : VirtualElement(box, parent, QAccessible::Chart) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QStringLiteral("Subscale score chart");
        if (t == QAccessible::Description) {
            return FromUtf8(drawing::ChartDescription(OpenClientScores(), NormTable,
                                                      drawing::LocaleDecimalSeparator()));
        }
        return {};
    }

protected:
    QRect Area() const override { return QRect(0, 0, Host()->width(), Host()->height() / 2); }
};

class ScoreTableElement;

// One cell of a score table, or with row -1 one of its column headers.
class ScoreCellElement : public VirtualElement, public QAccessibleTableCellInterface {
public:
    ScoreCellElement(QWidget* box, ScoreTableElement* table, int condition, int row, int column);
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }
    QString text(QAccessible::Text t) const override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

protected:
    QRect Area() const override;

private:
    ScoreTableElement* table_;
    int condition_, row_, column_;
};

// One condition's score table: a row per subscale, columns subscale, score and items missing.
// Its children are the three column headers, then the cells row by row.
class ScoreTableElement : public VirtualElement, public ReadOnlyTable {
public:
    ScoreTableElement(QWidget* box, QAccessibleInterface* parent, int condition)
        : VirtualElement(box, parent, QAccessible::Table), condition_(condition) {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return QStringLiteral("Condition %1 scores").arg(condition_ + 1);
        return {};
    }
    int childCount() const override { return kColumns + kRows * kColumns; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        return cells_.At(index, [this](int i) -> QAccessibleInterface* {
            auto* self = const_cast<ScoreTableElement*>(this);
            return new ScoreCellElement(Host(), self, condition_, i / kColumns - 1, i % kColumns);
        });
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return cells_.IndexOf(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override { return ChildAtPoint(*this, x, y); }

    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return nullptr;
        return child((row + 1) * kColumns + column);
    }
    QAccessibleInterface* HeaderAt(int column) const { return child(column); }
    QString columnDescription(int column) const override { return ColumnName(column); }
    QString rowDescription(int row) const override {
        if (row < 0 || row >= kRows) return {};
        return FromUtf8(
            std::string(SubscaleReportName(kAllSubscales[static_cast<std::size_t>(row)])));
    }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return kRows; }

    static QString ColumnName(int column) {
        static const std::array<QString, kColumns> names = {
            QStringLiteral("Subscale"), QStringLiteral("Score"), QStringLiteral("Items missing")};
        return column >= 0 && column < kColumns ? names[static_cast<std::size_t>(column)]
                                                : QString();
    }

protected:
    QRect Area() const override { return TableArea(*Host(), condition_); }

private:
    int condition_;
    mutable ElementList cells_;
};

ScoreCellElement::ScoreCellElement(QWidget* box, ScoreTableElement* table, int condition, int row,
                                   int column)
    : VirtualElement(box, table, row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell),
      table_(table),
      condition_(condition),
      row_(row),
      column_(column) {}

QString ScoreCellElement::text(QAccessible::Text t) const {
    if (t != QAccessible::Name) return {};
    if (row_ < 0) return ScoreTableElement::ColumnName(column_);
    if (column_ == 0) return table_->rowDescription(row_);
    const SubscaleScore score =
        OpenClientScores()[static_cast<std::size_t>(condition_)][static_cast<std::size_t>(row_)];
    if (column_ == 1) {
        return FromUtf8(drawing::SpokenScore(score, drawing::LocaleDecimalSeparator()));
    }
    return QString::number(score.MissingCount);
}

QList<QAccessibleInterface*> ScoreCellElement::columnHeaderCells() const {
    if (row_ < 0) return {};
    return {table_->HeaderAt(column_)};
}

QList<QAccessibleInterface*> ScoreCellElement::rowHeaderCells() const {
    return {};
}

QAccessibleInterface* ScoreCellElement::table() const {
    return table_;
}

QRect ScoreCellElement::Area() const {
    const QRect box = TableArea(*Host(), condition_);
    static constexpr std::array<int, kColumns + 1> kColumnEdges = {0, 46, 78, 100};
    const int rowHeight = box.height() / (kRows + 1);
    const auto c = static_cast<std::size_t>(column_);
    const int left = box.left() + box.width() * kColumnEdges[c] / 100;
    const int right = box.left() + box.width() * kColumnEdges[c + 1] / 100;
    const int top = box.top() + (row_ + 1) * rowHeight;
    return {left, top, right - left, rowHeight};
}

}  // namespace

ScoreBoxAccessible::ScoreBoxAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::Pane) {}

QString ScoreBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return QStringLiteral("Subscale scores");
    return QAccessibleWidget::text(t);
}

QAccessibleInterface* ScoreBoxAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    auto* self = const_cast<ScoreBoxAccessible*>(this);
    return children_.At(index, [self](int i) -> QAccessibleInterface* {
        if (i == 0) return new ChartElement(self->widget(), self);
        return new ScoreTableElement(self->widget(), self, i - 1);
    });
}

int ScoreBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return children_.IndexOf(child);
}

QAccessibleInterface* ScoreBoxAccessible::childAt(int x, int y) const {
    return ChildAtPoint(*this, x, y);
}

}  // namespace kivo
