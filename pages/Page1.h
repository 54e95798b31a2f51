#pragma once

#include "Page.h"

namespace kivo {

// The demographics page: the client's details, the form and both test conditions.
class TfmDemographicsScreen : public TfmPage {
    Q_OBJECT
public:
    explicit TfmDemographicsScreen(QWidget* parent);
    ~TfmDemographicsScreen() override;

    // Loads every control from gClientRecord.
    void RecordToControls();
    // Stores every control into gClientRecord.
    void ControlsToRecord();

protected:
    void FormShow() override;
    void FormHide() override;
};

extern TfmDemographicsScreen* fmDemographicsScreen;

}  // namespace kivo
