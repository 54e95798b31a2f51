// The response entry page: its controls, built once, and what they do when the page is shown
// and hidden or a button is pressed.
#include "pages/entry/ResponseEntryPage.h"

#include <QColor>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "drawing/RecordText.h"
#include "model/ProductContent.h"
#include "model/Session.h"
#include "pages/accessibility/ControlNames.h"
#include "pages/entry/AnswerGrid.h"
#include "pages/entry/LetterButton.h"
#include "pages/widgets/FixedLayout.h"
#include "shell/FileModified.h"
#include "shell/StatusMessage.h"

namespace kivo {

namespace {

using entry::kRowHeight;
constexpr unsigned kScrollBoxColour = 0xC0DCC0;
constexpr unsigned kEvenRowColour = 0xA6CAF0;
constexpr int kScrollContentWidth = 980;        // the scroll box's inside, less its 20 px bar
constexpr unsigned kKeptCodeColour = 0xC00000;  // a row whose stored code no control shows

// The scroll box's vertical bar, 20 px wide.
class WideScrollBar final : public QScrollBar {
public:
    explicit WideScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return {20, QScrollBar::sizeHint().height()}; }
};

}  // namespace

ResponseEntryPage::ResponseEntryPage(QWidget* parent) : Page(parent) {
    setObjectName(QStringLiteral("ResponseEntryPage"));
    setWindowTitle(QStringLiteral("Data Entry Form"));
    setFont(PixelFont(16, true));
}

// --- Building -----------------------------------------------------------------------

void ResponseEntryPage::BuildPage() {
    BuildInstructionPanel();
    BuildStaticControls();
}

// The page and its 40 rows with their 560 letter buttons and six lists are most of the
// program's widgets: they are built when the page is first shown, not at start-up, so the main
// window comes up without waiting for a page the user may not open.
void ResponseEntryPage::BuildRowsOnce() {
    if (rowsBuilt_) return;
    rowsBuilt_ = true;
    BuildPage();
    BuildRows();
    BuildUseLists();
    // The letter buttons never take the focus. Tab leaves the grid for the clear buttons; the
    // lists come after them, as the grid's keys reach the use items too.
    QWidget* previous = clearCondition2Button_;
    setTabOrder(scrollContent_, clearCondition1Button_);
    setTabOrder(clearCondition1Button_, clearCondition2Button_);
    for (int j = 0; j < kUseItemCount; ++j) {
        for (int c = 0; c < kConditionCount; ++c) {
            QWidget* list = useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            setTabOrder(previous, list);
            previous = list;
        }
    }
    scrollContent_->RaiseOverlay();
    ShowNewChildren();
}

void ResponseEntryPage::BuildInstructionPanel() {
    QWidget* instructions =
        PlacePanel(this, QStringLiteral("InstructionPanel"), QRect(6, 8, 475, 224), 0xFFFFFF);

    formTitleLabel_ = PlaceLabel(instructions, QStringLiteral("FormTitleLabel"), {},
                                 QRect(0, 0, 475, 22), {.font = PixelFont(19, true)});
    SetBackground(*formTitleLabel_, 0xFF0000);
    SetTextColour(*formTitleLabel_, 0xFFFFFF);
    PlaceLabel(instructions, QStringLiteral("InstructionsLabel"),
               drawing::Cp1252Text(Content().screenInstructions), QRect(7, 32, 289, 151),
               {.font = PixelFont(16), .wordWrap = true});

    QWidget* optionGuide = PlacePanel(instructions, QStringLiteral("OptionGuidePanel"),
                                      QRect(302, 24, 159, 202), 0xFFFFFF);
    constexpr std::array<int, kLetterCount> tops = {7, 34, 62, 89, 117, 144, 172};
    const auto& labels = RatedOptionLabels();
    for (std::size_t k = 0; k < tops.size(); ++k) {
        const QString text = QChar(u'A' + static_cast<char16_t>(k)) + QStringLiteral(" - ") +
                             drawing::Utf8Text(labels[k]);
        PlaceLabel(optionGuide,
                   QStringLiteral("OptionLabel%1").arg(QChar(u'A' + static_cast<char16_t>(k))),
                   text, At(7, tops[k]), {.font = PixelFont(16, true)});
    }

    QLabel* stem = PlaceLabel(instructions, QStringLiteral("StemLabel"),
                              QStringLiteral(" How good are the hearing aids at..."),
                              QRect(0, 224 - 23, 475, 23), {.font = PixelFont(19)});
    SetBackground(*stem, 0xFFFFFF);
    optionGuide->raise();  // the option guide lies over the right end of the stem line
}

void ResponseEntryPage::BuildStaticControls() {
    const LabelStyle bold = {.font = PixelFont(16, true)};
    PlaceLabel(this, QStringLiteral("ConditionLabel1"), QStringLiteral("Condition 1"), At(503, 149),
               bold);
    PlaceLabel(this, QStringLiteral("ConditionLabel2"), QStringLiteral("Condition 2"), At(757, 149),
               bold);
    hearingAid1Label_ =
        PlaceLabel(this, QStringLiteral("HearingAid1Label"), {}, At(503, 175), bold);
    testDate1Label_ = PlaceLabel(this, QStringLiteral("TestDate1Label"), {}, At(503, 203), bold);
    hearingAid2Label_ =
        PlaceLabel(this, QStringLiteral("HearingAid2Label"), {}, At(757, 175), bold);
    testDate2Label_ = PlaceLabel(this, QStringLiteral("TestDate2Label"), {}, At(757, 203), bold);

    answerScrollBox_ = new QScrollArea(this);
    answerScrollBox_->setObjectName(QStringLiteral("AnswerScrollBox"));
    answerScrollBox_->setGeometry(5, 240, 1004, 327);
    answerScrollBox_->setFont(PixelFont(16));
    answerScrollBox_->setFocusPolicy(Qt::NoFocus);
    answerScrollBox_->setVerticalScrollBar(new WideScrollBar(answerScrollBox_));
    answerScrollBox_->verticalScrollBar()->setTracking(true);
    answerScrollBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    answerScrollBox_->setWidgetResizable(false);
    SetBackground(*answerScrollBox_, kScrollBoxColour);
    SetBackground(*answerScrollBox_->viewport(), kScrollBoxColour);
    scrollContent_ = new entry::AnswerGrid;
    scrollContent_->setObjectName(QStringLiteral("ScrollContent"));
    scrollContent_->SetKeyHandler([this](const QKeyEvent& key) { return GridKey(key); });
    scrollContent_->SetCellNamer([this](int row, int column) { return CellName(column, row); });
    scrollContent_->setAccessibleDescription(
        QStringLiteral("A to G or 1 to 7 answers the item and moves on; arrows, Home and End move; "
                       "Delete clears; Backspace takes back the last answer; F8 goes to the next "
                       "unanswered item."));
    // A click on a row's band puts the focus cell there, in the condition on that side.
    scrollContent_->SetPressHandler([this](QPoint at) {
        const int row = (at.y() - entry::RowTop(0)) / kRowHeight;
        if (shownItemCount_ == 0 || at.y() < entry::RowTop(0) || row >= shownItemCount_) return;
        const int between =
            (entry::CellFrame(0, 0, false).right() + entry::CellFrame(1, 0, false).left()) / 2;
        MoveFocusCell(at.x() < between ? 0 : 1, row, false);
    });
    SetBackground(*scrollContent_, kScrollBoxColour);
    scrollContent_->resize(kScrollContentWidth, 5);
    answerScrollBox_->setWidget(scrollContent_);

    const auto placeClear = [this](const QString& name, const QString& caption, int left) {
        QPushButton* button =
            PlaceButton(this, name, caption, QRect(left, 573, 140, 50), PixelFont(13));
        button->setToolTip(QStringLiteral("Clear all responses from this condition"));
        return button;
    };
    clearCondition1Button_ = placeClear(QStringLiteral("ClearCondition1Button"),
                                        QStringLiteral("Clear Condition 1"), 17);
    clearCondition2Button_ = placeClear(QStringLiteral("ClearCondition2Button"),
                                        QStringLiteral("Clear Condition 2"), 207);
    const LabelStyle counter = {.font = PixelFont(13, true)};
    for (int c = 0; c < kConditionCount; ++c) {
        // Under the condition's column, between the scroll box and the page's foot.
        answeredLabels_[static_cast<std::size_t>(c)] =
            PlaceLabel(this, QStringLiteral("AnsweredLabel%1").arg(c + 1), {},
                       At(c == 0 ? 503 : 757, 578), counter);
        // Its text is the count, which a screen reader says as the name; this says whose.
        answeredLabels_[static_cast<std::size_t>(c)]->setAccessibleDescription(
            QStringLiteral("Answered items of condition %1").arg(c + 1));
    }
    // The keys of the grid, in one line under the counters.
    keyHelpLabel_ = PlaceLabel(
        this, QStringLiteral("KeyHelpLabel"),
        QStringLiteral("A\u2013G answer \u00B7 Space skip \u00B7 Backspace undo \u00B7 F8 next "
                       "unanswered"),
        At(503, 603), {.font = PixelFont(13)});
    connect(clearCondition1Button_, &QPushButton::clicked, this, [this] { ClearFromButton(0); });
    connect(clearCondition2Button_, &QPushButton::clicked, this, [this] { ClearFromButton(1); });
}

void ResponseEntryPage::BuildRows() {
    const auto& labels = RatedOptionLabels();
    for (int r = 0; r < kMaxItems; ++r) {
        // The rows take the scroll box's font.
        QLabel* row = PlaceLabel(scrollContent_, QStringLiteral("RowLabel%1").arg(r + 1), {},
                                 QRect(12, kRowHeight * r + 5, 960, kRowHeight),
                                 {.font = std::nullopt, .wordWrap = true});
        SetBackground(*row, r % 2 == 0 ? kEvenRowColour : kScrollBoxColour);
        // The row's text colour while it keeps a stored code (ShowRowMark switches to it).
        QPalette palette = row->palette();
        palette.setColor(QPalette::BrightText, QColor::fromRgb(kKeptCodeColour));
        row->setPalette(palette);
        // Shown explicitly: the rows may be built while the page is already on screen.
        row->setVisible(true);
        rowLabels_[static_cast<std::size_t>(r)] = row;
        // In the margin left of the row band, shown while the row keeps a stored code.
        QLabel* mark = PlaceLabel(scrollContent_, QStringLiteral("RowMark%1").arg(r + 1),
                                  QStringLiteral("!"), QRect(0, kRowHeight * r + 5, 12, kRowHeight),
                                  {.font = PixelFont(16, true), .alignment = Qt::AlignCenter});
        SetTextColour(*mark, kKeptCodeColour);
        mark->setVisible(false);
        rowMarks_[static_cast<std::size_t>(r)] = mark;
    }
    // Buttons after the labels, so they lie on top of the row bands.
    for (int c = 0; c < kConditionCount; ++c) {
        for (int r = 0; r < kMaxItems; ++r) {
            LetterRow& row = letters_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
            for (int k = 0; k < kLetterCount; ++k) {
                const QString letter(QChar(u'A' + static_cast<char16_t>(k)));
                const QString meaning = drawing::Utf8Text(labels[static_cast<std::size_t>(k)]);
                auto* button = new entry::LetterButton(scrollContent_, letter, meaning,
                                                       entry::LetterRect(c, r, k));
                button->setObjectName(
                    QStringLiteral("Letter%1_%2_%3").arg(c + 1).arg(r + 1).arg(letter));
                // Whether it is down, a screen reader hears from the button's checked state.
                button->setAccessibleName(QStringLiteral("Item %1, condition %2: %3, %4")
                                              .arg(r + 1)
                                              .arg(c + 1)
                                              .arg(letter, meaning));
                button->setVisible(false);
                row[static_cast<std::size_t>(k)] = button;
                // One row is a group in which all buttons may be up. A click always changes
                // the answer: the one letter goes down, or up.
                connect(button, &QToolButton::clicked, this, [this, &row, button, c, r](bool down) {
                    scrollContent_->ChangeTogether([&] {
                        if (down) {
                            for (entry::LetterButton* other : row) {
                                if (other != button) other->setChecked(false);
                            }
                        }
                        MoveFocusCell(c, r, false);
                        AnswerChanged(c, r);
                    });
                });
            }
        }
    }
}

void ResponseEntryPage::BuildUseLists() {
    for (int j = 0; j < kUseItemCount; ++j) {
        QStringList options;
        for (const std::string_view option : UseOptionLabels(j))
            options << drawing::Utf8Text(option);
        for (int c = 0; c < kConditionCount; ++c) {
            QComboBox* list =
                PlaceList(scrollContent_, QStringLiteral("UseList%1_%2").arg(c + 1).arg(j + 1),
                          QRect(c == 0 ? 485 : 745, 0, 200, 25), options, false);
            list->setVisible(false);
            list->setEnabled(false);
            list->installEventFilter(this);
            // A pick, by the mouse, an arrow or a key: the entry is what it stores.
            connect(list, &QComboBox::currentIndexChanged, this, [this, c, j] {
                if (!loading_) AnswerChanged(c, shownItemCount_ - kUseItemCount + j);
            });
            useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)] = list;
        }
    }
}

// --- Showing ------------------------------------------------------------------------

void ResponseEntryPage::OnShown() {
    BuildRowsOnce();
    const ClientRecord& record = gClientRecord;
    shownForm_ = record.TestForm;
    formTitleLabel_->setText(QStringLiteral(" Form: ") +
                             drawing::Utf8Text(FormKindName(shownForm_)));
    const std::array<std::pair<QLabel*, std::span<const char>>, 4> captions = {{
        {hearingAid1Label_, record.HearingAid1},
        {testDate1Label_, record.TestDate1},
        {hearingAid2Label_, record.HearingAid2},
        {testDate2Label_, record.TestDate2},
    }};
    for (const auto& [label, field] : captions) {
        label->setText(drawing::RecordText(field));
        label->adjustSize();
    }
    shownItemCount_ = ItemCount(shownForm_);
    scrollContent_->resize(kScrollContentWidth, kRowHeight * shownItemCount_ + 5);
    scrollContent_->SetRowCount(shownItemCount_);
    answerScrollBox_->verticalScrollBar()->setValue(0);
    ArrangeRows();
    ShowResponses();
    // Typing goes to the grid at once, from the first item condition 1 still lacks.
    int first = 0;
    while (first < shownItemCount_ && IsAnswered(0, first)) ++first;
    MoveFocusCell(0, first < shownItemCount_ ? first : 0, true);
    scrollContent_->setFocus(Qt::OtherFocusReason);
}

void ResponseEntryPage::ArrangeRows() {
    const int rated = shownItemCount_ > 0 ? shownItemCount_ - kUseItemCount : 0;
    for (auto& condition : letters_) {
        for (int r = 0; r < kMaxItems; ++r) {
            const bool used = r < rated;
            for (entry::LetterButton* button : condition[static_cast<std::size_t>(r)]) {
                button->setVisible(used);
                button->setEnabled(used);
            }
        }
    }
    for (int j = 0; j < kUseItemCount; ++j) {
        for (int c = 0; c < kConditionCount; ++c) {
            QComboBox* list = useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            const bool used = shownItemCount_ > 0;
            if (used) {
                list->move(entry::ListRect(c, rated + j).topLeft());
                NameList(*list,
                         QStringLiteral("Item %1, condition %2").arg(rated + j + 1).arg(c + 1));
                list->setAccessibleDescription(Question(rated + j));
            }
            list->setVisible(used);
            list->setEnabled(used);
        }
    }
}

void ResponseEntryPage::ClearFromButton(int condition) {
    const bool cleared = ClearCondition(condition);
    if (shownItemCount_ == 0) return;
    // The keys go back to the grid, from item 1 of a sheet just cleared: left on the button,
    // letters would do nothing and Space would ask again.
    if (cleared) MoveFocusCell(condition, 0, true);
    scrollContent_->setFocus(Qt::OtherFocusReason);
}

void ResponseEntryPage::OnHidden() {
    StoreResponses();
}

// --- The focus cell and the keyboard -----------------------------------------------------

void ResponseEntryPage::MoveFocusCell(int condition, int row, bool scroll) {
    if (complete_) {
        complete_ = false;
        ShowStatusMessage({});
    }
    focusCondition_ = condition;
    focusRow_ = row;
    const int count = shownItemCount_;
    const QRect frame =
        count == 0 ? QRect() : entry::CellFrame(condition, row, row >= count - kUseItemCount);
    scrollContent_->SetFocusFrame(frame);
    // The whole band of the row, and a glimpse of the next, whichever way the focus went.
    if (scroll && !frame.isEmpty())
        answerScrollBox_->ensureVisible(frame.center().x(), frame.center().y(), 0, kRowHeight);
    if (count == 0) {
        scrollContent_->SetFocusCell(-1, -1);
    } else {
        scrollContent_->SetFocusCell(row, condition);
    }
}

void ResponseEntryPage::Advance() {
    if (focusRow_ + 1 < shownItemCount_) {
        MoveFocusCell(focusCondition_, focusRow_ + 1, true);
    } else if (focusCondition_ == 0) {
        MoveFocusCell(1, 0, true);  // the condition 2 sheet follows the condition 1 sheet
    }
}

void ResponseEntryPage::CompleteForm() {
    complete_ = true;
    scrollContent_->SetFocusFrame({});
    // The counters already say it: the note repeats their texts.
    const QString note = QStringLiteral("Form complete: ") + answeredLabels_[0]->text() +
                         QStringLiteral(", ") + answeredLabels_[1]->text().toLower();
    ShowStatusMessage(note);
    scrollContent_->ShowNote(note);
}

void ResponseEntryPage::TakeBackLastAnswer() {
    const int last = shownItemCount_ - 1;
    if (complete_) {
        MoveFocusCell(1, last, true);
    } else if (focusRow_ > 0) {
        MoveFocusCell(focusCondition_, focusRow_ - 1, true);
    } else if (focusCondition_ == 1) {
        MoveFocusCell(0, last, true);
    } else {
        return;  // item 1 of condition 1: no answer comes before it
    }
    AnswerFocusCell(-1);
}

void ResponseEntryPage::GoToNextUnanswered() {
    const int count = shownItemCount_;
    const int cells = kConditionCount * count;
    const int at = focusCondition_ * count + focusRow_;
    for (int step = 1; step <= cells; ++step) {
        const int cell = (at + step) % cells;
        if (!IsAnswered(cell / count, cell % count)) {
            MoveFocusCell(cell / count, cell % count, true);
            return;
        }
    }
}

bool ResponseEntryPage::GridKey(const QKeyEvent& key) {
    const int count = shownItemCount_;
    if (count == 0) return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const int k = key.key();
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
        if ((modifiers & (Qt::AltModifier | Qt::MetaModifier)) != 0) return false;
        const bool forward = k == Qt::Key_Tab && (modifiers & Qt::ShiftModifier) == 0;
        const bool leave =
            (modifiers & Qt::ControlModifier) != 0 || focusCondition_ == (forward ? 1 : 0);
        if (leave) {
            scrollContent_->LeaveGrid(forward);
        } else {
            MoveFocusCell(forward ? 1 : 0, focusRow_, true);
        }
        return true;
    }
    // Ctrl and Alt belong to the window's commands.
    if ((modifiers & ~Qt::ShiftModifier) != 0) return false;
    const int last = count - 1;
    if (complete_) {
        // Nothing lies past the end: keys that would answer, clear or go on are taken and do
        // nothing; the frame comes back by Up, Backspace or any other move.
        switch (k) {
            case Qt::Key_Up:
                MoveFocusCell(1, last, true);
                return true;
            case Qt::Key_Down:
            case Qt::Key_PageDown:
            case Qt::Key_Space:
            case Qt::Key_Delete:
                return true;
            default:
                break;
        }
    }
    constexpr int kPageRows = 7;  // the rows the scroll box shows at once
    switch (k) {
        case Qt::Key_Up:
            MoveFocusCell(focusCondition_, std::max(focusRow_ - 1, 0), true);
            return true;
        case Qt::Key_Down:
            MoveFocusCell(focusCondition_, std::min(focusRow_ + 1, last), true);
            return true;
        case Qt::Key_PageUp:
            MoveFocusCell(focusCondition_, std::max(focusRow_ - kPageRows, 0), true);
            return true;
        case Qt::Key_PageDown:
            MoveFocusCell(focusCondition_, std::min(focusRow_ + kPageRows, last), true);
            return true;
        case Qt::Key_Home:
            MoveFocusCell(focusCondition_, 0, true);
            return true;
        case Qt::Key_End:
            MoveFocusCell(focusCondition_, last, true);
            return true;
        case Qt::Key_Left:
            MoveFocusCell(0, focusRow_, true);
            return true;
        case Qt::Key_Right:
            MoveFocusCell(1, focusRow_, true);
            return true;
        case Qt::Key_Space:
            Advance();
            return true;
        case Qt::Key_Delete:
            AnswerFocusCell(-1);
            return true;
        case Qt::Key_Backspace:
            TakeBackLastAnswer();
            return true;
        case Qt::Key_F8:
            GoToNextUnanswered();
            return true;
        default:
            break;
    }
    int option = -1;
    if (k >= Qt::Key_A && k <= Qt::Key_G) option = k - Qt::Key_A;
    if (k >= Qt::Key_1 && k <= Qt::Key_7) option = k - Qt::Key_1;
    if (option < 0) return false;
    // A letter the item does not offer (F at a use item) is taken and does nothing, as is
    // every letter once the form is complete.
    if (complete_ || !AnswerFocusCell(option)) return true;
    if (focusCondition_ == 1 && focusRow_ == last) {
        CompleteForm();
    } else {
        Advance();
    }
    return true;
}

bool ResponseEntryPage::UseListKey(QComboBox& list, const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if ((modifiers & ~Qt::ShiftModifier) != 0) return false;  // the window's commands
    const int k = key.key();
    int option = -1;
    if (k >= Qt::Key_A && k <= Qt::Key_E) option = k - Qt::Key_A;
    if (k >= Qt::Key_1 && k <= Qt::Key_5) option = k - Qt::Key_1;
    if (option >= 0 && option < list.count()) {
        list.setCurrentIndex(option);  // reports the change itself
        return true;
    }
    // Any other character would search the entries by their text: a digit of "5 - 6 days"
    // must not pick it.
    const QString text = key.text();
    return !text.isEmpty() && text.front().isPrint() && k != Qt::Key_Space;
}

bool ResponseEntryPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (auto* list = qobject_cast<QComboBox*>(watched);
            list != nullptr && UseListKey(*list, *static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn && shownItemCount_ > 0) {
        for (int c = 0; c < kConditionCount; ++c) {
            for (int j = 0; j < kUseItemCount; ++j) {
                if (watched == useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)])
                    MoveFocusCell(c, shownItemCount_ - kUseItemCount + j, false);
            }
        }
    }
    return Page::eventFilter(watched, event);
}

}  // namespace kivo
