// The About box: who made the questionnaire and the program.
#pragma once

#include <QDialog>

namespace kivo {

// The About box, shown modally centred on the main window.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* owner);
};

}  // namespace kivo
