// The blank questionnaires on every printable area they meet (full-page PDFs, printers with
// wide and narrow margins, low and high resolutions): no text runs into another text, and no
// text sits partly inside a panel or the item table, so nothing prints underneath a panel.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "canvas/QtConvert.h"
#include "print/questionnaire/QuestionnairePages.h"
#include "tests/blank/BlankFixtures.h"

namespace kivo::test {
namespace {

using canvas::CanvasOp;
using canvas::RecordingCanvas;

struct Area {
    const char* name;
    int dpi;
    int width, height;
};

void PrintTo(const Area& a, std::ostream* out) {
    *out << a.name;
}

// Letter is 8.5 x 11 in, A4 8.27 x 11.69 in.
const Area kAreas[] = {
    {"Letter PDF, 600 dpi", 600, 5100, 6600},
    {"A4 PDF, 600 dpi", 600, 4961, 7016},
    {"Letter less 0.13 in, 600 dpi", 600, 4961, 6401},
    {"Letter queue, 0.25 in margins, 1200 dpi", 1200, 9600, 12600},
    {"A4 queue, 12 pt margins, 1200 dpi", 1200, 9517, 13633},
    {"Letter, 0.25 in margins, 300 dpi", 300, 2400, 3150},
    {"A4 queue, 0.25 in margins, 600 dpi", 600, 4661, 6716},
    {"Letter queue, 0.75 in margins, 600 dpi", 600, 4200, 5700},
    {"A4 queue, 0.75 in margins, 600 dpi", 600, 4061, 6115},
    {"Letter queue, 0.75 in margins, 1200 dpi", 1200, 8400, 11400},
    {"A4 queue, 0.75 in margins, 300 dpi", 300, 2030, 3057},
};

// The inked part of a text: from its first to its last non-blank character, cap height down
// to the baseline.
QRect InkBox(const canvas::CanvasCall& call, int dpi) {
    const QFontMetrics m(canvas::ToQFont(call.font, dpi));
    const QString text = QString::fromStdString(call.Text);
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ') ++first;
    const QString ink = text.mid(first).trimmed();
    const int x = call.Points[0].x + m.horizontalAdvance(text.left(first));
    const int baseline = call.Points[0].y + m.ascent();
    return QRect(x, baseline - m.capHeight(), m.horizontalAdvance(ink), m.capHeight());
}

// The panels of a page: rectangles taller than three lines (the item table's frame and the
// use-item panels), less their shared edges.
std::vector<QRect> Panels(const RecordingCanvas& c, int lineHeight, int inset) {
    std::vector<QRect> panels;
    for (const auto& call : c.CallsOf(CanvasOp::Rectangle)) {
        const QRect r(QPoint(call.Points[0].x, call.Points[0].y),
                      QPoint(call.Points[1].x - 1, call.Points[1].y - 1));
        if (r.height() > 3 * lineHeight) panels.push_back(r.adjusted(inset, 0, -inset, 0));
    }
    return panels;
}

class PrintableArea : public ::testing::TestWithParam<Area> {};

TEST_P(PrintableArea, NoTextOverlapsAnotherOrStraddlesAPanel) {
    const Area area = GetParam();
    for (const FormKind form : {kShortFormA, kShortFormB, kLongForm}) {
        for (const int page : {1, 2}) {
            RecordingCanvas c(area.dpi);
            if (page == 1) {
                PrintQuestionnaireFirstPage(c, area.width, area.height, form);
            } else {
                PrintQuestionnaireSecondPage(c, area.width, area.height, form);
            }
            const std::string where = std::string(area.name) + ", form " + std::to_string(form) +
                                      ", page " + std::to_string(page);
            std::vector<std::pair<QRect, std::string>> boxes;
            for (const auto& call : Texts(c)) {
                const QRect box = InkBox(call, area.dpi);
                if (!box.isEmpty()) boxes.emplace_back(box, call.Text);
            }
            ASSERT_GT(boxes.size(), 10u) << where;
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const auto& [box, text] = boxes[i];
                EXPECT_TRUE(QRect(0, 0, area.width, area.height).contains(box))
                    << where << ": off the printable area: '" << text << "'";
                for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                    EXPECT_FALSE(box.intersects(boxes[j].first))
                        << where << ": '" << text << "' runs into '" << boxes[j].second << "'";
                }
            }
            c.font().Name = "Arial";
            c.font().Size = 11;
            const int inset = area.dpi * 20 / 600;
            for (const QRect& panel : Panels(c, c.TextHeight("X"), inset)) {
                for (const auto& [box, text] : boxes) {
                    EXPECT_TRUE(!panel.intersects(box) || panel.contains(box))
                        << where << ": '" << text << "' lies partly inside a panel";
                }
            }
        }
    }
}

// The text's whole cell, blanks and descenders included.
QRect CellBox(const canvas::CanvasCall& call, int dpi) {
    const QFontMetrics m(canvas::ToQFont(call.font, dpi));
    return QRect(call.Points[0].x, call.Points[0].y,
                 m.horizontalAdvance(QString::fromStdString(call.Text)), m.height());
}

// The header's write-in lines: one after each label, on the label's row, clear of every
// text, and long enough to write on by hand.
TEST_P(PrintableArea, WriteInLinesFollowTheirLabelsAndLeaveRoomToWrite) {
    const Area area = GetParam();
    const auto mm = [&](int pixels) { return pixels * 25.4 / area.dpi; };
    struct Expected {
        const char* label;
        double minimumMm;
    };
    // A handwritten mm/dd/yyyy needs 30 mm; a name or a hearing aid's make and model more.
    const Expected expected[] = {{"Name:", 60.0},
                                 {"Date of Birth:", 30.0},
                                 {"Hearing aid / condition:", 50.0},
                                 {"Today's Date:", 30.0}};
    for (const FormKind form : {kShortFormA, kShortFormB, kLongForm})
        for (const int page : {1, 2}) {
            const std::string where = std::string(area.name) + ", form " + std::to_string(form) +
                                      ", page " + std::to_string(page);
            RecordingCanvas c(area.dpi);
            if (page == 1) {
                PrintQuestionnaireFirstPage(c, area.width, area.height, form);
            } else {
                PrintQuestionnaireSecondPage(c, area.width, area.height, form);
            }
            const auto lines = c.CallsOf(CanvasOp::LineTo);
            ASSERT_EQ(lines.size(), 4u) << where;
            const auto texts = Texts(c);
            for (std::size_t i = 0; i < 4; ++i) {
                const auto& [label, minimumMm] = expected[i];
                const auto& line = lines[i];
                const canvas::Point from = line.Points[0], to = line.Points[1];
                SCOPED_TRACE(where + ", " + label);
                ASSERT_EQ(from.y, to.y);
                EXPECT_GE(mm(to.x - from.x), minimumMm);
                EXPECT_LE(to.x, area.width);
                const auto labelCall = TextCall(c, label);
                const QRect labelCell = CellBox(labelCall, area.dpi);
                // Right of its label, and under the label's line of text rather than through it.
                EXPECT_GT(from.x, labelCell.right());
                EXPECT_GE(from.y, InkBox(labelCall, area.dpi).bottom());
                EXPECT_LE(from.y, labelCell.bottom() + labelCell.height() / 2);
                const int half = (line.pen.Width + 1) / 2;
                const QRect stroke(QPoint(from.x, from.y - half), QPoint(to.x, to.y + half));
                for (const auto& text : texts) {
                    EXPECT_FALSE(stroke.intersects(InkBox(text, area.dpi)))
                        << "the line runs through '" << text.Text << "'";
                }
            }
        }
}

// The use block's tick boxes: at least 2 mm between two boxes of a column, and clear of the
// panels' edges, so a tick lands in one box only.
TEST_P(PrintableArea, UseBoxesStandApartAndClearOfThePanelEdges) {
    const Area area = GetParam();
    const auto mm = [&](int pixels) { return pixels * 25.4 / area.dpi; };
    for (const FormKind form : {kShortFormA, kShortFormB, kLongForm}) {
        SCOPED_TRACE(std::string(area.name) + ", form " + std::to_string(form));
        RecordingCanvas c(area.dpi);
        PrintQuestionnaireSecondPage(c, area.width, area.height, form);
        std::vector<QRect> boxes;
        std::vector<int> edges;
        for (const auto& call : c.CallsOf(CanvasOp::Rectangle)) {
            const QRect r(QPoint(call.Points[0].x, call.Points[0].y),
                          QPoint(call.Points[1].x - 1, call.Points[1].y - 1));
            if (r.width() == r.height()) {
                boxes.push_back(r);
            } else {
                edges.push_back(r.left());
                edges.push_back(r.right());
            }
        }
        ASSERT_EQ(boxes.size(), 15u);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (i % 5 != 0) {
                const QRect& above = boxes[i - 1];
                EXPECT_EQ(boxes[i].left(), above.left());
                EXPECT_GE(mm(boxes[i].top() - above.bottom() - 1), 2.0) << "box " << i;
            }
            for (const int edge : edges) {
                const int clear =
                    std::min(std::abs(boxes[i].left() - edge), std::abs(boxes[i].right() - edge));
                EXPECT_GE(mm(clear), 0.8) << "box " << i << " and the edge at " << edge;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryArea, PrintableArea, ::testing::ValuesIn(kAreas),
                         [](const auto& param) { return "Area" + std::to_string(param.index); });

}  // namespace
}  // namespace kivo::test
