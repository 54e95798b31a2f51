// The demographics page: its layout and the way between its controls and the client record.
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "tests/pages/entry/EntryFixture.h"

namespace kivo::test {
namespace {

using DemographicsPage = EntryPagesTest;

struct Placed {
    const char* name;
    QRect geometry;  // an empty size: only the position is checked
    int pixelSize;
    bool bold;
};

TEST_F(DemographicsPage, ControlsStandAtTheirPlacesInTheirFonts) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    const Placed controls[] = {
        {"EditLastName", {88, 55, 139, 24}, 13, false},
        {"EditFirstName", {308, 55, 128, 24}, 13, false},
        {"EditMI", {466, 55, 23, 24}, 13, false},
        {"EditID", {531, 55, 89, 24}, 13, false},
        {"ComboForm", {676, 55, 93, 24}, 13, false},
        {"ComboGender", {78, 89, 52, 24}, 13, false},
        {"EditDOB", {231, 89, 79, 24}, 13, false},
        {"Condition1Group", {19, 127, 358, 218}, 13, false},
        {"Condition2Group", {390, 127, 358, 218}, 13, false},
        {"CommentsMemo", {18, 374, 607, 67}, 13, false},
        {"PatientInfoLabel", {16, 23, 0, 0}, 16, true},
        {"LastNameLabel", {18, 59, 0, 0}, 13, false},
        {"FirstNameLabel", {237, 59, 0, 0}, 13, false},
        {"MiLabel", {444, 59, 0, 0}, 13, false},
        {"IdLabel", {501, 59, 0, 0}, 13, false},
        {"FormLabel", {636, 58, 0, 0}, 13, false},
        {"GenderLabel", {22, 92, 0, 0}, 13, false},
        {"BirthDateLabel", {164, 91, 0, 0}, 13, false},
        {"BirthDateHintLabel", {316, 91, 0, 0}, 13, false},
        {"CommentsLabel", {19, 354, 0, 0}, 13, false},
        // Inside the condition group boxes.
        {"EditConditionText1", {10, 23, 274, 24}, 13, false},
        {"EditConditionText2", {10, 23, 274, 24}, 13, false},
        {"Condition1InfoLabel", {10, 52, 0, 0}, 11, false},
        {"Condition2InfoLabel", {10, 52, 0, 0}, 11, false},
        {"ComboEars1", {59, 84, 72, 24}, 13, false},
        {"ComboEars2", {58, 84, 72, 24}, 13, false},
        {"Condition1EarsLabel", {14, 87, 0, 0}, 13, false},
        {"Condition2EarsLabel", {17, 86, 0, 0}, 13, false},
        {"ComboCoupling1", {75, 119, 88, 24}, 13, false},
        {"ComboCoupling2", {75, 119, 88, 24}, 13, false},
        {"Condition1CouplingLabel", {14, 122, 0, 0}, 13, false},
        {"Condition2CouplingLabel", {14, 122, 0, 0}, 13, false},
        {"EditTestDate1", {50, 154, 80, 24}, 13, false},
        {"EditTestDate2", {51, 154, 80, 24}, 13, false},
        {"Condition1DotLabel", {15, 157, 0, 0}, 13, false},
        {"Condition2DotLabel", {16, 157, 0, 0}, 13, false},
        {"Condition1DateHintLabel", {48, 179, 0, 0}, 13, false},
        {"Condition2DateHintLabel", {54, 179, 0, 0}, 13, false},
        {"Condition1ExperienceGroup", {172, 59, 173, 147}, 13, false},
        {"Condition2ExperienceGroup", {172, 59, 173, 147}, 13, false},
        {"RadioHAE1Option1", {16, 30, 146, 17}, 13, false},
        {"RadioHAE1Option2", {18, 58, 148, 17}, 13, false},
        {"RadioHAE1Option3", {17, 85, 113, 17}, 13, false},
        {"RadioHAE1Option4", {18, 113, 113, 17}, 13, false},
        {"RadioHAE2Option1", {16, 30, 146, 17}, 13, false},
        {"RadioHAE2Option4", {18, 113, 113, 17}, 13, false},
    };
    for (const Placed& p : controls) {
        const auto* w = Pages().demographics->findChild<QWidget*>(QString::fromLatin1(p.name));
        ASSERT_NE(w, nullptr) << p.name;
        if (p.geometry.isEmpty()) {
            EXPECT_EQ(w->pos(), p.geometry.topLeft()) << p.name;
        } else {
            EXPECT_EQ(w->geometry(), p.geometry) << p.name;
        }
        EXPECT_EQ(w->font().family(), QStringLiteral("MS Sans Serif")) << p.name;
        EXPECT_EQ(w->font().pixelSize(), p.pixelSize) << p.name;
        EXPECT_EQ(w->font().bold(), p.bold) << p.name;
    }
    EXPECT_EQ(Pages().demographics->palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(Pages().demographics->font().pixelSize(), 11);
}

TEST_F(DemographicsPage, CaptionsAndListItems) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    const std::pair<const char*, const char*> captions[] = {
        {"PatientInfoLabel", "Patient Information"},
        {"LastNameLabel", "Last Name:"},
        {"FirstNameLabel", "First Name:"},
        {"MiLabel", "MI:"},
        {"IdLabel", "ID#:"},
        {"FormLabel", "Form:"},
        {"GenderLabel", "Gender:"},
        {"BirthDateLabel", "Birth Date:"},
        {"BirthDateHintLabel", "(mm/dd/yyyy)"},
        {"CommentsLabel", "Comments: (max 255 characters)"},
        {"Condition1InfoLabel", "(Test info: HA model, etc.)"},
        {"Condition2InfoLabel", "(Test info: HA model, etc.)"},
        {"Condition1EarsLabel", "Ear(s):"},
        {"Condition2EarsLabel", "Ear(s):"},
        {"Condition1CouplingLabel", "Coupling:"},
        {"Condition2CouplingLabel", "Coupling:"},
        {"Condition1DotLabel", "DOT:"},
        {"Condition2DotLabel", "DOT:"},
        {"Condition1DateHintLabel", "(mm/dd/yyyy)"},
        {"Condition2DateHintLabel", "(mm/dd/yyyy)"}};
    for (const auto& [name, text] : captions) {
        EXPECT_EQ(Demo<QLabel>(name)->text(), QString::fromUtf8(text)) << name;
    }
    EXPECT_EQ(Demo<QGroupBox>("Condition1Group")->title(), "Condition 1");
    EXPECT_EQ(Demo<QGroupBox>("Condition2Group")->title(), "Condition 2");
    EXPECT_EQ(Demo<QGroupBox>("Condition2ExperienceGroup")->title(), "Experience w/Haid");
    const char* options[] = {"Less than 6 weeks", "6 weeks to 11 months", "1 to 5 years",
                             "Over 5 years"};
    for (int k = 0; k < 4; ++k) {
        const QString name = QStringLiteral("RadioHAE2Option%1").arg(k + 1);
        EXPECT_EQ(Demo<QRadioButton>(name.toLatin1().constData())->text(), options[k]);
    }
    const auto items = [this](const char* name) {
        QStringList texts;
        const auto* list = Demo<QComboBox>(name);
        for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
        return texts;
    };
    EXPECT_EQ(items("ComboForm"), QStringList({"KIVOs(a)", "KIVOs(b)", "KIVO"}));
    EXPECT_EQ(items("ComboGender"), QStringList({"M", "F"}));
    EXPECT_EQ(items("ComboEars2"), QStringList({"Left", "Right", "Both"}));
    EXPECT_EQ(items("ComboCoupling1"), QStringList({"Open", "Closed", "Vented", "Other"}));
    EXPECT_FALSE(Demo<QComboBox>("ComboForm")->isEditable());
    EXPECT_TRUE(Demo<QComboBox>("ComboEars1")->isEditable());
}

TEST_F(DemographicsPage, TabOrderRunsThroughThePageAndBothConditions) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    const QStringList expected = {
        "EditLastName",     "EditFirstName",    "EditMI",           "EditID",
        "ComboForm",        "ComboGender",      "EditDOB",          "EditConditionText1",
        "ComboEars1",       "ComboCoupling1",   "EditTestDate1",    "RadioHAE1Option1",
        "RadioHAE1Option2", "RadioHAE1Option3", "RadioHAE1Option4", "EditConditionText2",
        "ComboEars2",       "ComboCoupling2",   "EditTestDate2",    "RadioHAE2Option1",
        "RadioHAE2Option2", "RadioHAE2Option3", "RadioHAE2Option4", "CommentsMemo"};
    QStringList chain;
    QWidget* w = Demo<QWidget>("EditLastName");
    for (int guard = 0; guard < 200 && chain.size() < expected.size(); ++guard) {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName())) {
            chain << w->objectName();
        }
        w = w->nextInFocusChain();
    }
    EXPECT_EQ(chain, expected);
}

TEST_F(DemographicsPage, ShowingLoadsEveryControlAndFocusesTheLastName) {
    StartWith(FullClient(kShortFormB, NoAnswers()));
    ShowEntryPage();
    ShowDemographicsPage();
    const std::pair<const char*, const char*> texts[] = {
        {"EditLastName", "Johnson"},
        {"EditFirstName", "Anna"},
        {"EditMI", "Q"},
        {"EditID", "ID-0042"},
        {"EditDOB", "01/02/1950"},
        {"EditConditionText1", "Model X (open dome)"},
        {"EditTestDate1", "03/04/2013"},
        {"EditConditionText2", "Modèle Y – € 1200"},
        {"EditTestDate2", "05/06/2013"}};
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(Demo<QLineEdit>(name)->text(), QString::fromUtf8(text)) << name;
    }
    EXPECT_EQ(Demo<QComboBox>("ComboForm")->currentText(), "KIVOs(b)");
    EXPECT_EQ(Demo<QComboBox>("ComboGender")->currentText(), "F");
    EXPECT_EQ(Demo<QComboBox>("ComboEars1")->currentText(), "Both");
    EXPECT_EQ(Demo<QComboBox>("ComboCoupling2")->currentText(), "Vented");
    EXPECT_TRUE(Demo<QRadioButton>("RadioHAE1Option3")->isChecked());
    EXPECT_TRUE(Demo<QRadioButton>("RadioHAE2Option4")->isChecked());
    EXPECT_EQ(Demo<QPlainTextEdit>("CommentsMemo")->toPlainText(), "First line.\nSecond line.");
    EXPECT_EQ(Pages().demographics->focusWidget(), Demo<QWidget>("EditLastName"));
    EXPECT_FALSE(FileModified());
}

// Every field goes record -> controls -> record unchanged; text fields through a record full
// of other bytes, so nothing is left over from before.
TEST_F(DemographicsPage, EveryFieldRoundTripsThroughTheControls) {
    const ClientRecord original = FullClient(kLongForm, NoAnswers());
    StartWith(original);
    ClientRecord& record = gClientRecord;
    std::memset(&record.LastName, 'x',
                offsetof(ClientRecord, Responses) - offsetof(ClientRecord, LastName));
    record.TestForm = 0;
    record.Experience1 = 0;
    record.Experience2 = 0;
    Pages().demographics->ControlsToRecord();

    struct Field {
        const char* name;
        std::span<const char> stored, expected;
    };
    const Field fields[] = {
        {"LastName", record.LastName, original.LastName},
        {"FirstName", record.FirstName, original.FirstName},
        {"MiddleInitial", record.MiddleInitial, original.MiddleInitial},
        {"ClientId", record.ClientId, original.ClientId},
        {"Gender", record.Gender, original.Gender},
        {"BirthDate", record.BirthDate, original.BirthDate},
        {"HearingAid1", record.HearingAid1, original.HearingAid1},
        {"Ear1", record.Ear1, original.Ear1},
        {"Coupling1", record.Coupling1, original.Coupling1},
        {"TestDate1", record.TestDate1, original.TestDate1},
        {"HearingAid2", record.HearingAid2, original.HearingAid2},
        {"Ear2", record.Ear2, original.Ear2},
        {"Coupling2", record.Coupling2, original.Coupling2},
        {"TestDate2", record.TestDate2, original.TestDate2},
        {"Comments", record.Comments, original.Comments},
    };
    for (const Field& f : fields) {
        EXPECT_EQ(FieldBytes(f.stored), FieldBytes(f.expected)) << f.name;
    }
    EXPECT_EQ(FieldBytes(record.Comments), "First line.\r\nSecond line.");
    EXPECT_EQ(record.TestForm, kLongForm);
    EXPECT_EQ(record.Experience1, 2);
    EXPECT_EQ(record.Experience2, 3);
}

// Fields that fill their whole width without a NUL are shown whole and, untouched, stored
// back byte for byte.
TEST_F(DemographicsPage, FieldsWithoutTheirNulComeBackWhole) {
    ClientRecord client = FullClient(kShortFormA, NoAnswers());
    std::memset(client.LastName, 'L', sizeof client.LastName);
    std::memset(client.ClientId, '7', sizeof client.ClientId);
    std::memset(client.HearingAid2, 'H', sizeof client.HearingAid2);
    std::memset(client.Ear1, 'E', sizeof client.Ear1);
    std::memset(client.Coupling2, 'C', sizeof client.Coupling2);
    std::memset(client.Gender, 'G', sizeof client.Gender);
    std::memset(client.Comments, 'c', sizeof client.Comments);
    StartWith(client);
    Pages().demographics->ControlsToRecord();
    const ClientRecord& r = gClientRecord;
    const std::pair<std::span<const char>, char> whole[] = {
        {r.LastName, 'L'},  {r.ClientId, '7'}, {r.HearingAid2, 'H'}, {r.Ear1, 'E'},
        {r.Coupling2, 'C'}, {r.Gender, 'G'},   {r.Comments, 'c'}};
    for (const auto& [field, letter] : whole) {
        EXPECT_EQ(FieldBytes(field), std::string(field.size(), letter));
    }
    // The neighbours are untouched.
    EXPECT_EQ(FieldBytes(r.FirstName), "Anna");
    EXPECT_EQ(r.TestForm, kShortFormA);
}

// A memo without its NUL that ends in a line break comes back as it was loaded.
TEST_F(DemographicsPage, AnUntouchedMemoKeepsItsLastLineBreak) {
    ClientRecord client = FullClient(kShortFormA, NoAnswers());
    constexpr std::size_t width = sizeof client.Comments;
    std::memset(client.Comments, 'c', width - 2);
    client.Comments[width - 2] = '\r';
    client.Comments[width - 1] = '\n';
    StartWith(client);
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(FieldBytes(gClientRecord.Comments), std::string(width - 2, 'c') + "\r\n");
}

TEST_F(DemographicsPage, ExperienceShowsItsOptionAndADamagedValueStays) {
    ClientRecord client = FullClient(kShortFormA, NoAnswers());
    client.Experience1 = 7;
    client.Experience2 = -1;
    StartWith(client);
    for (const char* name : {"RadioHAE1Option1", "RadioHAE1Option2", "RadioHAE1Option3",
                             "RadioHAE1Option4", "RadioHAE2Option1", "RadioHAE2Option4"}) {
        EXPECT_FALSE(Demo<QRadioButton>(name)->isChecked()) << name;
    }
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(gClientRecord.Experience1, 7);
    EXPECT_EQ(gClientRecord.Experience2, -1);

    QTest::mouseClick(Demo<QRadioButton>("RadioHAE2Option2"), Qt::LeftButton);
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(gClientRecord.Experience2, 1);
}

TEST_F(DemographicsPage, ADamagedFormNumberShowsNoFormAndIsKeptUntilOneIsPicked) {
    ClientRecord client = FullClient(kShortFormA, NoAnswers());
    client.TestForm = 7;
    StartWith(client);
    auto* form = Demo<QComboBox>("ComboForm");
    EXPECT_EQ(form->currentIndex(), -1);
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(gClientRecord.TestForm, 7);
    form->setCurrentIndex(2);
    Pages().demographics->ControlsToRecord();
    EXPECT_EQ(gClientRecord.TestForm, kLongForm);
}

// What is typed on this page reaches the entry page's labels through the page switch.
TEST_F(DemographicsPage, EditsReachTheEntryPageThroughThePageSwitch) {
    StartWith(FullClient(kShortFormA, NoAnswers()));
    auto* aid = Demo<QLineEdit>("EditConditionText2");
    aid->clear();
    QTest::keyClicks(aid, "Brand Z");
    auto* date = Demo<QLineEdit>("EditTestDate1");
    date->clear();
    QTest::keyClicks(date, "12/31/2012");
    Demo<QComboBox>("ComboForm")->setCurrentIndex(kLongForm);
    ShowEntryPage();
    EXPECT_EQ(Entry<QLabel>("HearingAid2Label")->text(), "Brand Z");
    EXPECT_EQ(Entry<QLabel>("TestDate1Label")->text(), "12/31/2012");
    EXPECT_EQ(Entry<QLabel>("FormTitleLabel")->text(), " Form: KIVO");
    EXPECT_EQ(Pages().responseEntry->ShownItemCount(), 40);
}

}  // namespace
}  // namespace kivo::test
