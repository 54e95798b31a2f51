// The demographics page: its controls and the handlers that mark the client modified.
#include "pages/demographics/DemographicsPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <algorithm>

#include "shell/DialogSeam.h"
#include "shell/FileModified.h"
#include "model/Questionnaire.h"
#include "model/Session.h"
#include "pages/widgets/EntryControls.h"

namespace kivo {

using entry::PlaceLabel;
using entry::RecordLineEdit;
using entry::WinFont;

DemographicsPage* gDemographicsPage = nullptr;

const QString kKeepResponsesQuestion = QStringLiteral(
    "You have selected a different form.  Would you like to keep any previously stored "
    "responses?");

namespace {

// Where one condition's controls stand inside its group box, and their names.
struct ConditionLayout {
    int number;  // 1 or 2
    QRect group;
    QString groupName, infoLabel, earsLabel, couplingLabel, dotLabel, hintLabel, experienceBox;
    int earsLeft, testDateLeft;
    QPoint earsLabelAt, dotLabelAt, hintLabelAt;
};

const ConditionLayout& LayoutOf(int index) {
    static const std::array<ConditionLayout, 2> layouts = {{
        {1, QRect(19, 127, 358, 218), "GroupBox1", "Label10", "Label11", "Label12", "Label13",
         "Label19", "GroupBox3", 59, 50, QPoint(14, 87), QPoint(15, 157), QPoint(48, 179)},
        {2, QRect(390, 127, 358, 218), "GroupBox2", "Label7", "Label9", "Label14", "Label15",
         "Label20", "GroupBox4", 58, 51, QPoint(17, 86), QPoint(16, 157), QPoint(54, 179)},
    }};
    return layouts[static_cast<std::size_t>(index)];
}

struct OptionLayout {
    QRect geometry;
    const char* caption;
};
constexpr std::array<OptionLayout, 4> kOptions = {{
    {QRect(16, 30, 146, 17), "Less than 6 weeks"},
    {QRect(18, 58, 148, 17), "6 weeks to 11 months"},
    {QRect(17, 85, 113, 17), "1 to 5 years"},
    {QRect(18, 113, 113, 17), "Over 5 years"},
}};

QStringList FormNames() {
    QStringList names;
    for (FormKind form = 0; form < kFormCount; ++form) {
        names << QString::fromLatin1(FormKindName(form));
    }
    return names;
}

QComboBox* PlaceEntryList(QWidget* parent, const QString& name, QRect geometry,
                          const QStringList& items, bool editable, int maxLength = 0) {
    QComboBox* list = entry::PlaceList(parent, name, geometry, items, editable, maxLength);
    list->setFont(WinFont(13));
    return list;
}

QLabel* PlaceEntryLabel(QWidget* parent, const QString& name, const QString& text, QPoint at,
                        int pixelHeight = 13, bool bold = false) {
    return PlaceLabel(parent, name, text, at, WinFont(pixelHeight, bold));
}

}  // namespace

DemographicsPage::DemographicsPage(QWidget* parent) : Page(parent) {
    setObjectName(QStringLiteral("DemographicsPage"));
    SetPageColour(*this, 0xA6CAF0);
    setFont(WinFont(11));
    BuildPatientControls();
    BuildCondition(0);
    BuildCondition(1);
    CommentsMemo =
        new entry::RecordMemo(this, QStringLiteral("CommentsMemo"), QRect(18, 374, 607, 67), 254);
    PlaceEntryLabel(this, QStringLiteral("Label8"),
                    QStringLiteral("Comments: (max 255 characters)"), QPoint(19, 354));
    SetTabOrder();
    ConnectHandlers();
    gDemographicsPage = this;
}

DemographicsPage::~DemographicsPage() {
    if (gDemographicsPage == this) gDemographicsPage = nullptr;
}

void DemographicsPage::BuildPatientControls() {
    PlaceEntryLabel(this, QStringLiteral("Label1"), QStringLiteral("Patient Information"),
                    QPoint(16, 23), 16, true);
    EditLastName = new RecordLineEdit(this, QStringLiteral("EditLastName"), QRect(88, 55, 139, 24), 17);
    EditFirstName =
        new RecordLineEdit(this, QStringLiteral("EditFirstName"), QRect(308, 55, 128, 24), 17);
    EditMI = new RecordLineEdit(this, QStringLiteral("EditMI"), QRect(466, 55, 23, 24), 1);
    EditID = new RecordLineEdit(this, QStringLiteral("EditID"), QRect(531, 55, 89, 24), 13);
    ComboForm = PlaceEntryList(this, QStringLiteral("ComboForm"), QRect(676, 55, 93, 24),
                               FormNames(), false);
    ComboGender = PlaceEntryList(this, QStringLiteral("ComboGender"), QRect(78, 89, 52, 24),
                                 {QStringLiteral("M"), QStringLiteral("F")}, true, 1);
    EditDOB = new RecordLineEdit(this, QStringLiteral("EditDOB"), QRect(231, 89, 79, 24), 10);

    PlaceEntryLabel(this, QStringLiteral("Label2"), QStringLiteral("Last Name:"), QPoint(18, 59));
    PlaceEntryLabel(this, QStringLiteral("Label3"), QStringLiteral("First Name:"), QPoint(237, 59));
    PlaceEntryLabel(this, QStringLiteral("Label4"), QStringLiteral("MI:"), QPoint(444, 59));
    PlaceEntryLabel(this, QStringLiteral("Label5"), QStringLiteral("ID#:"), QPoint(501, 59));
    PlaceEntryLabel(this, QStringLiteral("Label16"), QStringLiteral("Form:"), QPoint(636, 58));
    PlaceEntryLabel(this, QStringLiteral("Label6"), QStringLiteral("Gender:"), QPoint(22, 92));
    PlaceEntryLabel(this, QStringLiteral("Label18"), QStringLiteral("Birth Date:"),
                    QPoint(164, 91));
    PlaceEntryLabel(this, QStringLiteral("Label17"), QStringLiteral("(mm/dd/yyyy)"),
                    QPoint(316, 91));
}

void DemographicsPage::BuildCondition(int index) {
    const ConditionLayout& at = LayoutOf(index);
    const QString n = QString::number(at.number);
    Condition& c = Conditions_[static_cast<std::size_t>(index)];

    c.Group = new QGroupBox(QStringLiteral("Condition ") + n, this);
    c.Group->setObjectName(at.groupName);
    c.Group->setGeometry(at.group);
    c.Group->setFont(WinFont(13));
    c.ConditionText = new RecordLineEdit(c.Group, QStringLiteral("EditConditionText") + n,
                                     QRect(10, 23, 274, 24), 29);
    c.Ears = PlaceEntryList(
        c.Group, QStringLiteral("ComboEars") + n, QRect(at.earsLeft, 84, 72, 24),
        {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Both")}, true, 5);
    c.Coupling =
        PlaceEntryList(c.Group, QStringLiteral("ComboCoupling") + n, QRect(75, 119, 88, 24),
                       {QStringLiteral("Open"), QStringLiteral("Closed"), QStringLiteral("Vented"),
                        QStringLiteral("Other")},
                       true, 11);
    c.TestDate = new RecordLineEdit(c.Group, QStringLiteral("EditTestDate") + n,
                                QRect(at.testDateLeft, 154, 80, 24), 10);

    c.ExperienceBox = new QGroupBox(QStringLiteral("Experience w/Haid"), c.Group);
    c.ExperienceBox->setObjectName(at.experienceBox);
    c.ExperienceBox->setGeometry(172, 59, 173, 147);
    c.Experience = new QButtonGroup(c.ExperienceBox);
    for (std::size_t k = 0; k < kOptions.size(); ++k) {
        auto* option = new QRadioButton(QString::fromLatin1(kOptions[k].caption), c.ExperienceBox);
        option->setObjectName(QStringLiteral("RadioHAE%1Option%2").arg(at.number).arg(k + 1));
        option->setGeometry(kOptions[k].geometry);
        c.Experience->addButton(option, static_cast<int>(k));
        c.Options[k] = option;
    }

    PlaceEntryLabel(c.Group, at.infoLabel, QStringLiteral("(Test info: HA model, etc.)"),
                    QPoint(10, 52), 11);
    PlaceEntryLabel(c.Group, at.earsLabel, QStringLiteral("Ear(s):"), at.earsLabelAt);
    PlaceEntryLabel(c.Group, at.couplingLabel, QStringLiteral("Coupling:"), QPoint(14, 122));
    PlaceEntryLabel(c.Group, at.dotLabel, QStringLiteral("DOT:"), at.dotLabelAt);
    PlaceEntryLabel(c.Group, at.hintLabel, QStringLiteral("(mm/dd/yyyy)"), at.hintLabelAt);
}

void DemographicsPage::SetTabOrder() {
    std::vector<QWidget*> order = {EditLastName, EditFirstName, EditMI, EditID,
                                   ComboForm,    ComboGender,   EditDOB};
    for (Condition& c : Conditions_) {
        order.insert(order.end(), {c.ConditionText, c.Ears, c.Coupling, c.TestDate});
        order.insert(order.end(), c.Options.begin(), c.Options.end());
    }
    order.push_back(CommentsMemo);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void DemographicsPage::ConnectHandlers() {
    for (RecordLineEdit* edit :
         {EditLastName, EditFirstName, EditMI, EditID, EditDOB, Conditions_[0].ConditionText,
          Conditions_[0].TestDate, Conditions_[1].ConditionText, Conditions_[1].TestDate}) {
        connect(edit, &RecordLineEdit::UserEdit, this, [] { RaiseFileModified(); });
    }
    connect(CommentsMemo, &entry::RecordMemo::UserEdit, this, [] { RaiseFileModified(); });
    for (QComboBox* list : {ComboGender, Conditions_[0].Ears, Conditions_[0].Coupling,
                            Conditions_[1].Ears, Conditions_[1].Coupling}) {
        connect(list, &QComboBox::editTextChanged, this, [this] {
            if (!Loading_) RaiseFileModified();
        });
    }
    connect(ComboForm, &QComboBox::currentIndexChanged, this, [this] {
        if (!Loading_) QuestionnaireFormPicked();
    });
    for (Condition& c : Conditions_) {
        for (QRadioButton* option : c.Options) option->installEventFilter(this);
    }
}

bool DemographicsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (const Condition& condition : Conditions_) {
            const auto& options = condition.Options;
            const auto found = std::find(options.begin(), options.end(), watched);
            if (found == options.end()) continue;
            const auto* release = static_cast<QMouseEvent*>(event);
            if ((*found)->rect().contains(release->position().toPoint())) {
                RaiseFileModified();
            }
        }
    }
    return Page::eventFilter(watched, event);
}

// --- Handlers -----------------------------------------------------------------------

void DemographicsPage::OnShown() {
    RecordToControls();
    EditLastName->setFocus();
}

void DemographicsPage::OnHidden() {
    ControlsToRecord();
}

void DemographicsPage::QuestionnaireFormPicked() {
    char* responses = gClientRecord.Responses;
    const bool anyStored = std::any_of(responses, responses + sizeof gClientRecord.Responses,
                                       [](char code) { return code != kBlankResponse; });
    if (anyStored) {
        const DialogButton answer = Dialogs().Message(
            {kKeepResponsesQuestion, QStringLiteral("Confirm"), DialogIcon::Question,
             DialogButton::Yes | DialogButton::No, this});
        if (answer == DialogButton::Yes) return;
    }
    std::fill(responses, responses + sizeof gClientRecord.Responses, kBlankResponse);
    RaiseFileModified();
}

}  // namespace kivo
