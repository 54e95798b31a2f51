// The response entry page: its controls, built once, and the handlers.
#include "pages/entry/ResponseEntryPage.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>

#include "model/Cp1252.h"
#include "shell/FileModified.h"
#include "model/ProductContent.h"
#include "model/Session.h"
#include "pages/widgets/EntryControls.h"
#include "pages/entry/LetterButton.h"

namespace kivo {

using entry::PlaceLabel;
using entry::SetBackground;
using entry::WinFont;

ResponseEntryPage* gResponseEntryPage = nullptr;

namespace {

constexpr int kRowHeight = 43;
constexpr unsigned kScrollBoxColour = 0xC0DCC0;
constexpr unsigned kEvenRowColour = 0xA6CAF0;
constexpr int kScrollContentWidth = 980;  // the scroll box's inside, less its 20 px bar

// The scroll box's vertical bar, 20 px wide.
class WideScrollBar final : public QScrollBar {
public:
    explicit WideScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}
    QSize sizeHint() const override { return {20, QScrollBar::sizeHint().height()}; }
};

QString FromCp1252(std::string_view bytes) {
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

QLabel* PlaceBox(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                 const QFont& font) {
    QLabel* label = PlaceLabel(parent, name, text, geometry.topLeft(), font);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

ResponseEntryPage::ResponseEntryPage(QWidget* parent) : Page(parent) {
    setObjectName(QStringLiteral("ResponseEntryPage"));
    setWindowTitle(QStringLiteral("Data Entry Form"));
    setFont(WinFont(16, true));
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
    BuildRows();
    BuildUseLists();
    // The letter buttons never take the focus: the lists, then the clear buttons.
    QWidget* previous = nullptr;
    for (int j = 0; j < kUseItemCount; ++j) {
        for (int c = 0; c < kConditionCount; ++c) {
            QWidget* list = UseLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)];
            if (previous != nullptr) setTabOrder(previous, list);
            previous = list;
        }
    }
    setTabOrder(previous, ClearButton1);
    setTabOrder(ClearButton1, ClearButton2);
}

void ResponseEntryPage::BuildInstructionPanel() {
    auto* panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(6, 8, 475, 224);
    SetBackground(*panel1, 0xFFFFFF);

    Label1 =
        PlaceBox(panel1, QStringLiteral("Label1"), {}, QRect(0, 0, 475, 22), WinFont(19, true));
    SetBackground(*Label1, 0xFF0000);
    entry::SetTextColour(*Label1, 0xFFFFFF);
    QLabel* label2 =
        PlaceBox(panel1, QStringLiteral("Label2"), FromCp1252(Content().screenInstructions),
                 QRect(7, 32, 289, 151), WinFont(16));
    label2->setWordWrap(true);

    auto* panel2 = new QWidget(panel1);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(302, 24, 159, 202);
    SetBackground(*panel2, 0xFFFFFF);
    constexpr std::array<int, kLetterCount> tops = {7, 34, 62, 89, 117, 144, 172};
    const auto& labels = RatedOptionLabels();
    for (std::size_t k = 0; k < tops.size(); ++k) {
        const QString text = QChar(u'A' + static_cast<char16_t>(k)) + QStringLiteral(" - ") +
                             QString::fromLatin1(labels[k]);
        PlaceLabel(panel2, QStringLiteral("Label%1").arg(k + 3), text, QPoint(7, tops[k]),
                   WinFont(16, true));
    }

    QLabel* label10 = PlaceBox(panel1, QStringLiteral("Label10"),
                               QStringLiteral(" How good are the hearing aids at..."),
                               QRect(0, 224 - 23, 475, 23), WinFont(19));
    SetBackground(*label10, 0xFFFFFF);
    panel2->raise();  // the option guide lies over the right end of the stem line
}

void ResponseEntryPage::BuildStaticControls() {
    const QFont bold = WinFont(16, true);
    PlaceLabel(this, QStringLiteral("ConditionLabel1"), QStringLiteral("Condition 1"),
               QPoint(503, 149), bold);
    PlaceLabel(this, QStringLiteral("ConditionLabel2"), QStringLiteral("Condition 2"),
               QPoint(757, 149), bold);
    Label11 = PlaceLabel(this, QStringLiteral("Label11"), {}, QPoint(503, 175), bold);
    Label12 = PlaceLabel(this, QStringLiteral("Label12"), {}, QPoint(503, 203), bold);
    Label13 = PlaceLabel(this, QStringLiteral("Label13"), {}, QPoint(757, 175), bold);
    Label14 = PlaceLabel(this, QStringLiteral("Label14"), {}, QPoint(757, 203), bold);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(5, 240, 1004, 327);
    ScrollBox1->setFont(WinFont(16));
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    ScrollBox1->setVerticalScrollBar(new WideScrollBar(ScrollBox1));
    ScrollBox1->verticalScrollBar()->setTracking(true);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setWidgetResizable(false);
    SetBackground(*ScrollBox1, kScrollBoxColour);
    SetBackground(*ScrollBox1->viewport(), kScrollBoxColour);
    ScrollContent_ = new QWidget;
    ScrollContent_->setObjectName(QStringLiteral("ScrollContent"));
    SetBackground(*ScrollContent_, kScrollBoxColour);
    ScrollContent_->resize(kScrollContentWidth, 5);
    ScrollBox1->setWidget(ScrollContent_);

    const auto placeClear = [this](const QString& name, const QString& caption, int left) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setGeometry(left, 573, 140, 50);
        button->setFont(WinFont(13));
        button->setToolTip(QStringLiteral("Clear all responses from this condition"));
        return button;
    };
    ClearButton1 =
        placeClear(QStringLiteral("ClearButton1"), QStringLiteral("Clear Condition 1"), 17);
    ClearButton2 =
        placeClear(QStringLiteral("ClearButton2"), QStringLiteral("Clear Condition 2"), 207);
    connect(ClearButton1, &QPushButton::clicked, this, [this] { ClearCondition(0); });
    connect(ClearButton2, &QPushButton::clicked, this, [this] { ClearCondition(1); });
}

void ResponseEntryPage::BuildRows() {
    const auto& labels = RatedOptionLabels();
    for (int r = 0; r < kMaxItems; ++r) {
        auto* row = new QLabel(ScrollContent_);
        row->setObjectName(QStringLiteral("RowLabel%1").arg(r + 1));
        row->setTextFormat(Qt::PlainText);
        row->setWordWrap(true);
        row->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        row->setGeometry(12, kRowHeight * r + 5, 960, kRowHeight);
        SetBackground(*row, r % 2 == 0 ? kEvenRowColour : kScrollBoxColour);
        RowLabels_[static_cast<std::size_t>(r)] = row;
    }
    // Buttons after the labels, so they lie on top of the row bands.
    for (int c = 0; c < kConditionCount; ++c) {
        const int left = c == 0 ? 480 : 740;
        const int side = c == 0 ? 28 : 25;
        for (int r = 0; r < kMaxItems; ++r) {
            LetterRow& row = Letters_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
            for (int k = 0; k < kLetterCount; ++k) {
                const QString letter(QChar(u'A' + static_cast<char16_t>(k)));
                auto* button = new entry::LetterButton(
                    ScrollContent_, letter,
                    QString::fromLatin1(labels[static_cast<std::size_t>(k)]),
                    QRect(left + 30 * k, kRowHeight * r + 8, side, side));
                button->setObjectName(
                    QStringLiteral("Letter%1_%2_%3").arg(c + 1).arg(r + 1).arg(letter));
                button->setVisible(false);
                row[static_cast<std::size_t>(k)] = button;
                // One row is a group in which all buttons may be up.
                connect(button, &QToolButton::clicked, this, [&row, button](bool down) {
                    if (!down) return;
                    for (entry::LetterButton* other : row) {
                        if (other != button) other->setChecked(false);
                    }
                });
                connect(button, &entry::LetterButton::MouseUp, this,
                        [] { RaiseFileModified(); });
            }
        }
    }
}

void ResponseEntryPage::BuildUseLists() {
    for (int j = 0; j < kUseItemCount; ++j) {
        QStringList options;
        for (const std::string_view option : UseOptionLabels(j))
            options << QString::fromLatin1(option);
        for (int c = 0; c < kConditionCount; ++c) {
            QComboBox* list = entry::PlaceList(
                ScrollContent_, QStringLiteral("UseList%1_%2").arg(c + 1).arg(j + 1),
                QRect(c == 0 ? 485 : 745, 0, 200, 25), options, true);
            list->setVisible(false);
            list->setEnabled(false);
            connect(list, &QComboBox::editTextChanged, this, [this] {
                if (!Loading_) RaiseFileModified();
            });
            connect(list, &QComboBox::currentIndexChanged, this, [this] {
                if (!Loading_) RaiseFileModified();
            });
            UseLists_[static_cast<std::size_t>(c)][static_cast<std::size_t>(j)] = list;
        }
    }
}

// --- Showing ------------------------------------------------------------------------

void ResponseEntryPage::OnShown() {
    const ClientRecord& record = gClientRecord;
    ShownForm_ = record.TestForm;
    Label1->setText(QStringLiteral(" Form: ") + QString::fromLatin1(FormKindName(ShownForm_)));
    const std::array<std::pair<QLabel*, std::span<const char>>, 4> captions = {{
        {Label11, record.HearingAid1},
        {Label12, record.TestDate1},
        {Label13, record.HearingAid2},
        {Label14, record.TestDate2},
    }};
    for (const auto& [label, field] : captions) {
        label->setText(entry::FieldText(field));
        label->adjustSize();
    }
    ShownItemCount_ = ItemCount(ShownForm_);
    ScrollContent_->resize(kScrollContentWidth, kRowHeight * ShownItemCount_ + 5);
    ScrollBox1->verticalScrollBar()->setValue(0);
    ArrangeRows();
    ShowResponses();
}

void ResponseEntryPage::ArrangeRows() {
    const int rated = ShownItemCount_ > 0 ? ShownItemCount_ - kUseItemCount : 0;
    for (auto& condition : Letters_) {
        for (int r = 0; r < kMaxItems; ++r) {
            const bool used = r < rated;
            for (entry::LetterButton* button : condition[static_cast<std::size_t>(r)]) {
                button->setVisible(used);
                button->setEnabled(used);
            }
        }
    }
    for (int j = 0; j < kUseItemCount; ++j) {
        for (auto& lists : UseLists_) {
            QComboBox* list = lists[static_cast<std::size_t>(j)];
            const bool used = ShownItemCount_ > 0;
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
