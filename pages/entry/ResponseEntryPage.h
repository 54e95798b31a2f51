// The response entry page: the client's answers to the shown form, typed in for both
// conditions, one row per item.
#pragma once

#include <array>

#include "model/Questionnaire.h"
#include "pages/Page.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QScrollArea;

namespace kivo {

namespace entry {
class AnswerGrid;
class LetterButton;
}  // namespace entry

// The response entry page: one row per item of the client's form, with seven letter buttons
// per condition for each rated item and a five-option list per condition for each use item.
// The controls are loaded from Responses when the page is shown and stored back when it is
// hidden or the client is saved. A stored code that no control of its item can show (a damaged
// byte, an 'F' or 'G' at a use item) is kept as it is until the user answers that item; its row
// is marked meanwhile, so that the page never changes a score the user did not change.
//
// The answers can be typed: the grid has one focus cell (an item in one condition), framed. A-G
// or 1-7 answer a rated item, A-E or 1-5 pick a use item's option, and the focus moves to the
// next item, from the last item of condition 1 to item 1 of condition 2, so one stream of keys
// transcribes the condition 1 sheet and then the condition 2 sheet. Up/Down, Home/End move
// between items; Left/Right, Tab/Shift+Tab between the conditions (Tab from condition 2 and
// Shift+Tab from condition 1 leave the grid, for the Clear buttons, as Ctrl+Tab and
// Ctrl+Shift+Tab do from either); Delete clears the framed item, Backspace takes back the last
// answer (the item before the frame), Space moves on, F8 goes to the next unanswered item. An
// answer to the last item of condition 2 completes the form: the frame leaves the grid and
// letters change nothing until a key or a click moves the frame back. A key changes the record
// exactly as the matching click does. The use lists are pick-only: A-E or 1-5 pick, arrows
// move, nothing can be typed into them.
class ResponseEntryPage : public Page {
    Q_OBJECT
public:
    static constexpr int kLetterCount = 7;

    explicit ResponseEntryPage(QWidget* parent);

    // Writes the state of the controls back to Responses of gClientRecord (the positions of
    // the shown form only, less the kept codes); never marks the client modified.
    void StoreResponses();
    // Loads the row texts, buttons and lists from gClientRecord; never marks it modified.
    void ShowResponses();

    // The number of items of the form shown (0 for a form number outside the known forms).
    int ShownItemCount() const { return shownItemCount_; }
    // The focus cell: condition 0 or 1, and the row (item number - 1).
    int FocusCondition() const { return focusCondition_; }
    int FocusRow() const { return focusRow_; }
    // True once the last item of condition 2 was answered by key and the frame left the grid.
    bool FormComplete() const { return complete_; }

protected:
    void OnShown() override;
    void OnHidden() override;
    // A use list taking the focus (click or Tab) takes the focus cell with it; its keys pick.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // follows at the next store. True when it cleared.
    bool ClearCondition(int condition);
    // ClearCondition from its button, then the keyboard back to the grid.
    void ClearFromButton(int condition);
    // True when any answer of the condition is shown or kept.
    bool HoldsAnswers(int condition) const;
    // Presses `column` of a row (none for a column outside 0..6) and raises the others.
    void ShowLetter(int condition, int row, int column);
    // The user changed the answer of `row` (0-based) in `condition`: what the control shows is
    // the answer from now on.
    void AnswerChanged(int condition, int row);
    // Shows or removes the mark of a row holding a kept code.
    void ShowRowMark(int row);

    // True when a control of the item shows an answer (a kept code is no answer shown).
    bool IsAnswered(int condition, int row) const;
    // The unanswered dots and the "n of N answered" lines, from what the controls show.
    void ShowAnsweredMarks();
    // The grid's key handler; true when it used the key.
    bool GridKey(const QKeyEvent& key);
    // Answers the focus cell with option 0..6 (rated) or 0..4 (use), or clears it (-1), as a
    // click would; false (and nothing changes) when the option is not one of the item's.
    bool AnswerFocusCell(int option);
    // Moves the focus cell; `scroll` brings it into view (not on a click, which must not move
    // what lies under the pointer).
    void MoveFocusCell(int condition, int row, bool scroll);
    // The focus cell's next item: the next of its condition, from the last of condition 1 the
    // first of condition 2; stays at the last of condition 2.
    void Advance();
    // After an answer to the last item of condition 2: the frame leaves the grid, a note says
    // the form is complete, and letters change nothing until the frame moves back.
    void CompleteForm();
    // Backspace: the frame back one item (from item 1 of condition 2 to the last item of
    // condition 1, from a complete form to the last item), which it then clears.
    void TakeBackLastAnswer();
    // The next unanswered cell after the focus cell, condition 1 first, wrapping.
    void GoToNextUnanswered();
    // A key typed on a use list: A-E or 1-5 picks the entry, other text is refused. True when
    // the list must not see the key.
    bool UseListKey(QComboBox& list, const QKeyEvent& key);
    // "Condition 1: 12 of 28 answered".
    QString AnsweredText(int condition, int answered) const;
    // A cell's spoken name: "Item 5, condition 1: C, Somewhat. " or "...: no answer. ", then
    // the item's question.
    QString CellName(int condition, int row) const;
    // The question of the item in `row`, on one line.
    QString Question(int row) const;

    QLabel* formTitleLabel_ = nullptr;
    QLabel* hearingAid1Label_ = nullptr;
    QLabel* testDate1Label_ = nullptr;
    QLabel* hearingAid2Label_ = nullptr;
    QLabel* testDate2Label_ = nullptr;
    QScrollArea* answerScrollBox_ = nullptr;
    entry::AnswerGrid* scrollContent_ = nullptr;
    std::array<QLabel*, kConditionCount> answeredLabels_{};
    QLabel* keyHelpLabel_ = nullptr;
    QPushButton* clearCondition1Button_ = nullptr;
    QPushButton* clearCondition2Button_ = nullptr;

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
    int focusCondition_ = 0;
    int focusRow_ = 0;
    bool complete_ = false;
};

}  // namespace kivo
