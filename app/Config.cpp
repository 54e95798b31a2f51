#include "Config.h"

namespace kivo {

TfmConfigureScreen* fmConfigureScreen = nullptr;

TfmConfigureScreen::TfmConfigureScreen(QWidget* parent) : TfmPage(parent) {
    setObjectName(QStringLiteral("fmConfigureScreen"));
    setWindowTitle(QStringLiteral("Configuration Screen"));
    SetPageColour(*this, 0xDFFFF0);
    fmConfigureScreen = this;
}

TfmConfigureScreen::~TfmConfigureScreen() {
    if (fmConfigureScreen == this) fmConfigureScreen = nullptr;
}

}  // namespace kivo
