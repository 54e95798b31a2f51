// The page base and the page switch: a page runs its own show and hide work only when the
// program shows or hides it, never when the window system does.
#include "pages/Page.h"

#include <QHideEvent>
#include <QShowEvent>

#include "shell/ErrorBox.h"

namespace kivo {

Page::Page(QWidget* parent) : QWidget(parent) {
    // Created hidden: only the page switch shows a page.
    setVisible(false);
}

void Page::ShowNewChildren() {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->testAttribute(Qt::WA_WState_ExplicitShowHide)) child->show();
    }
}

void Page::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    RunGuarded([this] { OnShown(); });
    emit PageShown();
}

void Page::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    RunGuarded([this] { OnHidden(); });
    emit PageHidden();
}

void HideVisible(std::initializer_list<Page*> pages) {
    for (Page* page : pages) {
        if (page != nullptr && page->isVisible()) page->hide();
    }
}

void SwitchPage(Page& page, std::initializer_list<Page*> hideOrder) {
    if (page.isVisible()) return;
    HideVisible(hideOrder);
    page.show();
}

}  // namespace kivo
