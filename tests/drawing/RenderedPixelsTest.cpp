// Pixel probes on a rendered report paint box: the real painter honours the chart's pixel rules.
#include <gtest/gtest.h>

#include <QImage>

#include "canvas/Bitmap.h"
#include "drawing/ReportPaintBox.h"
#include "tests/canvas/PixelColors.h"
#include "tests/drawing/DrawingFixtures.h"

namespace kivo::drawing {
namespace {

using namespace testing;

using namespace kivo::testing::pixels;

// The report paint box painted for real: condition 1 at 4 in every column, condition 2
// invalid so that the red squares show.
class RenderedReportTest : public ::testing::Test {
protected:
    RenderedReportTest() {
        auto scores = ValidScores({4, 4, 4, 4, 4, 4}, {});
        for (auto& score : scores[1]) score.Valid = 0;
        canvas::Bitmap bitmap(kReportBoxWidth, kReportBoxHeight);
        DrawReportPaintBox(bitmap, kReportBoxWidth, kReportBoxHeight, scores, WholeNorms(), ".");
        image = bitmap.Finish().copy();
    }
    QImage image;
};

TEST_F(RenderedReportTest, FrameEdgesLieWhereTheChartGeometryPutsThem) {
    EXPECT_EQ(image.pixel(575, 290), kBlack);
    EXPECT_EQ(image.pixel(576, 290), kWhite);
    EXPECT_EQ(image.pixel(300, 311), kBlack);
    EXPECT_EQ(image.pixel(300, 312), kWhite);
    EXPECT_EQ(image.pixel(37, 290), kBlack);
}

TEST_F(RenderedReportTest, MarkerIsASixteenPixelSquare) {
    // Column 1 at x 82, score 4 at y 157: outline on 74..89 and 149..164.
    EXPECT_EQ(image.pixel(74, 157), kBlack);
    EXPECT_EQ(image.pixel(89, 157), kBlack);
    EXPECT_EQ(image.pixel(82, 149), kBlack);
    EXPECT_EQ(image.pixel(82, 164), kBlack);
    EXPECT_EQ(image.pixel(76, 151), kRed);
    EXPECT_EQ(image.pixel(88, 163), kRed);
    EXPECT_NE(image.pixel(90, 151), kRed);
    EXPECT_NE(image.pixel(82, 165), kRed);
}

TEST_F(RenderedReportTest, GridlineIsDottedSilver) {
    // The level of 1 (y 272) left of the first norm box, from PL + 1.
    for (int x = 38; x < 66; ++x) {
        EXPECT_EQ(image.pixel(x, 272), x % 2 == 0 ? kSilver : kWhite) << "x = " << x;
    }
}

TEST_F(RenderedReportTest, NormBoxIsSilverWithoutOutline) {
    // Column 1 box spans 70..93 from the level of 5 (119) to that of 3 (196).
    EXPECT_EQ(image.pixel(70, 119), kSilver);
    EXPECT_EQ(image.pixel(93, 196), kSilver);
    EXPECT_EQ(image.pixel(94, 190), kWhite);
    EXPECT_EQ(image.pixel(69, 190), kWhite);
}

}  // namespace
}  // namespace kivo::drawing
