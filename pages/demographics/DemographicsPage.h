// The demographics page: the client's details, the questionnaire form and the two test
// conditions, edited in place and kept in the client record.
#pragma once

#include <QString>
#include <array>

#include "pages/Page.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QRadioButton;

namespace kivo {

namespace entry {
class RecordLineEdit;
class RecordMemo;
}  // namespace entry

// The question asked when the form changes while answers are stored.
extern const QString kKeepResponsesQuestion;

// The demographics page: the client's details, the form and both test conditions. The record
// is the model: the controls are loaded from it when the page is shown and stored back when it
// is hidden or the client is saved.
class DemographicsPage : public Page {
    Q_OBJECT
public:
    explicit DemographicsPage(QWidget* parent);

    // Loads every control from gClientRecord; never marks the client modified.
    void RecordToControls();
    // Stores every control into gClientRecord.
    void ControlsToRecord();
    // Puts the keyboard focus in Last Name, with the cursor at its end.
    void FocusFirstField();

protected:
    void OnShown() override;
    void OnHidden() override;

private:
    // The controls of one test condition.
    struct Condition {
        QGroupBox* Group = nullptr;
        entry::RecordLineEdit* ConditionText = nullptr;
        QComboBox* Ears = nullptr;
        QComboBox* Coupling = nullptr;
        entry::RecordLineEdit* TestDate = nullptr;
        QGroupBox* ExperienceBox = nullptr;
        QButtonGroup* Experience = nullptr;
        std::array<QRadioButton*, 4> Options{};
    };

    void BuildPatientControls();
    void BuildCondition(int index);
    void SetTabOrder();
    void ConnectHandlers();
    // Another questionnaire form was picked in ComboForm: asks, when answers are stored,
    // whether to keep them. Yes keeps them (less those the new form cannot hold at their
    // place), No blanks them; both mark the client modified. Cancel puts the list back to the
    // form it showed and changes nothing.
    void ChangeForm(int picked);
    // Checks option k of a condition exactly when k == value (none for other values).
    static void ShowExperience(Condition& condition, int value);

    entry::RecordLineEdit* editLastName_ = nullptr;
    entry::RecordLineEdit* editFirstName_ = nullptr;
    entry::RecordLineEdit* editMI_ = nullptr;
    entry::RecordLineEdit* editID_ = nullptr;
    QComboBox* comboForm_ = nullptr;
    QComboBox* comboGender_ = nullptr;
    entry::RecordLineEdit* editDOB_ = nullptr;
    std::array<Condition, 2> conditions_{};
    entry::RecordMemo* commentsMemo_ = nullptr;
    // The entry ComboForm showed before the latest pick (-1: none).
    int shownForm_ = -1;
    // True while the controls are loaded from the record: their change signals mean nothing.
    bool loading_ = false;
};

}  // namespace kivo
