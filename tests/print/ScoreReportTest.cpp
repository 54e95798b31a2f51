#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "model/ClientFile.h"
#include "tests/print/ReportFixtures.h"
#include "print/score/ScoreReport.h"
#include "model/Session.h"
#include "tests/support/TempDir.h"

using namespace kivo;
using namespace kivo::report;
using namespace kivo::report::testing;

namespace {

struct Names {
    const char* last;
    const char* first;
    const char* middle;
};

ClientRecord Client(Names n = {"Johnson", "Ann", "M"}) {
    ClientRecord r;
    ResetClientRecord(r);
    WriteTextField(r.LastName, n.last);
    WriteTextField(r.FirstName, n.first);
    WriteTextField(r.MiddleInitial, n.middle);
    WriteTextField(r.Gender, "F");
    WriteTextField(r.BirthDate, "03/14/1950");
    WriteTextField(r.HearingAid1, "Brand X");
    WriteTextField(r.Ear1, "Both");
    WriteTextField(r.Coupling1, "Open");
    WriteTextField(r.TestDate1, "01/05/2026");
    WriteTextField(r.HearingAid2, "Brand Y");
    WriteTextField(r.Ear2, "Left");
    WriteTextField(r.Coupling2, "Vented");
    WriteTextField(r.TestDate2, "02/09/2026");
    r.TestForm = kLongForm;
    r.Experience1 = 2;
    r.Experience2 = 3;
    return r;
}

// The texts printed on the report's page, in order.
QStringList PrintedTexts(const PageStore& store) {
    QStringList texts;
    for (const auto* item : ItemsOf(store.pages.at(0), PageItem::Kind::Text)) texts << item->text;
    return texts;
}

class ScoreReportTest : public ::testing::Test {
protected:
    PageStore Run(const ClientRecord& record) {
        gClientRecord = record;
        ComputeSubscaleScores();
        LoadNormTable();
        return report.Report().Generate();
    }
    print::ScoreReport report;
};

}  // namespace

TEST_F(ScoreReportTest, NameRule) {
    struct Case {
        Names names;
        const char* printed;
    };
    const Case cases[] = {{{"L", "F", "M"}, "Name: L, F M"},
                          {{"", "F", "M"}, "Name: F M"},
                          {{"L", "F", ""}, "Name: L, F "}};
    for (const auto& c : cases) {
        Run(Client(c.names));
        EXPECT_EQ(report.Label("RpNameLabel").Caption(), c.printed);
    }
}

TEST_F(ScoreReportTest, HeaderAndConditionTexts) {
    const auto store = Run(Client());
    ASSERT_EQ(store.PageCount(), 1);
    const QStringList texts = PrintedTexts(store);
    for (const char* expected :
         {"Veltrano (KIVO) Scale", "Gender: F", "Date of Birth: 03/14/1950", "Test Form: KIVO",
          "Condition 1:", "Hearing Aid Information", " Brand X", "Ear: Both", "Coupling: Open",
          "Date of Test: 01/05/2026", "HA Experience: 1-5 years", " Brand Y", "Ear: Left",
          "Coupling: Vented", "Date of Test: 02/09/2026", "HA Experience: Over 5 years",
          "Comments:"}) {
        EXPECT_TRUE(texts.contains(expected)) << expected;
    }
    EXPECT_TRUE(texts.filter(QRegularExpression("^Printed: .+")).size() == 1);
}

TEST_F(ScoreReportTest, OutOfTableValuesPrintThePrefixOnly) {
    auto r = Client();
    r.TestForm = 7;
    r.Experience1 = -1;
    r.Experience2 = 4;
    Run(r);
    EXPECT_EQ(report.Label("RpTestFormLabel").Caption(), "Test Form: ");
    EXPECT_EQ(report.Label("RpHAExperienceLabel1").Caption(), "HA Experience: ");
    EXPECT_EQ(report.Label("RpHAExperienceLabel2").Caption(), "HA Experience: ");
}

TEST_F(ScoreReportTest, BandsAndElementsSitWhereTheLayoutPutsThem) {
    const auto store = Run(Client());
    const auto& bands = report.Report().Bands();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_DOUBLE_EQ(bands[0]->Size.height, Px(129));
    EXPECT_DOUBLE_EQ(bands[1]->Size.height, Px(779));
    EXPECT_DOUBLE_EQ(bands[2]->Size.height, Px(35));
    EXPECT_DOUBLE_EQ(bands[1]->Size.width, 1905.0);
    struct Pos {
        const char* name;
        int left, top;
    };
    for (const Pos& p : {Pos{"RpNameLabel", 8, 104}, Pos{"RpGenderLabel", 200, 104},
                         Pos{"RpDateBirthLabel", 325, 104}, Pos{"RpTestFormLabel", 512, 104},
                         Pos{"RpLabel5", 40, 6}, Pos{"RpHearingAidLabel1", 56, 52},
                         Pos{"RpCouplingLabel2", 560, 75}, Pos{"RpHAExperienceLabel2", 417, 121},
                         Pos{"RpLabel7", 133, 152}}) {
        EXPECT_NEAR(report.Label(p.name).Size.left, Px(p.left), 1e-9) << p.name;
        EXPECT_NEAR(report.Label(p.name).Size.top, Px(p.top), 1e-9) << p.name;
    }
    EXPECT_DOUBLE_EQ(report.Label("RpLabel7").Size.width, Px(516));
    EXPECT_DOUBLE_EQ(report.Label("RpLabel7").Size.height, Px(42));
    // Both pictures are drawn at exactly their elements' pixel sizes and fill them.
    const auto images = ItemsOf(store.pages[0], PageItem::Kind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->image.size(), QSize(617, 305));
    EXPECT_EQ(images[1]->image.size(), QSize(617, 225));
    const double detailTop = 127.0 + Px(129);
    EXPECT_NEAR(images[0]->target.left(), 127.0 + Px(56), 1e-9);
    EXPECT_NEAR(images[0]->target.top(), detailTop + Px(232), 1e-9);
    EXPECT_NEAR(images[1]->target.top(), detailTop + Px(548), 1e-9);
    EXPECT_NEAR(images[0]->target.width(), images[0]->rect.width(), 1e-9);
    EXPECT_NEAR(images[1]->target.height(), images[1]->rect.height(), 1e-9);
}

TEST_F(ScoreReportTest, CommentsPrintOnlyTheTwoLinesThatFit) {
    auto r = Client();
    WriteTextField(r.Comments, "First line.\r\nSecond line.\r\nThird line.");
    const auto store = Run(r);
    const QStringList texts = PrintedTexts(store);
    EXPECT_TRUE(texts.contains("First line."));
    EXPECT_TRUE(texts.contains("Second line."));
    EXPECT_FALSE(texts.contains("Third line."));
}

TEST_F(ScoreReportTest, SameClientGivesTheSameReportEveryTime) {
    const auto a = Run(Client());
    const auto b = Run(Client());
    EXPECT_EQ(PrintedTexts(a), PrintedTexts(b));
    const auto ia = ItemsOf(a.pages[0], PageItem::Kind::Image);
    const auto ib = ItemsOf(b.pages[0], PageItem::Kind::Image);
    ASSERT_EQ(ia.size(), ib.size());
    for (std::size_t i = 0; i < ia.size(); ++i) EXPECT_EQ(ia[i]->image, ib[i]->image);
}

TEST(ScoreReportPdf, KivoCliReportWritesOneLetterPageOfRealText) {
    TempDir dir;
    const auto client = (dir / "c.KVO").string();
    const auto pdf = QString::fromStdString((dir / "c.pdf").string());
    WriteClientFile(client, Client());
    QProcess cli;
    cli.start(KIVO_CLI_PATH, {"report", QString::fromStdString(client), "-o", pdf});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString infoText = info.readAllStandardOutput();
    EXPECT_TRUE(infoText.contains(QRegularExpression("Title:\\s+KIVO Score Report")));
    EXPECT_TRUE(infoText.contains(QRegularExpression("Pages:\\s+1\\n")));
    EXPECT_TRUE(infoText.contains("612 x 792 pts"));
    // "Name:" sits 8 pixels (6 pt) right of the 0.5 in margin, 104 pixels into the header.
    QProcess bbox;
    bbox.start("pdftotext", {"-bbox", pdf, "-"});
    ASSERT_TRUE(bbox.waitForFinished(10000));
    const QString words = bbox.readAllStandardOutput();
    const QRegularExpression name(
        "xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">Name:<");
    const auto m = name.match(words);
    ASSERT_TRUE(m.hasMatch()) << words.left(2000).toStdString();
    EXPECT_NEAR(m.captured(1).toDouble(), 36.0 + 6.0, 1.0);
    EXPECT_NEAR(m.captured(2).toDouble(), 36.0 + 78.0, 3.0);
    EXPECT_TRUE(words.contains(">Johnson,<"));
}
