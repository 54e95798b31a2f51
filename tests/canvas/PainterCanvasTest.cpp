// The painter canvas on real bitmaps: each shape and text covers exactly the pixels the canvas
// promises.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <vector>

#include "canvas/Bitmap.h"
#include "tests/canvas/PixelColors.h"

namespace kivo::canvas {
namespace {

// The pixel colours, not the canvas colours of the same names.
using kivo::testing::pixels::kBlack;
using kivo::testing::pixels::kRed;
using kivo::testing::pixels::kSilver;
using kivo::testing::pixels::kWhite;

class PainterCanvasTest : public ::testing::Test {
protected:
    QRgb At(int x, int y) { return bitmap->Finish().pixel(x, y); }
    Canvas& canvas() { return *bitmap; }

    std::unique_ptr<Bitmap> bitmap = std::make_unique<Bitmap>(40, 30);
};

TEST_F(PainterCanvasTest, NewBitmapIsWhite) {
    const QImage& image = bitmap->Finish();
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixel(0, 0), kWhite);
    EXPECT_EQ(image.pixel(39, 29), kWhite);
}

TEST_F(PainterCanvasTest, RectangleCoversUpToButExcludingItsSecondCorner) {
    canvas().brush().SetColor(Rgb(0xFF0000));
    canvas().Rectangle(2, 3, 10, 9);
    EXPECT_EQ(At(2, 3), kBlack);
    EXPECT_EQ(At(9, 8), kBlack);
    EXPECT_EQ(At(9, 5), kBlack);
    EXPECT_EQ(At(5, 8), kBlack);
    EXPECT_EQ(At(5, 5), kRed);
    EXPECT_EQ(At(10, 5), kWhite);
    EXPECT_EQ(At(5, 9), kWhite);
}

TEST_F(PainterCanvasTest, ClearBrushLeavesRectangleInsideAlone) {
    canvas().brush().SetStyle(BrushStyle::NoFill);
    canvas().Rectangle(2, 3, 10, 9);
    EXPECT_EQ(At(2, 3), kBlack);
    EXPECT_EQ(At(5, 5), kWhite);
}

TEST_F(PainterCanvasTest, FillRectExcludesRightAndBottomAndDrawsNoOutline) {
    canvas().brush().SetColor(Rgb(0xC0C0C0));
    canvas().FillRect({2, 3, 6, 7});
    EXPECT_EQ(At(2, 3), kSilver);
    EXPECT_EQ(At(5, 6), kSilver);
    EXPECT_EQ(At(6, 6), kWhite);
    EXPECT_EQ(At(5, 7), kWhite);
}

TEST_F(PainterCanvasTest, LineToAndPolylineLeaveTheirLastPointOut) {
    canvas().MoveTo(1, 1);
    canvas().LineTo(8, 1);
    const std::vector<Point> points{{1, 4}, {8, 4}, {8, 12}};
    canvas().Polyline(points);
    EXPECT_EQ(At(1, 1), kBlack);
    EXPECT_EQ(At(7, 1), kBlack);
    EXPECT_EQ(At(8, 1), kWhite);
    EXPECT_EQ(At(8, 4), kBlack);
    EXPECT_EQ(At(8, 11), kBlack);
    EXPECT_EQ(At(8, 12), kWhite);
    EXPECT_EQ(canvas().PenPos(), (Point{8, 1}));
}

TEST_F(PainterCanvasTest, DottedPenLeavesEveryOtherPixel) {
    canvas().pen().Style = PenStyle::Dotted;
    canvas().pen().Color = Rgb(0xC0C0C0);
    const std::vector<Point> points{{0, 5}, {20, 5}};
    canvas().Polyline(points);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(At(x, 5), x % 2 == 0 ? kSilver : kWhite) << "x = " << x;
    }
}

TEST_F(PainterCanvasTest, EllipseFillsItsBoxWithOutlineInside) {
    canvas().brush().SetColor(Rgb(0xFF0000));
    canvas().Ellipse(4, 4, 20, 20);
    EXPECT_EQ(At(12, 12), kRed);
    EXPECT_EQ(At(12, 4), kBlack);
    EXPECT_EQ(At(19, 12), kBlack);
    EXPECT_EQ(At(20, 12), kWhite);
    EXPECT_EQ(At(4, 4), kWhite);
}

TEST_F(PainterCanvasTest, ArcRunsCounterClockwiseBetweenTheRays) {
    // From the ray to the right round to the ray upwards: the top-right quarter only.
    canvas().Arc(0, 0, 21, 21, 30, 10, 10, -5);
    EXPECT_EQ(At(17, 3), kBlack);
    EXPECT_EQ(At(3, 17), kWhite);
    EXPECT_EQ(At(17, 17), kWhite);
    EXPECT_EQ(At(3, 3), kWhite);
}

TEST_F(PainterCanvasTest, TextOutFillsTheCellOnlyWithASolidBrush) {
    canvas().brush().SetColor(Rgb(0xFF0000));
    const int width = canvas().TextWidth("i");
    const int height = canvas().TextHeight("i");
    canvas().TextOut(2, 2, "i");
    EXPECT_EQ(canvas().PenPos(), (Point{2 + width, 2}));
    canvas().brush().SetStyle(BrushStyle::NoFill);
    canvas().TextOut(20, 2, "i");
    EXPECT_EQ(At(2, 2), kRed);
    EXPECT_EQ(At(2 + width - 1, 2 + height - 1), kRed);
    EXPECT_EQ(At(2 + width, 2), kWhite);
    EXPECT_EQ(At(20, 2), kWhite);
}

}  // namespace
}  // namespace kivo::canvas
