// The answer grid as a table for a screen reader: its cells are parts of the grid with no widget
// of their own, named by the page.
#include "pages/accessibility/AnswerGridAccessible.h"

#include <QComboBox>

#include "pages/entry/AnswerGrid.h"
#include "pages/entry/LetterButton.h"

namespace kivo {

namespace {

// One item in one condition: where its letters or its list lie, its name from the page.
class AnswerCellElement : public VirtualElement, public QAccessibleTableCellInterface {
public:
    AnswerCellElement(entry::AnswerGrid* grid, AnswerGridAccessible* table, int row, int column)
        : VirtualElement(grid, table, QAccessible::Cell),
          table_(table),
          row_(row),
          column_(column) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid()) return {};
        return Grid().CellName(row_, column_);
    }
    QAccessible::State state() const override {
        QAccessible::State state = VirtualElement::state();
        state.focusable = true;
        if (!isValid()) return state;
        state.focused = Grid().hasFocus() && Grid().FocusCell() == QPoint(column_, row_);
        if (row_ >= Grid().RowCount()) state.invisible = true;
        return state;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return table_; }

protected:
    QRect Area() const override {
        const bool useItem = row_ >= Grid().RowCount() - kUseItemCount;
        return entry::CellFrame(column_, row_, useItem);
    }

private:
    const entry::AnswerGrid& Grid() const { return *static_cast<entry::AnswerGrid*>(Host()); }

    AnswerGridAccessible* table_;
    int row_;
    int column_;
};

}  // namespace

AnswerGridAccessible::AnswerGridAccessible(entry::AnswerGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

entry::AnswerGrid* AnswerGridAccessible::Grid() const {
    return static_cast<entry::AnswerGrid*>(widget());
}

void* AnswerGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AnswerGridAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && !Grid()->Note().isEmpty()) return Grid()->Note();
    return QAccessibleWidget::text(t);
}

int AnswerGridAccessible::CellCount() const {
    return Grid()->RowCount() * entry::AnswerGrid::kColumns;
}

int AnswerGridAccessible::childCount() const {
    return CellCount() + QAccessibleWidget::childCount();
}

QAccessibleInterface* AnswerGridAccessible::child(int index) const {
    if (index < 0) return nullptr;
    if (index >= CellCount()) return QAccessibleWidget::child(index - CellCount());
    auto* self = const_cast<AnswerGridAccessible*>(this);
    return cells_.At(index, [self](int i) -> QAccessibleInterface* {
        return new AnswerCellElement(self->Grid(), self, i / entry::AnswerGrid::kColumns,
                                     i % entry::AnswerGrid::kColumns);
    });
}

int AnswerGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int cell = cells_.IndexOf(child);
    if (cell >= 0) return cell < CellCount() ? cell : -1;
    const int widget = QAccessibleWidget::indexOfChild(child);
    return widget >= 0 ? CellCount() + widget : -1;
}

QAccessibleInterface* AnswerGridAccessible::childAt(int x, int y) const {
    // A letter or a list under the point is the finer answer; else the cell, else the row.
    QAccessibleInterface* widget = QAccessibleWidget::childAt(x, y);
    const QObject* object = widget != nullptr ? widget->object() : nullptr;
    if (qobject_cast<const entry::LetterButton*>(object) != nullptr ||
        qobject_cast<const QComboBox*>(object) != nullptr) {
        return widget;
    }
    for (int i = 0; i < CellCount(); ++i) {
        QAccessibleInterface* cell = child(i);
        if (cell != nullptr && cell->rect().contains(x, y)) return cell;
    }
    return widget;
}

QAccessibleInterface* AnswerGridAccessible::focusChild() const {
    const QPoint focus = Grid()->FocusCell();
    if (!Grid()->hasFocus() || focus.y() < 0) return QAccessibleWidget::focusChild();
    return cellAt(focus.y(), focus.x());
}

QString AnswerGridAccessible::columnDescription(int column) const {
    return QStringLiteral("Condition %1").arg(column + 1);
}

QString AnswerGridAccessible::rowDescription(int row) const {
    return QStringLiteral("Item %1").arg(row + 1);
}

int AnswerGridAccessible::columnCount() const {
    return entry::AnswerGrid::kColumns;
}

int AnswerGridAccessible::rowCount() const {
    return Grid()->RowCount();
}

QAccessibleInterface* AnswerGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
    return child(entry::AnswerGrid::CellIndex(row, column));
}

}  // namespace kivo
