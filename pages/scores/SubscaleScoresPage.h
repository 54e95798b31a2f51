// The report screen: the subscale score chart and tables of the open client.
#pragma once

#include "canvas/Canvas.h"
#include "pages/Page.h"

class QPushButton;

namespace kivo {

class PaintBox;

// The report screen: the subscale score chart and score tables of the open client, its
// details beside them, and the ways to the printed report and to the item view.
class SubscaleScoresPage : public Page {
    Q_OBJECT
public:
    explicit SubscaleScoresPage(QWidget* parent);
    ~SubscaleScoresPage() override;

    // Scores the open client, then draws the chart and both score tables.
    void PaintGraph(canvas::Canvas& canvas, int width, int height);
    // Switches to the item score view.
    void ShowItemScores();
    // Opens the preview of the printed score report.
    void PrintScores();

protected:
    // Loads the norms, then sets the client detail texts from the record.
    void OnShown() override;

private:
    void BuildControlsOnce();

    PaintBox* graphPaintBox_ = nullptr;
    QWidget* panel2_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
    QPushButton* printScoresButton_ = nullptr;
};

extern SubscaleScoresPage* gSubscaleScoresPage;

}  // namespace kivo
