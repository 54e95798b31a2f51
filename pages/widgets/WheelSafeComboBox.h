// The drop-down list of the data entry pages: the mouse wheel scrolls the page under it and
// never changes the list's value while its popup is closed.
#pragma once

#include <QComboBox>

namespace kivo {

// A drop-down list that takes the focus only by click or Tab, and passes a wheel turned over
// it to its parents (the page's scroll box scrolls) unless its popup is open: rolling the wheel
// to scroll past an answer must never change the answer.
class WheelSafeComboBox final : public QComboBox {
    Q_OBJECT
public:
    explicit WheelSafeComboBox(QWidget* parent);

    // The height of each row of the popup list. Applied when the popup first opens: making
    // the list's view costs as much as the box itself, and most lists are never opened.
    void SetPopupRowHeight(int height) { popupRowHeight_ = height; }
    void showPopup() override;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    int popupRowHeight_ = 0;
    bool rowHeightApplied_ = false;
};

}  // namespace kivo
