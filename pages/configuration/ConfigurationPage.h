// The configuration page, hosted like the other pages; it has no controls of its own.
#pragma once

#include "pages/Page.h"

namespace kivo {

// The configuration page: hosted like the other pages, without controls. Only the hidden
// ConfigurationButton reaches it.
class ConfigurationPage : public Page {
    Q_OBJECT
public:
    explicit ConfigurationPage(QWidget* parent);
};

}  // namespace kivo
