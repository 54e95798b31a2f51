// The letter buttons of the response entry page: one per answer A..G of a rated item.
#pragma once

#include <QToolButton>

namespace kivo::entry {

// A flat letter button of the response entry page: checkable, never takes the focus, and
// emits UserAnswer() for any mouse button released over it, whether or not the answer changed,
// so that the page marks the client modified.
class LetterButton final : public QToolButton {
    Q_OBJECT
public:
    LetterButton(QWidget* parent, const QString& letter, const QString& tip, QRect geometry);

signals:
    void UserAnswer();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace kivo::entry
