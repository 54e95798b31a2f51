// The page base and the page switch: every screen of the main window is a Page, shown and
// hidden only through the switch, so loading and storing the record happen at one moment.
#pragma once

#include <QWidget>
#include <initializer_list>

namespace kivo {

// A page: a borderless child window laid over the main window's page area, created once at
// start-up and shown and hidden by the page switch. OnShown runs when it becomes visible,
// OnHidden when it is hidden (the editing pages load from and store into the client record
// there). The window system's own show and hide events (minimising) do not run them.
class Page : public QWidget {
    Q_OBJECT
public:
    explicit Page(QWidget* parent);

signals:
    // Emitted after OnShown / OnHidden ran.
    void PageShown();
    void PageHidden();

protected:
    virtual void OnShown() {}
    // For controls a page makes at its first show: a child made while its parent is already
    // visible stays hidden until shown, so this shows every direct child not hidden on purpose.
    void ShowNewChildren();
    virtual void OnHidden() {}

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

// The page switch: hides each page of `hideOrder` that is visible, in that order (their
// OnHidden runs), then shows `page`. Does nothing when `page` is already visible.
void SwitchPage(Page& page, std::initializer_list<Page*> hideOrder);

// Hides each visible page of `pages`, in that order.
void HideVisible(std::initializer_list<Page*> pages);

}  // namespace kivo
