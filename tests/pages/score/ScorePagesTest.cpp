// The report screen and the item score view on their own: label texts, painting, the
// print hook.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "model/Session.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "shell/ScoreReportHook.h"
#include "tests/canvas/PixelColors.h"
#include "tests/pages/score/ScoreClients.h"

namespace kivo::test {
namespace {

using namespace kivo::testing::pixels;

// Both score pages in a host standing in for the main window's page area.
class ScorePages : public ::testing::Test {
protected:
    ScorePages() {
        FillItemTextTable();
        ResetClientRecord(gClientRecord);
        host_->resize(1014, 649);
        host_->show();
    }
    ~ScorePages() override { ResetClientRecord(gClientRecord); }

    // Shows `page` with `record` as the open client (its FormShow runs).
    void ShowWith(Page& page, const ClientRecord& record) {
        page.hide();
        gClientRecord = record;
        page.show();
    }

    static QString LabelText(const QWidget& page, const char* name) {
        const auto* label = page.findChild<QLabel*>(QString::fromLatin1(name));
        return label == nullptr ? QStringLiteral("<missing>") : label->text();
    }

    static QWidget& PaintBox(QWidget& page) {
        return *page.findChild<QWidget*>(QStringLiteral("GraphPaintBox"));
    }

    std::unique_ptr<QWidget> host_ = std::make_unique<QWidget>();
    SubscaleScoresPage* report_ = new SubscaleScoresPage(host_.get());
    ItemScoresPage* view_ = new ItemScoresPage(host_.get());
};

struct LabelCase {
    const char* what;
    ClientRecord record;
    std::vector<std::pair<const char*, QString>> texts;
};

std::vector<LabelCase> LabelCases() {
    ClientRecord noLastName = FullClient();
    WriteTextField(noLastName.LastName, "");
    ClientRecord outOfTable = FullClient();
    outOfTable.TestForm = 7;
    outOfTable.Experience1 = -1;
    outOfTable.Experience2 = 4;
    ClientRecord noForm = FullClient();
    noForm.TestForm = -1;
    ClientRecord shortB = FullClient();
    shortB.TestForm = kShortFormB;
    shortB.Experience1 = 0;
    shortB.Experience2 = 1;
    return {
        {"full client",
         FullClient(),
         {{"NameLabel", QStringLiteral("Name: Anna Müller")},
          {"GenderLabel", "Gender: F"},
          {"DOBLabel", "Date of Birth: 03/04/1950"},
          {"TestFormLabel", "Test Form: KIVO"},
          {"Condition1Label", "Condition 1:"},
          {"Condition1AidCaption", "Hearing aid information:"},
          {"Condition1AidLabel", "Behind the ear, omni"},
          {"Condition1EarLabel", "Ear: Left"},
          {"Condition1CouplingLabel", "Coupling: Open dome"},
          {"Condition1TestDateLabel", "Date of Test: 01/02/2024"},
          {"Condition1ExperienceLabel", "HA Experience: 1-5 years"},
          {"Condition2Label", "Condition 2:"},
          {"Condition2AidCaption", "Hearing aid information:"},
          {"Condition2AidLabel", "In the canal"},
          {"Condition2EarLabel", "Ear: Both"},
          {"Condition2CouplingLabel", "Coupling: Custom"},
          {"Condition2TestDateLabel", "Date of Test: 15/03/2024"},
          {"Condition2ExperienceLabel", "HA Experience: Over 5 years"},
          {"CommentsCaption", "Comments:"},
          {"CommentsLabel", "Wears both aids daily.\nPrefers the second fitting."}}},
        {"empty last name", noLastName, {{"NameLabel", "Name: Anna "}}},
        {"values outside their tables",
         outOfTable,
         {{"TestFormLabel", "Test Form: "},
          {"Condition1ExperienceLabel", "HA Experience: "},
          {"Condition2ExperienceLabel", "HA Experience: "}}},
        {"no form selected", noForm, {{"TestFormLabel", "Test Form: "}}},
        {"short form (b), first experiences",
         shortB,
         {{"TestFormLabel", "Test Form: KIVOs(b)"},
          {"Condition1ExperienceLabel", "HA Experience: Less than 6 weeks"},
          {"Condition2ExperienceLabel", "HA Experience: 6 weeks to 11 months"}}},
    };
}

TEST_F(ScorePages, BothPagesShowTheClientDetailsAtEveryShow) {
    for (Page* page : {static_cast<Page*>(report_), static_cast<Page*>(view_)}) {
        for (const LabelCase& c : LabelCases()) {
            ShowWith(*page, c.record);
            for (const auto& [name, text] : c.texts) {
                EXPECT_EQ(LabelText(*page, name), text)
                    << page->objectName().toStdString() << ", " << c.what << ": " << name;
            }
        }
    }
}

// Every text field filled to its width with the widest letter.
ClientRecord WidestClient() {
    ClientRecord record = FullClient();
    const auto fill = [](auto& field) {
        WriteTextField(field, std::string(sizeof field - 1, 'W'));
    };
    fill(record.LastName);
    fill(record.FirstName);
    fill(record.Gender);
    fill(record.BirthDate);
    fill(record.HearingAid1);
    fill(record.Ear1);
    fill(record.Coupling1);
    fill(record.TestDate1);
    fill(record.HearingAid2);
    fill(record.Ear2);
    fill(record.Coupling2);
    fill(record.TestDate2);
    return record;
}

// The side panel's one-line details: each inside the panel, none under its neighbour on the
// row; a cut one ends in an ellipsis and keeps the whole text in its tool tip.
TEST_F(ScorePages, LongDetailsStayInTheirRoomAndMarkTheCut) {
    for (Page* page : {static_cast<Page*>(report_), static_cast<Page*>(view_)}) {
        for (const bool widest : {false, true}) {
            ShowWith(*page, widest ? WidestClient() : FullClient());
            const QWidget* panel = page->findChild<QWidget*>(QStringLiteral("ClientPanel"));
            ASSERT_NE(panel, nullptr);
            const QList<QLabel*> labels = panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
            int cut = 0;
            for (const QLabel* label : labels) {
                if (label->wordWrap()) continue;
                const std::string what = page->objectName().toStdString() + ", " +
                                         (widest ? "widest" : "full") + ": " +
                                         label->objectName().toStdString();
                EXPECT_LE(label->geometry().right(), panel->width() - 1) << what;
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                    << what;
                for (const QLabel* other : labels) {
                    if (other == label || other->wordWrap()) continue;
                    EXPECT_FALSE(label->geometry().intersects(other->geometry()))
                        << what << " / " << other->objectName().toStdString();
                }
                if (!label->toolTip().isEmpty()) {
                    ++cut;
                    EXPECT_TRUE(label->text().endsWith(QChar(0x2026))) << what;
                    EXPECT_TRUE(label->toolTip().startsWith(label->text().chopped(1))) << what;
                }
            }
            // The name, both hearing aids, both couplings and condition 2's ear reach past
            // their room only when every field is full.
            if (widest) {
                EXPECT_GT(cut, 0) << page->objectName().toStdString();
            } else {
                EXPECT_EQ(cut, 0) << page->objectName().toStdString();
            }
        }
    }
    // A client shown after the widest one gets its whole texts back.
    ShowWith(*report_, FullClient());
    EXPECT_EQ(LabelText(*report_, "Condition1AidLabel"), QStringLiteral("Behind the ear, omni"));
    EXPECT_TRUE(
        report_->findChild<QLabel*>(QStringLiteral("Condition1AidLabel"))->toolTip().isEmpty());
}

TEST_F(ScorePages, RecordTextIsNeverReadAsMarkup) {
    ClientRecord record = FullClient();
    WriteTextField(record.FirstName, "<b>Jo</b>");
    ShowWith(*report_, record);
    const auto* label = report_->findChild<QLabel*>(QStringLiteral("NameLabel"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), QStringLiteral("Name: <b>Jo</b> Müller"));
}

TEST_F(ScorePages, ReportShowLoadsTheNorms) {
    NormTable = {};
    ShowWith(*report_, FullClient());
    EXPECT_FLOAT_EQ(NormTable[0].P10, 2.089f);
    EXPECT_FLOAT_EQ(NormTable[5].P90, 4.6667f);
}

// Condition 1 at 4 in every subscale, condition 2 blank: red squares on the level of 4.
TEST_F(ScorePages, ReportPaintBoxShowsTheChartAtItsWorkedCoordinates) {
    ShowWith(*report_, FullClient());
    const QImage image = Grab(PaintBox(*report_));
    ASSERT_EQ(image.size(), QSize(625, 623));
    // Frame: left on column 37, right on 575, bottom on row 311.
    EXPECT_EQ(image.pixel(37, 290), kBlack);
    EXPECT_EQ(image.pixel(575, 290), kBlack);
    EXPECT_EQ(image.pixel(576, 290), kWhite);
    EXPECT_EQ(image.pixel(300, 311), kBlack);
    EXPECT_EQ(image.pixel(300, 312), kWhite);
    // Column 1 (x 82) at the level of 4 (y 157): a square outlined on 74..89 and 149..164.
    EXPECT_EQ(image.pixel(74, 157), kBlack);
    EXPECT_EQ(image.pixel(76, 151), kRed);
    EXPECT_EQ(image.pixel(88, 163), kRed);
    // Use (column 6, x 530) likewise.
    EXPECT_EQ(image.pixel(530, 157), kRed);
    // Condition 2 is all blank: no blue anywhere in the chart (its legend swatch is below).
    for (int y = 0; y < 340; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_NE(image.pixel(x, y), 0xFF0000FFu) << x << ", " << y;
        }
    }
    EXPECT_EQ(SubscaleScores[0][0].Valid, 1);
    EXPECT_EQ(SubscaleScores[1][0].Valid, 0);
}

TEST_F(ScorePages, EveryPaintScoresTheAnswersAsTheyStandNow) {
    ShowWith(*report_, FullClient());
    const QImage before = Grab(PaintBox(*report_));
    ASSERT_EQ(before.pixel(76, 151), kRed);

    Answer(gClientRecord, 0, ItemCount(kLongForm), 'F');
    const QImage after = Grab(PaintBox(*report_));
    EXPECT_FLOAT_EQ(SubscaleScores[0][0].Score, 6.0f);
    // The square moved to the level of 6 (y 81); the old place shows the norm box again.
    EXPECT_EQ(after.pixel(76, 75), kRed);
    EXPECT_EQ(after.pixel(76, 151), kSilver);

    // All answers gone: every subscale invalid, no marker left.
    Answer(gClientRecord, 0, ItemCount(kLongForm), ' ');
    const QImage blank = Grab(PaintBox(*report_));
    EXPECT_EQ(SubscaleScores[0][0].Valid, 0);
    EXPECT_EQ(SubscaleScores[0][0].MissingCount, 14);
    EXPECT_EQ(blank.pixel(76, 75), kWhite);
}

TEST_F(ScorePages, DamagedFormDrawsEverySubscaleInvalid) {
    ClientRecord record = FullClient();
    record.TestForm = 7;
    ShowWith(*report_, record);
    const QImage image = Grab(PaintBox(*report_));
    EXPECT_EQ(image.pixel(37, 290), kBlack);   // the chart is still drawn
    EXPECT_EQ(image.pixel(76, 151), kSilver);  // without the square
    for (const auto& condition : SubscaleScores) {
        for (const SubscaleScore& score : condition) EXPECT_EQ(score.Valid, 0);
    }
}

TEST_F(ScorePages, PrintScoresOpensThePreviewThroughItsHook) {
    ShowWith(*report_, FullClient());
    auto* button = report_->findChild<QPushButton*>(QStringLiteral("PrintScoresButton"));
    ASSERT_NE(button, nullptr);
    ScoreReportPreviewHook() = nullptr;
    QTest::mouseClick(button, Qt::LeftButton);  // nothing to open yet: nothing happens
    int previews = 0;
    ScoreReportPreviewHook() = [&previews] { ++previews; };
    QTest::mouseClick(button, Qt::LeftButton);
    ScoreReportPreviewHook() = nullptr;
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(report_->isVisible());
}

TEST_F(ScorePages, ButtonsAtTheirPlacesWithThePrinterGlyph) {
    struct Place {
        QWidget* page;
        const char* name;
        QRect geometry;
        const char* caption;
    };
    // The pages make their controls when first shown.
    for (Page* page : {static_cast<Page*>(report_), static_cast<Page*>(view_)}) {
        ShowWith(*page, FullClient());
    }
    for (const Place& p :
         {Place{report_, "ViewItemScoresButton", {9, 580, 141, 36}, "View Item Scores"},
          Place{report_, "PrintScoresButton", {193, 580, 141, 36}, "Print Scores"},
          Place{view_, "ViewSubscaleScoresButton", {77, 580, 185, 36}, "View Subscale Scores"}}) {
        const auto* button = p.page->findChild<QPushButton*>(QString::fromLatin1(p.name));
        ASSERT_NE(button, nullptr) << p.name;
        EXPECT_EQ(button->geometry(), p.geometry) << p.name;
        EXPECT_TRUE(button->isVisible()) << p.name;
        EXPECT_EQ(button->text(), QString::fromLatin1(p.caption));
        EXPECT_EQ(button->parentWidget()->objectName(), QStringLiteral("ClientPanel"));
        EXPECT_FALSE(button->icon().pixmap(16, 16, QIcon::Normal).isNull()) << p.name;
        EXPECT_FALSE(button->icon().pixmap(16, 16, QIcon::Disabled).isNull()) << p.name;
    }
}

// Short form, Speech Cues: 7 rows, the frame from x 329 down to RowY(7) + 10 = 286 (its
// bottom edge on row 285, the last inside); Use: 3 rows, down to 168 (edge on 167).
TEST_F(ScorePages, ItemViewDrawsTheChosenSubscale) {
    ClientRecord record = FullClient();
    record.TestForm = kShortFormA;
    ShowWith(*view_, record);
    EXPECT_TRUE(view_->findChild<QAbstractButton*>(QStringLiteral("SubscaleButton1"))->isChecked());
    const QImage speech = Grab(PaintBox(*view_));
    ASSERT_EQ(speech.size(), QSize(625, 570));
    EXPECT_EQ(speech.pixel(329, 275), kBlack);
    EXPECT_EQ(speech.pixel(400, 285), kBlack);

    QTest::mouseClick(view_->findChild<QAbstractButton*>(QStringLiteral("SubscaleButton6")),
                      Qt::LeftButton);
    EXPECT_EQ(view_->ViewSubscale(), 5);
    const QImage use = Grab(PaintBox(*view_));
    EXPECT_EQ(use.pixel(400, 167), kBlack);
    EXPECT_EQ(use.pixel(329, 275), kWhite);
}

// A form outside the table has no items: the frame closes round no rows, from RowY(0) - 10
// = 61 to RowY(0) + 10 = 81 (its bottom edge on row 80).
TEST_F(ScorePages, ItemViewOfADamagedFormDrawsNoRows) {
    ClientRecord record = FullClient();
    record.TestForm = 7;
    ShowWith(*view_, record);
    const QImage image = Grab(PaintBox(*view_));
    EXPECT_EQ(image.pixel(329, 70), kBlack);
    EXPECT_EQ(image.pixel(400, 80), kBlack);
    EXPECT_EQ(image.pixel(329, 200), kWhite);
    // No item text left of the frame and its legend, below the stem line.
    for (int y = 60; y < 400; ++y) {
        for (int x = 20; x < 310; ++x) ASSERT_EQ(image.pixel(x, y), kWhite) << x << ", " << y;
    }
}

}  // namespace
}  // namespace kivo::test
