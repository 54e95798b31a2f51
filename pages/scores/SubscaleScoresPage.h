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

    // Scores the open client, then draws the chart and both score tables.
    void PaintGraph(canvas::Canvas& canvas, int width, int height);
    // Hides this page and asks for the item score view (ItemScoresRequested).
    void ShowItemScores();
    // Opens the preview of the printed score report.
    void PrintScores();

signals:
    // The item score view is wanted in this page's place; connected where the windows are made.
    void ItemScoresRequested();

protected:
    // Loads the norms, then sets the client detail texts from the record.
    void OnShown() override;

private:
    void BuildControlsOnce();

    PaintBox* graphPaintBox_ = nullptr;
    QWidget* clientPanel_ = nullptr;
    QPushButton* viewItemScoresButton_ = nullptr;
    QPushButton* printScoresButton_ = nullptr;
};

}  // namespace kivo
