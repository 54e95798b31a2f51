#include "Page.h"

#include <QColor>
#include <QHideEvent>
#include <QPalette>
#include <QShowEvent>

#include "ErrorBox.h"

namespace kivo {

TfmPage::TfmPage(QWidget* parent) : QWidget(parent) {
    // Created hidden: only the page switch shows a page.
    setVisible(false);
}

void TfmPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    RunGuarded([this] { FormShow(); });
    emit FormShown();
}

void TfmPage::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;
    RunGuarded([this] { FormHide(); });
    emit FormHidden();
}

void SetPageColour(QWidget& page, unsigned rgb) {
    QPalette palette = page.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(rgb));
    page.setPalette(palette);
    page.setAutoFillBackground(true);
}

void HideVisible(std::initializer_list<TfmPage*> pages) {
    for (TfmPage* page : pages) {
        if (page != nullptr && page->isVisible()) page->hide();
    }
}

void SwitchPage(TfmPage& page, std::initializer_list<TfmPage*> hideOrder) {
    if (page.isVisible()) return;
    HideVisible(hideOrder);
    page.show();
}

}  // namespace kivo
