// The tool bar's buttons: a class of their own, so that the program's accessibility factory,
// not Qt's interface for a plain QToolButton, answers for them (the page buttons are spoken as
// radio buttons).
#pragma once

#include <QToolButton>

namespace kivo {

class ToolBarButton : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;
};

}  // namespace kivo
