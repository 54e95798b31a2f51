// The use-item block, the credit line and the logo at the foot of page 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "print/questionnaire/QuestionnairePages.h"
#include "tests/blank/BlankFixtures.h"

namespace kivo::test {
namespace {

using canvas::CanvasOp;
using canvas::Point;
using canvas::RecordingCanvas;

const canvas::Rgb kMoneyGreen = canvas::Rgb(0xC0DCC0);

// Top to bottom, as the entry page lists them: the box of answer code A first.
const std::array<std::array<const char*, 5>, 3> kOptions = {{
    {" None", " 1-2 days", " 3-4 days", " 5-6 days", " Every day"},
    {" 1-4 hrs.", " 5-6 hrs.", " 7-8 hrs.", " 9-10 hrs.", " 11 hrs. or more"},
    {" Never (0%)", " Rarely (25%)", " Sometimes (50%)", " Usually (75%)", " Always (100%)"},
}};

// The use block's rectangles: those that start right of the table's left edge.
std::vector<canvas::CanvasCall> BlockRectangles(const RecordingCanvas& c) {
    std::vector<canvas::CanvasCall> result;
    for (const auto& call : c.CallsOf(CanvasOp::Rectangle)) {
        if (call.Points[0].x != 238) result.push_back(call);
    }
    return result;
}

class UseBlock : public ::testing::TestWithParam<FormKind> {};

TEST_P(UseBlock, PanelsBoxesQuestionsOptionsAndCredit) {
    const FormKind form = GetParam();
    const int u = Trunc(F(1.15) * TextHeightX("Arial", 11, 0));
    RecordingCanvas c(kDpi);
    PrintQuestionnaireSecondPage(c, kW, kH, form);
    // The long form's 19 rows reach below 62% of this printable area: the block starts a
    // line below the table's frame instead of over item 37.
    const int tableBottom = c.CallsOf(CanvasOp::Rectangle).front().Points[1].y;
    const int panelOffset = Trunc(F(1.5) * u - u / 4);
    const int blockTop = form == kLongForm ? std::max(3968, tableBottom + u - panelOffset) : 3712;
    if (form == kLongForm) {
        ASSERT_GT(blockTop, 3968) << "the table reaches below 62% here";
    }

    const auto rects = BlockRectangles(c);
    ASSERT_EQ(rects.size(), 3u + 15u);
    const int top = Trunc(blockTop + F(1.5) * u - u / 4);
    const int bottom = blockTop + 11 * u - u / 4;
    EXPECT_EQ(rects[0].Points, (std::vector<Point>{{337, top}, {1746, bottom}}));
    EXPECT_EQ(rects[1].Points, (std::vector<Point>{{3165, top}, {4722, bottom}}));
    EXPECT_EQ(rects[2].Points, (std::vector<Point>{{1726, top}, {3185, bottom}}));
    for (int i : {0, 1}) {
        EXPECT_EQ(rects[static_cast<std::size_t>(i)].brush.Style(), canvas::BrushStyle::Solid);
        EXPECT_EQ(rects[static_cast<std::size_t>(i)].brush.Color(), kMoneyGreen);
    }
    EXPECT_EQ(rects[2].brush.Style(), canvas::BrushStyle::NoFill);

    const std::array<int, 3> columns = {347, 1736, 3175};
    // Boxes half a pitch square, a millimetre (24 pixels) right of the panel's edge (10),
    // in the middle of their option's line; the option half a millimetre (12) after.
    const int side = u / 2;
    const int down = (TextHeightX("Arial", 11, 0) - side) / 2;
    for (std::size_t col = 0; col < 3; ++col) {
        const int x = columns[col];
        for (int j = 0; j < 5; ++j) {
            const auto& box = rects[3 + col * 5 + static_cast<std::size_t>(j)];
            const int lineTop = Trunc(blockTop + F(5.5 + j) * u);
            EXPECT_EQ(box.Points, (std::vector<Point>{{x + 34, lineTop + down},
                                                      {x + 34 + side, lineTop + down + side}}))
                << col << "/" << j;
            EXPECT_EQ(box.brush.Style(), canvas::BrushStyle::NoFill);
            const auto option = TextCall(c, kOptions[col][static_cast<std::size_t>(j)]);
            EXPECT_EQ(option.Points[0], (Point{x + 34 + side + 12, lineTop})) << option.Text;
        }
    }

    // Each question's first line from its column after one blank, the rest at a hanging indent
    // under its words, whatever blanks lead them in the product text.
    const auto& lines = Content().printedUseLines[static_cast<std::size_t>(form)];
    ASSERT_EQ(lines.size(), 8u);
    const auto trimmed = [](const std::string& line) {
        return line.substr(line.find_first_not_of(' '));
    };
    const int firstLine[3] = {0, 2, 5};
    const int lineCount[3] = {2, 3, 3};
    for (std::size_t col = 0; col < 3; ++col) {
        const std::string opening =
            " " + trimmed(Printed(lines[static_cast<std::size_t>(firstLine[col])]));
        const int indent = TextWidthIn("Arial", 11, 0, opening.substr(0, opening.find(". ") + 2));
        for (int i = 0; i < lineCount[col]; ++i) {
            const std::string line =
                trimmed(Printed(lines[static_cast<std::size_t>(firstLine[col] + i)]));
            const std::string text = i == 0 ? " " + line : line;
            const int x = columns[col] + (i == 0 ? 0 : indent);
            EXPECT_TRUE(HasTextAt(c, text, {x, blockTop + (2 + i) * u})) << text;
        }
    }
    const int first = ItemCount(form) - 2;
    EXPECT_EQ(Printed(lines[0]).rfind(" " + std::to_string(first) + ". ", 0), 0u);
    EXPECT_EQ(TextCall(c, Printed(Content().printCredit)).Points[0],
              (Point{347, blockTop + 11 * u}));
}

INSTANTIATE_TEST_SUITE_P(EveryForm, UseBlock,
                         ::testing::Values(kShortFormA, kShortFormB, kLongForm));

// The clinician copies a ticked box into the entry page's list: each column's options run
// down the paper in the order that list offers them (answer codes A to E).
TEST_P(UseBlock, OptionsRunDownInTheEntryListsOrder) {
    const FormKind form = GetParam();
    RecordingCanvas c(kDpi);
    PrintQuestionnaireSecondPage(c, kW, kH, form);
    const auto topOf = [&](const std::string& label) {
        for (const auto& call : Texts(c)) {
            if (call.Text == " " + label) return call.Points[0].y;
        }
        ADD_FAILURE() << "no option '" << label << "'";
        return -1;
    };
    // The third list prints the entry page's labels themselves.
    int above = -1;
    for (const std::string_view label : UseOptionLabels(2)) {
        const int y = topOf(std::string(label));
        EXPECT_GT(y, above) << label << " is not below the option before it";
        above = y;
    }
    // The first two print shorter labels of their own; their ends match the list's ends.
    EXPECT_EQ(UseOptionLabels(0).front(), "None");
    EXPECT_EQ(UseOptionLabels(0).back(), "Every day");
    EXPECT_LT(topOf("None"), topOf("Every day"));
    EXPECT_EQ(UseOptionLabels(1).front(), "1 - 4 hours");
    EXPECT_LT(topOf("1-4 hrs."), topOf("11 hrs. or more"));
}

TEST(Logo, ArcsCaptionAndRestoredPenAndFont) {
    const int u = Trunc(F(1.15) * TextHeightX("Arial", 11, 0));
    RecordingCanvas c(kDpi);
    PrintQuestionnaireSecondPage(c, kW, kH, kLongForm);
    // At 94% of the height, or lower where the outer arc's top (half a 40-pixel band above two
    // pitches) would come within a quarter pitch of the credit line's bottom.
    const int creditBottom =
        TextCall(c, Printed(Content().printCredit)).Points[0].y + TextHeightX("Arial", 11, 0);
    const int cx = 2480, cy = std::max(6016, creditBottom + 2 * u + 20 + u / 4);

    const auto arcs = c.CallsOf(CanvasOp::Arc);
    ASSERT_EQ(arcs.size(), 3u);
    const double radius[3] = {2.0, 1.75, 1.5};
    const canvas::Rgb colour[3] = {canvas::Rgb(0x0000FF), canvas::Rgb(0x008000),
                                   canvas::Rgb(0xFFFF00)};
    for (std::size_t i = 0; i < 3; ++i) {
        const long double rho = F(radius[i]) * u;
        const int l = Trunc(cx - rho), t = Trunc(cy - rho), r = Trunc(cx + rho),
                  b = Trunc(cy + rho);
        EXPECT_EQ(arcs[i].Points, (std::vector<Point>{{l, t}, {r, b}, {r, cy}, {l, cy}})) << i;
        EXPECT_EQ(arcs[i].pen.Width, 40);
        EXPECT_EQ(arcs[i].pen.Color, colour[i]);
    }

    const canvas::Rgb maroon = canvas::Rgb(0x800000);
    const std::string acronym = Printed(Content().logoAcronym);
    const std::string name = Printed(Content().logoName);
    const auto a = TextCall(c, acronym);
    EXPECT_EQ(a.Points[0],
              (Point{cx - 2 * TextWidthIn("Arial Narrow", 13, canvas::kBold, "X"), cy - u}));
    EXPECT_EQ(a.font, (canvas::Font{"Arial Narrow", 13, canvas::kBold, maroon}));
    const unsigned boldItalic = canvas::kBold | canvas::kItalic;
    const auto n = TextCall(c, name);
    // Below the acronym's line, so the two texts' boxes never overlap.
    const int nameTop = std::max(cy, cy - u + TextHeightX("Arial Narrow", 13, canvas::kBold));
    EXPECT_GT(nameTop, cy) << "the acronym's line is taller than the pitch at this size";
    EXPECT_EQ(n.Points[0],
              (Point{cx - TextWidthIn("Arial Narrow", 6, boldItalic, name) / 2, nameTop}));
    EXPECT_EQ(n.font, (canvas::Font{"Arial Narrow", 6, boldItalic, maroon}));

    EXPECT_EQ(c.pen(), (canvas::Pen{canvas::kBlack, 2, canvas::PenStyle::Solid}));
    EXPECT_EQ(c.font().Color, canvas::kBlack);
}

// The layout's pen widths and offsets are pixels at 600 per inch: a printer of another
// resolution draws them as thick and as far, so rules and the logo's bands look the same.
TEST(OtherPrinters, OffsetsAndPenWidthsScaleWithTheResolution) {
    struct Case {
        int dpi;
        int width, height;  // the printable area, A4 less margins
    };
    for (const Case k : {Case{300, 2400, 3400}, Case{600, 4800, 6800}, Case{1200, 9600, 13600}}) {
        const int w = k.width, h = k.height;
        const int scale100 = k.dpi * 100 / 600;
        const auto px = [&](int layoutPixels) { return layoutPixels * scale100 / 100; };
        RecordingCanvas c(k.dpi);
        PrintQuestionnaireSecondPage(c, w, h, kShortFormA);
        const int x0 = Trunc(F(0.05) * w), xi = Trunc(F(0.07) * w);
        const int u = [&] {
            RecordingCanvas m(k.dpi);
            m.font().Name = "Arial";
            m.font().Size = 11;
            m.font().Style = 0;
            return Trunc(F(1.15) * m.TextHeight("X"));
        }();
        const int blockTop = Trunc(F(0.58) * h);
        const int mm = static_cast<int>(std::lround(k.dpi / 25.4));
        const auto rects = c.CallsOf(CanvasOp::Rectangle);
        EXPECT_EQ(rects.front().Points[0].x, x0 - px(10)) << k.dpi;
        EXPECT_EQ(rects.front().pen.Width, px(2)) << k.dpi;
        bool sawFirstBox = false;
        for (const auto& call : rects) {
            if (call.Points[0].x == xi + px(10) + mm &&
                call.Points[0].y >= Trunc(blockTop + F(5.5) * u) &&
                call.Points[0].y < Trunc(blockTop + F(6.5) * u)) {
                EXPECT_EQ(call.Points[1].x - call.Points[0].x, u / 2);
                sawFirstBox = true;
            }
        }
        EXPECT_TRUE(sawFirstBox) << k.dpi;
        const auto arcs = c.CallsOf(CanvasOp::Arc);
        ASSERT_EQ(arcs.size(), 3u);
        for (const auto& arc : arcs) EXPECT_EQ(arc.pen.Width, px(40)) << k.dpi;
        EXPECT_EQ(arcs.front().Points[2], (Point{Trunc(F(0.5) * w) + 2 * u, Trunc(F(0.94) * h)}))
            << k.dpi;
        EXPECT_EQ(c.pen().Width, px(2)) << "restored after the logo, " << k.dpi;
    }
}

}  // namespace
}  // namespace kivo::test
