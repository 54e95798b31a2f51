// The demographics page: its controls, built once, and what marks the client modified or
// asks about the stored answers when the form changes.
#include "pages/demographics/DemographicsPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <algorithm>

#include "drawing/RecordText.h"
#include "model/Questionnaire.h"
#include "model/Session.h"
#include "pages/accessibility/ControlNames.h"
#include "pages/widgets/FixedLayout.h"
#include "pages/widgets/OptionGroupKeys.h"
#include "pages/widgets/RecordTextEdits.h"
#include "shell/DialogSeam.h"
#include "shell/FileModified.h"

namespace kivo {

using entry::RecordLineEdit;

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
        {1, QRect(19, 127, 358, 218), "Condition1Group", "Condition1InfoLabel",
         "Condition1EarsLabel", "Condition1CouplingLabel", "Condition1DotLabel",
         "Condition1DateHintLabel", "Condition1ExperienceGroup", 59, 50, QPoint(14, 87),
         QPoint(15, 157), QPoint(48, 179)},
        {2, QRect(390, 127, 358, 218), "Condition2Group", "Condition2InfoLabel",
         "Condition2EarsLabel", "Condition2CouplingLabel", "Condition2DotLabel",
         "Condition2DateHintLabel", "Condition2ExperienceGroup", 58, 51, QPoint(17, 86),
         QPoint(16, 157), QPoint(54, 179)},
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

// Blanks the stored answers that `form` cannot hold at their place: a rated answer that is no
// use answer (an 'F' or 'G') where the form has a use item.
void BlankCodesTheFormCannotHold(ClientRecord& record, FormKind form) {
    const int count = ItemCount(form);
    for (int c = 0; c < kConditionCount; ++c) {
        for (int item = 1; item <= count; ++item) {
            if (!IsUseItem(form, item)) continue;
            char& code = record.Responses[ResponseIndex(c, item)];
            if (ItemValue(code, ItemKind::Rated) && !ItemValue(code, ItemKind::Use)) {
                code = kBlankResponse;
            }
        }
    }
}

QStringList FormNames() {
    QStringList names;
    for (FormKind form = 0; form < kFormCount; ++form) {
        names << drawing::Utf8Text(FormKindName(form));
    }
    return names;
}

// The page's captions: 13 px plain, the size of the boxes they stand by, unless said.
LabelStyle Caption(int pixelHeight = 13, bool bold = false) {
    return {.font = PixelFont(pixelHeight, bold)};
}

}  // namespace

DemographicsPage::DemographicsPage(QWidget* parent) : Page(parent) {
    setObjectName(QStringLiteral("DemographicsPage"));
    SetBackground(*this, 0xA6CAF0);
    setFont(PixelFont(11));
    BuildPatientControls();
    BuildCondition(0);
    BuildCondition(1);
    commentsMemo_ =
        new entry::RecordMemo(this, QStringLiteral("CommentsMemo"), QRect(18, 374, 607, 67), 254);
    PlaceLabel(this, QStringLiteral("CommentsLabel"),
               QStringLiteral("Comments: (max 255 characters)"), At(19, 354), Caption());
    SetTabOrder();
    ConnectHandlers();
    NameDemographicsControls(*this);
}

void DemographicsPage::BuildPatientControls() {
    PlaceLabel(this, QStringLiteral("PatientInfoLabel"), QStringLiteral("Patient Information"),
               At(16, 23), Caption(16, true));
    editLastName_ =
        new RecordLineEdit(this, QStringLiteral("EditLastName"), QRect(88, 55, 139, 24), 17);
    editFirstName_ =
        new RecordLineEdit(this, QStringLiteral("EditFirstName"), QRect(308, 55, 128, 24), 17);
    editMI_ = new RecordLineEdit(this, QStringLiteral("EditMI"), QRect(466, 55, 23, 24), 1);
    editID_ = new RecordLineEdit(this, QStringLiteral("EditID"), QRect(531, 55, 89, 24), 13);
    comboForm_ = PlaceList(this, QStringLiteral("ComboForm"), QRect(676, 55, 93, 24), FormNames(),
                           false, 0, PixelFont(13));
    comboGender_ = PlaceList(this, QStringLiteral("ComboGender"), QRect(78, 89, 52, 24),
                             {QStringLiteral("M"), QStringLiteral("F")}, true, 1, PixelFont(13));
    editDOB_ = new RecordLineEdit(this, QStringLiteral("EditDOB"), QRect(231, 89, 79, 24), 10);

    PlaceLabel(this, QStringLiteral("LastNameLabel"), QStringLiteral("Last Name:"), At(18, 59),
               Caption());
    PlaceLabel(this, QStringLiteral("FirstNameLabel"), QStringLiteral("First Name:"), At(237, 59),
               Caption());
    PlaceLabel(this, QStringLiteral("MiLabel"), QStringLiteral("MI:"), At(444, 59), Caption());
    PlaceLabel(this, QStringLiteral("IdLabel"), QStringLiteral("ID#:"), At(501, 59), Caption());
    PlaceLabel(this, QStringLiteral("FormLabel"), QStringLiteral("Form:"), At(636, 58), Caption());
    PlaceLabel(this, QStringLiteral("GenderLabel"), QStringLiteral("Gender:"), At(22, 92),
               Caption());
    PlaceLabel(this, QStringLiteral("BirthDateLabel"), QStringLiteral("Birth Date:"), At(164, 91),
               Caption());
    PlaceLabel(this, QStringLiteral("BirthDateHintLabel"), QStringLiteral("(mm/dd/yyyy)"),
               At(316, 91), Caption());
}

void DemographicsPage::BuildCondition(int index) {
    const ConditionLayout& at = LayoutOf(index);
    const QString n = QString::number(at.number);
    Condition& c = conditions_[static_cast<std::size_t>(index)];

    c.Group = new QGroupBox(QStringLiteral("Condition ") + n, this);
    c.Group->setObjectName(at.groupName);
    c.Group->setGeometry(at.group);
    c.Group->setFont(PixelFont(13));
    c.ConditionText = new RecordLineEdit(c.Group, QStringLiteral("EditConditionText") + n,
                                         QRect(10, 23, 274, 24), 29);
    c.Ears = PlaceList(c.Group, QStringLiteral("ComboEars") + n, QRect(at.earsLeft, 84, 72, 24),
                       {QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Both")},
                       true, 5, PixelFont(13));
    c.Coupling = PlaceList(c.Group, QStringLiteral("ComboCoupling") + n, QRect(75, 119, 88, 24),
                           {QStringLiteral("Open"), QStringLiteral("Closed"),
                            QStringLiteral("Vented"), QStringLiteral("Other")},
                           true, 11, PixelFont(13));
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
    new OptionGroupKeys(*c.Experience);

    PlaceLabel(c.Group, at.infoLabel, QStringLiteral("(Test info: HA model, etc.)"), At(10, 52),
               Caption(11));
    PlaceLabel(c.Group, at.earsLabel, QStringLiteral("Ear(s):"), At(at.earsLabelAt), Caption());
    PlaceLabel(c.Group, at.couplingLabel, QStringLiteral("Coupling:"), At(14, 122), Caption());
    PlaceLabel(c.Group, at.dotLabel, QStringLiteral("DOT:"), At(at.dotLabelAt), Caption());
    PlaceLabel(c.Group, at.hintLabel, QStringLiteral("(mm/dd/yyyy)"), At(at.hintLabelAt),
               Caption());
}

void DemographicsPage::SetTabOrder() {
    std::vector<QWidget*> order = {editLastName_, editFirstName_, editMI_, editID_,
                                   comboForm_,    comboGender_,   editDOB_};
    for (Condition& c : conditions_) {
        order.insert(order.end(), {c.ConditionText, c.Ears, c.Coupling, c.TestDate});
        order.insert(order.end(), c.Options.begin(), c.Options.end());
    }
    order.push_back(commentsMemo_);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void DemographicsPage::ConnectHandlers() {
    // Every handler marks the client modified only for a change of what a control holds.
    for (RecordLineEdit* edit :
         {editLastName_, editFirstName_, editMI_, editID_, editDOB_, conditions_[0].ConditionText,
          conditions_[0].TestDate, conditions_[1].ConditionText, conditions_[1].TestDate}) {
        connect(edit, &RecordLineEdit::UserEdit, this, [] { RaiseFileModified(); });
    }
    connect(commentsMemo_, &entry::RecordMemo::UserEdit, this, [] { RaiseFileModified(); });
    // A pick, typing or a paste: the list's text is what is stored. The text is compared, as
    // an edit may put back the same text.
    for (QComboBox* list : {comboGender_, conditions_[0].Ears, conditions_[0].Coupling,
                            conditions_[1].Ears, conditions_[1].Coupling}) {
        connect(list, &QComboBox::editTextChanged, this,
                [this, shown = QString()](const QString& text) mutable {
                    if (text == shown) return;
                    shown = text;
                    if (!loading_) RaiseFileModified();
                });
    }
    connect(comboForm_, &QComboBox::currentIndexChanged, this, [this](int picked) {
        if (!loading_) ChangeForm(picked);
    });
    // Only an option that becomes checked is a change: a click on the checked one is none,
    // an arrow key that moves the check is one.
    for (Condition& c : conditions_) {
        connect(c.Experience, &QButtonGroup::idToggled, this, [this](int /*id*/, bool checked) {
            if (checked && !loading_) RaiseFileModified();
        });
    }
}

// --- Handlers -----------------------------------------------------------------------

void DemographicsPage::OnShown() {
    RecordToControls();
    FocusFirstField();
}

void DemographicsPage::FocusFirstField() {
    editLastName_->setFocus(Qt::OtherFocusReason);
    editLastName_->end(false);
}

void DemographicsPage::OnHidden() {
    ControlsToRecord();
}

void DemographicsPage::ChangeForm(int picked) {
    ClientRecord& record = gClientRecord;
    char* responses = record.Responses;
    const bool anyStored = std::any_of(responses, responses + sizeof record.Responses,
                                       [](char code) { return code != kBlankResponse; });
    if (anyStored) {
        const DialogButton answer = Dialogs().Message(
            {kKeepResponsesQuestion, QStringLiteral("Confirm"), DialogIcon::Question,
             DialogButton::Yes | DialogButton::No | DialogButton::Cancel, this});
        if (answer == DialogButton::Cancel) {
            const QScopedValueRollback<bool> loading(loading_, true);
            comboForm_->setCurrentIndex(shownForm_);
            return;
        }
        if (answer == DialogButton::Yes) {
            BlankCodesTheFormCannotHold(record, picked);
        } else {
            std::fill(responses, responses + sizeof record.Responses, kBlankResponse);
        }
    }
    shownForm_ = picked;
    RaiseFileModified();
}

}  // namespace kivo
