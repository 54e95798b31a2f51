#pragma once

#include <QWidget>
#include <initializer_list>

namespace kivo {

// A page: a borderless child window laid over the main window's page area, created once at
// start-up and shown and hidden by the page switch. FormShow runs when it becomes visible,
// FormHide when it is hidden (the editing pages load from and store into the client record
// there). The window system's own show and hide events (minimising) do not run them.
class TfmPage : public QWidget {
    Q_OBJECT
public:
    explicit TfmPage(QWidget* parent);

signals:
    // Emitted after FormShow / FormHide ran.
    void FormShown();
    void FormHidden();

protected:
    virtual void FormShow() {}
    virtual void FormHide() {}

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
};

// Sets a page's background colour (0xRRGGBB).
void SetPageColour(QWidget& page, unsigned rgb);

// The page switch: hides each page of `hideOrder` that is visible, in that order (their
// FormHide runs), then shows `page`. Does nothing when `page` is already visible.
void SwitchPage(TfmPage& page, std::initializer_list<TfmPage*> hideOrder);

// Hides each visible page of `pages`, in that order.
void HideVisible(std::initializer_list<TfmPage*> pages);

}  // namespace kivo
