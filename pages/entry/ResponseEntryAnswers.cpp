// The response entry page between its controls and Responses of the client record: which
// answer code each letter button and list entry stands for, both ways, the codes no control
// can show, and clearing a condition.
#include <QComboBox>
#include <QLabel>
#include <QScopedValueRollback>
#include <QStringList>

#include "drawing/RecordText.h"
#include "model/Session.h"
#include "pages/entry/LetterButton.h"
#include "pages/entry/ResponseEntryPage.h"
#include "shell/DialogSeam.h"
#include "shell/FileModified.h"

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

// A stored code as the row's tip names it: 'G', or the byte's value when it cannot be seen.
QString NamedCode(char code) {
    const QString text = drawing::Cp1252Text(std::string_view(&code, 1));
    if (text.size() == 1 && text.front().isPrint() && !text.front().isSpace()) {
        return QLatin1Char('\'') + text + QLatin1Char('\'');
    }
    const QString hex =
        QStringLiteral("%1").arg(static_cast<unsigned char>(code), 2, 16, QLatin1Char('0'));
    return QStringLiteral("byte 0x") + hex.toUpper();
}

}  // namespace

void ResponseEntryPage::ShowLetter(int condition, int row, int column) {
    const LetterRow& buttons =
        letters_[static_cast<std::size_t>(condition)][static_cast<std::size_t>(row)];
    for (int k = 0; k < kLetterCount; ++k)
        buttons[static_cast<std::size_t>(k)]->setChecked(k == column);
}

void ResponseEntryPage::ShowResponses() {
    BuildRowsOnce();
    const QScopedValueRollback<bool> loading(loading_, true);
    const ClientRecord& record = gClientRecord;
    const int count = shownItemCount_;
    for (int r = 0; r < count; ++r) {
        rowLabels_[static_cast<std::size_t>(r)]->setText(
            QString::number(r + 1) + QStringLiteral(". ") +
            drawing::Cp1252Text(ItemText(shownForm_, r + 1)));
    }
    keptCodes_ = {};
    const int rated = count - kUseItemCount;
    for (int c = 0; c < kConditionCount && count > 0; ++c) {
        auto& kept = keptCodes_[static_cast<std::size_t>(c)];
        for (int r = 0; r < rated; ++r) {
            const char code = ResponseAt(record, c, r + 1);
            ShowLetter(c, r, LetterColumn(code));
            kept[static_cast<std::size_t>(r)] = code != kBlankResponse && LetterColumn(code) < 0;
        }
        for (int j = 0; j < kUseItemCount; ++j) {
            QComboBox* list = useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            const char code = ResponseAt(record, c, rated + j + 1);
            list->setCurrentIndex(UseEntry(code));
            if (list->currentIndex() < 0) list->setEditText({});
            kept[static_cast<std::size_t>(rated + j)] =
                code != kBlankResponse && UseEntry(code) < 0;
        }
    }
    for (int r = 0; r < kMaxItems; ++r) ShowRowMark(r);
}

void ResponseEntryPage::StoreResponses() {
    // A page never shown holds no answers of its own.
    if (!rowsBuilt_) return;
    const int count = shownItemCount_;
    if (count == 0) return;  // no form shown: nothing of Responses belongs to the page
    const int rated = count - kUseItemCount;
    ClientRecord& record = gClientRecord;
    for (int c = 0; c < kConditionCount; ++c) {
        const auto& kept = keptCodes_[static_cast<std::size_t>(c)];
        for (int r = 0; r < rated; ++r) {
            if (kept[static_cast<std::size_t>(r)]) continue;
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
            if (kept[static_cast<std::size_t>(rated + j)]) continue;
            const QComboBox* list =
                useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            record.Responses[ResponseIndex(c, rated + j + 1)] = EntryCode(ShownEntry(*list));
        }
    }
}

void ResponseEntryPage::AnswerChanged(int condition, int row) {
    if (row < 0 || row >= kMaxItems) return;
    keptCodes_[static_cast<std::size_t>(condition)][static_cast<std::size_t>(row)] = false;
    ShowRowMark(row);
    RaiseFileModified();
}

void ResponseEntryPage::ShowRowMark(int row) {
    QStringList tips;
    for (int c = 0; c < kConditionCount; ++c) {
        const bool kept = row < shownItemCount_ &&
                          keptCodes_[static_cast<std::size_t>(c)][static_cast<std::size_t>(row)];
        if (!kept) continue;
        tips << QStringLiteral(
                    "Condition %1: stored answer %2 cannot be shown for this item; "
                    "answer the item to replace it.")
                    .arg(c + 1)
                    .arg(NamedCode(ResponseAt(gClientRecord, c, row + 1)));
    }
    QLabel* label = rowLabels_[static_cast<std::size_t>(row)];
    QLabel* mark = rowMarks_[static_cast<std::size_t>(row)];
    const QString tip = tips.join(u'\n');
    const bool marked = !tips.isEmpty();
    label->setForegroundRole(marked ? QPalette::BrightText : QPalette::WindowText);
    label->setToolTip(tip);
    mark->setToolTip(tip);
    mark->setVisible(marked);
}

bool ResponseEntryPage::HoldsAnswers(int condition) const {
    const int count = shownItemCount_;
    if (count == 0) return false;
    const auto& kept = keptCodes_[static_cast<std::size_t>(condition)];
    for (int r = 0; r < count; ++r) {
        if (kept[static_cast<std::size_t>(r)]) return true;
    }
    for (int r = 0; r < count - kUseItemCount; ++r) {
        for (const entry::LetterButton* button :
             letters_[static_cast<std::size_t>(condition)][static_cast<std::size_t>(r)]) {
            if (button->isChecked()) return true;
        }
    }
    for (const QComboBox* list : useLists_[static_cast<std::size_t>(condition)]) {
        if (!list->currentText().isEmpty()) return true;
    }
    return false;
}

void ResponseEntryPage::ClearCondition(int condition) {
    if (!HoldsAnswers(condition)) return;
    const DialogButton answer =
        Dialogs().Message({QStringLiteral("Clear all answers of Condition %1?").arg(condition + 1),
                           QStringLiteral("Confirm"), DialogIcon::Question,
                           DialogButton::Yes | DialogButton::No, this, DialogButton::No});
    if (answer != DialogButton::Yes) return;
    {
        const QScopedValueRollback<bool> loading(loading_, true);
        for (int r = 0; r < shownItemCount_; ++r) ShowLetter(condition, r, -1);
        for (QComboBox* list : useLists_[static_cast<std::size_t>(condition)]) {
            list->setCurrentIndex(-1);
            list->setEditText({});
        }
    }
    keptCodes_[static_cast<std::size_t>(condition)] = {};
    for (int r = 0; r < kMaxItems; ++r) ShowRowMark(r);
    RaiseFileModified();
}

}  // namespace kivo
