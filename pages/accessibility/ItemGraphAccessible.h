// What a screen reader finds in the item view's graph: a list with a row per item, each saying
// both conditions' answers against the item's norm.
#pragma once

#include <QAccessibleWidget>

#include "pages/accessibility/VirtualElement.h"

namespace kivo {

class ItemScoresPage;

// The item view's paint box as a list of its item rows, for the subscale and form the page
// shows.
class ItemGraphAccessible : public QAccessibleWidget {
public:
    ItemGraphAccessible(QWidget* box, const ItemScoresPage* page);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The item drawn in row `row`, 0 when there is none.
    int ItemOfRow(int row) const;

private:
    const ItemScoresPage* page_;
    mutable ElementList rows_;
};

}  // namespace kivo
