// The report screen: the score chart and tables drawn from the open client, its details, and
// the buttons to the item view and to the printed report.
#include "pages/scores/SubscaleScoresPage.h"

#include <QPushButton>

#include "drawing/ReportPaintBox.h"
#include "drawing/ScoreTables.h"
#include "model/Session.h"
#include "pages/scores/ScorePageControls.h"
#include "pages/widgets/FixedLayout.h"
#include "shell/ErrorBox.h"
#include "shell/ScoreReportHook.h"

namespace kivo {

SubscaleScoresPage::SubscaleScoresPage(QWidget* parent) : Page(parent) {
    SetUpScorePage(*this, QStringLiteral("SubscaleScoresPage"), QStringLiteral("Report Screen"),
                   PixelFont(11));
}

// The controls are made when the page is first shown: start-up does not wait for a page it
// does not show.
void SubscaleScoresPage::BuildControlsOnce() {
    if (graphPaintBox_ != nullptr) return;
    graphPaintBox_ = PlaceGraphPanel(this, QRect(10, 10, 625, 623),
                                     [this](canvas::Canvas& canvas, int width, int height) {
                                         PaintGraph(canvas, width, height);
                                     });

    clientPanel_ =
        PlacePanel(this, QStringLiteral("ClientPanel"), QRect(652, 1, 350, 633), kButtonFace);
    PlaceClientInfoLabels(*clientPanel_);
    viewItemScoresButton_ = PlaceButton(clientPanel_, QStringLiteral("ViewItemScoresButton"),
                                        QStringLiteral("View Item Scores"), QRect(9, 580, 141, 36),
                                        PixelFont(13), PrinterGlyph());
    printScoresButton_ = PlaceButton(clientPanel_, QStringLiteral("PrintScoresButton"),
                                     QStringLiteral("Print Scores"), QRect(193, 580, 141, 36),
                                     PixelFont(13), PrinterGlyph());
    setTabOrder(printScoresButton_, viewItemScoresButton_);
    connect(viewItemScoresButton_, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { ShowItemScores(); }); });
    connect(printScoresButton_, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { PrintScores(); }); });
    ShowNewChildren();
}

void SubscaleScoresPage::OnShown() {
    BuildControlsOnce();
    LoadNormTable();
    ShowClientInfo(*clientPanel_, gClientRecord);
    // The keys go to the page's first button, not back to the tool bar.
    printScoresButton_->setFocus(Qt::OtherFocusReason);
}

void SubscaleScoresPage::PaintGraph(canvas::Canvas& canvas, int width, int height) {
    ComputeSubscaleScores();
    drawing::DrawReportPaintBox(canvas, width, height, SubscaleScores, NormTable,
                                drawing::LocaleDecimalSeparator());
}

void SubscaleScoresPage::ShowItemScores() {
    if (isVisible()) hide();
    emit ItemScoresRequested();
}

void SubscaleScoresPage::PrintScores() {
    PreviewScoreReport();
}

}  // namespace kivo
