// Report labels and images: line breaking, sizing and alignment, what a label records onto a
// page, the date label and picture placement.
#include <gtest/gtest.h>

#include "tests/print/ReportFixtures.h"

using namespace kivo::report;
using namespace kivo::report::testing;

namespace {

class LabelTest : public ::testing::Test {
protected:
    ReportLabel& Label(double left, double width) {
        auto& label = band.Add<ReportLabel>();
        label.Size.left = left;
        label.Size.width = width;
        return label;
    }
    double W(const QString& s) const { return Px(metrics.TextWidth(s)); }
    double LineHeight() const { return Px(metrics.TextHeight()); }

    ReportBand band{BandKind::Detail};
    FontSpec font;
    DesignMetrics metrics{font};

    void SetUp() override { band.Size = {1000.0, 1905.0}; }
};

}  // namespace

TEST_F(LabelTest, CarriageReturnsEndLinesAndLineFeedsAreDropped) {
    auto& label = Label(100.0, 50.0);
    label.AutoSize = true;
    label.SetCaption("first line\r\nsecond\rthird");
    EXPECT_EQ(label.Lines(), (QStringList{"first line", "second", "third"}));
    EXPECT_DOUBLE_EQ(label.Size.width, W("first line"));
}

TEST_F(LabelTest, AutoSizeKeepsTheEdgeOfItsAlignment) {
    struct Case {
        TextAlignment alignment;
        double left;  // expected new left for a label at 100..600 taking width w
    };
    const double w = W("Client: Lee");
    const Case cases[] = {{TextAlignment::Left, 100.0},
                          {TextAlignment::Right, 600.0 - w},
                          {TextAlignment::Center, 350.0 - w / 2.0}};
    for (const auto& c : cases) {
        auto& label = Label(100.0, 500.0);
        label.AutoSize = true;
        label.Alignment = c.alignment;
        label.SetCaption("Client: Lee");
        EXPECT_DOUBLE_EQ(label.Size.left, c.left);
        EXPECT_DOUBLE_EQ(label.Size.width, w);
    }
}

TEST_F(LabelTest, ALabelIsAtLeastOneLineHigh) {
    auto& label = Label(0.0, 500.0);
    label.SetCaption("x");
    EXPECT_DOUBLE_EQ(label.Size.height, Px(metrics.TextHeight() + 1.0));
    label.Size.height = 400.0;
    label.SetCaption("y");
    EXPECT_DOUBLE_EQ(label.Size.height, 400.0) << "a higher label keeps its height";
}

TEST_F(LabelTest, FixedWidthFillsWordByWordAndCutsAnOverWideWord) {
    auto& label = Label(0.0, W("alpha beta"));
    label.SetCaption("alpha beta gamma");
    ASSERT_EQ(label.Lines().size(), 2);
    EXPECT_EQ(label.Lines()[0].trimmed(), "alpha beta");
    EXPECT_EQ(label.Lines()[1], "gamma");

    auto& hyphen = Label(0.0, W("gamma-"));
    hyphen.SetCaption("gamma-delta");
    EXPECT_EQ(hyphen.Lines(), (QStringList{"gamma-", "delta"})) << "a hyphen ends a word";

    auto& narrow = Label(0.0, W("abc"));
    narrow.SetCaption("abcdefgh ij");
    EXPECT_EQ(narrow.Lines(), (QStringList{"abc", "ij"})) << "the rest of the cut word is dropped";

    auto& single = Label(0.0, W("alpha beta"));
    single.WordWrap = false;
    single.SetCaption("alpha beta gamma");
    EXPECT_EQ(single.Lines().size(), 1);
}

TEST_F(LabelTest, AlignToBandMovesTheLabel) {
    struct Case {
        TextAlignment alignment;
        double left;
    };
    const Case cases[] = {{TextAlignment::Left, 0.0},
                          {TextAlignment::Right, 1905.0 - 300.0},
                          {TextAlignment::Center, 802.0}};  // (1905 - 300) / 2, cut to whole tenths
    for (const auto& c : cases) {
        auto& label = Label(500.0, 300.0);
        label.AlignToBand = true;
        label.Alignment = c.alignment;
        label.SetCaption("x");
        EXPECT_DOUBLE_EQ(label.Size.left, c.left);
    }
}

TEST_F(LabelTest, PrintsOnlyLinesThatFitWhollyAndFillsUnlessTransparent) {
    auto& label = Label(10.0, W("one"));
    label.Size.top = 20.0;
    label.Size.height = LineHeight() * 2.5;
    label.Color = Qt::yellow;
    label.SetCaption("one two three");
    Page page;
    label.Print(page, 127.0, 500.0);
    const auto fills = ItemsOf(page, PageItem::Kind::Fill);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->rect, QRectF(137.0, 520.0, W("one"), LineHeight() * 2.5));
    const auto texts = ItemsOf(page, PageItem::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_DOUBLE_EQ(texts[0]->top, 520.0);
    EXPECT_DOUBLE_EQ(texts[1]->top, 520.0 + LineHeight());
    EXPECT_EQ(texts[1]->rect, fills[0]->rect) << "each line is clipped to the label";

    Page clear;
    label.Transparent = true;
    label.Print(clear, 127.0, 500.0);
    EXPECT_TRUE(ItemsOf(clear, PageItem::Kind::Fill).empty());
}

TEST_F(LabelTest, DateLabelPrintsItsTextAndTheDate) {
    auto& date = band.Add<ReportDateLabel>();
    date.AutoSize = true;
    date.Text = "Date: ";
    Page page;
    date.Print(page, 0.0, 0.0);
    const auto texts = ItemsOf(page, PageItem::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, "Date: " + ShortDateText());
}

TEST_F(LabelTest, ImagesAtNaturalSizeCentredOrStretched) {
    auto& image = band.Add<ReportImage>();
    image.Size = {1000.0, 100.0, 50.0, 2000.0};
    image.Picture = QImage(96, 48, QImage::Format_RGB32);
    const QRectF rect(127.0 + 100.0, 300.0 + 50.0, 2000.0, 1000.0);
    struct Case {
        bool stretch, center;
        QRectF target;
    };
    const Case cases[] = {
        {false, false, QRectF(rect.topLeft(), QSizeF(254.0, 127.0))},
        {true, false, rect},
        {false, true, QRectF(rect.center() - QPointF(127.0, 63.5), QSizeF(254.0, 127.0))},
    };
    for (const auto& c : cases) {
        image.Stretch = c.stretch;
        image.Center = c.center;
        Page page;
        image.Print(page, 127.0, 300.0);
        const auto items = ItemsOf(page, PageItem::Kind::Image);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0]->target, c.target);
        EXPECT_EQ(items[0]->rect, rect) << "clipped to the element";
    }
}
