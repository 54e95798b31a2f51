// Recorded pages drawn on devices: fills on rounded device pixels, text clipped and aligned
// at any resolution.
#include <gtest/gtest.h>

#include <QPainter>

#include "tests/print/ReportFixtures.h"

using namespace kivo::report;
using namespace kivo::report::testing;

namespace {

QImage Render(const Page& page, DeviceFrame frame, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderPage(page, painter, frame);
    return image;
}

PageItem Fill(QRectF rect, QColor color) {
    PageItem item;
    item.kind = PageItem::Kind::Fill;
    item.rect = rect;
    item.color = color;
    return item;
}

}  // namespace

TEST(RenderPage, FillsLandOnRoundedDevicePixelsAtAnyResolution) {
    Page page = LetterPage();
    page.items.push_back(Fill(QRectF(127.0, 254.0, 254.0, 127.0), Qt::red));
    // 96 per inch: 127 tenths = 48 pixels, 254 = 96.
    QImage screen = Render(page, {96.0, 96.0, 0.0, 0.0, {}}, {300, 300});
    EXPECT_EQ(screen.pixelColor(48, 96), QColor(Qt::red));
    EXPECT_EQ(screen.pixelColor(47, 96), QColor(Qt::white));
    EXPECT_EQ(screen.pixelColor(48 + 95, 96 + 47), QColor(Qt::red));
    EXPECT_EQ(screen.pixelColor(48 + 96, 96), QColor(Qt::white));
    EXPECT_EQ(screen.pixelColor(48, 96 + 48), QColor(Qt::white));
    // A printer at 300 per inch whose printable area starts 6.35 mm from the paper's edge.
    QImage printer = Render(page, {300.0, 300.0, 63.5, 63.5, {}}, {600, 600});
    EXPECT_EQ(printer.pixelColor(75, 225), QColor(Qt::red));  // (127 - 63.5) * 300 / 254
    EXPECT_EQ(printer.pixelColor(74, 225), QColor(Qt::white));
    EXPECT_EQ(printer.pixelColor(374, 224), QColor(Qt::white));
}

TEST(RenderPage, TextIsDrawnInsideItsClipAndAlignedAtTheDevice) {
    Page page;
    PageItem text;
    text.kind = PageItem::Kind::Text;
    text.rect = QRectF(0.0, 0.0, 1000.0, 100.0);
    text.top = 0.0;
    text.text = "WWWW";
    text.font.pointSize = 20;
    text.align = PageItem::Align::Right;
    page.items.push_back(text);
    const QImage image = Render(page, {96.0, 96.0, 0.0, 0.0, {}}, {500, 100});
    int leftmost = image.width(), rightmost = -1, lowest = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
                lowest = std::max(lowest, y);
            }
        }
    }
    ASSERT_GE(rightmost, 0) << "text was drawn";
    EXPECT_LE(rightmost, 377) << "right-aligned within 1000 tenths = 378 pixels";
    EXPECT_GT(leftmost, 200) << "aligned to the right, not the left";
    EXPECT_LT(lowest, 38) << "clipped to 100 tenths = 38 pixels";
}

// A printer whose unprintable edge (0.75 in) is wider than the page's own margins (0.5 in): the
// page is scaled, the same both ways, until all of it lies in the printable area; a page that
// fits is drawn as it is.
TEST(RenderPage, APageReachingIntoTheUnprintableEdgeIsScaledInsideIt) {
    Page page = LetterPage();  // 2159 x 2794 tenths
    // A band across the page between half-inch margins, at the top margin.
    page.items.push_back(Fill(QRectF(127.0, 127.0, 1905.0, 127.0), Qt::red));
    // 25.4 per inch: one pixel per millimetre. Printable: 190.5 tenths in from every edge.
    const QRectF printable(190.5, 190.5, 2159.0 - 381.0, 2794.0 - 381.0);
    const QImage printed = Render(page, {25.4, 25.4, 190.5, 190.5, printable}, {178, 242});
    // Scaled by 1778 / 1905: the band fills the printable width, 11.9 mm high, from its top.
    EXPECT_EQ(printed.pixelColor(0, 5), QColor(Qt::red));
    EXPECT_EQ(printed.pixelColor(176, 5), QColor(Qt::red));
    EXPECT_EQ(printed.pixelColor(88, 0), QColor(Qt::red));
    EXPECT_EQ(printed.pixelColor(88, 11), QColor(Qt::red));
    EXPECT_EQ(printed.pixelColor(88, 13), QColor(Qt::white));
    const PageFit fit = FitToPrintable(page, printable);
    EXPECT_NEAR(fit.scale, 1778.0 / 1905.0, 1e-9);

    // Moved inside the printable area, the same band needs no fitting: the same pixels as on
    // a device that marks the whole paper.
    page.items.front().rect = QRectF(200.0, 200.0, 1700.0, 127.0);
    EXPECT_EQ(FitToPrintable(page, printable).scale, 1.0);
    EXPECT_EQ(Render(page, {25.4, 25.4, 190.5, 190.5, printable}, {178, 242}),
              Render(page, {25.4, 25.4, 190.5, 190.5, {}}, {178, 242}));
}
