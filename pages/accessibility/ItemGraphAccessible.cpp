// The item view's graph for a screen reader: each row's answers and norm in words, from the
// record and item norms the graph draws.
#include "pages/accessibility/ItemGraphAccessible.h"

#include "drawing/ItemGraph.h"
#include "drawing/ItemViewTables.h"
#include "drawing/ScoreSpeech.h"
#include "drawing/ScoreTables.h"
#include "model/Session.h"
#include "pages/scores/ItemScoresPage.h"

namespace kivo {

namespace {

class ItemRowElement : public VirtualElement {
public:
    ItemRowElement(QWidget* box, ItemGraphAccessible* graph, const ItemScoresPage* page, int row)
        : VirtualElement(box, graph, QAccessible::ListItem),
          graph_(graph),
          page_(page),
          row_(row) {}

    QString text(QAccessible::Text t) const override {
        const int item = graph_->ItemOfRow(row_);
        if (t != QAccessible::Name || item == 0) return {};
        return QString::fromStdString(drawing::ItemRowSpeech(gClientRecord, page_->Form(), item,
                                                             drawing::LocaleDecimalSeparator()));
    }

protected:
    QRect Area() const override {
        const drawing::ItemGraphGeometry g(Host()->width(), Host()->height());
        const int top = g.RowY(row_);
        return {0, top - 2, Host()->width(), g.RowY(row_ + 1) - top};
    }

private:
    ItemGraphAccessible* graph_;
    const ItemScoresPage* page_;
    int row_;
};

}  // namespace

ItemGraphAccessible::ItemGraphAccessible(QWidget* box, const ItemScoresPage* page)
    : QAccessibleWidget(box, QAccessible::List), page_(page) {}

QString ItemGraphAccessible::text(QAccessible::Text t) const {
    const QString subscale = QString::fromUtf8(
        drawing::ViewSubscaleName(page_->ViewSubscale()).data(),
        static_cast<qsizetype>(drawing::ViewSubscaleName(page_->ViewSubscale()).size()));
    if (t == QAccessible::Name) return QStringLiteral("Item scores: ") + subscale;
    if (t == QAccessible::Description) {
        return QStringLiteral(
                   "How good are the hearing aids at each item of %1: both conditions' answers on "
                   "the "
                   "scale of 1 to 7 against the item's norm, its mean and middle half.")
            .arg(subscale);
    }
    return QAccessibleWidget::text(t);
}

int ItemGraphAccessible::ItemOfRow(int row) const {
    const auto items = drawing::ItemViewItemMap(page_->Form(), page_->ViewSubscale());
    if (row < 0 || row >= static_cast<int>(items.size())) return 0;
    return items[static_cast<std::size_t>(row)];
}

int ItemGraphAccessible::childCount() const {
    return static_cast<int>(drawing::ItemViewItemMap(page_->Form(), page_->ViewSubscale()).size());
}

QAccessibleInterface* ItemGraphAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    auto* self = const_cast<ItemGraphAccessible*>(this);
    return rows_.At(index, [self, this](int row) -> QAccessibleInterface* {
        return new ItemRowElement(self->widget(), self, page_, row);
    });
}

int ItemGraphAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int index = rows_.IndexOf(child);
    return index < childCount() ? index : -1;
}

QAccessibleInterface* ItemGraphAccessible::childAt(int x, int y) const {
    return ChildAtPoint(*this, x, y);
}

}  // namespace kivo
