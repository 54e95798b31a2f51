// The letter buttons of the response entry page: one per answer A..G of a rated item.
#pragma once

#include <QToolButton>

namespace kivo::entry {

// A flat letter button of the response entry page: checkable, never takes the focus. A click
// with the left button toggles it (clicked()); a double-click answers once: the letter is down
// afterwards, whatever the first click of the pair did.
class LetterButton final : public QToolButton {
    Q_OBJECT
public:
    LetterButton(QWidget* parent, const QString& letter, const QString& tip, QRect geometry);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace kivo::entry
