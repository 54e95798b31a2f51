// What each page of each form holds, and the rated-item table on a Letter page at 600 dpi.
#include <gtest/gtest.h>

#include "print/questionnaire/QuestionnaireLayout.h"
#include "print/questionnaire/QuestionnairePages.h"
#include "tests/blank/BlankFixtures.h"

namespace kivo::test {
namespace {

using canvas::CanvasOp;
using canvas::RecordingCanvas;

const canvas::Rgb kMoneyGreen = canvas::Rgb(0xC0DCC0);
const std::string kAnswerRow = "  A     B     C     D     E     F     G";
const std::string kStem = " How good are the hearing aids at...";
const std::string kContinued = "  (continued on next page)";

std::string Row(FormKind form, int item) {
    return Printed(Content().printedItemRows[static_cast<std::size_t>(form)]
                                            [static_cast<std::size_t>(item - 1)]);
}

bool IsShaded(const canvas::CanvasCall& call) {
    return call.brush.Style() == canvas::BrushStyle::Solid && call.brush.Color() == kMoneyGreen;
}

// Shaded table rows: the table's rectangles start 10 pixels left of the left margin, 248.
int ShadedRows(const RecordingCanvas& c) {
    int n = 0;
    for (const auto& call : c.CallsOf(CanvasOp::Rectangle)) {
        n += call.Points[0].x == 238 && IsShaded(call) ? 1 : 0;
    }
    return n;
}

TEST(RatedTable, PageOneFrameShadingAndRows) {
    RecordingCanvas c(kDpi);
    PrintQuestionnaireFirstPage(c, kW, kH, kShortFormA);
    const int r = Trunc(F(2.0) * TextHeightX("Arial", 11, 0));
    const int q = 1792;
    const auto rects = c.CallsOf(CanvasOp::Rectangle);
    ASSERT_EQ(rects.size(), 10u);
    EXPECT_EQ(rects[0].Points,
              (std::vector<canvas::Point>{{238, q + r - r / 4}, {4722, q + 19 * r - r / 4}}));
    EXPECT_EQ(rects[0].brush.Style(), canvas::BrushStyle::NoFill);
    EXPECT_EQ(rects[0].pen, (canvas::Pen{canvas::kBlack, 2, canvas::PenStyle::Solid}));
    for (int i = 1; i < 10; ++i) {
        const int k = 2 * i - 1;
        EXPECT_EQ(
            rects[static_cast<std::size_t>(i)].Points,
            (std::vector<canvas::Point>{{238, q + k * r - r / 4}, {4722, q + (k + 1) * r - r / 4}}))
            << "row " << k;
        EXPECT_TRUE(IsShaded(rects[static_cast<std::size_t>(i)])) << "row " << k;
    }
    for (int k = 1; k <= 18; ++k) {
        const auto row = TextCall(c, Row(kShortFormA, k));
        EXPECT_EQ(row.Points[0], (canvas::Point{347, q + k * r})) << k;
        EXPECT_EQ(row.brush.Style(), canvas::BrushStyle::NoFill);
        EXPECT_EQ(row.font.Size, 11);
        EXPECT_EQ(row.font.Style, 0u);
    }
    const auto answers = Texts(c);
    int answerRows = 0;
    for (const auto& call : answers) {
        if (call.Text != kAnswerRow) continue;
        ++answerRows;
        EXPECT_EQ(call.Points[0], (canvas::Point{3224, q + answerRows * r}));
    }
    EXPECT_EQ(answerRows, 18);
    EXPECT_EQ(TextCall(c, kContinued).Points[0], (canvas::Point{3224, q + 20 * r}));
}

TEST(RatedTable, LongFormPageTwoStartsNearTheTop) {
    RecordingCanvas c(kDpi);
    PrintQuestionnaireSecondPage(c, kW, kH, kLongForm);
    const int r = Trunc(F(2.0) * TextHeightX("Arial", 11, 0));
    const auto frame = c.CallsOf(CanvasOp::Rectangle).front();
    EXPECT_EQ(frame.Points,
              (std::vector<canvas::Point>{{238, 128 + r - r / 4}, {4722, 128 + 20 * r - r / 4}}));
    EXPECT_EQ(TextCall(c, Row(kLongForm, 19)).Points[0], (canvas::Point{347, 128 + r}));
    EXPECT_EQ(TextCall(c, Row(kLongForm, 37)).Points[0], (canvas::Point{347, 128 + 19 * r}));
}

TEST(PageContents, EachFormAndPage) {
    struct Case {
        FormKind form;
        int page;
        int rows, firstItem, lastItem, shaded;
        bool header, instructions, continued;
    };
    const Case cases[] = {
        {kShortFormA, 1, 18, 1, 18, 9, true, true, true},
        {kShortFormB, 1, 18, 1, 18, 9, true, true, true},
        {kLongForm, 1, 18, 1, 18, 9, true, true, true},
        {kShortFormA, 2, 7, 19, 25, 4, false, true, false},
        {kShortFormB, 2, 7, 19, 25, 4, false, true, false},
        {kLongForm, 2, 19, 19, 37, 10, false, false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(::testing::Message() << "form " << k.form << " page " << k.page);
        RecordingCanvas c(kDpi);
        if (k.page == 1) {
            PrintQuestionnaireFirstPage(c, kW, kH, k.form);
        } else {
            PrintQuestionnaireSecondPage(c, kW, kH, k.form);
        }
        EXPECT_EQ(CountText(c, kAnswerRow), k.rows);
        EXPECT_EQ(ShadedRows(c), k.shaded);
        EXPECT_EQ(CountText(c, Row(k.form, k.firstItem)), 1);
        EXPECT_EQ(CountText(c, Row(k.form, k.lastItem)), 1);
        if (k.firstItem > 1) {
            EXPECT_EQ(CountText(c, Row(k.form, k.firstItem - 1)), 0);
        }
        EXPECT_EQ(CountText(c, "Name:"), k.header ? 1 : 0);
        EXPECT_EQ(CountText(c, std::string(print::PageOneTitle(k.form))), k.header ? 1 : 0);
        EXPECT_EQ(CountText(c, kStem), k.instructions ? 1 : 0);
        EXPECT_EQ(CountText(c, Printed(Content().printInstructions[0])), k.instructions ? 1 : 0);
        EXPECT_EQ(CountText(c, " G  Tremendously"), k.instructions ? 1 : 0);
        EXPECT_EQ(CountText(c, kContinued), k.continued ? 1 : 0);
        const bool useItems = k.page == 2;
        EXPECT_EQ(CountText(c, Printed(Content().printCredit)), useItems ? 1 : 0);
        EXPECT_EQ(c.CallsOf(CanvasOp::Arc).size(), useItems ? 3u : 0u);
    }
}

TEST(PageContents, PageOneDiffersBetweenFormsOnlyInTitleAndItems) {
    RecordingCanvas a(kDpi), longForm(kDpi);
    PrintQuestionnaireFirstPage(a, kW, kH, kShortFormA);
    PrintQuestionnaireFirstPage(longForm, kW, kH, kLongForm);
    ASSERT_EQ(a.Calls().size(), longForm.Calls().size());
    for (std::size_t i = 0; i < a.Calls().size(); ++i) {
        const auto& x = a.Calls()[i];
        const auto& y = longForm.Calls()[i];
        EXPECT_EQ(x.Op, y.Op) << i;
        EXPECT_EQ(x.font, y.font) << i;
        if (x.Text == "KIVOs(a)") {
            EXPECT_EQ(y.Text, "KIVO");
            EXPECT_EQ(x.Points[0].y, y.Points[0].y);
            continue;
        }
        EXPECT_EQ(x.Points, y.Points) << i << " " << x.Text;
        if (x.Points[0].x != 347) {
            EXPECT_EQ(x.Text, y.Text) << i;
        }
    }
}

TEST(PageContents, AnUnknownFormPrintsNothing) {
    for (const FormKind form : {-1, 3, 1000}) {
        RecordingCanvas c(kDpi);
        PrintQuestionnaireFirstPage(c, kW, kH, form);
        PrintQuestionnaireSecondPage(c, kW, kH, form);
        EXPECT_TRUE(c.Calls().empty()) << form;
    }
}

}  // namespace
}  // namespace kivo::test
