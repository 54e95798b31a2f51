#pragma once

#include <QDialog>

namespace kivo {

// The About box, shown modally centred on the main window.
class TfmAboutScreen : public QDialog {
    Q_OBJECT
public:
    explicit TfmAboutScreen(QWidget* owner);
    ~TfmAboutScreen() override;
};

extern TfmAboutScreen* fmAboutScreen;

}  // namespace kivo
