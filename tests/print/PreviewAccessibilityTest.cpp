// The preview's page read as a screen reader reads it: a document whose text is the words of
// the page shown, in reading order, and that follows the page turned to.
#include <gtest/gtest.h>

#include <QAccessible>

#include "print/engine/PageText.h"
#include "print/preview/PreviewPage.h"
#include "print/preview/ReportPreview.h"
#include "tests/print/ReportFixtures.h"

using namespace kivo::report;

namespace {

// Two pages: each a detail band filling the page with two labels on one line and one below.
struct TwoPageReport {
    TwoPageReport() {
        report.ReportTitle = "KIVO Score Report";
        for (const char* page : {"One", "Two"}) {
            auto& band = report.AddBand(BandKind::Detail);
            band.Size.height = 2000.0;
            const auto label = [&band](double left, double top, const QString& text) {
                auto& l = band.Add<ReportLabel>();
                l.Size.left = left;
                l.Size.top = top;
                l.Size.width = 600.0;
                l.SetCaption(text);
            };
            // Added right to left and bottom first: the text reads by place, not by order.
            label(100.0, 400.0, QStringLiteral("Below %1").arg(QLatin1String(page)));
            label(900.0, 100.0, QStringLiteral("Right %1").arg(QLatin1String(page)));
            label(100.0, 100.0, QStringLiteral("Left %1").arg(QLatin1String(page)));
        }
    }
    Report report;
};

QString DocumentText(QAccessibleInterface& iface) {
    QAccessibleTextInterface* text = iface.textInterface();
    return text != nullptr ? text->text(0, text->characterCount()) : QStringLiteral("<no text>");
}

}  // namespace

TEST(PreviewAccessibility, ThePageShownIsADocumentWithItsTextInReadingOrder) {
    TwoPageReport r;
    ReportPreview window(r.report, {});
    window.resize(800, 600);
    window.show();
    window.Generate();
    QAccessibleInterface* page =
        QAccessible::queryAccessibleInterface(window.findChild<PreviewPage*>());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->role(), QAccessible::Document);
    EXPECT_EQ(page->text(QAccessible::Name).toStdString(), "Report page");
    EXPECT_EQ(DocumentText(*page).toStdString(), "Left One  Right One\nBelow One\n");
    window.ShowPage(2);
    EXPECT_EQ(DocumentText(*page).toStdString(), "Left Two  Right Two\nBelow Two\n");
    EXPECT_EQ(page->textInterface()->text(0, 8).toStdString(), "Left Two");
}

TEST(PreviewAccessibility, PageTextIsEmptyForAPageWithoutTexts) {
    EXPECT_EQ(PageText(Page{}).toStdString(), "");
}
