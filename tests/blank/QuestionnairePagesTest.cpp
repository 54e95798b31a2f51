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

// An item's text, printed after its number.
std::string Row(FormKind form, int item) {
    return ItemRowOf(form, item).text;
}

// Where the numbers end and the texts start at 600 dpi: after the widest number, "00.", and
// two blanks, from the item column (347).
int NumbersEnd() {
    return 347 + TextWidthIn("Arial", 11, 0, "00.");
}
int TextsStart() {
    return NumbersEnd() + TextWidthIn("Arial", 11, 0, "  ");
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
        EXPECT_EQ(row.Points[0], (canvas::Point{TextsStart(), q + k * r})) << k;
        // Numbers end at one x, "9." as "10.".
        const std::string number = ItemRowOf(kShortFormA, k).number;
        EXPECT_TRUE(
            HasTextAt(c, number, {NumbersEnd() - TextWidthIn("Arial", 11, 0, number), q + k * r}))
            << number;
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

// Page 2 of the long form holds the header, the answer guide in two rows and the stem above its
// 19 rows: the rows close up so the use block and the logo still fit on the page.
TEST(RatedTable, LongFormPageTwoFitsUnderTheGuide) {
    RecordingCanvas c(kDpi);
    PrintQuestionnaireSecondPage(c, kW, kH, kLongForm);
    const int th = TextHeightX("Arial", 11, 0);
    const int lineStep = Trunc(F(1.1) * TextHeightX("Arial", 12, canvas::kBold));
    // The guide's rows at 5 and 6 line steps below the top line, the stem at 8.
    const int quarter = (4712 - 248) / 4;
    EXPECT_EQ(TextCall(c, " A  Not at all").Points[0], (canvas::Point{248, 320 + 5 * lineStep}));
    EXPECT_EQ(TextCall(c, " D  Medium").Points[0],
              (canvas::Point{248 + 3 * quarter, 320 + 5 * lineStep}));
    EXPECT_EQ(TextCall(c, " E  Considerably").Points[0], (canvas::Point{248, 320 + 6 * lineStep}));
    EXPECT_EQ(TextCall(c, " G  Tremendously").Points[0],
              (canvas::Point{248 + 2 * quarter, 320 + 6 * lineStep}));
    const int stemBottom = 320 + 8 * lineStep + TextHeightX("Arial", 12, canvas::kBold);
    EXPECT_EQ(TextCall(c, kStem).Points[0], (canvas::Point{248, 320 + 8 * lineStep}));

    const auto frame = c.CallsOf(CanvasOp::Rectangle).front();
    const int y19 = TextCall(c, Row(kLongForm, 19)).Points[0].y;
    const int y20 = TextCall(c, Row(kLongForm, 20)).Points[0].y;
    const int pitch = y20 - y19;
    EXPECT_LT(pitch, 2 * th) << "closer than on page 1";
    EXPECT_GE(pitch, Trunc(F(1.3) * th));
    // The first band starts just below the stem, the rows keep one pitch to the last.
    EXPECT_GE(frame.Points[0].y, stemBottom);
    EXPECT_LT(frame.Points[0].y, stemBottom + pitch);
    EXPECT_EQ(TextCall(c, Row(kLongForm, 37)).Points[0].y, y19 + 18 * pitch);
    EXPECT_EQ(frame.Points[1].y - frame.Points[0].y, 19 * pitch);
    // Everything, the logo's caption last, ends on the printable area.
    for (const auto& call : Texts(c)) {
        RecordingCanvas m(kDpi);
        m.font() = call.font;
        EXPECT_LE(call.Points[0].y + m.TextHeight("X"), kH) << call.Text;
    }
}

TEST(PageContents, EachFormAndPage) {
    struct Case {
        FormKind form;
        int page;
        int rows, firstItem, lastItem, shaded;
        bool instructions, continued;
    };
    const Case cases[] = {
        {kShortFormA, 1, 18, 1, 18, 9, true, true},  {kShortFormB, 1, 18, 1, 18, 9, true, true},
        {kLongForm, 1, 18, 1, 18, 9, true, true},    {kShortFormA, 2, 7, 19, 25, 4, true, false},
        {kShortFormB, 2, 7, 19, 25, 4, true, false}, {kLongForm, 2, 19, 19, 37, 10, false, false},
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
        // Every sheet says whose it is, for what, and which of the two it is.
        EXPECT_EQ(CountText(c, "Name:"), 1);
        EXPECT_EQ(CountText(c, "Hearing aid / condition:"), 1);
        EXPECT_EQ(CountText(c, "Page " + std::to_string(k.page) + " of 2"), 1);
        EXPECT_EQ(CountText(c, std::string(print::PageOneTitle(k.form))), 1);
        // Every page with rated items tells what A to G mean and what is asked.
        EXPECT_EQ(CountText(c, kStem), 1);
        EXPECT_EQ(CountText(c, " A  Not at all"), 1);
        EXPECT_EQ(CountText(c, " G  Tremendously"), 1);
        EXPECT_EQ(CountText(c, Printed(Content().printInstructions[0])), k.instructions ? 1 : 0);
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
        if (x.Points[0].x != TextsStart()) {
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
