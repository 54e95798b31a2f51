#pragma once

#include <QToolButton>

namespace kivo::entry {

// A flat letter button of the response entry page: checkable, never takes the focus, and
// reports MouseUp() for any mouse button released over it, whether or not the answer changed.
class LetterButton final : public QToolButton {
    Q_OBJECT
public:
    LetterButton(QWidget* parent, const QString& letter, const QString& tip, QRect geometry);

signals:
    void MouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace kivo::entry
