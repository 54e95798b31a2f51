// What a screen reader finds in the entry page's answer grid: a table with a row per item and a
// column per condition, whose cells say the item, its answer and its question.
#pragma once

#include <QAccessibleWidget>

#include "pages/accessibility/ReadOnlyTable.h"
#include "pages/accessibility/VirtualElement.h"

namespace kivo {

namespace entry {
class AnswerGrid;
}

// The answer grid as a table. Its children are its cells, row by row
// (AnswerGrid::CellIndex), then the grid's own widgets: the letter buttons and the use lists.
class AnswerGridAccessible : public QAccessibleWidget, public ReadOnlyTable {
public:
    explicit AnswerGridAccessible(entry::AnswerGrid* grid);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The table.
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int columnCount() const override;
    int rowCount() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;

    entry::AnswerGrid* Grid() const;

private:
    int CellCount() const;

    mutable ElementList cells_;
};

}  // namespace kivo
