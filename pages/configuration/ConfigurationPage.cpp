// The configuration page: an empty page in its own colour, kept so the page switch and the
// hidden Configuration button have a page to show.
#include "pages/configuration/ConfigurationPage.h"

#include "pages/widgets/FixedLayout.h"

namespace kivo {

ConfigurationPage::ConfigurationPage(QWidget* parent) : Page(parent) {
    setObjectName(QStringLiteral("ConfigurationPage"));
    setWindowTitle(QStringLiteral("Configuration Screen"));
    SetBackground(*this, 0xDFFFF0);
}

}  // namespace kivo
