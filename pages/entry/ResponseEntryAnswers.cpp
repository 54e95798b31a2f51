// The response entry page between its controls and Responses of the client record: which
// answer code each letter button and list entry stands for, both ways.
#include <QComboBox>
#include <QLabel>
#include <QScopedValueRollback>

#include "drawing/RecordText.h"
#include "model/Session.h"
#include "pages/entry/LetterButton.h"
#include "pages/entry/ResponseEntryPage.h"

namespace kivo {

namespace {

// Column 0..6 of a rated answer code 'A'..'G'; -1 for a blank or any other byte.
int LetterColumn(char code) {
    return code >= 'A' && code < 'A' + ResponseEntryPage::kLetterCount ? code - 'A' : -1;
}

// Entry 0..4 of a use answer code 'A'..'E'; -1 for a blank or any other byte.
int UseEntry(char code) {
    return code >= 'A' && code < 'A' + 5 ? code - 'A' : -1;
}

// The list's entry whose text the list shows; -1 when its text is none of them.
int ShownEntry(const QComboBox& list) {
    return list.findText(list.currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

char EntryCode(int entry) {
    return entry < 0 ? kBlankResponse : static_cast<char>('A' + entry);
}

}  // namespace

void ResponseEntryPage::ShowLetter(int condition, int row, int column) {
    const LetterRow& buttons =
        letters_[static_cast<std::size_t>(condition)][static_cast<std::size_t>(row)];
    for (int k = 0; k < kLetterCount; ++k)
        buttons[static_cast<std::size_t>(k)]->setChecked(k == column);
}

void ResponseEntryPage::ShowResponses() {
    const QScopedValueRollback<bool> loading(loading_, true);
    const ClientRecord& record = gClientRecord;
    const int count = shownItemCount_;
    for (int r = 0; r < count; ++r) {
        rowLabels_[static_cast<std::size_t>(r)]->setText(
            QString::number(r + 1) + QStringLiteral(". ") +
            drawing::Cp1252Text(ItemText(shownForm_, r + 1)));
    }
    if (count == 0) return;
    const int rated = count - kUseItemCount;
    for (int c = 0; c < kConditionCount; ++c) {
        for (int r = 0; r < rated; ++r)
            ShowLetter(c, r, LetterColumn(ResponseAt(record, c, r + 1)));
        for (int j = 0; j < kUseItemCount; ++j) {
            QComboBox* list = useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            list->setCurrentIndex(UseEntry(ResponseAt(record, c, rated + j + 1)));
            if (list->currentIndex() < 0) list->setEditText({});
        }
    }
}

void ResponseEntryPage::StoreResponses() {
    const int count = shownItemCount_;
    if (count == 0) return;  // no form shown: nothing of Responses belongs to the page
    const int rated = count - kUseItemCount;
    ClientRecord& record = gClientRecord;
    for (int c = 0; c < kConditionCount; ++c) {
        for (int r = 0; r < rated; ++r) {
            char code = kBlankResponse;
            const LetterRow& buttons =
                letters_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
            for (int k = 0; k < kLetterCount; ++k) {
                if (buttons[static_cast<std::size_t>(k)]->isChecked())
                    code = static_cast<char>('A' + k);
            }
            record.Responses[ResponseIndex(c, r + 1)] = code;
        }
        for (int j = 0; j < kUseItemCount; ++j) {
            const QComboBox* list =
                useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            record.Responses[ResponseIndex(c, rated + j + 1)] = EntryCode(ShownEntry(*list));
        }
    }
}

void ResponseEntryPage::ClearCondition(int condition) {
    const QScopedValueRollback<bool> loading(loading_, true);
    for (int r = 0; r < shownItemCount_; ++r) ShowLetter(condition, r, -1);
    for (QComboBox* list : useLists_[static_cast<std::size_t>(condition)]) {
        list->setCurrentIndex(-1);
        list->setEditText({});
    }
}

}  // namespace kivo
