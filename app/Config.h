#pragma once

#include "Page.h"

namespace kivo {

// The configuration page: hosted like the other pages, without controls. Only the hidden
// ConfigurationButton reaches it.
class TfmConfigureScreen : public TfmPage {
    Q_OBJECT
public:
    explicit TfmConfigureScreen(QWidget* parent);
    ~TfmConfigureScreen() override;
};

extern TfmConfigureScreen* fmConfigureScreen;

}  // namespace kivo
