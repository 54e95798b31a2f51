// kivo-cli render: the paint boxes pixel for pixel, the chosen view subscale, usage errors and
// failures.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <sstream>

#include "canvas/Bitmap.h"
#include "cli/Cli.h"
#include "drawing/ItemGraph.h"
#include "drawing/ReportPaintBox.h"
#include "model/ClientFile.h"
#include "tests/canvas/PixelColors.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace kivo::drawing {
namespace {

using namespace kivo::testing::pixels;

struct Result {
    int status = 0;
    std::string err;
};

Result RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, err.str()};
}

QImage Load(const std::filesystem::path& path) {
    return QImage(QString::fromStdString(path.string())).convertToFormat(QImage::Format_RGB32);
}

// A long-form client with every answer in both conditions but two listening-effort blanks
// in condition 2, which make that subscale invalid there.
ClientRecord LongFormClient() {
    test::ClientBuilder client;
    client.Form(kLongForm)
        .AnswerEach(0, [](int item) { return static_cast<char>('A' + item % 5); })
        .AnswerEach(1, [](int item) { return static_cast<char>('B' + item % 4); });
    for (int item : SubscaleItems(kLongForm, Subscale::ListeningEffort).first(4)) {
        client.Answer(1, item, kBlankResponse);
    }
    return client.Build();
}

class RenderCommandTest : public ::testing::Test {
protected:
    RenderCommandTest() { WriteClientFile(file.string(), client); }

    TempDir dir;
    ClientRecord client = LongFormClient();
    std::filesystem::path file = dir / "client.KVO";
    std::filesystem::path png = dir / "out.png";
};

TEST_F(RenderCommandTest, ReportIsThePaintBoxPixelForPixel) {
    const Result r = RunCli({"render", "report", file.string(), "-o", png.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage written = Load(png);
    ASSERT_EQ(written.size(), QSize(625, 623));

    SubscaleScoreTable scores{};
    ComputeSubscaleScores(client, scores);
    canvas::Bitmap expected(625, 623);
    DrawReportPaintBox(expected, 625, 623, scores, SubscaleNorms(), ".");
    EXPECT_EQ(written, expected.Finish());
    EXPECT_EQ(written.pixel(0, 0), kWhite);
    EXPECT_EQ(written.pixel(575, 290), kBlack);
}

TEST_F(RenderCommandTest, ItemsDrawTheChosenViewSubscale) {
    const Result r =
        RunCli({"render", "items", file.string(), "--subscale", "3", "-o", png.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage written = Load(png);
    ASSERT_EQ(written.size(), QSize(625, 570));

    FillItemTextTable();
    canvas::Bitmap expected(625, 570);
    DrawItemGraph(expected, 625, 570, client, kLongForm, 3);
    EXPECT_EQ(written, expected.Finish());
    canvas::Bitmap speechCues(625, 570);
    DrawItemGraph(speechCues, 625, 570, client, kLongForm, 0);
    EXPECT_NE(written, speechCues.Finish());
}

TEST_F(RenderCommandTest, UsageErrorsWriteNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"render"},
        {"render", "chart", file.string(), "-o", png.string()},
        {"render", "report", file.string()},
        {"render", "report", "-o", png.string()},
        {"render", "report", file.string(), "-o"},
        {"render", "items", file.string(), "--subscale", "6", "-o", png.string()},
        {"render", "items", file.string(), "--subscale", "1x", "-o", png.string()},
        {"render", "items", file.string(), "--subscale", "-1", "-o", png.string()},
        {"render", "report", file.string(), "--subscale", "1", "-o", png.string()},
        {"render", "report", file.string(), file.string(), "-o", png.string()},
    };
    for (const auto& args : cases) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.size() << ": " << r.err;
        EXPECT_NE(r.err.find("kivo-cli: "), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST_F(RenderCommandTest, RefusedFileAndUnwritableOutputFail) {
    WriteBytes(dir / "short.KVO", {'K', 'I', 'V', 'O'});
    Result r = RunCli({"render", "report", (dir / "short.KVO").string(), "-o", png.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    r = RunCli({"render", "items", (dir / "missing.KVO").string(), "-o", png.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(png));
    r = RunCli({"render", "report", file.string(), "-o", (dir / "no" / "such.png").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace kivo::drawing
