// Canvas state (colours, brush, font heights) and what the recording canvas records of each
// call.
#include <gtest/gtest.h>

#include "canvas/Canvas.h"
#include "canvas/RecordingCanvas.h"

namespace kivo::canvas {
namespace {

TEST(CanvasColor, HexValueSplitsIntoRedGreenBlue) {
    constexpr Rgb c(0x336699);
    EXPECT_EQ(c.red, 0x33);
    EXPECT_EQ(c.green, 0x66);
    EXPECT_EQ(c.blue, 0x99);
    EXPECT_EQ(Rgb(0xFF0000).red, 0xFF);
    EXPECT_EQ(Rgb(0x0000FF).blue, 0xFF);
    EXPECT_EQ(Rgb(), kBlack);
    EXPECT_NE(Rgb(0xFF0000), Rgb(0x0000FF));
}

TEST(CanvasBrush, ColourOnClearBrushMakesItSolid) {
    Brush brush;
    brush.SetStyle(BrushStyle::NoFill);
    EXPECT_EQ(brush.Style(), BrushStyle::NoFill);
    EXPECT_EQ(brush.Color(), kWhite);
    brush.SetColor(Rgb(0xFF0000));
    EXPECT_EQ(brush.Style(), BrushStyle::Solid);
    EXPECT_EQ(brush.Color(), Rgb(0xFF0000));
}

TEST(CanvasBrush, ClearingResetsColourToWhite) {
    Brush brush;
    brush.SetColor(Rgb(0x0000FF));
    brush.SetStyle(BrushStyle::NoFill);
    EXPECT_EQ(brush.Color(), kWhite);
    brush.SetStyle(BrushStyle::Solid);
    EXPECT_EQ(brush.Color(), kWhite);
}

TEST(CanvasFont, CharacterHeightFollowsDeviceResolution) {
    struct Case {
        int points;
        int ppi;
        int pixels;
    };
    for (const Case& c : {Case{8, 96, 11}, Case{10, 96, 13}, Case{12, 96, 16}, Case{10, 600, 83},
                          Case{10, 300, 42}, Case{9, 96, 12}}) {
        EXPECT_EQ(CharacterHeight(c.points, c.ppi), c.pixels) << c.points << " pt at " << c.ppi;
    }
}

class RecordingCanvasTest : public ::testing::Test {
protected:
    RecordingCanvas canvas;
};

TEST_F(RecordingCanvasTest, RecordsArgumentsWithStateOfTheMoment) {
    canvas.pen().Style = PenStyle::Dotted;
    canvas.brush().SetColor(Rgb(0xC0C0C0));
    canvas.Rectangle(1, 2, 3, 4);
    canvas.brush().SetStyle(BrushStyle::NoFill);
    canvas.font().Size = 12;
    canvas.Ellipse(5, 6, 7, 8);

    const auto& calls = canvas.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Op, CanvasOp::Rectangle);
    EXPECT_EQ(calls[0].Points, (std::vector<Point>{{1, 2}, {3, 4}}));
    EXPECT_EQ(calls[0].pen.Style, PenStyle::Dotted);
    EXPECT_EQ(calls[0].brush.Style(), BrushStyle::Solid);
    EXPECT_EQ(calls[0].brush.Color(), Rgb(0xC0C0C0));
    EXPECT_EQ(calls[0].font.Size, 8);
    EXPECT_EQ(calls[1].brush.Style(), BrushStyle::NoFill);
    EXPECT_EQ(calls[1].font.Size, 12);
}

TEST_F(RecordingCanvasTest, LineToRecordsItsStartAndMovesThePen) {
    canvas.MoveTo(10, 20);
    canvas.LineTo(30, 40);
    canvas.LineTo(50, 60);
    const auto lines = canvas.CallsOf(CanvasOp::LineTo);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Points, (std::vector<Point>{{10, 20}, {30, 40}}));
    EXPECT_EQ(lines[1].Points, (std::vector<Point>{{30, 40}, {50, 60}}));
    EXPECT_EQ(canvas.PenPos(), (Point{50, 60}));
}

TEST_F(RecordingCanvasTest, TextOutMovesPenByTextWidthAndPolylineLeavesIt) {
    canvas.MoveTo(1, 1);
    const std::vector<Point> points{{0, 0}, {9, 9}};
    canvas.Polyline(points);
    EXPECT_EQ(canvas.PenPos(), (Point{1, 1}));
    const int width = canvas.TextWidth("Speech");
    EXPECT_GT(width, 0);
    canvas.TextOut(100, 50, "Speech");
    EXPECT_EQ(canvas.PenPos(), (Point{100 + width, 50}));
    EXPECT_EQ(canvas.CallsOf(CanvasOp::TextOut).front().Text, "Speech");
}

TEST_F(RecordingCanvasTest, TextHeightIsTheFullCellAboveTheCharacterHeight) {
    canvas.font().Size = 10;
    EXPECT_GE(canvas.TextHeight("X"), 13);
    RecordingCanvas printer(600);
    printer.font().Size = 10;
    EXPECT_GE(printer.TextHeight("X"), 83);
    EXPECT_GT(printer.TextWidth("Score"), 5 * canvas.TextWidth("Score"));
}

}  // namespace
}  // namespace kivo::canvas
