// The factory of the program's own accessible interfaces, and those of lists and page buttons.
#include "pages/accessibility/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

#include "pages/Page.h"
#include "pages/accessibility/AnswerGridAccessible.h"
#include "pages/accessibility/ControlNames.h"
#include "pages/accessibility/ItemGraphAccessible.h"
#include "pages/accessibility/ScoreBoxAccessible.h"
#include "pages/entry/AnswerGrid.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/ScorePageControls.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "pages/widgets/ToolBarButton.h"

namespace kivo {

namespace {

// A list: its name is its label's (never its value, which Qt's own interface gives as the name
// on Linux), its value the entry shown. Its children are the drop-down list and, when it takes
// typing, its text box.
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return List()->isEditable() ? List()->lineEdit()->text() : List()->currentText();
        }
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return List()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(List()->view());
        if (index == 1 && List()->isEditable()) {
            return QAccessible::queryAccessibleInterface(List()->lineEdit());
        }
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        if (child->object() == List()->view()) return 0;
        if (List()->isEditable() && child->object() == List()->lineEdit()) return 1;
        return -1;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = List()->view()->isVisible();
        state.editable = List()->isEditable();
        return state;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) List()->showPopup();
    }
};

// A tool bar button, or a button of a page's exclusive choice. A page button or a choice, one of
// a row of which one is down, is spoken as a radio button with its state; the others are plain
// buttons. Decided when asked, since Qt may ask for
// the interface while the button is being made, before it is checkable.
class ToolBarButtonAccessible : public QAccessibleWidget {
public:
    explicit ToolBarButtonAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {
        addControllingSignal(QStringLiteral("toggled(bool)"));
    }
    QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
    bool RadioLike() const {
        return Button()->isCheckable() && Button()->property(kSpeakAsRadioButton).toBool();
    }

    QAccessible::Role role() const override {
        return RadioLike() ? QAccessible::RadioButton : QAccessible::Button;
    }
    // A button given no name of its own says its caption.
    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty()) text = Button()->text().remove(u'&');
        return text;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (Button()->isCheckable()) {
            state.checkable = true;
            state.checked = Button()->isChecked();
        }
        return state;
    }
    QStringList actionNames() const override {
        return RadioLike() ? QStringList{pressAction(), toggleAction()}
                           : QStringList{pressAction()};
    }
    void doAction(const QString& action) override {
        if (action == pressAction() || action == toggleAction()) Button()->click();
    }
};

template <typename T>
const T* AncestorOf(const QObject* object) {
    for (const QObject* o = object; o != nullptr; o = o->parent()) {
        if (const auto* found = qobject_cast<const T*>(o)) return found;
    }
    return nullptr;
}

QAccessibleInterface* MakeInterface(const QString& /*className*/, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    if (auto* box = qobject_cast<PaintBox*>(object)) {
        if (AncestorOf<SubscaleScoresPage>(box) != nullptr) return new ScoreBoxAccessible(box);
        if (const auto* page = AncestorOf<ItemScoresPage>(box)) {
            return new ItemGraphAccessible(box, page);
        }
        return nullptr;
    }
    // The pages' lists, not those of Qt's own dialogs, which keep Qt's interface.
    if (auto* list = qobject_cast<QComboBox*>(object);
        list != nullptr && AncestorOf<Page>(list) != nullptr) {
        return new ListAccessible(list);
    }
    if (auto* grid = qobject_cast<entry::AnswerGrid*>(object))
        return new AnswerGridAccessible(grid);
    // The tool bar's buttons, and the buttons of a page's exclusive choice (SpeakAsRadioButton,
    // set as the button is made).
    if (auto* button = qobject_cast<QAbstractButton*>(object);
        button != nullptr && (qobject_cast<ToolBarButton*>(button) != nullptr ||
                              button->property(kSpeakAsRadioButton).toBool())) {
        return new ToolBarButtonAccessible(button);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace kivo
