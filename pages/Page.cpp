#include "pages/Page.h"

#include <QColor>
#include <QHideEvent>
#include <QPalette>
#include <QShowEvent>

#include "shell/ErrorBox.h"

namespace kivo {

Page::Page(QWidget* parent) : QWidget(parent) {
    // Created hidden: only the page switch shows a page.
    setVisible(false);
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

void SetPageColour(QWidget& page, unsigned rgb) {
    QPalette palette = page.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgb));
    page.setPalette(palette);
    page.setAutoFillBackground(true);
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
