// The demographics page between its controls and the client record.
#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "pages/demographics/DemographicsPage.h"
#include "model/Questionnaire.h"
#include "model/Session.h"
#include "pages/widgets/EntryControls.h"

namespace kivo {

using entry::FieldText;
using entry::StoreFieldText;

namespace {

// The record fields of one test condition.
struct ConditionFields {
    std::span<char> HearingAid, Ear, Coupling, TestDate;
    std::int32_t& Experience;
};

ConditionFields FieldsOf(ClientRecord& record, std::size_t condition) {
    if (condition == 0) {
        return {record.HearingAid1, record.Ear1, record.Coupling1, record.TestDate1,
                record.Experience1};
    }
    return {record.HearingAid2, record.Ear2, record.Coupling2, record.TestDate2,
            record.Experience2};
}

}  // namespace

void DemographicsPage::ShowExperience(Condition& condition, int value) {
    // An exclusive group cannot have all its options off; a damaged value shows none.
    condition.Experience->setExclusive(false);
    for (std::size_t k = 0; k < condition.Options.size(); ++k) {
        condition.Options[k]->setChecked(static_cast<int>(k) == value);
    }
    condition.Experience->setExclusive(true);
}

void DemographicsPage::RecordToControls() {
    const QScopedValueRollback<bool> loading(Loading_, true);
    ClientRecord& record = gClientRecord;
    EditLastName->setText(FieldText(record.LastName));
    EditFirstName->setText(FieldText(record.FirstName));
    EditMI->setText(FieldText(record.MiddleInitial));
    EditDOB->setText(FieldText(record.BirthDate));
    EditID->setText(FieldText(record.ClientId));
    ComboForm->setCurrentIndex(IsKnownForm(record.TestForm) ? record.TestForm : -1);
    ComboGender->setEditText(FieldText(record.Gender));
    for (std::size_t i = 0; i < Conditions_.size(); ++i) {
        Condition& c = Conditions_[i];
        const ConditionFields fields = FieldsOf(record, i);
        c.ConditionText->setText(FieldText(fields.HearingAid));
        c.Ears->setEditText(FieldText(fields.Ear));
        c.Coupling->setEditText(FieldText(fields.Coupling));
        c.TestDate->setText(FieldText(fields.TestDate));
        ShowExperience(c, fields.Experience);
    }
    CommentsMemo->SetRecordText(FieldText(record.Comments));
}

void DemographicsPage::ControlsToRecord() {
    ClientRecord& record = gClientRecord;
    StoreFieldText(record.LastName, EditLastName->text());
    StoreFieldText(record.FirstName, EditFirstName->text());
    StoreFieldText(record.MiddleInitial, EditMI->text());
    StoreFieldText(record.BirthDate, EditDOB->text());
    StoreFieldText(record.ClientId, EditID->text());
    // The list is pick-only: no selection only remains after a damaged form number was
    // loaded, which then stays as it was.
    if (ComboForm->currentIndex() >= 0) record.TestForm = ComboForm->currentIndex();
    StoreFieldText(record.Gender, ComboGender->currentText());
    for (std::size_t i = 0; i < Conditions_.size(); ++i) {
        const Condition& c = Conditions_[i];
        const ConditionFields fields = FieldsOf(record, i);
        StoreFieldText(fields.HearingAid, c.ConditionText->text());
        StoreFieldText(fields.Ear, c.Ears->currentText());
        StoreFieldText(fields.Coupling, c.Coupling->currentText());
        StoreFieldText(fields.TestDate, c.TestDate->text());
        for (std::size_t k = 0; k < c.Options.size(); ++k) {
            if (c.Options[k]->isChecked()) fields.Experience = static_cast<std::int32_t>(k);
        }
    }
    StoreFieldText(record.Comments, CommentsMemo->RecordText());
}

}  // namespace kivo
