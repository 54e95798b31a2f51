// The score report's layout in design pixels and its band events, which print what the report
// screen shows: the client's details, the subscale chart and the score tables.
#include "print/score/ScoreReport.h"

#include "canvas/Bitmap.h"
#include "drawing/ClientDetails.h"
#include "drawing/ScoreTables.h"
#include "drawing/SubscaleChart.h"
#include "model/ClientRecord.h"
#include "model/Questionnaire.h"
#include "model/Session.h"
#include "print/engine/ReportUnits.h"

namespace kivo::print {
namespace {

using namespace report;

// Lengths of the layout are design pixels (1/96 inch).
double Px(int px) {
    return DesignPixelsToTenths(px);
}

constexpr int kChartWidth = 617;
constexpr int kChartHeight = 305;
constexpr int kTablesWidth = 617;
constexpr int kTablesHeight = 225;

}  // namespace

ScoreReport::ScoreReport() {
    report_.ReportTitle = "KIVO Score Report";
    report_.Page = PageSetup{};  // Letter portrait, 12.7 mm margins all round
    report_.Font.family = "Arial";
    report_.Font.pointSize = 10.0;
    report_.Options = {true, true};
    report_.PrintIfEmpty = true;
    report_.PagesInPreview = 1;
    report_.BeforeRun = [this] { TakeClient(); };
    BuildPageHeader();
    BuildDetail();
    auto& footer = report_.AddBand(BandKind::PageFooter);
    footer.Size.height = Px(35);
    footer.AlignToBottom = true;
}

ReportLabel& ScoreReport::AddLabel(ReportBand& band, int left, int top, const QString& caption) {
    auto& label = band.Add<ReportLabel>();
    label.Font = report_.Font;
    label.AutoSize = true;
    label.WordWrap = true;
    label.Transparent = false;
    label.Color = Qt::white;
    label.Size.left = Px(left);
    label.Size.top = Px(top);
    label.SetCaption(caption);
    return label;
}

void ScoreReport::BuildPageHeader() {
    auto& band = report_.AddBand(BandKind::PageHeader);
    band.Size.height = Px(129);
    band.BeforePrint = [this](ReportBand&, bool&) { FillPageHeader(); };
    auto& header = elements_.header;
    auto& title = AddLabel(band, 210, 40, "Veltrano (KIVO) Scale");
    title.Alignment = TextAlignment::Center;
    title.AlignToBand = true;
    title.Reformat();
    header.title = &title;
    auto& date = band.Add<ReportDateLabel>();
    date.Font = report_.Font;
    date.AutoSize = true;
    date.Alignment = TextAlignment::Center;
    date.AlignToBand = true;
    date.Size.left = Px(317);
    date.Size.top = Px(63);
    date.Text = "Printed: ";
    date.SetCaption(date.Text);
    header.printed = &date;
    header.name = &AddLabel(band, 8, 104, "Name:");
    header.gender = &AddLabel(band, 200, 104, "Gender:");
    header.birthDate = &AddLabel(band, 325, 104, "Date of Birth:");
    header.testForm = &AddLabel(band, 512, 104, "Test Form:");
}

void ScoreReport::BuildDetail() {
    auto& band = report_.AddBand(BandKind::Detail);
    band.Size.height = Px(779);
    band.BeforePrint = [this](ReportBand&, bool&) { FillDetail(); };
    auto& detail = elements_.detail;
    auto& [c1, c2] = detail.conditions;
    // In print order: the elements are printed in the order they were added.
    struct Placed {
        ReportLabel** label;
        int left, top;
        const char* caption;
    };
    const Placed labels[] = {
        {&c1.heading, 40, 6, "Condition 1:"},
        {&c1.aidHeading, 56, 29, "Hearing Aid Information"},
        {&c1.hearingAid, 56, 52, " "},
        {&c1.ear, 40, 75, "Ear: "},
        {&c1.coupling, 192, 75, "Coupling:"},
        {&c1.testDate, 40, 98, "Date of Test:"},
        {&c1.experience, 40, 121, "HA Experience:"},
        {&c2.heading, 416, 6, "Condition 2:"},
        {&c2.aidHeading, 432, 29, "Hearing Aid Information"},
        {&c2.hearingAid, 432, 52, " "},
        {&c2.ear, 416, 75, "Ear: "},
        {&c2.coupling, 560, 75, "Coupling:"},
        {&c2.testDate, 416, 98, "Date of Test:"},
        {&c2.experience, 417, 121, "HA Experience:"},
        {&detail.commentsHeading, 40, 152, "Comments:"},
    };
    for (const auto& l : labels) *l.label = &AddLabel(band, l.left, l.top, l.caption);
    auto& comments = AddLabel(band, 133, 152, "");
    comments.AutoSize = false;
    comments.WordWrap = true;
    comments.Size.width = Px(516);
    comments.Size.height = Px(42);
    comments.Reformat();
    detail.comments = &comments;
    const auto addImage = [&](int left, int top, int width, int height) {
        auto& image = band.Add<ReportImage>();
        image.Size = {Px(height), Px(left), Px(top), Px(width)};
        return &image;
    };
    detail.chart = addImage(56, 232, kChartWidth, kChartHeight);
    detail.tables = addImage(56, 548, kTablesWidth, kTablesHeight);
}

void ScoreReport::TakeClient() {
    client_ = gClientRecord;
    ComputeSubscaleScores(client_, scores_);
}

void ScoreReport::FillPageHeader() {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(client_);
    QString name = "Name: " + d.lastName;
    if (!d.lastName.isEmpty()) name += ", ";
    name += d.firstName + " " + d.middleInitial;
    const auto& header = elements_.header;
    header.name->SetCaption(name);
    header.gender->SetCaption(d.gender);
    header.birthDate->SetCaption(d.birthDate);
    header.testForm->SetCaption(d.testForm);
}

void ScoreReport::FillDetail() {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(client_);
    const auto& detail = elements_.detail;
    for (std::size_t c = 0; c < detail.conditions.size(); ++c) {
        const auto& labels = detail.conditions[c];
        const auto& details = d.conditions[c];
        labels.hearingAid->SetCaption(" " + details.hearingAid);
        labels.ear->SetCaption(details.ear);
        labels.coupling->SetCaption(details.coupling);
        labels.testDate->SetCaption(details.testDate);
        labels.experience->SetCaption(details.experience);
    }
    detail.comments->SetCaption(d.comments);
    canvas::Bitmap chart(kChartWidth, kChartHeight);
    canvas::Bitmap tables(kTablesWidth, kTablesHeight);
    drawing::DrawSubscaleChart(chart, kChartWidth, kChartHeight, drawing::ChartVariant::Print,
                               scores_, SubscaleNorms());
    drawing::DrawScoreTables(tables, kTablesWidth, kTablesHeight, drawing::TableLayout::Print,
                             scores_, drawing::LocaleDecimalSeparator());
    detail.chart->Picture = chart.Finish().copy();
    detail.tables->Picture = tables.Finish().copy();
}

}  // namespace kivo::print
