// The keyboard of a group of option buttons: Tab stops on the checked option, and the arrow
// keys move the check, so what the keyboard shows is what the group holds.
#pragma once

#include <QObject>

class QButtonGroup;

namespace kivo {

// Keeps the Tab stop of an exclusive option group on its checked option (the first when none
// is checked; the others take the focus only by a click), and moves the check with the arrow
// keys: Up and Left to the previous option, Down and Right to the next, stopping at the ends.
// Without it the focus may rest on an option that a newly loaded record left unchecked, and
// the arrows would then move only the focus ring. Owned by the group.
class OptionGroupKeys final : public QObject {
public:
    explicit OptionGroupKeys(QButtonGroup& group);

    // Puts the Tab stop on the checked option; called by itself whenever the check changes.
    void UpdateTabStop();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup& group_;
};

}  // namespace kivo
