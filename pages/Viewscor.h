#pragma once

#include "Page.h"

namespace kivo {

// The item score view: the answers of one subscale drawn item by item.
class TfmViewScores : public TfmPage {
    Q_OBJECT
public:
    explicit TfmViewScores(QWidget* parent);
    ~TfmViewScores() override;

protected:
    void FormShow() override;
};

extern TfmViewScores* fmViewScores;

}  // namespace kivo
