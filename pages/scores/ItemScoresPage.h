// The item score view: one subscale's answers item by item against the item norms.
#pragma once

#include "canvas/Canvas.h"
#include "model/Questionnaire.h"
#include "pages/Page.h"

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

    // The subscale shown, 0..5 in the buttons' order (Speech Cues, Listening Effort,
    // Pleasantness, Quietness, Convenience, Use); kept across hides and shows.
    int ViewSubscale() const { return viewSubscale_; }
    // The form the view shows, the record's as taken at the last show.
    FormKind Form() const { return form_; }

    // Shows subscale `tag`, the clicked subscale button's place in the row, 0..5.
    void SelectSubscale(int tag);
    void PaintGraph(canvas::Canvas& canvas, int width, int height);
    // Hides this page and asks for the report screen back (SubscaleScoresRequested).
    void ShowSubscaleScores();
    // Sets the client detail texts from the record.
    void ShowClientInfo();

signals:
    // The report screen is wanted in this page's place; connected where the windows are made.
    void SubscaleScoresRequested();

protected:
    // Takes the record's form, presses Speech Cues while it is the subscale shown, sets the
    // client details and redraws the graph.
    void OnShown() override;

private:
    void BuildControlsOnce();

    int viewSubscale_ = 0;
    FormKind form_ = kShortFormA;  // the record's form as taken at the last show

    PaintBox* graphPaintBox_ = nullptr;
    QButtonGroup* subscaleButtons_ = nullptr;
    QWidget* clientPanel_ = nullptr;
    QPushButton* viewSubscaleScoresButton_ = nullptr;
};

}  // namespace kivo
