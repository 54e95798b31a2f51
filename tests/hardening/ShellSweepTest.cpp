// A sample of the damaged client files loaded in the real main window and shown on every
// page: demographics, entry, report, the item view of each subscale, the score report's
// preview. A refused file leaves the open client, its name and the title as they were.
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <cstring>

#include "pages/demographics/DemographicsPage.h"
#include "pages/entry/ResponseEntryPage.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "print/preview/ReportPreview.h"
#include "shell/ScoreReportHook.h"
#include "tests/app/ShellFixture.h"
#include "tests/hardening/SweepFiles.h"
#include "tests/support/ShownPreview.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

class ShellSweep : public ShellTest {
protected:
    void ShowEveryPage(MainWindow& main, bool withPreview) {
        test::ClickButton(main, "DemographicsButton");
        Pages().demographics->grab();
        test::ClickButton(main, "EntryButton");
        Pages().responseEntry->grab();
        test::ClickButton(main, "ReportsButton");
        ASSERT_TRUE(Pages().subscaleScores->isVisible());
        Pages().subscaleScores->grab();
        test::ClickButton(*Pages().subscaleScores, "ViewItemScoresButton");
        ASSERT_TRUE(Pages().itemScores->isVisible());
        for (int view = 1; view <= 6; ++view) {
            Pages()
                .itemScores
                ->findChild<QAbstractButton*>(QStringLiteral("SubscaleButton%1").arg(view))
                ->click();
            Pages().itemScores->grab();
        }
        test::ClickButton(*Pages().itemScores, "ViewSubscaleScoresButton");
        if (withPreview) PreviewAndClose();
    }

    // Opens the score report's preview, paints it once it has its pages, and closes it.
    static void PreviewAndClose() {
        bool shown = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            report::ReportPreview* preview = test::ShownPreviewWithPages();
            if (preview == nullptr) return;
            timer.stop();
            preview->grab();
            shown = true;
            preview->close();
        });
        timer.start(5);
        PreviewScoreReport();
        EXPECT_TRUE(shown);
    }
};

ClientImage OpenImage() {
    return ToImage(gClientRecord);
}

TEST_F(ShellSweep, DamagedFilesOpenAndShowOrAreRefusedKeepingTheOpenClient) {
    MainWindow& main = Start();
    const auto& files = SweepFiles();
    const std::size_t step = 21;
    for (std::size_t i = 0; i < files.size(); i += step) {
        const SweepFile& file = files[i];
        SCOPED_TRACE(file.path.string());
        ClearFileModified();
        const ClientImage before = OpenImage();
        const QString nameBefore = main.Session().Files().CurrentFileName;
        const QString titleBefore = main.windowTitle();
        script_->asked.clear();
        script_->files = {file.Path()};
        if (file.refused) script_->buttons = {DialogButton::Ok};
        test::TriggerAction(main, "actionLoad");
        if (file.refused) {
            ASSERT_EQ(script_->asked.size(), 2u);
            const MessageRequest& box = script_->asked[1].message;
            EXPECT_EQ(box.icon, DialogIcon::Stop);
            EXPECT_TRUE(box.text.contains("\"" + file.Path() + "\"")) << box.text.toStdString();
            EXPECT_EQ(OpenImage(), before);
            EXPECT_EQ(main.Session().Files().CurrentFileName, nameBefore);
            EXPECT_EQ(main.windowTitle(), titleBefore);
            continue;
        }
        ASSERT_EQ(script_->asked.size(), 1u) << script_->MessageTexts().front().toStdString();
        EXPECT_EQ(main.Session().Files().CurrentFileName, file.Path());
        EXPECT_EQ(std::memcmp(gClientRecord.Signature, "KIVO1", 6), 0);
        ShowEveryPage(main, (i / step) % 8 == 0);
        EXPECT_TRUE(script_->asked.size() == 1u) << script_->MessageTexts().front().toStdString();
    }
    ClearFileModified();
}

}  // namespace
}  // namespace kivo::test
