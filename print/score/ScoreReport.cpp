#include "print/score/ScoreReport.h"

#include "canvas/Bitmap.h"
#include "model/ClientRecord.h"
#include "drawing/ClientDetails.h"
#include "model/Questionnaire.h"
#include "print/engine/ReportUnits.h"
#include "drawing/ScoreTables.h"
#include "model/Session.h"
#include "drawing/SubscaleChart.h"

namespace kivo::print {
namespace {

using namespace report;

// Lengths of the layout are design pixels (1/96 inch).
double Px(int px) { return DesignPixelsToTenths(px); }

constexpr int kChartWidth = 617;
constexpr int kChartHeight = 305;
constexpr int kTablesWidth = 617;
constexpr int kTablesHeight = 225;

}  // namespace

ScoreReport::ScoreReport() {
    report_.ReportTitle = "KIVO Score Report";
    report_.Page = PageSetup{};  // Letter, portrait, 12.7 mm margins all round
    report_.Font.family = "Arial";
    report_.Font.pointSize = 10.0;
    report_.Options = {true, true};
    report_.PrintIfEmpty = true;
    report_.PagesInPreview = 1;
    BuildPageHeader();
    BuildDetail();
    auto& footer = report_.AddBand(BandKind::PageFooter);
    footer.Size.height = Px(35);
    footer.AlignToBottom = true;
}

ReportLabel& ScoreReport::AddLabel(ReportBand& band, const QString& name, int left, int top,
                                    const QString& caption) {
    auto& label = band.Add<ReportLabel>();
    label.Font = report_.Font;
    label.AutoSize = true;
    label.WordWrap = true;
    label.Transparent = false;
    label.Color = Qt::white;
    label.Size.left = Px(left);
    label.Size.top = Px(top);
    label.SetCaption(caption);
    named_.emplace_back(name, &label);
    return label;
}

void ScoreReport::BuildPageHeader() {
    auto& band = report_.AddBand(BandKind::PageHeader);
    band.Size.height = Px(129);
    band.BeforePrint = [this](ReportBand& b, bool& p) { PageHeaderBand1BeforePrint(b, p); };
    auto& title = AddLabel(band, "RpLabel1", 210, 40, "Veltrano (KIVO) Scale");
    title.Alignment = TextAlignment::Centre;
    title.AlignToBand = true;
    title.Reformat();
    auto& date = band.Add<ReportDateLabel>();
    date.Font = report_.Font;
    date.AutoSize = true;
    date.Alignment = TextAlignment::Centre;
    date.AlignToBand = true;
    date.Size.left = Px(317);
    date.Size.top = Px(63);
    date.Text = "Printed: ";
    date.SetCaption(date.Text);
    named_.emplace_back("RpSysData1", &date);
    AddLabel(band, "RpNameLabel", 8, 104, "Name:");
    AddLabel(band, "RpGenderLabel", 200, 104, "Gender:");
    AddLabel(band, "RpDateBirthLabel", 325, 104, "Date of Birth:");
    AddLabel(band, "RpTestFormLabel", 512, 104, "Test Form:");
}

void ScoreReport::BuildDetail() {
    auto& band = report_.AddBand(BandKind::Detail);
    band.Size.height = Px(779);
    band.BeforePrint = [this](ReportBand& b, bool& p) { DetailBand1BeforePrint(b, p); };
    struct Placed {
        const char* name;
        int left, top;
        const char* caption;
    };
    const Placed labels[] = {
        {"RpLabel5", 40, 6, "Condition 1:"},
        {"RpLabel6", 56, 29, "Hearing Aid Information"},
        {"RpHearingAidLabel1", 56, 52, " "},
        {"RpEarLabel1", 40, 75, "Ear: "},
        {"RpCouplingLabel1", 192, 75, "Coupling:"},
        {"RpTestDateLabel1", 40, 98, "Date of Test:"},
        {"RpHAExperienceLabel1", 40, 121, "HA Experience:"},
        {"RpLabel2", 416, 6, "Condition 2:"},
        {"RpLabel3", 432, 29, "Hearing Aid Information"},
        {"RpHearingAidLabel2", 432, 52, " "},
        {"RpEarLabel2", 416, 75, "Ear: "},
        {"RpCouplingLabel2", 560, 75, "Coupling:"},
        {"RpTestDateLabel2", 416, 98, "Date of Test:"},
        {"RpHAExperienceLabel2", 417, 121, "HA Experience:"},
        {"RpLabel4", 40, 152, "Comments:"},
    };
    for (const auto& l : labels) AddLabel(band, l.name, l.left, l.top, l.caption);
    auto& comments = AddLabel(band, "RpLabel7", 133, 152, "");
    comments.AutoSize = false;
    comments.AutoStretch = false;
    comments.WordWrap = true;
    comments.Size.width = Px(516);
    comments.Size.height = Px(42);
    comments.Reformat();
    const auto addImage = [&](const char* name, int left, int top, int width, int height) {
        auto& image = band.Add<ReportImage>();
        image.Size = {Px(height), Px(left), Px(top), Px(width)};
        named_.emplace_back(name, &image);
    };
    addImage("RpSubscaleScoreGraph", 56, 232, kChartWidth, kChartHeight);
    addImage("RpSubscaleDataTables", 56, 548, kTablesWidth, kTablesHeight);
}

ReportLabel& ScoreReport::Label(const QString& name) const {
    for (const auto& [n, element] : named_) {
        if (n == name) return dynamic_cast<ReportLabel&>(*element);
    }
    throw std::out_of_range("no label " + name.toStdString());
}

ReportImage& ScoreReport::Image(const QString& name) const {
    for (const auto& [n, element] : named_) {
        if (n == name) return dynamic_cast<ReportImage&>(*element);
    }
    throw std::out_of_range("no image " + name.toStdString());
}

void ScoreReport::PageHeaderBand1BeforePrint(ReportBand&, bool&) {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(gClientRecord);
    QString name = "Name: " + d.lastName;
    if (!d.lastName.isEmpty()) name += ", ";
    name += d.firstName + " " + d.middleInitial;
    Label("RpNameLabel").SetCaption(name);
    Label("RpGenderLabel").SetCaption(d.gender);
    Label("RpDateBirthLabel").SetCaption(d.birthDate);
    Label("RpTestFormLabel").SetCaption(d.testForm);
}

void ScoreReport::DetailBand1BeforePrint(ReportBand&, bool&) {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(gClientRecord);
    const auto& [c1, c2] = d.conditions;
    canvas::Bitmap chart(kChartWidth, kChartHeight);
    canvas::Bitmap tables(kTablesWidth, kTablesHeight);
    Label("RpHearingAidLabel1").SetCaption(" " + c1.hearingAid);
    Label("RpEarLabel1").SetCaption(c1.ear);
    Label("RpCouplingLabel1").SetCaption(c1.coupling);
    Label("RpTestDateLabel1").SetCaption(c1.testDate);
    Label("RpHAExperienceLabel1").SetCaption(c1.experience);
    Label("RpHearingAidLabel2").SetCaption(" " + c2.hearingAid);
    Label("RpEarLabel2").SetCaption(c2.ear);
    Label("RpCouplingLabel2").SetCaption(c2.coupling);
    Label("RpTestDateLabel2").SetCaption(c2.testDate);
    Label("RpHAExperienceLabel2").SetCaption(c2.experience);
    Label("RpLabel7").SetCaption(d.comments);
    drawing::DrawSubscaleChart(chart, kChartWidth, kChartHeight, drawing::ChartVariant::Print,
                               SubscaleScores, NormTable);
    drawing::DrawScoreTables(tables, kTablesWidth, kTablesHeight, drawing::TableLayout::Print,
                             SubscaleScores, drawing::LocaleDecimalSeparator());
    Image("RpSubscaleScoreGraph").Picture = chart.Finish().copy();
    Image("RpSubscaleDataTables").Picture = tables.Finish().copy();
}

}  // namespace kivo::print
