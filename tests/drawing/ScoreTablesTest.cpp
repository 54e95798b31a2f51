// The score tables' coordinates, fonts and score texts, and the experience texts.
#include <gtest/gtest.h>

#include "drawing/ExperienceText.h"
#include "drawing/ScoreTables.h"
#include "tests/drawing/DrawingFixtures.h"

namespace kivo::drawing {
namespace {

using namespace testing;
using canvas::RecordingCanvas;
using canvas::Rgb;

// Every coordinate of one table as the layouts list them.
struct TableCase {
    const char* name;
    int width;
    int height;
    TableLayout layout;
    int condition;
    Point topLeft;
    Point bottomRight;
    int headerRuleY;
    std::array<int, 2> columnRules;
    std::array<int, 2> headerYs;  // "Subscale" row, "Missing" row
    std::array<int, 6> rowYs;
    std::array<int, 5> textXs;  // labels, "Score", scores, "# of Items", missing
    Point legend;
    std::vector<Point> swatch;
};

const TableCase kTableCases[] = {
    {"screen table 1",
     625,
     623,
     TableLayout::Screen,
     0,
     {12, 398},
     {287, 610},
     453,
     {133, 199},
     {402, 423},
     {457, 480, 504, 527, 550, 573},
     {17, 135, 143, 204, 232},
     {12, 373},
     {{92, 373}, {112, 393}}},
    {"screen table 2",
     625,
     623,
     TableLayout::Screen,
     1,
     {325, 398},
     {599, 610},
     453,
     {445, 511},
     {402, 423},
     {457, 480, 504, 527, 550, 573},
     {330, 448, 456, 516, 544},
     {325, 373},
     {{405, 373}, {425, 393}}},
    {"print table 1",
     617,
     225,
     TableLayout::Print,
     0,
     {12, 50},
     {283, 225},
     95,
     {131, 196},
     {53, 70},
     {99, 118, 137, 156, 175, 195},
     {17, 133, 142, 201, 228},
     {12, 25},
     {{92, 25}, {112, 45}}},
    {"print table 2",
     617,
     225,
     TableLayout::Print,
     1,
     {320, 50},
     {592, 225},
     95,
     {439, 504},
     {53, 70},
     {99, 118, 137, 156, 175, 195},
     {325, 442, 450, 510, 537},
     {320, 25},
     {{400, 25}, {420, 45}}},
};

const std::array<std::string, 6> kRowLabels = {"Speech Cues",  "Listening Effort", "Quiet",
                                               "Pleasantness", "Convenience",      "Use"};

TEST(ScoreTables, EveryCoordinateAtDesignSizes) {
    // Distinct texts per condition let each table's values be found.
    auto scores = ValidScores({1.5f, 2.5f, 3.5f, 4.5f, 5.5f, 6.5f}, {1, 2, 3, 4, 5, 6});
    for (std::size_t s = 0; s < 6; ++s) {
        scores[0][s].MissingCount = static_cast<int>(s) + 10;
        scores[1][s].MissingCount = static_cast<int>(s) + 20;
    }
    for (const TableCase& c : kTableCases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        DrawScoreTables(canvas, c.width, c.height, c.layout, scores, ".");
        const auto frames = canvas.CallsOf(CanvasOp::Rectangle);
        ASSERT_EQ(frames.size(), 3u);  // frame 1, red swatch, frame 2
        const auto& frame = frames[c.condition == 0 ? 0 : 2];
        EXPECT_EQ(frame.Points, (std::vector<Point>{c.topLeft, c.bottomRight}));
        EXPECT_EQ(frame.brush.Style(), canvas::BrushStyle::NoFill);

        const auto lines = PointsOf(canvas, CanvasOp::LineTo);
        ASSERT_EQ(lines.size(), 6u);
        const std::size_t first = static_cast<std::size_t>(c.condition) * 3;
        EXPECT_EQ(lines[first], (std::vector<Point>{{c.topLeft.x, c.headerRuleY},
                                                    {c.bottomRight.x, c.headerRuleY}}));
        for (std::size_t r = 0; r < 2; ++r) {
            EXPECT_EQ(lines[first + 1 + r],
                      (std::vector<Point>{{c.columnRules[r], c.topLeft.y},
                                          {c.columnRules[r], c.bottomRight.y}}));
        }

        const std::size_t t = static_cast<std::size_t>(c.condition);
        EXPECT_EQ(AllTextAt(canvas, "Subscale")[t], (Point{c.textXs[0], c.headerYs[0]}));
        EXPECT_EQ(AllTextAt(canvas, "Score")[t], (Point{c.textXs[1], c.headerYs[0]}));
        EXPECT_EQ(AllTextAt(canvas, "# of Items")[t], (Point{c.textXs[3], c.headerYs[0]}));
        EXPECT_EQ(AllTextAt(canvas, "Missing")[t], (Point{c.textXs[3], c.headerYs[1]}));
        for (std::size_t s = 0; s < 6; ++s) {
            EXPECT_EQ(AllTextAt(canvas, kRowLabels[s])[t], (Point{c.textXs[0], c.rowYs[s]}));
            const std::string score =
                c.condition == 0 ? std::to_string(s + 1) + ".5" : std::to_string(s + 1) + ".0";
            EXPECT_EQ(TextAt(canvas, score), (Point{c.textXs[2], c.rowYs[s]})) << score;
            const std::string missing = std::to_string(s + (c.condition == 0 ? 10 : 20));
            EXPECT_EQ(TextAt(canvas, missing), (Point{c.textXs[4], c.rowYs[s]}));
        }
        const std::string legend = c.condition == 0 ? "Condition 1:" : "Condition 2:";
        EXPECT_EQ(TextAt(canvas, legend), c.legend);
        const auto swatches =
            canvas.CallsOf(c.condition == 0 ? CanvasOp::Rectangle : CanvasOp::Ellipse);
        const auto& swatch = c.condition == 0 ? swatches[1] : swatches[0];
        EXPECT_EQ(swatch.Points, c.swatch);
        EXPECT_EQ(swatch.brush.Style(), canvas::BrushStyle::Solid);
        EXPECT_EQ(swatch.brush.Color(), Rgb(c.condition == 0 ? 0xFF0000 : 0x0000FF));
        EXPECT_EQ(swatch.pen.Color, canvas::kBlack);
    }
}

TEST(ScoreTables, TextsInArialTenOnAClearBrush) {
    RecordingCanvas canvas;
    DrawScoreTables(canvas, 625, 623, TableLayout::Screen, ValidScores({}, {}), ".");
    for (const auto& call : canvas.CallsOf(CanvasOp::TextOut)) {
        EXPECT_EQ(call.font, (canvas::Font{"Arial", 10, 0, canvas::kBlack})) << call.Text;
        EXPECT_EQ(call.brush.Style(), canvas::BrushStyle::NoFill) << call.Text;
    }
}

struct ScoreTextCase {
    float score;
    std::uint8_t valid;
    const char* separator;
    const char* text;
};

TEST(ScoreTables, ScoreTextsRoundHalfAwayAndShowInvalidAsINV) {
    const ScoreTextCase cases[] = {
        {4.25f, 1, ".", "4.3"}, {4.75f, 1, ".", "4.8"}, {7.0f, 1, ".", "7.0"},
        {4.75f, 1, ",", "4,8"}, {4.0f, 0, ".", "INV"},  {4.0f, 2, ".", "INV"},
    };
    for (const ScoreTextCase& c : cases) {
        SubscaleScoreTable scores{};
        scores[0][0] = {c.score, 3, c.valid};
        RecordingCanvas canvas;
        DrawScoreTables(canvas, 625, 623, TableLayout::Screen, scores, c.separator);
        EXPECT_EQ(TextAt(canvas, c.text), (Point{143, 457})) << c.text;
        EXPECT_EQ(TextAt(canvas, "3"), (Point{232, 457})) << "missing count shown either way";
    }
}

TEST(ExperienceText, ReportTextsAndNothingOutsideTheTable) {
    EXPECT_EQ(ExperienceText(0), "Less than 6 weeks");
    EXPECT_EQ(ExperienceText(1), "6 weeks to 11 months");
    EXPECT_EQ(ExperienceText(2), "1-5 years");
    EXPECT_EQ(ExperienceText(3), "Over 5 years");
    EXPECT_EQ(ExperienceText(4), "");
    EXPECT_EQ(ExperienceText(-1), "");
}

}  // namespace
}  // namespace kivo::drawing
