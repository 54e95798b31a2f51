// The printed score report: the client's texts, the layout of every element, the comment lines
// and the PDF that kivo-cli report writes.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "model/ClientFile.h"
#include "model/Session.h"
#include "print/score/ScoreReport.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/ClientBuilder.h"
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
    return test::ClientBuilder()
        .Name(n.last, n.first, n.middle)
        .Gender("F")
        .BirthDate("03/14/1950")
        .Fitting1({"Brand X", "Both", "Open", "01/05/2026", 2})
        .Fitting2({"Brand Y", "Left", "Vented", "02/09/2026", 3})
        .Form(kLongForm)
        .Build();
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
        EXPECT_EQ(report.Elements().header.name->Caption(), c.printed);
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
    const auto& elements = report.Elements();
    EXPECT_EQ(elements.header.testForm->Caption(), "Test Form: ");
    EXPECT_EQ(elements.detail.conditions[0].experience->Caption(), "HA Experience: ");
    EXPECT_EQ(elements.detail.conditions[1].experience->Caption(), "HA Experience: ");
}

TEST_F(ScoreReportTest, BandsAndElementsSitWhereTheLayoutPutsThem) {
    const auto store = Run(Client());
    const auto& bands = report.Report().Bands();
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_DOUBLE_EQ(bands[0]->Size.height, Px(129));
    EXPECT_DOUBLE_EQ(bands[1]->Size.height, Px(779));
    EXPECT_DOUBLE_EQ(bands[2]->Size.height, Px(35));
    EXPECT_DOUBLE_EQ(bands[1]->Size.width, 1905.0);
    // Every label at its place, so that each band event fills the label the layout means.
    const auto& header = report.Elements().header;
    const auto& detail = report.Elements().detail;
    const auto& [c1, c2] = detail.conditions;
    struct Pos {
        const char* name;
        const ReportElement* element;
        int left, top;
    };
    const Pos places[] = {
        {"name", header.name, 8, 104},
        {"gender", header.gender, 200, 104},
        {"birth date", header.birthDate, 325, 104},
        {"test form", header.testForm, 512, 104},
        {"condition 1", c1.heading, 40, 6},
        {"aid heading 1", c1.aidHeading, 56, 29},
        {"hearing aid 1", c1.hearingAid, 56, 52},
        {"ear 1", c1.ear, 40, 75},
        {"coupling 1", c1.coupling, 192, 75},
        {"test date 1", c1.testDate, 40, 98},
        {"experience 1", c1.experience, 40, 121},
        {"condition 2", c2.heading, 416, 6},
        {"aid heading 2", c2.aidHeading, 432, 29},
        {"hearing aid 2", c2.hearingAid, 432, 52},
        {"ear 2", c2.ear, 416, 75},
        {"coupling 2", c2.coupling, 560, 75},
        {"test date 2", c2.testDate, 416, 98},
        {"experience 2", c2.experience, 417, 121},
        {"comments heading", detail.commentsHeading, 40, 152},
        {"comments", detail.comments, 133, 152},
        {"chart", detail.chart, 56, 232},
        {"tables", detail.tables, 56, 548},
    };
    for (const Pos& p : places) {
        ASSERT_NE(p.element, nullptr) << p.name;
        EXPECT_NEAR(p.element->Size.left, Px(p.left), 1e-9) << p.name;
        EXPECT_NEAR(p.element->Size.top, Px(p.top), 1e-9) << p.name;
    }
    EXPECT_NEAR(header.printed->Size.top, Px(63), 1e-9);
    EXPECT_TRUE(header.printed->Caption().startsWith("Printed: "));
    EXPECT_EQ(header.title->Caption(), "Veltrano (KIVO) Scale");
    EXPECT_DOUBLE_EQ(detail.comments->Size.width, Px(516));
    EXPECT_DOUBLE_EQ(detail.comments->Size.height, Px(42));
    // Both pictures are drawn at exactly their elements' pixel sizes and fill them.
    const auto images = ItemsOf(store.pages[0], PageItem::Kind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0]->image.size(), QSize(617, 305));
    EXPECT_EQ(images[1]->image.size(), QSize(617, 225));
    EXPECT_EQ(images[0]->image, detail.chart->Picture);
    EXPECT_EQ(images[1]->image, detail.tables->Picture);
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

// The report scores the client it prints, whatever the session's score table holds by then
// (another client's scores, or none yet).
TEST_F(ScoreReportTest, ScoresComeFromThePrintedClientNotTheSessionTable) {
    const auto reference = Run(Client());
    const auto referenceImages = ItemsOf(reference.pages[0], PageItem::Kind::Image);
    ASSERT_EQ(referenceImages.size(), 2u);
    auto other = test::ClientBuilder().Form(kShortFormA).AnswerEach(0, [](int) { return 'G'; });
    for (const bool cleared : {true, false}) {
        if (cleared) {
            SubscaleScores = {};
        } else {
            ComputeSubscaleScores(other.Build(), SubscaleScores);
        }
        NormTable = {};
        gClientRecord = Client();
        const auto store = report.Report().Generate();
        const auto images = ItemsOf(store.pages[0], PageItem::Kind::Image);
        ASSERT_EQ(images.size(), 2u);
        EXPECT_EQ(images[0]->image, referenceImages[0]->image) << "chart, cleared " << cleared;
        EXPECT_EQ(images[1]->image, referenceImages[1]->image) << "tables, cleared " << cleared;
    }
}

// One run prints one client: the record is taken once, when the run starts.
TEST_F(ScoreReportTest, ARunPrintsTheClientItStartedWith) {
    const auto reference = Run(Client());
    report.Report().Bands()[0]->BeforePrint = [&, fill = report.Report().Bands()[0]->BeforePrint](
                                                  ReportBand& band, bool& print) {
        fill(band, print);
        gClientRecord = Client({"Smith", "Bob", "Q"});  // another client opens mid-run
    };
    gClientRecord = Client();
    const auto store = report.Report().Generate();
    EXPECT_EQ(PrintedTexts(store), PrintedTexts(reference));
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
