// Drawings recorded as page items: each canvas call becomes lines, shapes, fills and texts in
// tenths of a millimetre covering what it covers on a bitmap; the chart and the tables drawn
// this way land on the bitmap's pixels; the drawing element; labels that mark a cut.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPen>
#include <array>
#include <cmath>
#include <functional>

#include "canvas/Bitmap.h"
#include "canvas/RecordingCanvas.h"
#include "drawing/ScoreTables.h"
#include "drawing/SubscaleChart.h"
#include "model/Scoring.h"
#include "print/engine/PageItemCanvas.h"
#include "tests/print/ReportFixtures.h"

using namespace kivo;
using namespace kivo::report;
using namespace kivo::report::testing;

namespace {

constexpr double kOriginX = 300.0;
constexpr double kOriginY = 500.0;

QPointF At(double px, double py) {
    return {kOriginX + Px(px), kOriginY + Px(py)};
}

void ExpectNear(const QPointF& a, const QPointF& b, const char* what) {
    EXPECT_NEAR(a.x(), b.x(), 1e-9) << what;
    EXPECT_NEAR(a.y(), b.y(), 1e-9) << what;
}

void ExpectNear(const QRectF& a, const QRectF& b, const char* what) {
    ExpectNear(a.topLeft(), b.topLeft(), what);
    ExpectNear(a.bottomRight(), b.bottomRight(), what);
}

struct Recorded {
    Page page;
    PageItemCanvas canvas{page, {kOriginX, kOriginY}, QRectF(At(0, 0), At(200, 100))};
};

// Scores that give every marker, profile segment and norm of the chart.
SubscaleScoreTable Scores() {
    SubscaleScoreTable table{};
    const std::array<float, kSubscaleCount> c1 = {4.7f, 4.3f, 2.2f, 4.3f, 3.5f, 2.0f};
    const std::array<float, kSubscaleCount> c2 = {4.1f, 4.4f, 4.4f, 3.0f, 3.8f, 4.7f};
    for (std::size_t s = 0; s < kSubscaleCount; ++s) {
        table[0][s] = {c1[s], 0, 1};
        table[1][s] = {c2[s], 3, 1};
    }
    table[1][2].Valid = 0;  // one invalid subscale: a gap in the profile, "INV" in the table
    return table;
}

// The same drawing on a white bitmap and recorded then rendered at 96 per inch.
struct BothWays {
    QImage bitmap;
    QImage rendered;
    canvas::RecordingCanvas calls;
};

BothWays DrawBothWays(int width, int height,
                      const std::function<void(canvas::Canvas&, int, int)>& draw) {
    BothWays both;
    canvas::Bitmap bitmap(width, height);
    draw(bitmap, width, height);
    both.bitmap = bitmap.Finish().copy();
    draw(both.calls, width, height);
    Page page;
    PageItemCanvas recorder(page, {0.0, 0.0}, QRectF(0.0, 0.0, Px(width), Px(height)));
    draw(recorder, width, height);
    both.rendered = QImage(width, height, QImage::Format_RGB32);
    both.rendered.fill(Qt::white);
    QPainter painter(&both.rendered);
    RenderPage(page, painter, {96.0, 96.0, 0.0, 0.0, {}});
    painter.end();
    return both;
}

// The pixels that differ between the two pictures away from any text, slanted line and circle
// outline: texts are set with other glyph metrics on paper, so their cells (and a margin for
// centred texts) are left out; slanted lines and circles may round to the next pixel.
int DifferencesOutsideTexts(const BothWays& both) {
    QImage mask(both.bitmap.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter masker(&mask);
    canvas::RecordingCanvas measure;
    for (const auto& call : both.calls.CallsOf(canvas::CanvasOp::TextOut)) {
        measure.font() = call.font;
        const auto p = call.Points.front();
        masker.fillRect(QRect(p.x - 6, p.y - 1, measure.TextWidth(call.Text) + 12,
                              measure.TextHeight(call.Text) + 2),
                        Qt::white);
    }
    // Slanted lines step to other rows where their ends are pixel centres rather than corners.
    masker.setPen(QPen(Qt::white, 3));
    for (const auto& call : both.calls.CallsOf(canvas::CanvasOp::LineTo)) {
        const auto from = call.Points[0];
        const auto to = call.Points[1];
        if (from.x != to.x && from.y != to.y) masker.drawLine(from.x, from.y, to.x, to.y);
    }
    // Circles round their pixels a little differently from the bitmap's outline, too.
    masker.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& call : both.calls.CallsOf(canvas::CanvasOp::Ellipse)) {
        const auto a = call.Points[0];
        const auto b = call.Points[1];
        masker.drawEllipse(QRect(QPoint(a.x, a.y), QPoint(b.x - 1, b.y - 1)));
    }
    masker.end();
    int differing = 0;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (qGray(mask.pixel(x, y)) != 0) continue;
            if (both.bitmap.pixel(x, y) != both.rendered.pixel(x, y)) ++differing;
        }
    }
    return differing;
}

}  // namespace

TEST(PageItemCanvas, ShapesCoverTheBitmapPixelsOfTheirCalls) {
    Recorded r;
    auto& c = r.canvas;
    c.pen().Color = canvas::Rgb(0x112233);
    c.brush().SetColor(canvas::Rgb(0xFF0000));
    c.Rectangle(10, 20, 26, 36);  // pixels 10..25, 20..35
    c.brush().SetStyle(canvas::BrushStyle::NoFill);
    c.pen().Style = canvas::PenStyle::Dotted;
    c.pen().Width = 2;
    c.Ellipse(40, 40, 60, 50);
    c.pen().Style = canvas::PenStyle::Solid;
    c.pen().Width = 1;
    c.brush().SetColor(canvas::Rgb(0xC0C0C0));
    c.FillRect({5, 8, 9, 4});  // written bottom up: the rows a bitmap fills, below
    c.MoveTo(0, 0);
    c.LineTo(10, 0);  // pixels 0..9 of row 0
    const std::array<canvas::Point, 3> corner = {{{0, 50}, {0, 60}, {10, 60}}};
    c.Polyline(corner);
    c.Polygon(corner);
    ASSERT_EQ(r.page.items.size(), 6u);
    const auto& items = r.page.items;

    EXPECT_EQ(items[0].kind, PageItem::Kind::Rectangle);
    ExpectNear(items[0].rect, QRectF(At(10.5, 20.5), At(25.5, 35.5)), "rectangle");
    EXPECT_EQ(items[0].color, QColor(0xFF, 0, 0));
    EXPECT_EQ(items[0].pen.color, QColor(0x11, 0x22, 0x33));
    EXPECT_NEAR(items[0].pen.width, Px(1), 1e-9);
    EXPECT_FALSE(items[0].pen.dotted);

    EXPECT_EQ(items[1].kind, PageItem::Kind::Ellipse);
    ExpectNear(items[1].rect, QRectF(At(40.5, 40.5), At(59.5, 49.5)), "ellipse");
    EXPECT_EQ(items[1].color.alpha(), 0) << "a clear brush fills nothing";
    EXPECT_NEAR(items[1].pen.width, Px(2), 1e-9);
    EXPECT_TRUE(items[1].pen.dotted);

    EXPECT_EQ(items[2].kind, PageItem::Kind::Fill);
    canvas::Bitmap bitmap(20, 20);
    bitmap.brush().SetColor(canvas::kBlack);
    bitmap.FillRect({5, 8, 9, 4});
    const QImage& filled = bitmap.Finish();
    int firstRow = -1, lastRow = -1;
    for (int y = 0; y < filled.height(); ++y) {
        if (filled.pixelColor(6, y) != QColor(Qt::black)) continue;
        if (firstRow < 0) firstRow = y;
        lastRow = y;
    }
    ASSERT_GE(firstRow, 0);
    EXPECT_EQ(filled.pixelColor(9, firstRow), QColor(Qt::white)) << "right edge excluded";
    ExpectNear(items[2].rect, QRectF(At(5, firstRow), At(9, lastRow + 1)),
               "fill on the rows the bitmap fills");
    EXPECT_EQ(items[2].color, QColor(0xC0, 0xC0, 0xC0));

    EXPECT_EQ(items[3].kind, PageItem::Kind::Line);
    ASSERT_EQ(items[3].points.size(), 2u);
    ExpectNear(items[3].points[0], At(0, 0.5), "line start: the first pixel whole");
    ExpectNear(items[3].points[1], At(10, 0.5), "line end: the last pixel left out");

    EXPECT_EQ(items[4].kind, PageItem::Kind::Line);
    ASSERT_EQ(items[4].points.size(), 3u);
    ExpectNear(items[4].points[0], At(0.5, 50), "polyline start");
    ExpectNear(items[4].points[1], At(0.5, 60.5), "polyline corner");
    ExpectNear(items[4].points[2], At(10, 60.5), "polyline end");
    EXPECT_EQ(c.PenPos(), (canvas::Point{10, 0})) << "a polyline leaves the pen position";

    EXPECT_EQ(items[5].kind, PageItem::Kind::Polygon);
    ASSERT_EQ(items[5].points.size(), 3u);
    ExpectNear(items[5].points[0], At(0.5, 50.5), "polygon");
    EXPECT_EQ(items[5].color, QColor(0xC0, 0xC0, 0xC0));
}

TEST(PageItemCanvas, TextsAreRealTextWithTheirFontAndOptionalBackground) {
    Recorded r;
    auto& c = r.canvas;
    c.font().Name = "Arial";
    c.font().Size = 10;
    c.font().Style = canvas::kBold;
    c.font().Color = canvas::Rgb(0x0000FF);
    c.brush().SetColor(canvas::kWhite);
    c.TextOut(20, 30, "4.5");
    c.brush().SetStyle(canvas::BrushStyle::NoFill);
    c.TextOut(50, 30, "Zo\xC3\xAB");
    c.TextOut(60, 30, "");
    ASSERT_EQ(r.page.items.size(), 3u) << "a white cell, two texts, nothing for no text";
    const auto& cell = r.page.items[0];
    EXPECT_EQ(cell.kind, PageItem::Kind::Fill);
    EXPECT_EQ(cell.color, QColor(Qt::white));
    ExpectNear(cell.rect.topLeft(), At(20, 30), "cell");
    EXPECT_NEAR(cell.rect.height(), Px(c.TextHeight("4.5")), 1e-9);
    EXPECT_NEAR(cell.rect.width(), Px(c.TextWidth("4.5")), 1e-9);
    const auto& text = r.page.items[1];
    EXPECT_EQ(text.kind, PageItem::Kind::Text);
    EXPECT_EQ(text.text, "4.5");
    EXPECT_EQ(text.font.family, "Arial");
    EXPECT_EQ(text.font.pointSize, 10.0);
    EXPECT_TRUE(text.font.bold);
    EXPECT_EQ(text.font.color, QColor(0, 0, 0xFF));
    EXPECT_EQ(text.align, PageItem::Align::Left);
    EXPECT_NEAR(text.top, kOriginY + Px(30), 1e-9);
    // Clipped where a 200 x 100 bitmap would end.
    EXPECT_NEAR(text.rect.left(), kOriginX + Px(20), 1e-9);
    EXPECT_NEAR(text.rect.right(), kOriginX + Px(200), 1e-9);
    EXPECT_NEAR(text.rect.top(), kOriginY, 1e-9);
    EXPECT_NEAR(text.rect.bottom(), kOriginY + Px(100), 1e-9);
    EXPECT_EQ(r.page.items[2].text, QString::fromUtf8("Zo\xC3\xAB"));
    // Widths are the paper's, heights the bitmap's.
    EXPECT_EQ(c.TextWidth("Convenience"),
              std::lround(DesignMetrics(text.font).TextWidth("Convenience")));
    canvas::Bitmap bitmap(10, 10);
    bitmap.font() = c.font();
    EXPECT_EQ(c.TextHeight("X"), bitmap.TextHeight("X"));
    EXPECT_EQ(c.PenPos(), (canvas::Point{60, 30}));
}

// The chart and the tables, drawn by their one routine, land on the bitmap's pixels: the
// frame, the gridlines, the norms, the profiles and the markers. Only the texts' glyphs may
// differ, as they are set unhinted on paper, and slanted edges by a pixel.
TEST(PageItemCanvas, ChartAndTablesRenderedAtScreenResolutionMatchTheirBitmaps) {
    const auto scores = Scores();
    const auto norms = SubscaleNorms();
    const auto chart = DrawBothWays(617, 305, [&](canvas::Canvas& c, int w, int h) {
        drawing::DrawSubscaleChart(c, w, h, drawing::ChartVariant::Print, scores, norms);
    });
    const auto tables = DrawBothWays(617, 225, [&](canvas::Canvas& c, int w, int h) {
        drawing::DrawScoreTables(c, w, h, drawing::TableLayout::Print, scores, ".");
    });
    // Frame at 37..567 x 21..274, tables from (12, 50) to (283, 225).
    for (const auto& [x, y] :
         std::array<std::pair<int, int>, 4>{{{37, 150}, {567, 150}, {300, 21}, {300, 274}}}) {
        EXPECT_EQ(chart.rendered.pixelColor(x, y), QColor(Qt::black)) << x << ", " << y;
    }
    EXPECT_EQ(chart.rendered.pixelColor(36, 150), QColor(Qt::white));
    EXPECT_EQ(chart.rendered.pixelColor(568, 150), QColor(Qt::white));
    EXPECT_EQ(tables.rendered.pixelColor(12, 150), QColor(Qt::black));
    EXPECT_EQ(tables.rendered.pixelColor(11, 150), QColor(Qt::white));
    EXPECT_EQ(tables.rendered.pixelColor(131, 224), QColor(Qt::black)) << "column rule";
    // Every other pixel is the bitmap's: frames, rules, dotted gridlines, norms, squares.
    EXPECT_EQ(DifferencesOutsideTexts(chart), 0);
    EXPECT_EQ(DifferencesOutsideTexts(tables), 0);
}

// At printer resolutions the shapes scale with the device: a one-pixel frame is 1/96 inch
// wide, wherever the printer's printable area starts.
TEST(PageItemCanvas, ShapesScaleToThePrinterResolution) {
    Page page;
    PageItemCanvas recorder(page, {63.5, 63.5}, QRectF(63.5, 63.5, 1000.0, 1000.0));
    recorder.brush().SetColor(canvas::Rgb(0xFF0000));
    recorder.Rectangle(0, 0, 96, 48);  // one inch by half an inch from 6.35 mm in
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderPage(page, painter, {300.0, 300.0, 63.5, 63.5, {}});
    painter.end();
    // 300 per inch: the outline covers 0..3.125 and 296.875..300 across, 0..150 down.
    EXPECT_EQ(image.pixelColor(1, 60), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(5, 60), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(294, 60), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(298, 60), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(302, 60), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 148), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(100, 152), QColor(Qt::white));
}

TEST(ReportDrawing, PrintsItsRoutineAtItsPlaceOnWhiteAndNothingWithoutOne) {
    ReportBand band(BandKind::Detail);
    auto& drawing = band.Add<ReportDrawing>();
    drawing.Size = {Px(40), Px(10), Px(20), Px(100)};
    drawing.PixelWidth = 100;
    drawing.PixelHeight = 40;
    Page empty;
    drawing.Print(empty, 127.0, 400.0);
    EXPECT_TRUE(empty.items.empty());
    std::pair<int, int> size;
    drawing.Draw = [&](canvas::Canvas& canvas, int width, int height) {
        size = {width, height};
        canvas.Rectangle(0, 0, width, height);
    };
    Page page;
    drawing.Print(page, 127.0, 400.0);
    EXPECT_EQ(size, (std::pair<int, int>{100, 40}));
    ASSERT_EQ(page.items.size(), 2u);
    EXPECT_EQ(page.items[0].kind, PageItem::Kind::Fill);
    EXPECT_EQ(page.items[0].color, QColor(Qt::white));
    ExpectNear(page.items[0].rect, QRectF(127.0 + Px(10), 400.0 + Px(20), Px(100), Px(40)),
               "white");
    EXPECT_EQ(page.items[1].kind, PageItem::Kind::Rectangle);
    ExpectNear(page.items[1].rect,
               QRectF(QPointF(127.0 + Px(10.5), 400.0 + Px(20.5)),
                      QPointF(127.0 + Px(109.5), 400.0 + Px(59.5))),
               "frame");
}

// Labels that mark a cut: the last line that fits ends in "…", shortened to make room, and a
// word wider than the label runs on over the next lines when asked to.
TEST(ReportLabelCut, TheLastLineThatFitsEndsInAnEllipsis) {
    const FontSpec font;
    const DesignMetrics metrics(font);
    const QString ellipsis = QString::fromUtf8("\xE2\x80\xA6");
    const QString letters = "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz";
    const double width = Px(metrics.TextWidth("abcdefghijkl"));
    const auto fits = [&](const QString& s) { return Px(metrics.TextWidth(s)) <= width + 1e-9; };
    // The longest start of the letters that fits one line.
    QString full = letters;
    while (!fits(full)) full.chop(1);
    struct Case {
        const char* name;
        bool breakWords;
        QString caption;
        int lines;
        QString shown;  // the caption's start the lines show, without blanks and breaks
        bool cut;
        bool lastLineFull;  // so "…" takes the place of its end
    };
    const Case cases[] = {
        {"fits", false, "one\rtwo", 2, "onetwo", false, false},
        {"third line", false, "one\rtwo\rthree", 2, "onetwothree", true, false},
        {"full second line", false, "one\r" + full + "\rmore", 2, "one" + full, true, true},
        {"cut word", false, letters, 1, letters, true, true},
        {"run-on word", true, letters.left(full.size() + 3), 2, letters.left(full.size() + 3),
         false, false},
        {"run-on word cut", true, letters, 2, letters, true, true},
        {"nothing", false, "", 0, "", false, false},
    };
    for (const Case& c : cases) {
        ReportBand band(BandKind::Detail);
        auto& label = band.Add<ReportLabel>();
        label.Size.width = width;
        label.Size.height = 2 * Px(metrics.TextHeight());
        label.BreakLongWords = c.breakWords;
        label.EllipsisWhenCut = true;
        label.SetCaption(c.caption);
        const QStringList lines = label.Lines();
        ASSERT_EQ(lines.size(), c.lines) << c.name;
        for (const QString& line : lines) EXPECT_TRUE(fits(line)) << c.name;
        QString joined = lines.join(QString());
        EXPECT_EQ(joined.endsWith(ellipsis), c.cut) << c.name;
        if (c.cut) {
            joined.chop(1);
            EXPECT_TRUE(c.shown.startsWith(joined)) << c.name << ": " << joined.toStdString();
            // Shortened no more than "…" needs: one more letter would not fit.
            const QString last = lines.back().chopped(1);
            const QString next = c.shown.mid(joined.size(), 1);
            if (c.lastLineFull) {
                EXPECT_FALSE(fits(last + next + ellipsis)) << c.name;
            }
        } else {
            EXPECT_EQ(joined, c.shown) << c.name;
        }
        Page page;
        label.Print(page, 0.0, 0.0);
        EXPECT_EQ(ItemsOf(page, PageItem::Kind::Text).size(), static_cast<std::size_t>(c.lines))
            << c.name << ": every kept line prints";
    }
}
