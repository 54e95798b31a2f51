#pragma once

#include "Canvas.h"
#include "Page.h"

class QPushButton;

namespace kivo {

class TPaintBox;

// The report screen: the subscale score chart and score tables of the open client, its
// details beside them, and the ways to the printed report and to the item view.
class TfmReportScreen : public TfmPage {
    Q_OBJECT
public:
    explicit TfmReportScreen(QWidget* parent);
    ~TfmReportScreen() override;

    // Scores the open client, then draws the chart and both score tables.
    void GraphPaintBoxPaint(canvas::Canvas& canvas, int width, int height);
    // Switches to the item score view.
    void BitBtn1Click();
    // Opens the preview of the printed score report.
    void PrintScoresButtonClick();

protected:
    // Loads the norms, then sets the client detail texts from the record.
    void FormShow() override;

private:
    TPaintBox* GraphPaintBox = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* PrintScoresButton = nullptr;
};

extern TfmReportScreen* fmReportScreen;

}  // namespace kivo
