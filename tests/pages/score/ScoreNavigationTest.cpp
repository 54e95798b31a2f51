// The score pages in the real main window: the ways between the report screen, the item
// view and the tool bar.
#include <QAbstractButton>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/canvas/PixelColors.h"
#include "tests/pages/score/ScoreClients.h"

namespace kivo::test {
namespace {

using namespace kivo::testing::pixels;

class ScoreNavigation : public ShellTest {
protected:
    // Starts the program with a short-form client opened from the command line.
    void StartWithClient() {
        ClientRecord record = FullClient();
        record.TestForm = kShortFormA;
        WriteClientFile(ToFsPath(Path("client.KVO")), record);
        Start(Path("client.KVO"));
    }

    void ClickTool(const char* name) { QTest::mouseClick(Find<QToolButton>(name), Qt::LeftButton); }
    static void ClickIn(QWidget* page, const char* name) {
        auto* button = page->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QAbstractButton* SubscaleButton(int number) const {
        return Pages().itemScores->findChild<QAbstractButton*>(
            QStringLiteral("SubscaleButton%1").arg(number));
    }
    bool ReportsDown() const { return Find<QToolButton>("ReportsButton")->isChecked(); }
};

TEST_F(ScoreNavigation, ReportAndItemViewSwitchBothWaysWithReportsButtonDown) {
    StartWithClient();
    ClickTool("ReportsButton");
    ASSERT_TRUE(Pages().subscaleScores->isVisible());
    EXPECT_EQ(Pages().subscaleScores->geometry(), Find<QWidget>("WindowPanel")->rect());

    ClickIn(Pages().subscaleScores, "ViewItemScoresButton");  // "View Item Scores"
    EXPECT_FALSE(Pages().subscaleScores->isVisible());
    EXPECT_TRUE(Pages().itemScores->isVisible());
    EXPECT_EQ(Pages().itemScores->geometry(), Find<QWidget>("WindowPanel")->rect());
    EXPECT_TRUE(ReportsDown());

    // The tool button already down finds its page hidden and switches back.
    ClickTool("ReportsButton");
    EXPECT_TRUE(Pages().subscaleScores->isVisible());
    EXPECT_FALSE(Pages().itemScores->isVisible());
    EXPECT_TRUE(ReportsDown());

    ClickIn(Pages().subscaleScores, "ViewItemScoresButton");
    ClickIn(Pages().itemScores, "ViewSubscaleScoresButton");  // "View Subscale Scores"
    EXPECT_TRUE(Pages().subscaleScores->isVisible());
    EXPECT_FALSE(Pages().itemScores->isVisible());

    // Another tool button leaves the score pages.
    ClickIn(Pages().subscaleScores, "ViewItemScoresButton");
    ClickTool("DemographicsButton");
    EXPECT_FALSE(Pages().itemScores->isVisible());
    EXPECT_FALSE(Pages().subscaleScores->isVisible());
}

TEST_F(ScoreNavigation, ChosenSubscaleSurvivesLeavingAndComingBack) {
    StartWithClient();
    ClickTool("ReportsButton");
    ClickIn(Pages().subscaleScores, "ViewItemScoresButton");
    EXPECT_TRUE(SubscaleButton(1)->isChecked());  // Speech Cues at the first show
    EXPECT_EQ(Pages().itemScores->ViewSubscale(), 0);

    QTest::mouseClick(SubscaleButton(6), Qt::LeftButton);  // Use
    EXPECT_FALSE(SubscaleButton(1)->isChecked());
    ClickTool("DemographicsButton");
    ClickTool("ReportsButton");
    ClickIn(Pages().subscaleScores, "ViewItemScoresButton");

    EXPECT_EQ(Pages().itemScores->ViewSubscale(), 5);
    EXPECT_TRUE(SubscaleButton(6)->isChecked());
    EXPECT_FALSE(SubscaleButton(1)->isChecked());
    // Drawn as Use: three rows, the frame down to RowY(3) + 10 = 168, its bottom
    // edge on row 167.
    const QImage image =
        Grab(*Pages().itemScores->findChild<QWidget*>(QStringLiteral("GraphPaintBox")));
    EXPECT_EQ(image.pixel(400, 167), kBlack);
    EXPECT_EQ(image.pixel(329, 275), kWhite);

    // Pressing the button that is down keeps it down.
    QTest::mouseClick(SubscaleButton(6), Qt::LeftButton);
    EXPECT_TRUE(SubscaleButton(6)->isChecked());
}

TEST_F(ScoreNavigation, AnswersChangedOnTheEntryPageShowAtTheNextPaint) {
    StartWithClient();
    ClickTool("ReportsButton");
    QWidget* box = Pages().subscaleScores->findChild<QWidget*>(QStringLiteral("GraphPaintBox"));
    ASSERT_EQ(Grab(*box).pixel(76, 151), kRed);  // Speech Cues at 4

    // Every Speech Cues item of the short form answered F (6) instead of D.
    ClickTool("EntryButton");
    for (int item : {5, 6, 8, 9, 10, 15, 18}) {
        ClickIn(Pages().responseEntry,
                QStringLiteral("Letter1_%1_F").arg(item).toLatin1().constData());
    }
    ClickTool("ReportsButton");

    const QImage image = Grab(*box);
    EXPECT_FLOAT_EQ(SubscaleScores[0][0].Score, 6.0f);
    EXPECT_EQ(image.pixel(76, 75), kRed);  // now on the level of 6
    EXPECT_EQ(image.pixel(76, 151), kSilver);
    EXPECT_EQ(image.pixel(172, 157), kRed);  // Listening Effort still at 4
}

}  // namespace
}  // namespace kivo::test
