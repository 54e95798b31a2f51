#include "pages/scores/SubscaleScoresPage.h"

#include <QPushButton>

#include "shell/ErrorBox.h"
#include "drawing/ReportPaintBox.h"
#include "pages/scores/ScorePageControls.h"
#include "shell/ScoreReportHook.h"
#include "drawing/ScoreTables.h"
#include "model/Session.h"
#include "pages/scores/ItemScoresPage.h"

namespace kivo {

SubscaleScoresPage* gSubscaleScoresPage = nullptr;

SubscaleScoresPage::SubscaleScoresPage(QWidget* parent) : Page(parent) {
    SetUpScorePage(*this, QStringLiteral("SubscaleScoresPage"), QStringLiteral("Report Screen"),
                   PixelFont(QStringLiteral("MS Sans Serif"), 11));
    GraphPaintBox = PlaceGraphPanel(this, QRect(10, 10, 625, 623),
                                    [this](canvas::Canvas& canvas, int width, int height) {
                                        PaintGraph(canvas, width, height);
                                    });

    Panel2 = PlacePanel(this, QStringLiteral("Panel2"), QRect(652, 1, 350, 633), kButtonFace);
    PlaceClientInfoLabels(*Panel2);
    BitBtn1 = PlaceGlyphButton(Panel2, QStringLiteral("BitBtn1"),
                               QStringLiteral("View Item Scores"), QRect(9, 580, 141, 36), 13);
    PrintScoresButton =
        PlaceGlyphButton(Panel2, QStringLiteral("PrintScoresButton"),
                         QStringLiteral("Print Scores"), QRect(193, 580, 141, 36), 13);
    setTabOrder(PrintScoresButton, BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { ShowItemScores(); }); });
    connect(PrintScoresButton, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { PrintScores(); }); });
    gSubscaleScoresPage = this;
}

SubscaleScoresPage::~SubscaleScoresPage() {
    if (gSubscaleScoresPage == this) gSubscaleScoresPage = nullptr;
}

void SubscaleScoresPage::OnShown() {
    LoadNormTable();
    ShowClientInfo(*Panel2, gClientRecord);
}

void SubscaleScoresPage::PaintGraph(canvas::Canvas& canvas, int width, int height) {
    ComputeSubscaleScores();
    drawing::DrawReportPaintBox(canvas, width, height, SubscaleScores, NormTable,
                                drawing::LocaleDecimalSeparator());
}

void SubscaleScoresPage::ShowItemScores() {
    if (isVisible()) hide();
    if (gItemScoresPage != nullptr) gItemScoresPage->show();
}

void SubscaleScoresPage::PrintScores() {
    PreviewScoreReport();
}

}  // namespace kivo
