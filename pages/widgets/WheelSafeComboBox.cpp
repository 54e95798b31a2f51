// The drop-down list that leaves the mouse wheel to the page while its popup is closed and
// makes its popup only when it is opened.
#include "pages/widgets/WheelSafeComboBox.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace kivo {
namespace {

// List rows of a fixed height.
class RowHeightDelegate final : public QStyledItemDelegate {
public:
    RowHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

}  // namespace

WheelSafeComboBox::WheelSafeComboBox(QWidget* parent) : QComboBox(parent) {
    // A wheel focus would let the wheel pull the focus onto the list on its way past.
    setFocusPolicy(Qt::StrongFocus);
}

void WheelSafeComboBox::showPopup() {
    if (popupRowHeight_ > 0 && !rowHeightApplied_) {
        rowHeightApplied_ = true;
        setItemDelegate(new RowHeightDelegate(popupRowHeight_, this));
    }
    QComboBox::showPopup();
}

void WheelSafeComboBox::wheelEvent(QWheelEvent* event) {
    if (view() != nullptr && view()->isVisible()) {
        QComboBox::wheelEvent(event);
        return;
    }
    // Ignored, the event goes on to the parents: over the entry page, the scroll box scrolls.
    event->ignore();
}

}  // namespace kivo
