// What a screen reader finds on every page, through Qt's accessibility interfaces: every control
// a user can reach has a name, the names come from the visible labels and say their condition,
// a list's name is never its value, and the page buttons are radio buttons with a checked state.
#include <QAccessible>
#include <QComboBox>
#include <QImage>
#include <QTest>
#include <QToolButton>

#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/pages/accessibility/AccessibleTree.h"
#include "tests/pages/score/ScoreClients.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

class AccessibleTree : public ShellTest {
protected:
    // The real window with FullClient loaded through the Load command.
    MainWindow& StartWithClient() {
        MainWindow& main = Start();
        WriteClientFile(ToFsPath(Path("full.KVO")), FullClient());
        script_->files = {Path("full.KVO")};
        TriggerAction(main, "actionLoad");
        Flush();
        return main;
    }
    QString NameOf(const char* control) const {
        QAccessibleInterface* iface = AccessibleOf(*main_, control);
        return iface != nullptr ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
    }
};

TEST_F(AccessibleTree, EveryReachableControlOfEveryPageHasANameThatIsNotItsValue) {
    MainWindow& main = StartWithClient();
    for (const char* button : {"DemographicsButton", "EntryButton", "ReportsButton"}) {
        ClickButton(main, button);
        Flush();
        EXPECT_EQ(UnnamedControls(main).join(QLatin1Char('\n')).toStdString(), "") << button;
    }
    ClickButton(main, "ViewItemScoresButton");
    Flush();
    ASSERT_TRUE(Pages().itemScores->isVisible());
    EXPECT_EQ(UnnamedControls(main).join(QLatin1Char('\n')).toStdString(), "");
}

struct NamedControl {
    const char* control;
    const char* name;
};

TEST_F(AccessibleTree, DemographicsControlsSpeakTheirLabelsAndTheirCondition) {
    StartWithClient();
    const NamedControl cases[] = {
        {"EditLastName", "Last Name"},
        {"EditFirstName", "First Name"},
        {"EditMI", "MI"},
        {"EditID", "ID#"},
        {"ComboForm", "Form"},
        {"ComboGender", "Gender"},
        {"EditDOB", "Birth Date"},
        {"CommentsMemo", "Comments"},
        {"EditConditionText1", "Condition 1, hearing aid"},
        {"ComboEars1", "Condition 1, Ear(s)"},
        {"ComboCoupling1", "Condition 1, Coupling"},
        {"EditTestDate1", "Condition 1, date of test"},
        {"RadioHAE1Option1", "Condition 1, experience with hearing aid: Less than 6 weeks"},
        {"RadioHAE1Option4", "Condition 1, experience with hearing aid: Over 5 years"},
        {"EditConditionText2", "Condition 2, hearing aid"},
        {"ComboEars2", "Condition 2, Ear(s)"},
        {"ComboCoupling2", "Condition 2, Coupling"},
        {"EditTestDate2", "Condition 2, date of test"},
        {"RadioHAE2Option2", "Condition 2, experience with hearing aid: 6 weeks to 11 months"},
        {"RadioHAE2Option3", "Condition 2, experience with hearing aid: 1 to 5 years"},
    };
    for (const NamedControl& c : cases) {
        EXPECT_EQ(NameOf(c.control).toStdString(), c.name) << c.control;
    }
}

TEST_F(AccessibleTree, ListsSayTheirLabelAsNameAndTheirChoiceAsValue) {
    StartWithClient();
    QAccessibleInterface* ears = AccessibleOf(*main_, "ComboEars2");
    ASSERT_NE(ears, nullptr);
    EXPECT_EQ(ears->role(), QAccessible::ComboBox);
    EXPECT_EQ(ears->text(QAccessible::Name).toStdString(), "Condition 2, Ear(s)");
    EXPECT_EQ(ears->text(QAccessible::Value).toStdString(), "Both");
    QAccessibleInterface* form = AccessibleOf(*main_, "ComboForm");
    EXPECT_EQ(form->text(QAccessible::Name).toStdString(), "Form");
    EXPECT_EQ(form->text(QAccessible::Value), Find<QComboBox>("ComboForm")->currentText());
}

TEST_F(AccessibleTree, LabelsAreLinkedToTheirBoxes) {
    StartWithClient();
    QAccessibleInterface* box = AccessibleOf(*main_, "EditLastName");
    const auto labels = box->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->object()->objectName().toStdString(), "LastNameLabel");
}

TEST_F(AccessibleTree, ToolBarButtonsAreNamedAndPageButtonsAreCheckedRadioButtons) {
    MainWindow& main = Start();
    const NamedControl fileButtons[] = {{"NewFileSpeedButton", "New client"},
                                        {"LoadFileSpeedButton", "Load client"},
                                        {"SaveFileSpeedButton", "Save client"}};
    for (const NamedControl& c : fileButtons) {
        EXPECT_EQ(NameOf(c.control).toStdString(), c.name);
        EXPECT_EQ(AccessibleOf(main, c.control)->role(), QAccessible::Button) << c.control;
    }
    const NamedControl pageButtons[] = {{"DemographicsButton", "Client details page"},
                                        {"EntryButton", "Answers page"},
                                        {"ReportsButton", "Scores page"}};
    for (const NamedControl& shown : pageButtons) {
        ClickButton(main, shown.control);
        Flush();
        for (const NamedControl& c : pageButtons) {
            QAccessibleInterface* iface = AccessibleOf(main, c.control);
            EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), c.name);
            EXPECT_EQ(iface->role(), QAccessible::RadioButton);
            EXPECT_TRUE(iface->state().checkable);
            EXPECT_EQ(iface->state().checked, c.control == shown.control)
                << c.control << " while " << shown.control << " is shown";
        }
    }
}

// The item view's subscale buttons are one choice, of which one is down.
TEST_F(AccessibleTree, SubscaleButtonsAreCheckedRadioButtons) {
    MainWindow& main = StartWithClient();
    ClickButton(main, "ReportsButton");
    ClickButton(main, "ViewItemScoresButton");
    Flush();
    ASSERT_TRUE(Pages().itemScores->isVisible());
    for (const char* shown : {"SubscaleButton1", "SubscaleButton4"}) {
        ClickButton(main, shown);
        Flush();
        for (int n = 1; n <= 6; ++n) {
            const QByteArray name = QStringLiteral("SubscaleButton%1").arg(n).toLatin1();
            QAccessibleInterface* iface = AccessibleOf(main, name.constData());
            ASSERT_NE(iface, nullptr) << name.constData();
            EXPECT_EQ(iface->role(), QAccessible::RadioButton) << name.constData();
            EXPECT_EQ(iface->text(QAccessible::Name), Find<QToolButton>(name.constData())->text());
            EXPECT_TRUE(iface->state().checkable);
            EXPECT_EQ(iface->state().checked, name == shown) << name.constData();
        }
    }
}

TEST_F(AccessibleTree, AnAnsweredUseListKeepsItsItemName) {
    MainWindow& main = StartWithClient();  // the long form: use items 38 to 40
    ClickButton(main, "EntryButton");
    Flush();
    QAccessibleInterface* list = AccessibleOf(main, "UseList1_1");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(QAccessible::Name).toStdString(), "Item 38, condition 1");
    auto* combo = Find<QComboBox>("UseList1_1");
    combo->setCurrentIndex(2);
    EXPECT_EQ(list->text(QAccessible::Name).toStdString(), "Item 38, condition 1");
    EXPECT_EQ(list->text(QAccessible::Value), combo->currentText());
}

TEST_F(AccessibleTree, EachAnswerCounterSaysWhichConditionItCounts) {
    MainWindow& main = StartWithClient();
    ClickButton(main, "EntryButton");
    Flush();
    for (int c = 1; c <= 2; ++c) {
        const QByteArray name = QStringLiteral("AnsweredLabel%1").arg(c).toLatin1();
        QAccessibleInterface* counter = AccessibleOf(main, name.constData());
        ASSERT_NE(counter, nullptr) << name.constData();
        EXPECT_FALSE(counter->text(QAccessible::Name).isEmpty()) << "the count itself";
        EXPECT_EQ(counter->text(QAccessible::Description),
                  QStringLiteral("Answered items of condition %1").arg(c));
    }
}

// The chosen letter is a dark filled block in a thick black frame, its letter white: it stands
// out on a monochrome display and without telling colours apart, where a lone letter is light.
TEST_F(AccessibleTree, TheChosenLetterIsADarkFilledBlockNotAHue) {
    MainWindow& main = StartWithClient();  // condition 1 answered 'D' throughout
    ClickButton(main, "EntryButton");
    Flush();
    auto* chosen = Find<QToolButton>("Letter1_1_D");
    auto* other = Find<QToolButton>("Letter1_1_C");
    ASSERT_TRUE(chosen->isChecked());
    ASSERT_FALSE(other->isChecked());
    const QImage down = chosen->grab().toImage();
    const QImage up = other->grab().toImage();
    const int middle = down.height() / 2;
    EXPECT_EQ(down.pixelColor(1, middle), QColor(0, 0, 0)) << "the frame";
    EXPECT_EQ(down.pixelColor(2, middle), QColor(0, 0, 0)) << "three pixels wide";
    EXPECT_EQ(down.pixelColor(4, 4), QColor(0, 0, 0x80)) << "the fill";
    EXPECT_GT(qGray(up.pixel(4, 4)), 150) << "a letter not chosen stays light";
    EXPECT_LT(qGray(down.pixel(4, 4)), 40);
}

}  // namespace
}  // namespace kivo::test
