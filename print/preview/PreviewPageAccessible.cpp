// The preview's page as a read-only document: its name says which page it is, its text is the
// page's recorded texts in reading order, so a screen reader reads the page the user sees.
#include "print/preview/PreviewPageAccessible.h"

#include <QAccessibleWidget>

#include "print/engine/PageText.h"
#include "print/preview/PreviewPage.h"

namespace kivo::report {

namespace {

class PreviewPageAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PreviewPageAccessible(PreviewPage* page)
        : QAccessibleWidget(page, QAccessible::Document) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return PageShown() ? QStringLiteral("Report page") : QStringLiteral("No page");
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }

    // The text interface, read-only, over the whole page text.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString all = AllText();
        if (startOffset < 0 || endOffset < startOffset) return {};
        return all.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(AllText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    const Page* PageShown() const { return static_cast<PreviewPage*>(widget())->ShownPage(); }
    QString AllText() const { return PageShown() != nullptr ? PageText(*PageShown()) : QString(); }
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (auto* page = qobject_cast<PreviewPage*>(object)) return new PreviewPageAccessible(page);
    return nullptr;
}

}  // namespace

void InstallPreviewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace kivo::report
