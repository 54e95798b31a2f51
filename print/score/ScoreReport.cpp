// The score report's layout in design pixels and its band events, which print what the report
// screen shows: the client's details, the subscale chart and the score tables.
#include "print/score/ScoreReport.h"

#include "drawing/ClientDetails.h"
#include "drawing/RecordText.h"
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
constexpr int kChartTop = 232;
constexpr int kScaleNoteTop = 543;
constexpr int kTablesTop = 559;
constexpr int kTablesWidth = 617;
constexpr int kTablesHeight = 225;

// Where the labels of a row start, so that each detail ends before the next one on its row
// (less a blank, so the two never touch) or at the band's right edge.
constexpr int kNameLeft = 8;
constexpr int kGenderLeft = 200;
constexpr int kBirthDateLeft = 325;
constexpr int kTestFormLeft = 512;
constexpr int kCoupling1Left = 192;
constexpr int kColumn2Left = 416;
constexpr int kHearingAid2Left = 432;
constexpr int kCoupling2Left = 560;
constexpr int kBandWidth = 720;
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

// Sets `label`'s caption to `text`, cut with "…" where it would reach `right` (design pixels
// from the band's left): the next label on its row, or the band's edge.
double RoomOf(const ReportLabel& label, int right) {
    double room = Px(right) - label.Size.left;
    if (right < kBandWidth) {
        room -= DesignPixelsToTenths(DesignMetrics(label.Font).TextWidth(QStringLiteral(" ")));
    }
    return room;
}

void SetFitted(ReportLabel& label, const QString& text, int right) {
    label.SetCaption(Elided(text, RoomOf(label, right), label.Font));
}

// "Name: Last, First M" in `room`: a name too long for it loses letters of the last name
// first, so the first name, which tells two relatives apart, stays whole where it can.
QString NameLine(const drawing::ClientDetails& d, double room, const FontSpec& font) {
    const QString given = d.firstName + " " + d.middleInitial;
    const QString full = "Name: " + d.lastName + (d.lastName.isEmpty() ? "" : ", ") + given;
    const DesignMetrics metrics(font);
    const auto fits = [&](const QString& s) {
        return DesignPixelsToTenths(metrics.TextWidth(s)) <= room;
    };
    if (fits(full)) return full;
    const QString ellipsis = QStringLiteral("\u2026");
    // At least one letter of the last name stays, with the ellipsis after it.
    for (qsizetype keep = d.lastName.size() - 1; keep >= 1; --keep) {
        const QString last = d.lastName.left(keep).trimmed();
        if (last.isEmpty()) continue;
        const QString line = "Name: " + last + ellipsis + ", " + given;
        if (fits(line)) return line;
    }
    return Elided(full, room, font);
}

}  // namespace

ScoreReport::ScoreReport() {
    report_.ReportTitle = "KIVO Score Report";
    report_.Page = PageSetup{};  // Letter portrait, 12.7 mm margins all round
    report_.Font.family = "Arial";
    report_.Font.pointSize = 10.0;
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
    header.clientId = &AddLabel(band, kNameLeft, 81, "Client ID:");
    header.name = &AddLabel(band, kNameLeft, 104, "Name:");
    header.gender = &AddLabel(band, kGenderLeft, 104, "Gender:");
    header.birthDate = &AddLabel(band, kBirthDateLeft, 104, "Date of Birth:");
    header.testForm = &AddLabel(band, kTestFormLeft, 104, "Test Form:");
}

void ScoreReport::BuildDetail() {
    auto& band = report_.AddBand(BandKind::Detail);
    band.Size.height = Px(786);
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
        {&c1.coupling, kCoupling1Left, 75, "Coupling:"},
        {&c1.testDate, 40, 98, "Date of Test:"},
        {&c1.experience, 40, 121, "HA Experience:"},
        {&c2.heading, kColumn2Left, 6, "Condition 2:"},
        {&c2.aidHeading, kHearingAid2Left, 29, "Hearing Aid Information"},
        {&c2.hearingAid, kHearingAid2Left, 52, " "},
        {&c2.ear, kColumn2Left, 75, "Ear: "},
        {&c2.coupling, kCoupling2Left, 75, "Coupling:"},
        {&c2.testDate, kColumn2Left, 98, "Date of Test:"},
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
    detail.chart = addDrawing(56, kChartTop, kChartWidth, kChartHeight);
    // Under the chart: the subscales' scores do not all run over the same range.
    auto& note = AddLabel(band, 56, kScaleNoteTop, kScaleNote);
    note.Font.pointSize = 8.0;
    note.Reformat();
    detail.scaleNote = &note;
    detail.tables = addDrawing(56, kTablesTop, kTablesWidth, kTablesHeight);
}

void ScoreReport::TakeClient() {
    client_ = gClientRecord;
    ComputeSubscaleScores(client_, scores_);
}

void ScoreReport::FillPageHeader() {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(client_);
    const auto& header = elements_.header;
    SetFitted(*header.clientId, "Client ID: " + drawing::RecordText(client_.ClientId), kBandWidth);
    header.name->SetCaption(NameLine(d, RoomOf(*header.name, kGenderLeft), header.name->Font));
    SetFitted(*header.gender, d.gender, kBirthDateLeft);
    SetFitted(*header.birthDate, d.birthDate, kTestFormLeft);
    SetFitted(*header.testForm, d.testForm, kBandWidth);
}

void ScoreReport::FillDetail() {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(client_);
    const auto& detail = elements_.detail;
    // Where each column's rows end: condition 1's at condition 2's labels, condition 2's at
    // the band's edge.
    struct ColumnEnds {
        int hearingAid, ear, coupling, rest;
    };
    constexpr ColumnEnds kEnds[] = {{kHearingAid2Left, kCoupling1Left, kColumn2Left, kColumn2Left},
                                    {kBandWidth, kCoupling2Left, kBandWidth, kBandWidth}};
    for (std::size_t c = 0; c < detail.conditions.size(); ++c) {
        const auto& labels = detail.conditions[c];
        const auto& details = d.conditions[c];
        const ColumnEnds& ends = kEnds[c];
        SetFitted(*labels.hearingAid, " " + details.hearingAid, ends.hearingAid);
        SetFitted(*labels.ear, details.ear, ends.ear);
        SetFitted(*labels.coupling, details.coupling, ends.coupling);
        SetFitted(*labels.testDate, details.testDate, ends.rest);
        SetFitted(*labels.experience, details.experience, ends.rest);
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
