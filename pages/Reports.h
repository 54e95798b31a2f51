#pragma once

#include "Page.h"

namespace kivo {

// The report screen: the subscale score chart and score tables of the open client.
class TfmReportScreen : public TfmPage {
    Q_OBJECT
public:
    explicit TfmReportScreen(QWidget* parent);
    ~TfmReportScreen() override;

protected:
    void FormShow() override;
};

extern TfmReportScreen* fmReportScreen;

}  // namespace kivo
