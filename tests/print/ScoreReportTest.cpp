// The printed score report: the client's texts, the layout of every element, the comment lines
// and the PDF that kivo-cli report writes.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "model/ClientFile.h"
#include "model/Session.h"
#include "print/score/ScoreReport.h"
#include "tests/print/ReportFixtures.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/PdfPages.h"
#include "tests/support/TempDir.h"

using namespace kivo;
using namespace kivo::report;
using namespace kivo::report::testing;
using kivo::test::kAllPages;
using kivo::test::PdfInfo;
using kivo::test::PdfWord;
using kivo::test::PdfWords;
using kivo::test::RunTool;

namespace {

struct Names {
    const char* last;
    const char* first;
    const char* middle;
};

ClientRecord Client(Names n = {"Johnson", "Ann", "M"}) {
    return test::ClientBuilder()
        .Name(n.last, n.first, n.middle)
        .ClientId("KV-0042")
        .Gender("F")
        .BirthDate("03/14/1950")
        .Fitting1({"Brand X", "Both", "Open", "01/05/2026", 2})
        .Fitting2({"Brand Y", "Left", "Vented", "02/09/2026", 3})
        .Form(kLongForm)
        .Build();
}

// A client with answers in both conditions, so the chart has markers and profiles.
ClientRecord ScoredClient() {
    return test::ClientBuilder()
        .Name("Johnson", "Ann", "M")
        .Gender("F")
        .BirthDate("03/14/1950")
        .Fitting1({"Brand X", "Both", "Open", "01/05/2026", 2})
        .Fitting2({"Brand Y", "Left", "Vented", "02/09/2026", 3})
        .Form(kLongForm)
        .AnswerEach(0, [](int item) { return item > 37 ? 'B' : "CDEF"[item % 4]; })
        .AnswerEach(1, [](int item) { return item > 37 ? 'D' : "BCDEFG"[item % 6]; })
        .Build();
}

// The texts printed on the report's page, in order.
QStringList PrintedTexts(const PageStore& store) {
    QStringList texts;
    for (const auto* item : ItemsOf(store.pages.at(0), PageItem::Kind::Text)) texts << item->text;
    return texts;
}

// The comment label's printed lines: texts whose left is the label's (133 pixels in).
std::vector<const PageItem*> CommentItems(const PageStore& store) {
    std::vector<const PageItem*> items;
    for (const auto* item : ItemsOf(store.pages.at(0), PageItem::Kind::Text)) {
        if (std::abs(item->rect.left() - (127.0 + Px(133))) < 1e-6) items.push_back(item);
    }
    return items;
}

QStringList CommentLines(const PageStore& store) {
    QStringList lines;
    for (const auto* item : CommentItems(store)) lines << item->text;
    return lines;
}

// The same drawings in the same order with the same geometry, pens, colours and texts.
void ExpectSameDrawings(const Page& a, const Page& b, const char* what) {
    ASSERT_EQ(a.items.size(), b.items.size()) << what;
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        const PageItem& x = a.items[i];
        const PageItem& y = b.items[i];
        if (x.text.startsWith("Printed: ")) continue;  // the date may turn over
        EXPECT_EQ(x.kind, y.kind) << what << " " << i;
        EXPECT_EQ(x.rect, y.rect) << what << " " << i;
        EXPECT_EQ(x.points, y.points) << what << " " << i;
        EXPECT_EQ(x.color.rgba(), y.color.rgba()) << what << " " << i;
        EXPECT_TRUE(x.pen == y.pen) << what << " " << i;
        EXPECT_EQ(x.text, y.text) << what << " " << i;
    }
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
         {"Veltrano (KIVO) Scale", "Client ID: KV-0042", "Gender: F",
          "Note: the Use subscale is scored from 1 to 5; the other subscales from 1 to 7.",
          "Date of Birth: 03/14/1950", "Test Form: KIVO", "Condition 1:", "Hearing Aid Information",
          " Brand X", "Ear: Both", "Coupling: Open", "Date of Test: 01/05/2026",
          "HA Experience: 1-5 years", " Brand Y", "Ear: Left", "Coupling: Vented",
          "Date of Test: 02/09/2026", "HA Experience: Over 5 years", "Comments:"}) {
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
    EXPECT_DOUBLE_EQ(bands[1]->Size.height, Px(786));
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
        {"client ID", header.clientId, 8, 81},
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
        {"scale note", detail.scaleNote, 56, 543},
        {"tables", detail.tables, 56, 559},
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
    // Four lines of the report font, ending above the chart.
    const double lineHeight = Px(DesignMetrics(detail.comments->Font).TextHeight());
    EXPECT_NEAR(detail.comments->Size.height, 4 * lineHeight, 1e-9);
    EXPECT_LE(detail.comments->Size.top + detail.comments->Size.height, Px(232));
    // The chart and the tables are drawn at their elements' pixel sizes, which they fill.
    EXPECT_EQ(detail.chart->PixelWidth, 617);
    EXPECT_EQ(detail.chart->PixelHeight, 305);
    EXPECT_EQ(detail.tables->PixelWidth, 617);
    EXPECT_EQ(detail.tables->PixelHeight, 225);
    EXPECT_NEAR(detail.chart->Size.width, Px(617), 1e-9);
    EXPECT_NEAR(detail.chart->Size.height, Px(305), 1e-9);
    EXPECT_NEAR(detail.tables->Size.width, Px(617), 1e-9);
    EXPECT_NEAR(detail.tables->Size.height, Px(225), 1e-9);
}

// The chart and the tables are lines, shapes and text on the page, not pictures, and every
// one of their drawings lies inside its element's rectangle.
TEST_F(ScoreReportTest, ChartAndTablesAreRecordedAsShapesAndTextInsideTheirPlaces) {
    const auto store = Run(ScoredClient());
    const Page& page = store.pages.at(0);
    EXPECT_TRUE(ItemsOf(page, PageItem::Kind::Image).empty());
    const double detailTop = 127.0 + Px(129);
    const QRectF chart(127.0 + Px(56), detailTop + Px(232), Px(617), Px(305));
    const QRectF tables(127.0 + Px(56), detailTop + Px(559), Px(617), Px(225));
    // The chart's frame: Rectangle(37, 21, 568, 275), its outline on the centres of the
    // outermost pixels.
    const auto rectangles = ItemsOf(page, PageItem::Kind::Rectangle);
    ASSERT_FALSE(rectangles.empty());
    const QRectF frame = rectangles.front()->rect;
    EXPECT_NEAR(frame.left(), chart.left() + Px(37.5), 1e-9);
    EXPECT_NEAR(frame.top(), chart.top() + Px(21.5), 1e-9);
    EXPECT_NEAR(frame.right(), chart.left() + Px(567.5), 1e-9);
    EXPECT_NEAR(frame.bottom(), chart.top() + Px(274.5), 1e-9);
    EXPECT_NEAR(rectangles.front()->pen.width, Px(1), 1e-9);
    EXPECT_EQ(rectangles.front()->color, QColor(Qt::white));
    int inChart = 0, inTables = 0;
    for (const auto& item : page.items) {
        const bool vector =
            item.kind == PageItem::Kind::Line || item.kind == PageItem::Kind::Rectangle ||
            item.kind == PageItem::Kind::Ellipse || item.kind == PageItem::Kind::Polygon;
        if (!vector) continue;
        // Outlines reach half their width outside their centre line; lines end on it.
        const bool outlined =
            item.kind == PageItem::Kind::Rectangle || item.kind == PageItem::Kind::Ellipse;
        const double out = (outlined ? item.pen.width / 2 : 0.0) - 1e-6;
        const QRectF area = item.rect.adjusted(-out, -out, out, out);
        if (chart.contains(area)) {
            ++inChart;
        } else if (tables.contains(area)) {
            ++inTables;
        } else {
            ADD_FAILURE() << "a drawing outside the chart and the tables at " << item.rect.x()
                          << ", " << item.rect.y();
        }
    }
    // Frame, six gridlines, five profile segments per condition, six markers per condition;
    // two table frames with three rules each, two legend markers.
    EXPECT_EQ(inChart, 1 + 6 + 2 * 5 + 2 * 6);
    EXPECT_EQ(inTables, 2 * 4 + 2);
    const QStringList texts = PrintedTexts(store);
    for (const char* expected :
         {"KIVO Subscale Scores (Boxes=middle 50% / Bars=middle 80%)", "Speech", "Cues",
          "Listening", "Effort", "Quiet", "Pleasant", "Convenience", "Use", "1", "7", "Subscale",
          "Score", "# of Items", "Missing", "Speech Cues", "Pleasantness", "Condition 2:"}) {
        EXPECT_TRUE(texts.contains(expected)) << expected;
    }
}

// Comments fill up to four lines of the free space above the chart; what does not fit is
// marked with "…" at the end of the fourth line.
TEST_F(ScoreReportTest, CommentsPrintUpToFourLinesAndMarkACut) {
    struct Case {
        const char* name;
        std::string comments;
        QStringList printed;
    };
    std::string lines;
    std::vector<Case> cases;
    const QStringList all = {"Line one.",  "Line two.",  "Line three.",
                             "Line four.", "Line five.", "Line six."};
    cases.push_back({"0 lines", "", {}});
    for (int n = 1; n <= 6; ++n) {
        if (n > 1) lines += "\r\n";
        lines += all[n - 1].toStdString();
        QStringList printed = all.mid(0, std::min(n, 4));
        if (n > 4) printed.back() += QString::fromUtf8("\u2026");
        cases.push_back({"lines", lines, printed});
    }
    cases.push_back(
        {"an empty fifth line is no cut", "A\r\nB\r\nC\r\nD\r\n", {"A", "B", "C", "D"}});
    cases.push_back({"a blank line cut short",
                     "A\r\nB\r\nC\r\n\r\nE",
                     {"A", "B", "C", QString::fromUtf8("\u2026")}});
    for (const Case& c : cases) {
        auto r = Client();
        WriteTextField(r.Comments, c.comments);
        const auto store = Run(r);
        EXPECT_EQ(CommentLines(store), c.printed) << c.name << " " << c.comments;
    }
}

// A word wider than the comments' room goes on over the next lines; one longer than four
// lines ends in "…". No line is wider than the room, and nothing reaches the chart.
TEST_F(ScoreReportTest, AVeryLongWordRunsOnAndIsMarkedWhenCut) {
    const DesignMetrics metrics(report.Elements().detail.comments->Font);
    const QString longWord(255, u'm');
    const QString shortWord = QStringLiteral("Wideband") + QString(20, u'w');
    struct Case {
        const char* name;
        QString comments;
        bool cut;
    };
    const Case cases[] = {{"255 letters", longWord, true},
                          {"after a short word", "See: " + longWord.left(150), true},
                          {"two lines long", shortWord + QString(60, u'x'), false}};
    for (const Case& c : cases) {
        auto r = Client();
        WriteTextField(r.Comments, c.comments.toStdString());
        const auto store = Run(r);
        const QStringList printed = CommentLines(store);
        ASSERT_FALSE(printed.isEmpty()) << c.name;
        EXPECT_LE(printed.size(), 4) << c.name;
        for (const QString& line : printed) {
            EXPECT_LE(metrics.TextWidth(line), 516.0 + 1e-9)
                << c.name << ": " << line.toStdString();
        }
        QString joined = printed.join(QString());
        EXPECT_EQ(joined.endsWith(QString::fromUtf8("\u2026")), c.cut) << c.name;
        if (c.cut) joined.chop(1);
        QString expected = c.comments;
        expected.remove(u' ');
        joined.remove(u' ');
        EXPECT_TRUE(expected.startsWith(joined)) << c.name << ": " << joined.toStdString();
        if (c.cut) {
            EXPECT_EQ(printed.size(), 4) << c.name;
        } else {
            EXPECT_EQ(joined, expected) << c.name;
        }
        // The lines stay between the details and the chart.
        const double detailTop = 127.0 + Px(129);
        const double lineHeight = Px(metrics.TextHeight());
        for (const auto* item : CommentItems(store)) {
            EXPECT_GE(item->top, detailTop + Px(152) - 1e-9);
            EXPECT_LE(item->top + lineHeight, detailTop + Px(232) + 1e-9) << c.name;
        }
    }
}

// Long names are shortened with "…" inside their room, so they never run under "Gender:":
// the last name loses letters first, so the first name stays whole while it can.
TEST_F(ScoreReportTest, LongNamesEndInAnEllipsisBeforeGender) {
    const FontSpec font = report.Elements().header.name->Font;
    const DesignMetrics metrics(font);
    // From the name's left (8) to where "Gender:" starts (200), less one blank.
    const double room = 192.0 - metrics.TextWidth(" ");
    const QString ellipsis = QString::fromUtf8("\u2026");
    const auto fits = [&](const QString& s) { return metrics.TextWidth(s) <= room + 1e-9; };
    // The longest first name that fits beside a long last name: found from the room.
    QString fitting = "Alexandra";
    while (!fits("Name: Hall-Smythe, " + fitting + " J")) fitting.chop(1);
    const QString oneMore = fitting + "x";
    ASSERT_FALSE(fits("Name: Hall-Smythe, " + oneMore + " J"));
    struct Case {
        const char* name;
        std::string last, first, middle;
        bool cut;
    };
    const Case cases[] = {
        {"short", "Lee", "Ann", "M", false},
        {"exactly fitting", "Hall-Smythe", fitting.toStdString(), "J", false},
        {"one letter too many", "Hall-Smythe", oneMore.toStdString(), "J", true},
        {"too long", "Montgomery-Hall", "Alexandra", "J", true},
        {"a first name too long for any last name", "Ng", "WWWWWWWWWWWWWWWWW", "Q", true},
        {"Windows-1252 letters",
         "\xC3\x98"
         "degaard-Bj\xC3\xB8rn",
         "Zo\xC3\xAB-Fran\xC3\xA7oise", "\xC3\x89", true},
        {"no last name", "", "WWWWWWWWWWWWWWWWW", "Q", true},
    };
    for (const Case& c : cases) {
        const auto store = Run(Client({c.last.c_str(), c.first.c_str(), c.middle.c_str()}));
        const auto& header = report.Elements().header;
        QString full = "Name: " + QString::fromStdString(c.last);
        if (!c.last.empty()) full += ", ";
        full += QString::fromStdString(c.first) + " " + QString::fromStdString(c.middle);
        const QString caption = header.name->Caption();
        EXPECT_TRUE(fits(caption)) << c.name << ": " << caption.toStdString();
        EXPECT_FALSE(caption.contains(QChar::ReplacementCharacter)) << c.name;
        if (!c.cut) {
            EXPECT_EQ(caption, full) << c.name;
            continue;
        }
        const QString last = QString::fromStdString(c.last);
        const QString given =
            QString::fromStdString(c.first) + " " + QString::fromStdString(c.middle);
        if (!last.isEmpty() && fits("Name: " + last.left(1) + ellipsis + ", " + given)) {
            // The longest start of the last name that leaves the first name whole.
            qsizetype keep = last.size() - 1;
            while (!fits("Name: " + last.left(keep) + ellipsis + ", " + given)) --keep;
            EXPECT_EQ(caption, "Name: " + last.left(keep) + ellipsis + ", " + given)
                << c.name << ": " << caption.toStdString();
        } else {
            ASSERT_TRUE(caption.endsWith(ellipsis)) << c.name << ": " << caption.toStdString();
            EXPECT_TRUE(full.startsWith(caption.chopped(1)))
                << c.name << ": " << caption.toStdString();
            EXPECT_GE(caption.size(), 12) << c.name << ": cut no shorter than it must be";
        }
        // On the page: the name's label ends before "Gender:" begins.
        const auto texts = ItemsOf(store.pages[0], PageItem::Kind::Text);
        const auto at = [&](const QString& text) -> const PageItem* {
            for (const auto* t : texts) {
                if (t->text == text) return t;
            }
            return nullptr;
        };
        const PageItem* name = at(caption);
        const PageItem* gender = at("Gender: F");
        ASSERT_NE(name, nullptr) << c.name;
        ASSERT_NE(gender, nullptr) << c.name;
        EXPECT_LT(name->rect.left() + Px(metrics.TextWidth(caption)), gender->rect.left())
            << c.name;
        EXPECT_NEAR(gender->rect.left(), 127.0 + Px(200), 1e-9) << c.name;
    }
}

// Every field of the client's details filled to its width with the widest letter, or with
// ordinary text: no detail runs under the next one on its row or past the band's right edge
// (720 pixels, which A4 paper with a printer's quarter-inch margin still prints), and a cut
// one ends in "…". Nothing is cut that fits.
TEST_F(ScoreReportTest, DetailsStayInTheirRoomAndMarkACut) {
    const QString ellipsis = QString::fromUtf8("\u2026");
    const std::string w(40, 'W');
    const auto wide = [&](std::size_t n) { return std::string_view(w).substr(0, n); };
    const test::FittingDetails wideFitting{wide(29), wide(5), wide(11), wide(10), 3};
    const ClientRecord widest = test::ClientBuilder()
                                    .Name(wide(17), wide(17), wide(1))
                                    .Gender(wide(1))
                                    .BirthDate(wide(10))
                                    .Fitting1(wideFitting)
                                    .Fitting2(wideFitting)
                                    .Form(kLongForm)
                                    .Build();
    struct Case {
        const char* name;
        ClientRecord client;
        bool cut;
    };
    const Case cases[] = {{"ordinary", Client(), false}, {"widest", widest, true}};
    for (const Case& c : cases) {
        const auto store = Run(c.client);
        const double bandLeft = 127.0;
        const double bandRight = bandLeft + Px(720);
        const double chartTop = 127.0 + Px(129 + 232);
        std::vector<const PageItem*> details;
        for (const auto* item : ItemsOf(store.pages[0], PageItem::Kind::Text)) {
            if (item->top < chartTop && item->rect.left() > bandLeft - 1e-6) {
                details.push_back(item);
            }
        }
        ASSERT_GE(details.size(), 20u) << c.name;
        std::vector<int> cutLefts;  // in design pixels from the band's left
        for (const auto* item : details) {
            const double end =
                item->rect.left() + Px(DesignMetrics(item->font).TextWidth(item->text));
            EXPECT_LE(end, bandRight + 1e-6) << c.name << ": " << item->text.toStdString();
            for (const auto* other : details) {
                const bool sameRow = std::abs(other->top - item->top) < 1e-6;
                if (!sameRow || other->rect.left() <= item->rect.left()) continue;
                EXPECT_LT(end, other->rect.left()) << c.name << ": " << item->text.toStdString()
                                                   << " runs under " << other->text.toStdString();
            }
            if (item->text.endsWith(ellipsis)) {
                cutLefts.push_back(static_cast<int>(
                    std::lround((item->rect.left() - bandLeft) / kTenthsPerDesignPixel)));
            }
        }
        // Too wide: the name, the birth date, condition 2's hearing aid and its coupling.
        // Condition 1's hearing aid and coupling just fit before condition 2's labels.
        std::sort(cutLefts.begin(), cutLefts.end());
        const std::vector<int> expected =
            c.cut ? std::vector<int>{8, 325, 432, 560} : std::vector<int>{};
        EXPECT_EQ(cutLefts, expected) << c.name;
    }
}

TEST_F(ScoreReportTest, SameClientGivesTheSameReportEveryTime) {
    const auto a = Run(ScoredClient());
    const auto b = Run(ScoredClient());
    EXPECT_EQ(PrintedTexts(a), PrintedTexts(b));
    ExpectSameDrawings(a.pages[0], b.pages[0], "twice");
}

// The report scores the client it prints, whatever the session's score table holds by then
// (another client's scores, or none yet).
TEST_F(ScoreReportTest, ScoresComeFromThePrintedClientNotTheSessionTable) {
    const auto reference = Run(ScoredClient());
    auto other = test::ClientBuilder().Form(kShortFormA).AnswerEach(0, [](int) { return 'G'; });
    for (const bool cleared : {true, false}) {
        if (cleared) {
            SubscaleScores = {};
        } else {
            ComputeSubscaleScores(other.Build(), SubscaleScores);
        }
        NormTable = {};
        gClientRecord = ScoredClient();
        const auto store = report.Report().Generate();
        ExpectSameDrawings(store.pages[0], reference.pages[0],
                           cleared ? "cleared" : "another client's scores");
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

namespace {

// The word `text` whose box's top-left is nearest (x, y), if one is within `tolerance` points.
const PdfWord* WordAt(const std::vector<PdfWord>& words, const QString& text, double x, double y,
                      double tolerance = 1.5) {
    const PdfWord* best = nullptr;
    double bestDistance = tolerance;
    for (const auto& w : words) {
        if (w.text != text) continue;
        const double d = std::max(std::abs(w.box.left() - x), std::abs(w.box.top() - y));
        if (d <= bestDistance) {
            best = &w;
            bestDistance = d;
        }
    }
    return best;
}

const PdfWord* Word(const std::vector<PdfWord>& words, const QString& text) {
    for (const auto& w : words) {
        if (w.text == text) return &w;
    }
    return nullptr;
}

}  // namespace

TEST(ScoreReportPdf, KivoCliReportWritesOneLetterPageOfRealText) {
    TempDir dir;
    const auto client = (dir / "c.KVO").string();
    const auto pdf = QString::fromStdString((dir / "c.pdf").string());
    WriteClientFile(client, Client());
    QProcess cli;
    cli.start(KIVO_CLI_PATH, {"report", QString::fromStdString(client), "-o", pdf});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const std::filesystem::path pdfPath = pdf.toStdString();
    EXPECT_TRUE(PdfInfo(pdfPath, "Title").startsWith("KIVO Score Report"));
    EXPECT_EQ(PdfInfo(pdfPath, "Pages"), "1");
    EXPECT_TRUE(PdfInfo(pdfPath, "Page size").contains("612 x 792 pts"));
    // "Name:" sits 8 pixels (6 pt) right of the 0.5 in margin, 104 pixels into the header.
    const auto words = PdfWords(pdfPath, kAllPages);
    const PdfWord* name = Word(words, "Name:");
    ASSERT_NE(name, nullptr) << words.size() << " words";
    EXPECT_NEAR(name->box.left(), 36.0 + 6.0, 1.0);
    EXPECT_NEAR(name->box.top(), 36.0 + 78.0, 3.0);
    EXPECT_NE(Word(words, "Johnson,"), nullptr);
}

// The chart and the tables reach the PDF as vectors and real text, on Letter and on A4 alike:
// no picture in the file, and every label and value where the layout puts it. On both papers
// the report hangs from the same 0.5 in margins, so the positions from the top-left are the
// same. One design pixel is 0.75 pt.
TEST(ScoreReportPdf, ChartAndTablesAreVectorsWithTheirTextsWhereTheLayoutPutsThem) {
    TempDir dir;
    const auto client = (dir / "c.KVO").string();
    ClientRecord record = ScoredClient();
    WriteTextField(record.LastName, "Montgomery-Hall");
    WriteTextField(record.FirstName, "Alexandra");
    WriteTextField(record.MiddleInitial, "J");
    WriteTextField(record.Comments, "One.\r\nTwo.\r\nThree.\r\nFour.\r\nFive.");
    WriteClientFile(client, record);
    SubscaleScoreTable scores{};
    ComputeSubscaleScores(record, scores);
    for (const std::string paper : {"letter", "a4"}) {
        SCOPED_TRACE(paper);
        const auto pdf = QString::fromStdString((dir / (paper + ".pdf")).string());
        QProcess cli;
        cli.start(KIVO_CLI_PATH,
                  {"report", QString::fromStdString(client), "-o", pdf, "--paper", paper.c_str()});
        ASSERT_TRUE(cli.waitForFinished(30000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        // No picture: neither an image object in the file nor one pdfimages can list.
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(QString::fromLatin1(bytes).contains(QRegularExpression("/Subtype\\s*/Image")))
            << "an image object in the PDF";
        const QStringList listed =
            RunTool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(listed.size(), 2) << "only the header of pdfimages -list";

        const auto words = PdfWords(pdf.toStdString(), kAllPages);
        const double left = 36.0;                    // the margin
        const double detailTop = 36.0 + 129 * 0.75;  // below the page header band
        const double chartX = left + 56 * 0.75, chartY = detailTop + 232 * 0.75;
        const double tablesX = left + 56 * 0.75, tablesY = detailTop + 559 * 0.75;
        // Column labels centred on the columns 81, 169, 258, 346, 434, 523, their tops at
        // the plot bottom 274 plus 3; second lines 15 pixels lower.
        const std::pair<const char*, int> labels[] = {
            {"Speech", 81},       {"Listening", 169}, {"Quiet", 258}, {"Pleasant", 346},
            {"Convenience", 434}, {"Use", 523},       {"Cues", 81},   {"Effort", 169}};
        for (std::size_t i = 0; i < std::size(labels); ++i) {
            const auto& [text, column] = labels[i];
            const double top = chartY + (i < 6 ? 277 : 292) * 0.75;
            const PdfWord* w = nullptr;
            for (const auto& candidate : words) {
                if (candidate.text == text && std::abs(candidate.box.top() - top) < 1.5) {
                    w = &candidate;
                }
            }
            ASSERT_NE(w, nullptr) << text;
            EXPECT_NEAR(w->box.center().x(), chartX + column * 0.75, 1.0) << text;
        }
        // Scale digits 1..7 left of the frame (37), centred on their levels.
        const int levels[] = {237, 201, 165, 129, 93, 57, 21};
        for (int k = 1; k <= 7; ++k) {
            const PdfWord* w = nullptr;
            for (const auto& candidate : words) {
                if (candidate.text == QString::number(k) &&
                    candidate.box.right() < chartX + 37 * 0.75 &&
                    candidate.box.left() > chartX + 20 * 0.75 &&
                    std::abs(candidate.box.center().y() - (chartY + levels[k - 1] * 0.75)) < 1.5) {
                    w = &candidate;
                }
            }
            EXPECT_NE(w, nullptr) << "scale digit " << k;
        }
        // The title centred over the plot (37..567), its top 21 pixels down at most.
        const PdfWord* first = nullptr;
        for (const auto& w : words) {
            if (w.text == "KIVO" && w.box.top() > chartY - 1.0) first = &w;
        }
        const PdfWord* last = Word(words, "80%)");
        ASSERT_NE(first, nullptr);
        ASSERT_NE(last, nullptr);
        EXPECT_NEAR((first->box.left() + last->box.right()) / 2, chartX + 302 * 0.75, 1.5);
        EXPECT_GE(first->box.top(), chartY - 0.5);
        EXPECT_LT(first->box.bottom(), chartY + 21 * 0.75);
        // The tables: legends at (12, 25) and (320, 25); headers at y = 53; subscale names,
        // scores and missing counts in the columns 17, 142, 228 and 325, 450, 537 on the rows
        // 99, 118, 137, 156, 175, 195.
        EXPECT_NE(WordAt(words, "Condition", tablesX + 12 * 0.75, tablesY + 25 * 0.75), nullptr);
        EXPECT_NE(WordAt(words, "Condition", tablesX + 320 * 0.75, tablesY + 25 * 0.75), nullptr);
        const int rows[] = {99, 118, 137, 156, 175, 195};
        const int columns[2][3] = {{17, 142, 228}, {325, 450, 537}};
        for (int c = 0; c < 2; ++c) {
            EXPECT_NE(
                WordAt(words, "Subscale", tablesX + columns[c][0] * 0.75, tablesY + 53 * 0.75),
                nullptr);
            for (int s = 0; s < 6; ++s) {
                const auto& score =
                    scores[static_cast<std::size_t>(c)][static_cast<std::size_t>(s)];
                const double y = tablesY + rows[s] * 0.75;
                const QString value = QString::fromStdString(ScoreDisplayText(score, "."));
                EXPECT_NE(WordAt(words, value, tablesX + columns[c][1] * 0.75, y), nullptr)
                    << "score " << c << " " << s << " " << value.toStdString();
                EXPECT_NE(WordAt(words, QString::number(score.MissingCount),
                                 tablesX + columns[c][2] * 0.75, y),
                          nullptr)
                    << "missing " << c << " " << s;
            }
        }
        // The long name is shortened in its last name, "Montgomery…", and ends with the whole
        // first name and the initial before "Gender:" (200 pixels in).
        const PdfWord* gender = Word(words, "Gender:");
        ASSERT_NE(gender, nullptr);
        EXPECT_NEAR(gender->box.left(), left + 200 * 0.75, 0.5);
        const PdfWord* nameEnd = nullptr;
        for (const auto& w : words) {
            if (std::abs(w.box.top() - gender->box.top()) < 0.5 &&
                w.box.right() <= gender->box.left() + 0.5) {
                nameEnd = &w;
            }
        }
        ASSERT_NE(nameEnd, nullptr);
        EXPECT_EQ(nameEnd->text, "J");
        bool sawFirstName = false, sawCutLastName = false;
        QString row;
        for (const auto& w : words) {
            if (std::abs(w.box.top() - gender->box.top()) >= 0.5) continue;
            row += w.text + " ";
            sawFirstName = sawFirstName || w.text == "Alexandra";
            const QString cut = QString::fromUtf8("\u2026,");
            sawCutLastName = sawCutLastName ||
                             (w.text.size() > 3 && w.text.endsWith(cut) &&
                              QString("Montgomery-Hall").startsWith(w.text.chopped(cut.size())));
        }
        EXPECT_TRUE(sawFirstName);
        EXPECT_TRUE(sawCutLastName) << row.toStdString();
        EXPECT_LT(nameEnd->box.right(), gender->box.left());
        // Four comment lines from 152 pixels down, the last marked as cut, all above the chart.
        const PdfWord* four = Word(words, QString::fromUtf8("Four.\u2026"));
        ASSERT_NE(four, nullptr);
        EXPECT_NEAR(four->box.left(), left + 133 * 0.75, 0.5);
        EXPECT_LT(four->box.bottom(), first->box.top());
        EXPECT_EQ(Word(words, "Five."), nullptr);
    }
}
