#pragma once

#include "Canvas.h"
#include "Page.h"
#include "Questionnaire.h"

class QButtonGroup;
class QPushButton;

namespace kivo {

class TPaintBox;

// The item score view: the answers of one subscale drawn item by item against the item
// norms, the client's details beside them.
class TfmViewScores : public TfmPage {
    Q_OBJECT
public:
    explicit TfmViewScores(QWidget* parent);
    ~TfmViewScores() override;

    // The subscale shown, 0..5 in the buttons' order (Speech Cues, Listening Effort,
    // Pleasantness, Quietness, Convenience, Use); kept across hides and shows.
    int ViewSubscale() const { return ViewSubscale_; }

    // The subscale buttons' handler: `tag` is the button's Tag, 0..5.
    void SpeedButtonClick(int tag);
    void GraphPaintBoxPaint(canvas::Canvas& canvas, int width, int height);
    // Switches back to the report screen.
    void BitBtn1Click();
    // Sets the client detail texts from the record.
    void ShowClientInfo();

protected:
    // Takes the record's form, presses Speech Cues while it is the subscale shown, sets the
    // client details and redraws the graph.
    void FormShow() override;

private:
    int ViewSubscale_ = 0;
    FormKind Form_ = kShortFormA;  // the record's form as taken at the last show

    TPaintBox* GraphPaintBox = nullptr;
    QButtonGroup* SubscaleButtons = nullptr;
    QWidget* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

extern TfmViewScores* fmViewScores;

}  // namespace kivo
