// What a screen reader finds in the report screen's paint box: the chart with its scores said in
// words, and the two score tables as tables, all from the scores the box draws.
#pragma once

#include <QAccessibleWidget>

#include "pages/accessibility/VirtualElement.h"

namespace kivo {

// The report screen's paint box: child 0 the chart, children 1 and 2 the score tables of
// conditions 1 and 2 (subscale, score, items missing).
class ScoreBoxAccessible : public QAccessibleWidget {
public:
    explicit ScoreBoxAccessible(QWidget* box);

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return 3; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    mutable ElementList children_;
};

}  // namespace kivo
