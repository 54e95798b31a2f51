// The subscale chart: geometry, scale, labels, norms, markers and profiles, valid and invalid
// scores, and the state it leaves the canvas in.
#include <gtest/gtest.h>

#include "drawing/SubscaleChart.h"
#include "tests/drawing/DrawingFixtures.h"

namespace kivo::drawing {
namespace {

using namespace testing;
using canvas::RecordingCanvas;
using canvas::Rgb;

struct GeometryCase {
    const char* name;
    int width;
    int height;
    ChartVariant variant;
    std::array<int, 4> frame;  // left, right, top, bottom
    std::array<int, 6> columns;
    std::array<int, 7> levels;  // of 1..7
};

const GeometryCase kGeometryCases[] = {
    {"screen",
     625,
     623,
     ChartVariant::Screen,
     {37, 575, 43, 311},
     {82, 172, 261, 351, 441, 530},
     {272, 234, 196, 157, 119, 81, 43}},
    {"print",
     617,
     305,
     ChartVariant::Print,
     {37, 567, 21, 274},
     {81, 169, 258, 346, 434, 523},
     {237, 201, 165, 129, 93, 57, 21}},
};

TEST(ChartGeometry, FrameColumnsAndLevelsAtDesignSizes) {
    for (const GeometryCase& c : kGeometryCases) {
        SCOPED_TRACE(c.name);
        const ChartGeometry g(c.width, c.height, c.variant);
        EXPECT_EQ((std::array{g.Left(), g.Right(), g.Top(), g.Bottom()}), c.frame);
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(g.ChartColumnX(k), c.columns[k - 1]) << k;
        for (int k = 1; k <= 7; ++k) EXPECT_EQ(g.ChartLevelY(10 * k), c.levels[k - 1]) << k;
        EXPECT_EQ(g.ChartLevelY(0), c.frame[3]);
    }
}

TEST(ChartGeometry, ValuesAreCutToTenths) {
    const ChartGeometry g(625, 623, ChartVariant::Screen);
    EXPECT_EQ(g.ValueY(7.0f), 43);
    EXPECT_EQ(g.ValueY(1.0f), 272);
    EXPECT_EQ(g.ValueY(4.2f), g.ChartLevelY(41));
    EXPECT_NE(g.ValueY(4.2f), g.ChartLevelY(42));
    EXPECT_EQ(g.ValueY(4.25f), g.ChartLevelY(42));
}

class SubscaleChartTest : public ::testing::Test {
protected:
    void Draw(const SubscaleScoreTable& scores) {
        DrawSubscaleChart(canvas, 625, 623, ChartVariant::Screen, scores, WholeNorms());
    }
    RecordingCanvas canvas;
};

TEST_F(SubscaleChartTest, FrameScaleAndGridlines) {
    Draw(ValidScores({1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}));
    const auto frame = canvas.CallsOf(CanvasOp::Rectangle).front();
    EXPECT_EQ(frame.Points, (std::vector<Point>{{37, 43}, {576, 312}}));
    EXPECT_EQ(frame.brush.Style(), canvas::BrushStyle::Solid);
    EXPECT_EQ(frame.brush.Color(), canvas::kWhite);

    const auto gridlines = canvas.CallsOf(CanvasOp::Polyline);
    const int levels[] = {272, 234, 196, 157, 119, 81};
    ASSERT_EQ(gridlines.size(), std::size(levels));
    for (std::size_t i = 0; i < gridlines.size(); ++i) {
        EXPECT_EQ(gridlines[i].Points, (std::vector<Point>{{38, levels[i]}, {575, levels[i]}}));
        EXPECT_EQ(gridlines[i].pen.Style, canvas::PenStyle::Dotted);
        EXPECT_EQ(gridlines[i].pen.Color, Rgb(0xC0C0C0));
    }
    const auto texts = canvas.CallsOf(CanvasOp::TextOut);
    for (std::size_t k = 1; k <= 7; ++k) {
        EXPECT_EQ(texts[k - 1].Text, std::to_string(k));
        EXPECT_EQ(texts[k - 1].font.Size, 12);
        EXPECT_EQ(texts[k - 1].brush.Style(), canvas::BrushStyle::Solid);
        EXPECT_EQ(texts[k - 1].brush.Color(), canvas::kWhite);
    }
}

TEST_F(SubscaleChartTest, ScaleDigitsSitLeftOfTheFrameCentredOnTheirLevels) {
    Draw(ValidScores({1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}));
    RecordingCanvas measure;
    measure.font().Size = 12;
    const int x = 37 - measure.TextWidth("5 ");
    const int half = measure.TextHeight("X") / 2;
    const int levels[] = {272, 234, 196, 157, 119, 81, 43};
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(TextAt(canvas, std::to_string(k)), (Point{x, levels[k - 1] - half})) << k;
    }
    const std::string title = "KIVO Subscale Scores (Boxes=middle 50% / Bars=middle 80%)";
    const int titleX = (37 + 575) / 2 - measure.TextWidth(title) / 2;
    const int titleY = 43 - static_cast<int>(1.4L * measure.TextHeight(title));
    EXPECT_EQ(TextAt(canvas, title), (Point{titleX, titleY}));
}

TEST_F(SubscaleChartTest, ColumnLabelsCentredUnderColumnsWithTransparentBackground) {
    Draw(ValidScores({1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}));
    RecordingCanvas measure;
    measure.font().Size = 10;
    const int y = 311 + static_cast<int>(0.2L * measure.TextHeight("X"));
    EXPECT_EQ(TextAt(canvas, "Speech"), (Point{82 - measure.TextWidth("Speech") / 2, y}));
    EXPECT_EQ(TextAt(canvas, "Cues"), (Point{82 - measure.TextWidth("Cues") / 2, y + 15}));
    EXPECT_EQ(TextAt(canvas, "Effort"), (Point{172 - measure.TextWidth("Effort") / 2, y + 15}));
    EXPECT_EQ(TextAt(canvas, "Convenience").x, 441 - measure.TextWidth("Convenience") / 2);
    for (const auto& call : canvas.CallsOf(CanvasOp::TextOut)) {
        if (call.Text == "Use") {
            EXPECT_EQ(call.brush.Style(), canvas::BrushStyle::NoFill);
            EXPECT_EQ(call.font.Size, 10);
        }
    }
}

TEST_F(SubscaleChartTest, NormBarsAndBoxesAreFilledWithoutOutline) {
    Draw(ValidScores({1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}));
    const auto fills = canvas.CallsOf(CanvasOp::FillRect);
    ASSERT_EQ(fills.size(), 12u);
    // Column 1 at x 82: bar from the level of 6 (81) to that of 2 (234) plus one, box 5 to 3.
    EXPECT_EQ(fills[0].Points, (std::vector<Point>{{78, 81}, {86, 235}}));
    EXPECT_EQ(fills[1].Points, (std::vector<Point>{{70, 119}, {94, 197}}));
    EXPECT_EQ(fills[11].Points, (std::vector<Point>{{518, 119}, {542, 197}}));
    EXPECT_EQ(fills[0].brush.Color(), Rgb(0xC0C0C0));
    EXPECT_EQ(fills[0].brush.Style(), canvas::BrushStyle::Solid);
}

TEST_F(SubscaleChartTest, MarkersSitOnColumnCentresAtTheirLevels) {
    Draw(ValidScores({7, 1, 4, 4, 4, 4}, {1, 2, 3, 4, 5, 6}));
    const auto squares = canvas.CallsOf(CanvasOp::Rectangle);
    ASSERT_EQ(squares.size(), 7u);  // the frame and six markers
    EXPECT_EQ(squares[1].Points, (std::vector<Point>{{74, 35}, {90, 51}}));
    EXPECT_EQ(squares[2].Points, (std::vector<Point>{{164, 264}, {180, 280}}));
    EXPECT_EQ(squares[3].Points, (std::vector<Point>{{253, 149}, {269, 165}}));
    EXPECT_EQ(squares[1].brush.Color(), Rgb(0xFF0000));
    const auto circles = canvas.CallsOf(CanvasOp::Ellipse);
    ASSERT_EQ(circles.size(), 6u);
    EXPECT_EQ(circles[5].Points, (std::vector<Point>{{522, 73}, {538, 89}}));
    EXPECT_EQ(circles[5].brush.Color(), Rgb(0x0000FF));
    EXPECT_EQ(circles[5].pen.Color, canvas::kBlack);
}

TEST_F(SubscaleChartTest, InvalidQuietBreaksOnlyThatConditionsProfile) {
    auto scores = ValidScores({1, 2, 3, 4, 5, 6}, {6, 5, 4, 3, 2, 1});
    scores[0][2].Valid = 0;
    Draw(scores);
    const auto lines = PointsOf(canvas, CanvasOp::LineTo);
    const std::vector<std::vector<Point>> expected = {
        {{82, 272}, {172, 234}},  {{351, 157}, {441, 119}}, {{441, 119}, {530, 81}},
        {{82, 81}, {172, 119}},   {{172, 119}, {261, 157}}, {{261, 157}, {351, 196}},
        {{351, 196}, {441, 234}}, {{441, 234}, {530, 272}},
    };
    EXPECT_EQ(lines, expected);
    for (const auto& line : canvas.CallsOf(CanvasOp::LineTo)) {
        EXPECT_EQ(line.pen, (canvas::Pen{canvas::kBlack, 1, canvas::PenStyle::Solid}));
    }
    const auto squares = PointsOf(canvas, CanvasOp::Rectangle);
    ASSERT_EQ(squares.size(), 6u);  // the frame and five markers
    for (const auto& square : squares) EXPECT_NE(square.front().x, 261 - 8);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Ellipse).size(), 6u);
}

TEST_F(SubscaleChartTest, ValidMeansExactlyOne) {
    auto scores = ValidScores({1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6});
    scores[1][0].Valid = 2;
    Draw(scores);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Ellipse).size(), 5u);
}

TEST_F(SubscaleChartTest, AllInvalidDrawsNormsButNoMarkersOrLines) {
    SubscaleScoreTable scores{};
    Draw(scores);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::FillRect).size(), 12u);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Polyline).size(), 6u);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Rectangle).size(), 1u);
    EXPECT_TRUE(canvas.CallsOf(CanvasOp::Ellipse).empty());
    EXPECT_TRUE(canvas.CallsOf(CanvasOp::LineTo).empty());
}

TEST_F(SubscaleChartTest, IdenticalConditionsDrawCirclesOverSquaresAfterAllLines) {
    Draw(ValidScores({3, 3, 3, 3, 3, 3}, {3, 3, 3, 3, 3, 3}));
    const auto& calls = canvas.Calls();
    std::size_t lastLine = 0, firstSquare = 0, lastSquare = 0, firstCircle = calls.size();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].Op == CanvasOp::LineTo) lastLine = i;
        if (calls[i].Op == CanvasOp::Rectangle && i > 0) {
            if (firstSquare == 0) firstSquare = i;
            lastSquare = i;
        }
        if (calls[i].Op == CanvasOp::Ellipse && firstCircle == calls.size()) firstCircle = i;
    }
    EXPECT_LT(lastLine, firstSquare);
    EXPECT_LT(lastSquare, firstCircle);
    const auto squares = PointsOf(canvas, CanvasOp::Rectangle);
    const auto circles = PointsOf(canvas, CanvasOp::Ellipse);
    EXPECT_EQ(std::vector(squares.begin() + 1, squares.end()), circles);
}

TEST_F(SubscaleChartTest, LeavesSolidBlackPenAndLabelFont) {
    canvas.pen().Width = 3;
    Draw(ValidScores({1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(canvas.pen(), (canvas::Pen{canvas::kBlack, 1, canvas::PenStyle::Solid}));
    EXPECT_EQ(canvas.font(), (canvas::Font{"MS Sans Serif", 10, 0, canvas::kBlack}));
}

TEST(SubscaleChartPrint, UsesTenPointScaleAndTitle) {
    RecordingCanvas canvas;
    DrawSubscaleChart(canvas, 617, 305, ChartVariant::Print,
                      ValidScores({1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}), WholeNorms());
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Rectangle).front().Points,
              (std::vector<Point>{{37, 21}, {568, 275}}));
    const auto calls = canvas.CallsOf(CanvasOp::TextOut);
    EXPECT_EQ(calls.front().font.Size, 10);
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Polyline).front().Points.front(), (Point{38, 237}));
}

}  // namespace
}  // namespace kivo::drawing
