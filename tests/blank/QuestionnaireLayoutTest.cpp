// Positions on a Letter page's printable area at 600 dpi (4961 x 6401 pixels), figured by
// hand: columns, table tops and the header.
#include <gtest/gtest.h>

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
    const int titleWidth = TextWidthIn("Arial", 14, canvas::fsBold, "KIVOs(b)");

    const auto title = TextCall(c, "KIVOs(b)");
    EXPECT_EQ(title.Points[0], (canvas::Point{Trunc(F(0.5) * kW - F(0.5) * titleWidth), 320}));
    EXPECT_EQ(title.font.Size, 14);
    EXPECT_EQ(title.font.Style, canvas::fsBold);
    EXPECT_EQ(TextCall(c, "Name:").Points[0], (canvas::Point{248, 320 + 2 * s0}));
    EXPECT_EQ(TextCall(c, "Date of Birth:").Points[0], (canvas::Point{2282, 320 + 2 * s0}));
    EXPECT_EQ(TextCall(c, "Today's Date:").Points[0], (canvas::Point{3671, 320 + 2 * s0}));
    EXPECT_EQ(TextCall(c, "Name:").font.Size, 11);

    const int y = Trunc(320 + F(2.7) * s0);
    const auto lines = c.CallsOf(CanvasOp::LineTo);
    ASSERT_EQ(lines.size(), 3u);
    const int ends[3][2] = {{635, 2034}, {2877, 3423}, {4266, 4712}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[i].Points[0], (canvas::Point{ends[i][0], y})) << i;
        EXPECT_EQ(lines[i].Points[1], (canvas::Point{ends[i][1], y})) << i;
        EXPECT_EQ(lines[i].pen, (canvas::Pen{canvas::clBlack, 2, canvas::psSolid}));
    }
}

TEST(QuestionnaireHeader, InstructionsAndAnswerGuide) {
    RecordingCanvas c(kDpi);
    PrintQuestionnaireFirstPage(c, kW, kH, kShortFormA);
    const int th12 = TextHeightX("Arial", 12, canvas::fsBold);
    const int s1 = Trunc(F(1.1) * th12);
    const int s2 = Trunc(F(1.4) * th12);
    const auto& lines = Content().printInstructions;
    ASSERT_EQ(lines.size(), 5u);
    const int at[5] = {5, 6, 7, 9, 10};
    for (std::size_t i = 0; i < 5; ++i) {
        const auto call = TextCall(c, Printed(lines[i]));
        EXPECT_EQ(call.Points[0], (canvas::Point{248, 320 + at[i] * s1})) << i;
        EXPECT_EQ(call.font.Size, 12);
        EXPECT_EQ(call.font.Style, canvas::fsBold);
    }
    EXPECT_EQ(TextCall(c, " How good are the hearing aids at...").Points[0],
              (canvas::Point{248, 320 + 12 * s1}));
    const char* guide[7] = {" A  Not at all",   " B  A little", " C  Somewhat",    " D  Medium",
                            " E  Considerably", " F  Greatly",  " G  Tremendously"};
    for (int n = 0; n < 7; ++n) {
        const auto call = TextCall(c, guide[n]);
        EXPECT_EQ(call.Points[0], (canvas::Point{3323, 320 + (n + 3) * s2})) << guide[n];
        EXPECT_EQ(call.font.Size, 11);
        EXPECT_EQ(call.font.Style, canvas::fsBold);
        EXPECT_EQ(call.brush.Style(), canvas::bsClear);
        EXPECT_EQ(call.font.Color, canvas::clBlack);
    }
}

}  // namespace
}  // namespace kivo::test
