#pragma once

#include <QString>
#include <array>

#include "Page.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QRadioButton;

namespace kivo {

namespace entry {
class TEntryEdit;
class TEntryMemo;
}  // namespace entry

// The question asked when the form changes while answers are stored.
extern const QString kKeepResponsesQuestion;

// The demographics page: the client's details, the form and both test conditions. The record
// is the model: the controls are loaded from it when the page is shown and stored back when it
// is hidden or the client is saved.
class TfmDemographicsScreen : public TfmPage {
    Q_OBJECT
public:
    explicit TfmDemographicsScreen(QWidget* parent);
    ~TfmDemographicsScreen() override;

    // Loads every control from gClientRecord; never marks the client modified.
    void RecordToControls();
    // Stores every control into gClientRecord.
    void ControlsToRecord();

    // Handlers: a character typed into an edit box or the memo; a text change of the gender,
    // ear or coupling lists; a mouse button released over an experience option of condition 1
    // or 2. Each marks the client modified.
    void EditLastNameKeyPress();
    void ComboGenderChange();
    void RadioHAE1Option1MouseUp();
    void RadioHAE2Option2MouseUp();
    // Another form was picked: keeps or blanks the stored answers, asking when there are any.
    void ComboFormChange();

protected:
    void FormShow() override;
    void FormHide() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of one test condition.
    struct Condition {
        QGroupBox* Group = nullptr;
        entry::TEntryEdit* ConditionText = nullptr;
        QComboBox* Ears = nullptr;
        QComboBox* Coupling = nullptr;
        entry::TEntryEdit* TestDate = nullptr;
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

    entry::TEntryEdit* EditLastName = nullptr;
    entry::TEntryEdit* EditFirstName = nullptr;
    entry::TEntryEdit* EditMI = nullptr;
    entry::TEntryEdit* EditID = nullptr;
    QComboBox* ComboForm = nullptr;
    QComboBox* ComboGender = nullptr;
    entry::TEntryEdit* EditDOB = nullptr;
    std::array<Condition, 2> Conditions_{};
    entry::TEntryMemo* CommentsMemo = nullptr;
    // True while the controls are loaded from the record: their change signals mean nothing.
    bool Loading_ = false;
};

extern TfmDemographicsScreen* fmDemographicsScreen;

}  // namespace kivo
