// The response entry page: its controls, built once, and what they do when the page is shown
// and hidden or a button is pressed.
#include "pages/entry/ResponseEntryPage.h"

#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "drawing/RecordText.h"
#include "model/ProductContent.h"
#include "model/Session.h"
#include "pages/entry/LetterButton.h"
#include "pages/widgets/FixedLayout.h"
#include "shell/FileModified.h"

namespace kivo {

ResponseEntryPage* gResponseEntryPage = nullptr;

namespace {

constexpr int kRowHeight = 43;
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
    BuildPage();
    gResponseEntryPage = this;
}

ResponseEntryPage::~ResponseEntryPage() {
    if (gResponseEntryPage == this) gResponseEntryPage = nullptr;
}

// --- Building -----------------------------------------------------------------------

void ResponseEntryPage::BuildPage() {
    BuildInstructionPanel();
    BuildStaticControls();
}

// The 40 rows with their 560 letter buttons and the six lists are most of the program's
// widgets: they are built when the page is first shown, not at start-up, so the main window
// comes up without waiting for a page the user may not open.
void ResponseEntryPage::BuildRowsOnce() {
    if (rowsBuilt_) return;
    rowsBuilt_ = true;
    BuildRows();
    BuildUseLists();
    // The letter buttons never take the focus: the lists, then the clear buttons.
    QWidget* previous = nullptr;
    for (int j = 0; j < kUseItemCount; ++j) {
        for (int c = 0; c < kConditionCount; ++c) {
            QWidget* list = useLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            if (previous != nullptr) setTabOrder(previous, list);
            previous = list;
        }
    }
    setTabOrder(previous, clearButton1_);
    setTabOrder(clearButton1_, clearButton2_);
}

void ResponseEntryPage::BuildInstructionPanel() {
    QWidget* panel1 = PlacePanel(this, QStringLiteral("Panel1"), QRect(6, 8, 475, 224), 0xFFFFFF);

    label1_ = PlaceLabel(panel1, QStringLiteral("Label1"), {}, QRect(0, 0, 475, 22),
                         {.font = PixelFont(19, true)});
    SetBackground(*label1_, 0xFF0000);
    SetTextColour(*label1_, 0xFFFFFF);
    PlaceLabel(panel1, QStringLiteral("Label2"), drawing::Cp1252Text(Content().screenInstructions),
               QRect(7, 32, 289, 151), {.font = PixelFont(16), .wordWrap = true});

    QWidget* panel2 =
        PlacePanel(panel1, QStringLiteral("Panel2"), QRect(302, 24, 159, 202), 0xFFFFFF);
    constexpr std::array<int, kLetterCount> tops = {7, 34, 62, 89, 117, 144, 172};
    const auto& labels = RatedOptionLabels();
    for (std::size_t k = 0; k < tops.size(); ++k) {
        const QString text = QChar(u'A' + static_cast<char16_t>(k)) + QStringLiteral(" - ") +
                             drawing::Utf8Text(labels[k]);
        PlaceLabel(panel2, QStringLiteral("Label%1").arg(k + 3), text, At(7, tops[k]),
                   {.font = PixelFont(16, true)});
    }

    QLabel* label10 = PlaceLabel(panel1, QStringLiteral("Label10"),
                                 QStringLiteral(" How good are the hearing aids at..."),
                                 QRect(0, 224 - 23, 475, 23), {.font = PixelFont(19)});
    SetBackground(*label10, 0xFFFFFF);
    panel2->raise();  // the option guide lies over the right end of the stem line
}

void ResponseEntryPage::BuildStaticControls() {
    const LabelStyle bold = {.font = PixelFont(16, true)};
    PlaceLabel(this, QStringLiteral("ConditionLabel1"), QStringLiteral("Condition 1"), At(503, 149),
               bold);
    PlaceLabel(this, QStringLiteral("ConditionLabel2"), QStringLiteral("Condition 2"), At(757, 149),
               bold);
    label11_ = PlaceLabel(this, QStringLiteral("Label11"), {}, At(503, 175), bold);
    label12_ = PlaceLabel(this, QStringLiteral("Label12"), {}, At(503, 203), bold);
    label13_ = PlaceLabel(this, QStringLiteral("Label13"), {}, At(757, 175), bold);
    label14_ = PlaceLabel(this, QStringLiteral("Label14"), {}, At(757, 203), bold);

    scrollBox1_ = new QScrollArea(this);
    scrollBox1_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox1_->setGeometry(5, 240, 1004, 327);
    scrollBox1_->setFont(PixelFont(16));
    scrollBox1_->setFocusPolicy(Qt::NoFocus);
    scrollBox1_->setVerticalScrollBar(new WideScrollBar(scrollBox1_));
    scrollBox1_->verticalScrollBar()->setTracking(true);
    scrollBox1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollBox1_->setWidgetResizable(false);
    SetBackground(*scrollBox1_, kScrollBoxColour);
    SetBackground(*scrollBox1_->viewport(), kScrollBoxColour);
    scrollContent_ = new QWidget;
    scrollContent_->setObjectName(QStringLiteral("ScrollContent"));
    SetBackground(*scrollContent_, kScrollBoxColour);
    scrollContent_->resize(kScrollContentWidth, 5);
    scrollBox1_->setWidget(scrollContent_);

    const auto placeClear = [this](const QString& name, const QString& caption, int left) {
        QPushButton* button =
            PlaceButton(this, name, caption, QRect(left, 573, 140, 50), PixelFont(13));
        button->setToolTip(QStringLiteral("Clear all responses from this condition"));
        return button;
    };
    clearButton1_ =
        placeClear(QStringLiteral("ClearButton1"), QStringLiteral("Clear Condition 1"), 17);
    clearButton2_ =
        placeClear(QStringLiteral("ClearButton2"), QStringLiteral("Clear Condition 2"), 207);
    connect(clearButton1_, &QPushButton::clicked, this, [this] { ClearCondition(0); });
    connect(clearButton2_, &QPushButton::clicked, this, [this] { ClearCondition(1); });
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
        const int left = c == 0 ? 480 : 740;
        const int side = c == 0 ? 28 : 25;
        for (int r = 0; r < kMaxItems; ++r) {
            LetterRow& row = letters_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
            for (int k = 0; k < kLetterCount; ++k) {
                const QString letter(QChar(u'A' + static_cast<char16_t>(k)));
                auto* button = new entry::LetterButton(
                    scrollContent_, letter, drawing::Utf8Text(labels[static_cast<std::size_t>(k)]),
                    QRect(left + 30 * k, kRowHeight * r + 8, side, side));
                button->setObjectName(
                    QStringLiteral("Letter%1_%2_%3").arg(c + 1).arg(r + 1).arg(letter));
                button->setVisible(false);
                row[static_cast<std::size_t>(k)] = button;
                // One row is a group in which all buttons may be up. A click always changes
                // the answer: the one letter goes down, or up.
                connect(button, &QToolButton::clicked, this, [this, &row, button, c, r](bool down) {
                    if (down) {
                        for (entry::LetterButton* other : row) {
                            if (other != button) other->setChecked(false);
                        }
                    }
                    AnswerChanged(c, r);
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
                          QRect(c == 0 ? 485 : 745, 0, 200, 25), options, true);
            list->setVisible(false);
            list->setEnabled(false);
            // A pick, typing or a paste: the list's text is what it stores. The text is
            // compared, as an edit may put back the same text.
            connect(list, &QComboBox::editTextChanged, this,
                    [this, c, j, shown = QString()](const QString& text) mutable {
                        if (text == shown) return;
                        shown = text;
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
    label1_->setText(QStringLiteral(" Form: ") + drawing::Utf8Text(FormKindName(shownForm_)));
    const std::array<std::pair<QLabel*, std::span<const char>>, 4> captions = {{
        {label11_, record.HearingAid1},
        {label12_, record.TestDate1},
        {label13_, record.HearingAid2},
        {label14_, record.TestDate2},
    }};
    for (const auto& [label, field] : captions) {
        label->setText(drawing::RecordText(field));
        label->adjustSize();
    }
    shownItemCount_ = ItemCount(shownForm_);
    scrollContent_->resize(kScrollContentWidth, kRowHeight * shownItemCount_ + 5);
    scrollBox1_->verticalScrollBar()->setValue(0);
    ArrangeRows();
    ShowResponses();
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
        for (auto& lists : useLists_) {
            QComboBox* list = lists[static_cast<std::size_t>(j)];
            const bool used = shownItemCount_ > 0;
            if (used) list->move(list->x(), kRowHeight * (rated + j) + 10);
            list->setVisible(used);
            list->setEnabled(used);
        }
    }
}

void ResponseEntryPage::OnHidden() {
    StoreResponses();
}

}  // namespace kivo
