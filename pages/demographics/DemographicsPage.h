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
    ~DemographicsPage() override;

    // Loads every control from gClientRecord; never marks the client modified.
    void RecordToControls();
    // Stores every control into gClientRecord.
    void ControlsToRecord();

    // Another questionnaire form was picked in ComboForm: keeps or blanks the stored answers,
    // asking when there are any.
    void QuestionnaireFormPicked();

protected:
    void OnShown() override;
    void OnHidden() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // Checks option k of a condition exactly when k == value (none for other values).
    static void ShowExperience(Condition& condition, int value);

    entry::RecordLineEdit* EditLastName = nullptr;
    entry::RecordLineEdit* EditFirstName = nullptr;
    entry::RecordLineEdit* EditMI = nullptr;
    entry::RecordLineEdit* EditID = nullptr;
    QComboBox* ComboForm = nullptr;
    QComboBox* ComboGender = nullptr;
    entry::RecordLineEdit* EditDOB = nullptr;
    std::array<Condition, 2> Conditions_{};
    entry::RecordMemo* CommentsMemo = nullptr;
    // True while the controls are loaded from the record: their change signals mean nothing.
    bool Loading_ = false;
};

extern DemographicsPage* gDemographicsPage;

}  // namespace kivo
