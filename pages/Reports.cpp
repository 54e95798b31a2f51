#include "Reports.h"

#include <QPushButton>

#include "ErrorBox.h"
#include "ReportPaintBox.h"
#include "ReportsControls.h"
#include "ScoreReportHook.h"
#include "ScoreTables.h"
#include "Session.h"
#include "Viewscor.h"

namespace kivo {

TfmReportScreen* fmReportScreen = nullptr;

TfmReportScreen::TfmReportScreen(QWidget* parent) : TfmPage(parent) {
    SetUpScorePage(*this, QStringLiteral("fmReportScreen"), QStringLiteral("Report Screen"),
                   PixelFont(QStringLiteral("MS Sans Serif"), 11));
    GraphPaintBox = PlaceGraphPanel(this, QRect(10, 10, 625, 623),
                                    [this](canvas::Canvas& canvas, int width, int height) {
                                        GraphPaintBoxPaint(canvas, width, height);
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
            [this] { RunGuarded([this] { BitBtn1Click(); }); });
    connect(PrintScoresButton, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { PrintScoresButtonClick(); }); });
    fmReportScreen = this;
}

TfmReportScreen::~TfmReportScreen() {
    if (fmReportScreen == this) fmReportScreen = nullptr;
}

void TfmReportScreen::FormShow() {
    LoadNormTable();
    ShowClientInfo(*Panel2, gClientRecord);
}

void TfmReportScreen::GraphPaintBoxPaint(canvas::Canvas& canvas, int width, int height) {
    ComputeSubscaleScores();
    drawing::DrawReportPaintBox(canvas, width, height, SubscaleScores, NormTable,
                                drawing::LocaleDecimalSeparator());
}

void TfmReportScreen::BitBtn1Click() {
    if (isVisible()) hide();
    if (fmViewScores != nullptr) fmViewScores->show();
}

void TfmReportScreen::PrintScoresButtonClick() {
    PreviewScoreReport();
}

}  // namespace kivo
