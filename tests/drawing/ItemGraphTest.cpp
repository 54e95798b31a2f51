// The item graph: its value mapping, the item view's tables and every drawing call of a graph.
#include <gtest/gtest.h>

#include "drawing/ItemGraph.h"
#include "drawing/ItemViewTables.h"
#include "tests/drawing/DrawingFixtures.h"

namespace kivo::drawing {
namespace {

using namespace testing;
using canvas::RecordingCanvas;
using canvas::Rgb;

TEST(ItemGraphGeometry, MappingAtDesignSize) {
    const ItemGraphGeometry g(625, 570);
    const int columns[] = {312, 349, 387, 424, 462, 499, 537, 574};
    for (int k = 0; k <= 7; ++k) EXPECT_EQ(g.ValueX(100 * k), columns[k]) << k;
    EXPECT_EQ(g.RowY(0), 71);
    EXPECT_EQ(g.RowY(1), 100);
    EXPECT_EQ(g.RowY(7), 276);
    EXPECT_EQ(g.RowY(14), 481);
}

TEST(ItemGraphGeometry, NormsAreCutToHundredths) {
    const ItemGraphGeometry g(625, 570);
    EXPECT_EQ(g.NormX(4.12f), g.ValueX(411));
    EXPECT_EQ(g.NormX(4.0f), g.ValueX(400));
    EXPECT_EQ(g.NormX(4.13f), g.ValueX(413));
}

TEST(ItemViewTables, ItemsOfEachViewSubscale) {
    const std::array<std::size_t, 6> shortCounts = {7, 5, 4, 5, 4, 3};
    const std::array<std::size_t, 6> longCounts = {14, 10, 4, 5, 4, 3};
    for (int view = 0; view < kViewSubscaleCount; ++view) {
        const auto v = static_cast<std::size_t>(view);
        EXPECT_EQ(ItemViewItemMap(kShortFormA, view).size(), shortCounts[v]) << view;
        EXPECT_EQ(ItemViewItemMap(kShortFormB, view).size(), shortCounts[v]) << view;
        EXPECT_EQ(ItemViewItemMap(kLongForm, view).size(), longCounts[v]) << view;
    }
    const auto pleasantness = ItemViewItemMap(kLongForm, 2);
    EXPECT_EQ(std::vector(pleasantness.begin(), pleasantness.end()), (std::vector{2, 4, 8, 22}));
    const auto quietness = ItemViewItemMap(kLongForm, 3);
    EXPECT_EQ(std::vector(quietness.begin(), quietness.end()), (std::vector{14, 17, 28, 34, 37}));
    const auto speech = ItemViewItemMap(kShortFormA, 0);
    EXPECT_EQ(std::vector(speech.begin(), speech.end()), (std::vector{5, 6, 8, 9, 10, 15, 18}));
    EXPECT_EQ(ViewSubscaleName(2), "Pleasantness");
    EXPECT_EQ(ViewSubscaleName(3), "Quietness");
}

TEST(ItemViewTables, NothingOutsideTheTables) {
    EXPECT_TRUE(ItemViewItemMap(-1, 0).empty());
    EXPECT_TRUE(ItemViewItemMap(3, 0).empty());
    EXPECT_TRUE(ItemViewItemMap(kLongForm, 6).empty());
    EXPECT_TRUE(ItemViewItemMap(kLongForm, -1).empty());
    EXPECT_EQ(ViewSubscaleName(6), "");
    EXPECT_FALSE(ItemNormOf(kShortFormA, 29));
    EXPECT_FALSE(ItemNormOf(kLongForm, 0));
    EXPECT_FALSE(ItemNormOf(-1, 1));
}

struct NormCase {
    FormKind form;
    int item;
    float mean;
    float p25;
    float p75;
};

TEST(ItemViewTables, NormsAreTheFloatsNearestTheDecimals) {
    const NormCase cases[] = {
        {kShortFormA, 1, 4.84f, 4, 6},    {kShortFormA, 6, 4.12f, 3, 5},
        {kShortFormA, 28, 4.68f, 4, 5},   {kShortFormB, 17, 5.27f, 4.13f, 6},
        {kShortFormB, 18, 4.4f, 3, 6},    {kLongForm, 7, 4.12f, 3, 5},
        {kLongForm, 27, 5.27f, 4.13f, 6}, {kLongForm, 29, 4.4f, 2, 6},
        {kLongForm, 40, 4.68f, 4, 5},     {kLongForm, 19, 5.39f, 5, 6},
    };
    for (const NormCase& c : cases) {
        const auto norm = ItemNormOf(c.form, c.item);
        ASSERT_TRUE(norm) << c.form << "/" << c.item;
        EXPECT_EQ(norm->Mean, c.mean) << c.form << "/" << c.item;
        EXPECT_EQ(norm->P25, c.p25) << c.form << "/" << c.item;
        EXPECT_EQ(norm->P75, c.p75) << c.form << "/" << c.item;
    }
}

class ItemGraphTest : public ::testing::Test {
protected:
    ItemGraphTest() {
        FillItemTextTable();
        ResetClientRecord(record);
    }
    void Answer(int condition, int item, char code) {
        record.Responses[ResponseIndex(condition, item)] = code;
    }
    void Draw(FormKind form, int view) { DrawItemGraph(canvas, 625, 570, record, form, view); }

    ClientRecord record{};
    RecordingCanvas canvas;
};

TEST_F(ItemGraphTest, ShortFormSpeechCuesRowsFrameAndScale) {
    Draw(kShortFormA, 0);
    EXPECT_EQ(TextAt(canvas, "Subscale: Speech Cues (Bars = middle 50%)"), (Point{329, 41}));
    EXPECT_EQ(TextAt(canvas, "How good are the hearing aids at..."), (Point{20, 41}));
    const auto frame = canvas.CallsOf(CanvasOp::Rectangle).front();
    EXPECT_EQ(frame.Points, (std::vector<Point>{{329, 61}, {594, 286}}));
    EXPECT_EQ(frame.brush.Style(), canvas::BrushStyle::NoFill);
    const auto lines = PointsOf(canvas, CanvasOp::LineTo);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], (std::vector<Point>{{349, 61}, {349, 286}}));
    EXPECT_EQ(lines[6], (std::vector<Point>{{574, 61}, {574, 286}}));
    EXPECT_EQ(TextAt(canvas, "1"), (Point{349, 291}));
    EXPECT_EQ(TextAt(canvas, "7"), (Point{574, 291}));

    EXPECT_EQ(TextAt(canvas, "5. Helping me follow a friend\u2019s voice in ...?"),
              (Point{20, 71}));
    EXPECT_EQ(TextAt(canvas, "6. Helping me understand a child\u2019s voice?"), (Point{20, 100}));
    EXPECT_EQ(TextAt(canvas, "8. Helping me follow a conversation in a ...?"),
              (Point{20, ItemGraphGeometry(625, 570).RowY(2)}));
    for (const auto& call : canvas.CallsOf(CanvasOp::TextOut)) {
        EXPECT_EQ(call.font, (canvas::Font{"Arial", 10, 0, canvas::kBlack})) << call.Text;
    }
}

TEST_F(ItemGraphTest, NormBarAndMeanDotOfARow) {
    Draw(kShortFormA, 0);
    // Row 1 is item 6: quartiles 3 and 5, mean 4.12 placed at ValueX(411) = 466.
    const auto bars = canvas.CallsOf(CanvasOp::Rectangle);
    ASSERT_EQ(bars.size(), 8u);  // the frame and seven bars
    EXPECT_EQ(bars[2].Points, (std::vector<Point>{{424, 100}, {499, 114}}));
    EXPECT_EQ(bars[2].brush.Color(), Rgb(0xC0C0C0));
    EXPECT_EQ(bars[2].brush.Style(), canvas::BrushStyle::Solid);
    const auto dots = canvas.CallsOf(CanvasOp::Ellipse);
    ASSERT_EQ(dots.size(), 8u);  // seven means and the legend's
    EXPECT_EQ(dots[1].Points, (std::vector<Point>{{460, 98}, {472, 116}}));
    EXPECT_EQ(dots[1].brush.Color(), canvas::kBlack);
}

TEST_F(ItemGraphTest, AnswersDrawTrianglesYellowOverGreen) {
    Answer(0, 5, 'C');
    Answer(1, 5, 'C');
    Answer(1, 6, 'G');
    Draw(kShortFormA, 0);
    const auto triangles = canvas.CallsOf(CanvasOp::Polygon);
    ASSERT_EQ(triangles.size(), 5u);  // three answers and the two legend triangles
    EXPECT_EQ(triangles[0].Points, (std::vector<Point>{{418, 69}, {430, 69}, {424, 87}}));
    EXPECT_EQ(triangles[0].brush.Color(), Rgb(0x008000));
    EXPECT_EQ(triangles[1].Points, (std::vector<Point>{{418, 87}, {430, 87}, {424, 69}}));
    EXPECT_EQ(triangles[1].brush.Color(), Rgb(0xFFFF00));
    EXPECT_EQ(triangles[2].Points, (std::vector<Point>{{568, 116}, {580, 116}, {574, 98}}));
}

TEST_F(ItemGraphTest, UseItemAnsweredEIsDrawnAtFive) {
    Answer(0, 26, 'E');
    Answer(1, 27, ' ');
    Answer(1, 28, 'x');
    Draw(kShortFormA, 5);
    const auto triangles = canvas.CallsOf(CanvasOp::Polygon);
    ASSERT_EQ(triangles.size(), 3u);
    EXPECT_EQ(triangles[0].Points, (std::vector<Point>{{493, 69}, {505, 69}, {499, 87}}));
}

TEST_F(ItemGraphTest, LegendBelowTheFrame) {
    Draw(kLongForm, 0);
    const int y = 481;  // RowY(14)
    EXPECT_EQ(TextAt(canvas, "Condition 1 -"), (Point{312, y + 40}));
    EXPECT_EQ(TextAt(canvas, "Condition 2 -"), (Point{424, y + 40}));
    EXPECT_EQ(TextAt(canvas, "Mean -"), (Point{537, y + 40}));
    const auto triangles = PointsOf(canvas, CanvasOp::Polygon);
    ASSERT_EQ(triangles.size(), 2u);
    EXPECT_EQ(triangles[0], (std::vector<Point>{{392, y + 38}, {404, y + 38}, {398, y + 56}}));
    EXPECT_EQ(triangles[1], (std::vector<Point>{{504, y + 56}, {516, y + 56}, {510, y + 38}}));
    EXPECT_EQ(PointsOf(canvas, CanvasOp::Ellipse).back(),
              (std::vector<Point>{{587, y + 38}, {599, y + 56}}));
    EXPECT_EQ(canvas.CallsOf(CanvasOp::Rectangle).front().Points.back(), (Point{594, y + 10}));
}

TEST_F(ItemGraphTest, UnknownFormDrawsNoRows) {
    for (FormKind form : {-1, 3, 1000}) {
        RecordingCanvas empty;
        DrawItemGraph(empty, 625, 570, record, form, 0);
        EXPECT_EQ(empty.CallsOf(CanvasOp::Rectangle).size(), 1u);
        EXPECT_EQ(empty.CallsOf(CanvasOp::Rectangle).front().Points,
                  (std::vector<Point>{{329, 61}, {594, 81}}));
        EXPECT_EQ(empty.CallsOf(CanvasOp::LineTo).size(), 7u);
        EXPECT_EQ(empty.CallsOf(CanvasOp::Polygon).size(), 2u);
        EXPECT_EQ(empty.CallsOf(CanvasOp::Ellipse).size(), 1u);
        EXPECT_EQ(TextAt(empty, "Mean -"), (Point{537, 111}));
    }
}

}  // namespace
}  // namespace kivo::drawing
