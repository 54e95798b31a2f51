// The response entry page between its controls and Responses of the client record: which
// answer code each letter button and list entry stands for, both ways, the codes no control
// can show, clearing a condition, answering by key and what is still unanswered.
#include <QComboBox>
#include <QLabel>
#include <QScopedValueRollback>
#include <QStringList>

#include "drawing/RecordText.h"
#include "model/Session.h"
#include "pages/entry/AnswerGrid.h"
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

// The list's picked entry; -1 when none.
int ShownEntry(const QComboBox& list) {
    return list.currentIndex();
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
            kept[static_cast<std::size_t>(rated + j)] =
                code != kBlankResponse && UseEntry(code) < 0;
        }
    }
    for (int r = 0; r < kMaxItems; ++r) ShowRowMark(r);
    ShowAnsweredMarks();
    scrollContent_->AllCellsChanged();
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
    ShowAnsweredMarks();
    scrollContent_->CellChanged(row, condition);
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
        if (list->currentIndex() >= 0) return true;
    }
    return false;
}

bool ResponseEntryPage::ClearCondition(int condition) {
    if (!HoldsAnswers(condition)) return false;
    const DialogButton answer =
        Dialogs().Message({QStringLiteral("Clear all answers of Condition %1?").arg(condition + 1),
                           QStringLiteral("Confirm"), DialogIcon::Question,
                           DialogButton::Yes | DialogButton::No, this, DialogButton::No});
    if (answer != DialogButton::Yes) return false;
    {
        const QScopedValueRollback<bool> loading(loading_, true);
        for (int r = 0; r < shownItemCount_; ++r) ShowLetter(condition, r, -1);
        for (QComboBox* list : useLists_[static_cast<std::size_t>(condition)])
            list->setCurrentIndex(-1);
    }
    keptCodes_[static_cast<std::size_t>(condition)] = {};
    for (int r = 0; r < kMaxItems; ++r) ShowRowMark(r);
    ShowAnsweredMarks();
    scrollContent_->AllCellsChanged();
    RaiseFileModified();
    return true;
}

bool ResponseEntryPage::IsAnswered(int condition, int row) const {
    const int rated = shownItemCount_ - kUseItemCount;
    if (row < 0 || row >= shownItemCount_) return false;
    if (row >= rated) {
        const QComboBox* list =
            useLists_[static_cast<std::size_t>(condition)][static_cast<std::size_t>(row - rated)];
        return ShownEntry(*list) >= 0;
    }
    for (const entry::LetterButton* button :
         letters_[static_cast<std::size_t>(condition)][static_cast<std::size_t>(row)]) {
        if (button->isChecked()) return true;
    }
    return false;
}

void ResponseEntryPage::ShowAnsweredMarks() {
    const int count = shownItemCount_;
    for (int c = 0; c < kConditionCount; ++c) {
        int answered = 0;
        for (int r = 0; r < count; ++r) {
            const bool done = IsAnswered(c, r);
            answered += done ? 1 : 0;
            scrollContent_->SetUnanswered(c, r, !done);
        }
        for (int r = count; r < kMaxItems; ++r) scrollContent_->SetUnanswered(c, r, false);
        QLabel* label = answeredLabels_[static_cast<std::size_t>(c)];
        label->setText(AnsweredText(c, answered));
        label->adjustSize();
        label->setVisible(count > 0);
    }
}

QString ResponseEntryPage::AnsweredText(int condition, int answered) const {
    return QStringLiteral("Condition %1: %2 of %3 answered")
        .arg(condition + 1)
        .arg(answered)
        .arg(shownItemCount_);
}

bool ResponseEntryPage::AnswerFocusCell(int option) {
    const int count = shownItemCount_;
    const int rated = count - kUseItemCount;
    const int c = focusCondition_;
    const int r = focusRow_;
    if (count == 0 || r >= count) return false;
    // A kept code is replaced by whatever the user answers, as a click replaces it.
    bool& kept = keptCodes_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
    if (r < rated) {
        if (option >= kLetterCount) return false;
        int shown = -1;
        const LetterRow& buttons =
            letters_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
        for (int k = 0; k < kLetterCount; ++k) {
            if (buttons[static_cast<std::size_t>(k)]->isChecked()) shown = k;
        }
        if (shown == option && !kept) return true;  // the same answer again changes nothing
        ShowLetter(c, r, option);
        AnswerChanged(c, r);
        return true;
    }
    QComboBox* list = useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r - rated)];
    if (option >= list->count()) return false;
    if (list->currentIndex() == option && !kept) return true;
    // The list reports a change of its entry itself (AnswerChanged).
    list->setCurrentIndex(option);
    if (kept) AnswerChanged(c, r);  // nothing shown before or after, but the code goes
    return true;
}

QString ResponseEntryPage::Question(int row) const {
    return drawing::Cp1252Text(ItemText(shownForm_, row + 1)).simplified();
}

QString ResponseEntryPage::CellName(int c, int r) const {
    const int count = shownItemCount_;
    if (count == 0 || r < 0 || r >= count) return {};
    const int rated = count - kUseItemCount;
    QString answer = QStringLiteral("no answer");
    if (r < rated) {
        const LetterRow& buttons =
            letters_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
        for (int k = 0; k < kLetterCount; ++k) {
            if (!buttons[static_cast<std::size_t>(k)]->isChecked()) continue;
            answer = QString(QChar(u'A' + static_cast<char16_t>(k))) + QStringLiteral(", ") +
                     drawing::Utf8Text(RatedOptionLabels()[static_cast<std::size_t>(k)]);
        }
    } else {
        const QComboBox* list =
            useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r - rated)];
        const int entry = ShownEntry(*list);
        if (entry >= 0) {
            answer = QString(QChar(u'A' + static_cast<char16_t>(entry))) + QStringLiteral(", ") +
                     list->itemText(entry);
        }
    }
    return QStringLiteral("Item %1, condition %2: %3. %4")
        .arg(r + 1)
        .arg(c + 1)
        .arg(answer, Question(r));
}

}  // namespace kivo
