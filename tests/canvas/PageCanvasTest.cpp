// The page canvas as a PDF job: its title, pages and resolution.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <string>

#include "canvas/PageCanvas.h"
#include "tests/support/TempDir.h"

namespace kivo::canvas {
namespace {

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

// The PDF document title is written as UTF-16BE.
std::string Utf16Be(const std::string& ascii) {
    std::string result;
    for (char c : ascii) {
        result += '\0';
        result += c;
    }
    return result;
}

TEST(PageCanvas, PdfJobHasItsTitlePagesAndResolution) {
    TempDir dir;
    const auto file = dir / "job.pdf";
    {
        QPdfWriter writer(QString::fromStdString(file.string()));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        PageCanvas canvas(writer);
        canvas.Title = "KIVO Score Report";
        EXPECT_EQ(canvas.PageWidth(), 2550);
        EXPECT_EQ(canvas.PageHeight(), 3300);
        ASSERT_TRUE(canvas.BeginDoc());
        canvas.font().Size = 10;
        EXPECT_GE(canvas.TextHeight("X"), CharacterHeight(10, 300));
        canvas.TextOut(100, 100, "page one");
        canvas.pen().Width = 3;
        canvas.NewPage();
        EXPECT_EQ(canvas.pen().Width, 3);
        canvas.Rectangle(10, 10, 200, 200);
        canvas.EndDoc();
    }
    const std::string pdf = ReadText(file);
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_NE(pdf.find(Utf16Be("KIVO Score Report")), std::string::npos);
}

}  // namespace
}  // namespace kivo::canvas
