#pragma once

#include "Page.h"

namespace kivo {

// The response entry page: the answers of both conditions, item by item.
class TfmQEntry1 : public TfmPage {
    Q_OBJECT
public:
    explicit TfmQEntry1(QWidget* parent);
    ~TfmQEntry1() override;

    // Writes the state of the controls back to Responses of gClientRecord.
    void StoreResponses();

protected:
    void FormShow() override;
    void FormHide() override;
};

extern TfmQEntry1* fmQEntry1;

}  // namespace kivo
