#pragma once

#include "canvas/Canvas.h"
#include "pages/Page.h"
#include "model/Questionnaire.h"

class QButtonGroup;
class QPushButton;

namespace kivo {

class PaintBox;

// The item score view: the answers of one subscale drawn item by item against the item
// norms, the client's details beside them.
class ItemScoresPage : public Page {
    Q_OBJECT
public:
    explicit ItemScoresPage(QWidget* parent);
    ~ItemScoresPage() override;

    // The subscale shown, 0..5 in the buttons' order (Speech Cues, Listening Effort,
    // Pleasantness, Quietness, Convenience, Use); kept across hides and shows.
    int ViewSubscale() const { return ViewSubscale_; }

    // The subscale buttons' handler: `tag` is the button's Tag, 0..5.
    void SelectSubscale(int tag);
    void PaintGraph(canvas::Canvas& canvas, int width, int height);
    // Switches back to the report screen.
    void ShowSubscaleScores();
    // Sets the client detail texts from the record.
    void ShowClientInfo();

protected:
    // Takes the record's form, presses Speech Cues while it is the subscale shown, sets the
    // client details and redraws the graph.
    void OnShown() override;

private:
    int ViewSubscale_ = 0;
    FormKind Form_ = kShortFormA;  // the record's form as taken at the last show

    PaintBox* GraphPaintBox = nullptr;
    QButtonGroup* SubscaleButtons = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

extern ItemScoresPage* gItemScoresPage;

}  // namespace kivo
