// The score report's layout in design pixels and its band events, which print what the report
// screen shows: the client's details, the subscale chart and the score tables.
#include "print/score/ScoreReport.h"

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

// The name's room ends where "Gender:" starts, less a blank so the two never touch.
constexpr int kNameLeft = 8;
constexpr int kGenderLeft = 200;
// The comments fill the free space between the details and the chart.
constexpr int kCommentLines = 4;

// `text` as it fits in `room` tenths in `font`: whole, or cut with "…" at its end.
QString Elided(const QString& text, double room, const FontSpec& font) {
    const DesignMetrics metrics(font);
    const auto width = [&](const QString& s) { return DesignPixelsToTenths(metrics.TextWidth(s)); };
    if (width(text) <= room) return text;
    const QString ellipsis = QStringLiteral("\u2026");
    QString kept = text;
    while (!kept.isEmpty() && width(kept + ellipsis) > room) {
        kept.chop(1);
        while (!kept.isEmpty() && (kept.back().isSpace() || kept.back() == u',')) kept.chop(1);
    }
    return kept + ellipsis;
}

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
    header.name = &AddLabel(band, kNameLeft, 104, "Name:");
    header.gender = &AddLabel(band, kGenderLeft, 104, "Gender:");
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
    comments.BreakLongWords = true;
    comments.EllipsisWhenCut = true;
    comments.Size.width = Px(516);
    comments.Size.height =
        kCommentLines * DesignPixelsToTenths(DesignMetrics(comments.Font).TextHeight());
    comments.Reformat();
    detail.comments = &comments;
    const auto addDrawing = [&](int left, int top, int width, int height) {
        auto& drawing = band.Add<ReportDrawing>();
        drawing.Size = {Px(height), Px(left), Px(top), Px(width)};
        drawing.PixelWidth = width;
        drawing.PixelHeight = height;
        return &drawing;
    };
    detail.chart = addDrawing(56, 232, kChartWidth, kChartHeight);
    detail.tables = addDrawing(56, 548, kTablesWidth, kTablesHeight);
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
    const double room =
        Px(kGenderLeft - kNameLeft) -
        DesignPixelsToTenths(DesignMetrics(header.name->Font).TextWidth(QStringLiteral(" ")));
    header.name->SetCaption(Elided(name, room, header.name->Font));
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
    // The same routines as the report screen, recorded as vectors and text for the paper.
    detail.chart->Draw = [scores = scores_, norms = SubscaleNorms()](canvas::Canvas& canvas,
                                                                     int width, int height) {
        drawing::DrawSubscaleChart(canvas, width, height, drawing::ChartVariant::Print, scores,
                                   norms);
    };
    detail.tables->Draw = [scores = scores_, separator = drawing::LocaleDecimalSeparator()](
                              canvas::Canvas& canvas, int width, int height) {
        drawing::DrawScoreTables(canvas, width, height, drawing::TableLayout::Print, scores,
                                 separator);
    };
}

}  // namespace kivo::print
