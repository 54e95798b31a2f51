// The response entry page: the client's answers to the shown form, typed in for both
// conditions, one row per item.
#pragma once

#include <array>

#include "model/Questionnaire.h"
#include "pages/Page.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace kivo {

namespace entry {
class LetterButton;
}

// The response entry page: one row per item of the client's form, with seven letter buttons
// per condition for each rated item and a five-option list per condition for each use item.
// The controls are loaded from Responses when the page is shown and stored back when it is
// hidden or the client is saved. A stored code that no control of its item can show (a damaged
// byte, an 'F' or 'G' at a use item) is kept as it is until the user answers that item; its row
// is marked meanwhile, so that the page never changes a score the user did not change.
class ResponseEntryPage : public Page {
    Q_OBJECT
public:
    static constexpr int kLetterCount = 7;

    explicit ResponseEntryPage(QWidget* parent);
    ~ResponseEntryPage() override;

    // Writes the state of the controls back to Responses of gClientRecord (the positions of
    // the shown form only, less the kept codes); never marks the client modified.
    void StoreResponses();
    // Loads the row texts, buttons and lists from gClientRecord; never marks it modified.
    void ShowResponses();

    // The number of items of the form shown (0 for a form number outside the known forms).
    int ShownItemCount() const { return shownItemCount_; }

protected:
    void OnShown() override;
    void OnHidden() override;

private:
    void BuildPage();
    void BuildRowsOnce();
    void BuildInstructionPanel();
    void BuildStaticControls();
    void BuildRows();
    void BuildUseLists();
    // Rows 0..ShownItemCount-4 get their letter buttons; the lists move onto the use items.
    void ArrangeRows();
    // The Clear button of one condition (0 or 1): when the condition holds anything, asks
    // and then clears its answers on the page and marks the client modified; Responses
    // follows at the next store.
    void ClearCondition(int condition);
    // True when any answer of the condition is shown or kept.
    bool HoldsAnswers(int condition) const;
    // Presses `column` of a row (none for a column outside 0..6) and raises the others.
    void ShowLetter(int condition, int row, int column);
    // The user changed the answer of `row` (0-based) in `condition`: what the control shows is
    // the answer from now on.
    void AnswerChanged(int condition, int row);
    // Shows or removes the mark of a row holding a kept code.
    void ShowRowMark(int row);

    QLabel* label1_ = nullptr;
    QLabel* label11_ = nullptr;
    QLabel* label12_ = nullptr;
    QLabel* label13_ = nullptr;
    QLabel* label14_ = nullptr;
    QScrollArea* scrollBox1_ = nullptr;
    QWidget* scrollContent_ = nullptr;
    QPushButton* clearButton1_ = nullptr;
    QPushButton* clearButton2_ = nullptr;

    std::array<QLabel*, kMaxItems> rowLabels_{};
    // The "!" left of a row whose stored code is kept.
    std::array<QLabel*, kMaxItems> rowMarks_{};
    using LetterRow = std::array<entry::LetterButton*, kLetterCount>;
    std::array<std::array<LetterRow, kMaxItems>, kConditionCount> letters_{};
    std::array<std::array<QComboBox*, kUseItemCount>, kConditionCount> useLists_{};

    FormKind shownForm_ = -1;
    int shownItemCount_ = 0;
    // True where Responses holds a code that no control of the item can show: it stays as
    // stored until the user answers the item.
    std::array<std::array<bool, kMaxItems>, kConditionCount> keptCodes_{};
    // True while the page sets its lists from code: their change signals mean nothing.
    bool loading_ = false;
    bool rowsBuilt_ = false;
};

extern ResponseEntryPage* gResponseEntryPage;

}  // namespace kivo
