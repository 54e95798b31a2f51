// Positions on a Letter page's printable area at 600 dpi (4961 x 6401 pixels), figured by
// hand: columns, table tops and the header.
#include <gtest/gtest.h>

#include <algorithm>

#include "print/questionnaire/QuestionnaireLayout.h"
#include "print/questionnaire/QuestionnairePages.h"
#include "tests/blank/BlankFixtures.h"

namespace kivo::test {
namespace {

using canvas::CanvasOp;
using canvas::RecordingCanvas;

TEST(QuestionnaireLayout, ColumnsAndTopsOfALetterPage) {
    const print::PageColumns expected{248, 4712, 347, 3224, 3323, 1736, 3175, 320};
    EXPECT_EQ(print::ColumnsOf(kW, kH), expected);
    EXPECT_EQ(print::PageOneTable(kH), (print::RatedTable{1, 18, 1792}));
    EXPECT_EQ(print::PageTwoTable(kShortFormA, kH), (print::RatedTable{19, 7, 1792}));
    EXPECT_EQ(print::PageTwoTable(kShortFormB, kH), (print::RatedTable{19, 7, 1792}));
    EXPECT_EQ(print::PageTwoTable(kLongForm, kH), (print::RatedTable{19, 19, 128}));
    EXPECT_EQ(print::UseBlockTop(kShortFormA, kH), 3712);
    EXPECT_EQ(print::UseBlockTop(kShortFormB, kH), 3712);
    EXPECT_EQ(print::UseBlockTop(kLongForm, kH), 3968);
}

TEST(QuestionnaireLayout, TitlesPerForm) {
    struct Case {
        FormKind form;
        const char* pageTitle;
        const char* jobTitle;
    };
    for (const Case& c :
         {Case{kShortFormA, "KIVOs(a)", "KIVO questionnaire - Form A"},
          Case{kShortFormB, "KIVOs(b)", "KIVO questionnaire - Form B"},
          Case{kLongForm, "KIVO", "KIVO questionnaire"}, Case{3, "", ""}, Case{-1, "", ""}}) {
        EXPECT_EQ(print::PageOneTitle(c.form), c.pageTitle) << c.form;
        EXPECT_EQ(print::QuestionnaireJobTitle(c.form), c.jobTitle) << c.form;
    }
}

TEST(QuestionnaireHeader, LabelsAndWriteInLinesAtTheirPositions) {
    RecordingCanvas c(kDpi);
    PrintQuestionnaireFirstPage(c, kW, kH, kShortFormB);
    const int s0 = Trunc(F(1.15) * TextHeightX("Arial", 14, 0));
    const int titleWidth = TextWidthIn("Arial", 14, canvas::kBold, "KIVOs(b)");

    const auto title = TextCall(c, "KIVOs(b)");
    EXPECT_EQ(title.Points[0], (canvas::Point{Trunc(F(0.5) * kW - F(0.5) * titleWidth), 320}));
    EXPECT_EQ(title.font.Size, 14);
    EXPECT_EQ(title.font.Style, canvas::kBold);

    // "Page 2 of 2" ends at the right margin on the title's line.
    const auto width = [](const char* text) { return TextWidthIn("Arial", 11, 0, text); };
    EXPECT_EQ(TextCall(c, "Page 1 of 2").Points[0],
              (canvas::Point{4712 - width("Page 1 of 2"), 320}));

    // Two rows in two columns: labels at the left margin, 248, and trunc(0.62 W) = 3075; each
    // line starts a third of a text height after its own label and ends at trunc(0.58 W) = 2877
    // or the right margin, 4712.
    const int gap = TextHeightX("Arial", 11, 0) / 3;
    const auto from = [&](int x, const char* label) { return x + width(label) + gap; };
    const int row1 = Trunc(320 + F(1.4) * s0), row2 = Trunc(320 + F(2.8) * s0);
    const int line1 = Trunc(320 + F(2.1) * s0), line2 = Trunc(320 + F(3.5) * s0);
    struct Field {
        const char* label;
        canvas::Point at;
        canvas::Point from, to;
    };
    const Field fields[] = {
        {"Name:", {248, row1}, {from(248, "Name:"), line1}, {2877, line1}},
        {"Date of Birth:", {3075, row1}, {from(3075, "Date of Birth:"), line1}, {4712, line1}},
        {"Hearing aid / condition:",
         {248, row2},
         {from(248, "Hearing aid / condition:"), line2},
         {2877, line2}},
        {"Today's Date:", {3075, row2}, {from(3075, "Today's Date:"), line2}, {4712, line2}},
    };
    const auto lines = c.CallsOf(CanvasOp::LineTo);
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        const Field& f = fields[i];
        const auto label = TextCall(c, f.label);
        EXPECT_EQ(label.Points[0], f.at) << f.label;
        EXPECT_EQ(label.font, (canvas::Font{"Arial", 11, 0, canvas::kBlack})) << f.label;
        EXPECT_EQ(lines[i].Points, (std::vector<canvas::Point>{f.from, f.to})) << f.label;
        EXPECT_EQ(lines[i].pen, (canvas::Pen{canvas::kBlack, 2, canvas::PenStyle::Solid}));
    }
    // Room for a handwritten date: 30 mm are 709 pixels at 600 dpi.
    EXPECT_GE(4712 - from(3075, "Date of Birth:"), 709);
    // The name's line starts just after "Name:", not after the longer label below it.
    EXPECT_LT(from(248, "Name:"), from(248, "Hearing aid / condition:") - 500);
}

TEST(QuestionnaireHeader, InstructionsAndAnswerGuide) {
    RecordingCanvas c(kDpi);
    PrintQuestionnaireFirstPage(c, kW, kH, kShortFormA);
    const int th12 = TextHeightX("Arial", 12, canvas::kBold);
    const int s1 = Trunc(F(1.1) * th12);
    const auto& lines = Content().printInstructions;
    ASSERT_EQ(lines.size(), 5u);
    const int at[5] = {5, 6, 7, 9, 10};
    for (std::size_t i = 0; i < 5; ++i) {
        const auto call = TextCall(c, Printed(lines[i]));
        EXPECT_EQ(call.Points[0], (canvas::Point{248, 320 + at[i] * s1})) << i;
        EXPECT_EQ(call.font.Size, 12);
        EXPECT_EQ(call.font.Style, canvas::kBold);
    }
    const int stemY = 320 + 12 * s1;
    EXPECT_EQ(TextCall(c, " How good are the hearing aids at...").Points[0],
              (canvas::Point{248, stemY}));
    // The guide runs beside the instructions: "A" level with their first line, "G" with the
    // stem line, six equal steps between.
    const char* guide[7] = {" A  Not at all",   " B  A little", " C  Somewhat",    " D  Medium",
                            " E  Considerably", " F  Greatly",  " G  Tremendously"};
    for (int n = 0; n < 7; ++n) {
        const auto call = TextCall(c, guide[n]);
        EXPECT_EQ(call.Points[0], (canvas::Point{3323, 320 + 5 * s1 + 7 * n * s1 / 6})) << guide[n];
        EXPECT_EQ(call.font.Size, 11);
        EXPECT_EQ(call.font.Style, canvas::kBold);
        EXPECT_EQ(call.brush.Style(), canvas::BrushStyle::NoFill);
        EXPECT_EQ(call.font.Color, canvas::kBlack);
    }
    EXPECT_EQ(TextCall(c, " A  Not at all").Points[0].y, 320 + 5 * s1);
    EXPECT_EQ(TextCall(c, " G  Tremendously").Points[0].y, stemY);
}

// What the instructions ask for is what the page offers: letters to circle in each row,
// boxes to tick for the use questions; no column to write in.
TEST(QuestionnaireHeader, InstructionsSayHowToAnswerOnThisPage) {
    std::string text;
    for (const auto& line : Content().printInstructions) text += line;
    for (const char* phrase :
         {"circling", "one letter from A to G for each item", "tick one box for each"}) {
        EXPECT_NE(text.find(phrase), std::string::npos) << phrase << " in " << text;
    }
    for (const char* stale : {"column", "writing a letter"}) {
        EXPECT_EQ(text.find(stale), std::string::npos) << stale << " in " << text;
    }
}

}  // namespace
}  // namespace kivo::test
