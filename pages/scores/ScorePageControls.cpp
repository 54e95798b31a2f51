// The score pages' shared controls: the paint box over the canvas, the graph panel, the
// printer glyph and the side panel of client details with its label places.
#include "pages/scores/ScorePageControls.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>

#include "canvas/PainterCanvas.h"
#include "drawing/ClientDetails.h"
#include "pages/widgets/FixedLayout.h"

namespace kivo {
namespace {

constexpr int kLabelPixelHeight = 16;     // "MS Sans Serif" 12 pt
constexpr int kCommentsPixelHeight = 13;  // "MS Sans Serif" 10 pt

struct LabelPlace {
    const char* name;
    int left;
    int top;
    bool bold;
    const char* designText;
};

// The side panel's labels; CommentsLabel, the comments box, is placed apart.
constexpr std::array<LabelPlace, 19> kLabels = {{
    {"NameLabel", 7, 5, true, "Name:"},
    {"GenderLabel", 7, 28, true, "Gender:"},
    {"DOBLabel", 7, 53, true, "Date of Birth:"},
    {"TestFormLabel", 7, 77, true, "Test Form: "},
    {"Condition1Label", 11, 106, true, "Condition 1:"},
    {"Condition1AidCaption", 9, 131, false, "Hearing aid information:"},
    {"Condition1AidLabel", 46, 153, false, ""},
    {"Condition1EarLabel", 12, 174, false, "Ear: "},
    {"Condition1CouplingLabel", 107, 175, false, "Coupling: "},
    {"Condition1TestDateLabel", 15, 199, false, "Date of Test: "},
    {"Condition1ExperienceLabel", 13, 222, false, "HA Experience: "},
    {"Condition2Label", 15, 256, true, "Condition 2:"},
    {"Condition2AidCaption", 13, 282, false, "Hearing aid information:"},
    {"Condition2AidLabel", 51, 304, false, ""},
    {"Condition2EarLabel", 16, 325, false, "Ear: "},
    {"Condition2CouplingLabel", 114, 326, false, "Coupling: "},
    {"Condition2TestDateLabel", 14, 349, false, "Date of Test: "},
    {"Condition2ExperienceLabel", 16, 374, false, "HA Experience: "},
    {"CommentsCaption", 17, 400, true, "Comments:"},
}};
constexpr QRect kCommentsBox(17, 426, 299, 111);

// The comments memo's line breaks (CR LF) as the label's own.
QString CommentsText(const drawing::ClientDetails& details) {
    QString text = details.comments;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Where a detail must end: one blank before the next label on its row, or at the panel's
// edge, so a long value never runs under its neighbour or out of sight.
int RoomRightOf(const QLabel& label, const QList<QLabel*>& labels, int panelWidth) {
    const int blank = label.fontMetrics().horizontalAdvance(QLatin1Char(' '));
    int right = panelWidth - blank;
    for (const QLabel* other : labels) {
        const bool sameRow =
            other->y() < label.y() + label.height() && label.y() < other->y() + other->height();
        if (other != &label && sameRow && other->x() > label.x()) {
            right = std::min(right, other->x() - blank);
        }
    }
    return right;
}

// Shortens a label that reaches past `right` with an ellipsis; the whole text stays in its
// tool tip.
void FitInRoom(QLabel& label, int right, const QString& text) {
    const int room = right - label.x();
    if (label.width() <= room) return;
    label.setText(label.fontMetrics().elidedText(text, Qt::ElideRight, room));
    label.setToolTip(text);
    label.resize(room, label.height());
}

}  // namespace

PaintBox::PaintBox(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    SetBackground(*this, 0xFFFFFF);
}

void PaintBox::paintEvent(QPaintEvent* /*event*/) {
    if (!draw_) return;
    QPainter painter(this);
    canvas::PainterCanvas canvas(painter);
    draw_(canvas, width(), height());
}

void SetUpScorePage(QWidget& page, const QString& name, const QString& caption, const QFont& font) {
    page.setObjectName(name);
    page.setWindowTitle(caption);
    SetBackground(page, kButtonFace);
    page.setFont(font);
}

PaintBox* PlaceGraphPanel(QWidget* page, QRect geometry, PaintBox::Drawing draw) {
    QWidget* panel = PlacePanel(page, QStringLiteral("GraphPanel"), geometry, 0xFFFFFF);
    auto* box = new PaintBox(panel, QStringLiteral("GraphPaintBox"));
    box->setGeometry(panel->rect());
    box->SetDrawing(std::move(draw));
    return box;
}

QIcon PrinterGlyph() {
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/pages/glyphs/printer.png")), QIcon::Normal);
    icon.addPixmap(QPixmap(QStringLiteral(":/pages/glyphs/printer-disabled.png")), QIcon::Disabled);
    return icon;
}

std::vector<std::pair<QString, QString>> ClientInfoTexts(const ClientRecord& record) {
    const drawing::ClientDetails d = drawing::ClientDetailsOf(record);
    const auto& [c1, c2] = d.conditions;
    return {
        {"NameLabel", "Name: " + d.firstName + " " + d.lastName},
        {"GenderLabel", d.gender},
        {"DOBLabel", d.birthDate},
        {"TestFormLabel", d.testForm},
        {"Condition1AidLabel", c1.hearingAid},
        {"Condition1EarLabel", c1.ear},
        {"Condition1CouplingLabel", c1.coupling},
        {"Condition1TestDateLabel", c1.testDate},
        {"Condition1ExperienceLabel", c1.experience},
        {"Condition2AidLabel", c2.hearingAid},
        {"Condition2EarLabel", c2.ear},
        {"Condition2CouplingLabel", c2.coupling},
        {"Condition2TestDateLabel", c2.testDate},
        {"Condition2ExperienceLabel", c2.experience},
        {"CommentsLabel", CommentsText(d)},
    };
}

void PlaceClientInfoLabels(QWidget& clientPanel) {
    for (const LabelPlace& place : kLabels) {
        PlaceLabel(&clientPanel, QString::fromLatin1(place.name),
                   QString::fromLatin1(place.designText), At(place.left, place.top),
                   {.font = PixelFont(kLabelPixelHeight, place.bold)});
    }
    QLabel* comments = PlaceLabel(&clientPanel, QStringLiteral("CommentsLabel"), {}, kCommentsBox,
                                  {.font = PixelFont(kCommentsPixelHeight), .wordWrap = true});
    SetBackground(*comments, kButtonFace);
}

void ShowClientInfo(QWidget& clientPanel, const ClientRecord& record) {
    const QList<QLabel*> labels = clientPanel.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    for (const auto& [name, text] : ClientInfoTexts(record)) {
        auto* label = clientPanel.findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
        if (label == nullptr) continue;
        label->setText(text);
        label->setToolTip({});
        if (label->wordWrap()) continue;
        label->adjustSize();
        FitInRoom(*label, RoomRightOf(*label, labels, clientPanel.width()), text);
    }
}

}  // namespace kivo
