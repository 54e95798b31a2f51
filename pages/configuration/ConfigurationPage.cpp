#include "pages/configuration/ConfigurationPage.h"

namespace kivo {

ConfigurationPage* gConfigurationPage = nullptr;

ConfigurationPage::ConfigurationPage(QWidget* parent) : Page(parent) {
    setObjectName(QStringLiteral("ConfigurationPage"));
    setWindowTitle(QStringLiteral("Configuration Screen"));
    SetPageColour(*this, 0xDFFFF0);
    gConfigurationPage = this;
}

ConfigurationPage::~ConfigurationPage() {
    if (gConfigurationPage == this) gConfigurationPage = nullptr;
}

}  // namespace kivo
