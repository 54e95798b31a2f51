// The demographics page between its controls and the client record: which field each
// control shows and stores, and how a damaged experience value shows.
#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <QScopedValueRollback>

#include "drawing/RecordText.h"
#include "model/Questionnaire.h"
#include "model/Session.h"
#include "pages/demographics/DemographicsPage.h"
#include "pages/widgets/RecordTextEdits.h"

namespace kivo {

using drawing::RecordText;
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

// An editable list's text, whole, as RecordLineEdit::ShowText shows it.
void ShowListText(QComboBox& list, const QString& text) {
    if (auto* edit = qobject_cast<entry::RecordLineEdit*>(list.lineEdit())) {
        edit->ShowText(text);
    } else {
        list.setEditText(text);
    }
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
    const QScopedValueRollback<bool> loading(loading_, true);
    ClientRecord& record = gClientRecord;
    editLastName_->ShowText(RecordText(record.LastName));
    editFirstName_->ShowText(RecordText(record.FirstName));
    editMI_->ShowText(RecordText(record.MiddleInitial));
    editDOB_->ShowText(RecordText(record.BirthDate));
    editID_->ShowText(RecordText(record.ClientId));
    comboForm_->setCurrentIndex(IsKnownForm(record.TestForm) ? record.TestForm : -1);
    shownForm_ = comboForm_->currentIndex();
    ShowListText(*comboGender_, RecordText(record.Gender));
    for (std::size_t i = 0; i < conditions_.size(); ++i) {
        Condition& c = conditions_[i];
        const ConditionFields fields = FieldsOf(record, i);
        c.ConditionText->ShowText(RecordText(fields.HearingAid));
        ShowListText(*c.Ears, RecordText(fields.Ear));
        ShowListText(*c.Coupling, RecordText(fields.Coupling));
        c.TestDate->ShowText(RecordText(fields.TestDate));
        ShowExperience(c, fields.Experience);
    }
    commentsMemo_->SetRecordText(RecordText(record.Comments));
}

void DemographicsPage::ControlsToRecord() {
    ClientRecord& record = gClientRecord;
    StoreFieldText(record.LastName, editLastName_->text());
    StoreFieldText(record.FirstName, editFirstName_->text());
    StoreFieldText(record.MiddleInitial, editMI_->text());
    StoreFieldText(record.BirthDate, editDOB_->text());
    StoreFieldText(record.ClientId, editID_->text());
    // The list is pick-only: no selection only remains after a damaged form number was
    // loaded, which then stays as it was.
    if (comboForm_->currentIndex() >= 0) record.TestForm = comboForm_->currentIndex();
    StoreFieldText(record.Gender, comboGender_->currentText());
    for (std::size_t i = 0; i < conditions_.size(); ++i) {
        const Condition& c = conditions_[i];
        const ConditionFields fields = FieldsOf(record, i);
        StoreFieldText(fields.HearingAid, c.ConditionText->text());
        StoreFieldText(fields.Ear, c.Ears->currentText());
        StoreFieldText(fields.Coupling, c.Coupling->currentText());
        StoreFieldText(fields.TestDate, c.TestDate->text());
        for (std::size_t k = 0; k < c.Options.size(); ++k) {
            if (c.Options[k]->isChecked()) fields.Experience = static_cast<std::int32_t>(k);
        }
    }
    StoreFieldText(record.Comments, commentsMemo_->RecordText());
}

}  // namespace kivo
