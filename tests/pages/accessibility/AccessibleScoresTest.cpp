// Every score of a known client read as text from the report screen and the item view, as a
// screen reader reads them: the score tables as tables, the chart's description, the item rows.
#include <QAccessible>
#include <QTest>

#include "model/Questionnaire.h"
#include "pages/scores/ItemScoresPage.h"
#include "pages/scores/SubscaleScoresPage.h"
#include "tests/app/ShellFixture.h"
#include "tests/pages/accessibility/AccessibleTree.h"
#include "tests/support/UserActions.h"

namespace kivo::test {
namespace {

// Short form (a). Condition 1: every rated item 'D' (4) but items 5 and 6 of Speech Cues
// blank, the use items 'B' (2). Condition 2: every rated item 'F' (6) but Pleasantness items
// 3, 4 and 7 blank (three missing: invalid), the use items 'E' (5).
ClientRecord KnownClient() {
    return ClientBuilder()
        .Name("Known")
        .Form(kShortFormA)
        .AnswerEach(0,
                    [](int item) {
                        if (item == 5 || item == 6) return kBlankResponse;
                        return item <= 25 ? 'D' : item <= 28 ? 'B' : kBlankResponse;
                    })
        .AnswerEach(1,
                    [](int item) {
                        if (item == 3 || item == 4 || item == 7) return kBlankResponse;
                        return item <= 25 ? 'F' : item <= 28 ? 'E' : kBlankResponse;
                    })
        .Build();
}

class AccessibleScores : public ShellTest {
protected:
    MainWindow& ShowReport() {
        MainWindow& main = Start();
        WriteClientFile(ToFsPath(Path("known.KVO")), KnownClient());
        script_->files = {Path("known.KVO")};
        TriggerAction(main, "actionLoad");
        ClickButton(main, "ReportsButton");
        Flush();
        return main;
    }
    QAccessibleInterface* ScoreBox() const {
        return AccessibleOf(*Pages().subscaleScores, "GraphPaintBox");
    }
};

// Subscale, score, items missing: what each table row says, in the tables' order.
using Row = std::array<const char*, 3>;
const std::array<std::array<Row, kSubscaleCount>, kConditionCount> kKnownTables = {{
    {{{"Speech Cues", "4.0", "2"},
      {"Listening Effort", "4.0", "0"},
      {"Quiet", "4.0", "0"},
      {"Pleasantness", "4.0", "0"},
      {"Convenience", "4.0", "0"},
      {"Use", "2.0", "0"}}},
    {{{"Speech Cues", "6.0", "0"},
      {"Listening Effort", "6.0", "0"},
      {"Quiet", "6.0", "0"},
      {"Pleasantness", "invalid", "3"},
      {"Convenience", "6.0", "0"},
      {"Use", "5.0", "0"}}},
}};

TEST_F(AccessibleScores, BothScoreTablesReadAsTablesWithEveryScoreAndMissingCount) {
    ShowReport();
    QAccessibleInterface* box = ScoreBox();
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->childCount(), 3);
    for (int c = 0; c < kConditionCount; ++c) {
        QAccessibleInterface* table = box->child(c + 1);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->role(), QAccessible::Table);
        EXPECT_EQ(table->text(QAccessible::Name).toStdString(),
                  "Condition " + std::to_string(c + 1) + " scores");
        EXPECT_EQ(table->parent(), box);
        QAccessibleTableInterface* cells = table->tableInterface();
        ASSERT_NE(cells, nullptr);
        ASSERT_EQ(cells->rowCount(), kSubscaleCount);
        ASSERT_EQ(cells->columnCount(), 3);
        EXPECT_EQ(cells->columnDescription(1).toStdString(), "Score");
        EXPECT_EQ(cells->columnDescription(2).toStdString(), "Items missing");
        for (int r = 0; r < kSubscaleCount; ++r) {
            for (int k = 0; k < 3; ++k) {
                QAccessibleInterface* cell = cells->cellAt(r, k);
                ASSERT_NE(cell, nullptr);
                EXPECT_EQ(cell->text(QAccessible::Name).toStdString(),
                          kKnownTables[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)]
                                      [static_cast<std::size_t>(k)])
                    << "condition " << c + 1 << " row " << r << " column " << k;
                EXPECT_EQ(table->indexOfChild(cell), (r + 1) * 3 + k);
                QAccessibleTableCellInterface* place = cell->tableCellInterface();
                ASSERT_NE(place, nullptr);
                EXPECT_EQ(place->rowIndex(), r);
                EXPECT_EQ(place->columnIndex(), k);
                EXPECT_EQ(place->columnHeaderCells().value(0)->text(QAccessible::Name),
                          cells->columnDescription(k));
            }
        }
    }
}

TEST_F(AccessibleScores, TheChartIsNamedAndDescribesEachScoreAgainstTheNormBoxes) {
    ShowReport();
    QAccessibleInterface* chart = ScoreBox()->child(0);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->role(), QAccessible::Chart);
    EXPECT_EQ(chart->text(QAccessible::Name).toStdString(), "Subscale score chart");
    EXPECT_EQ(chart->text(QAccessible::Description).toStdString(),
              "Condition 1: Speech Cues 4.0, inside the norm box; Listening Effort 4.0, below "
              "the norm box; Quiet 4.0, inside the norm box; Pleasantness 4.0, inside the norm "
              "box; Convenience 4.0, inside the norm box; Use 2.0, below the norm box. "
              "Condition 2: Speech Cues 6.0, above the norm box; Listening Effort 6.0, above the "
              "norm box; Quiet 6.0, above the norm box; Pleasantness invalid; Convenience 6.0, "
              "above the norm box; Use 5.0, above the norm box.");
}

TEST_F(AccessibleScores, TheItemGraphSaysEachAnswerAgainstItsNorm) {
    MainWindow& main = ShowReport();
    ClickButton(main, "ViewItemScoresButton");
    Flush();
    QAccessibleInterface* graph = AccessibleOf(*Pages().itemScores, "GraphPaintBox");
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->text(QAccessible::Name).toStdString(), "Item scores: Speech Cues");
    ASSERT_EQ(graph->childCount(), 7);  // short form Speech Cues: items 5 6 8 9 10 15 18
    EXPECT_EQ(graph->child(0)->text(QAccessible::Name).toStdString(),
              "Item 5, Helping me follow a friend\u2019s voice in a noisy crowd?: condition 1 no "
              "answer, condition 2 answered 6; norm mean 4.3, middle half 3.0 to 5.0");
    EXPECT_EQ(graph->child(2)->text(QAccessible::Name).toStdString().substr(0, 7), "Item 8,");
    EXPECT_NE(
        graph->child(2)
            ->text(QAccessible::Name)
            .toStdString()
            .find(": condition 1 answered 4, condition 2 answered 6; norm mean 4.4, middle half "
                  "3.0 to 5.0"),
        std::string::npos);
}

TEST_F(AccessibleScores, TheItemGraphFollowsTheSubscaleShown) {
    MainWindow& main = ShowReport();
    ClickButton(main, "ViewItemScoresButton");
    Flush();
    ClickButton(main, "SubscaleButton6");  // Use: items 26 to 28
    QAccessibleInterface* graph = AccessibleOf(*Pages().itemScores, "GraphPaintBox");
    EXPECT_EQ(graph->text(QAccessible::Name).toStdString(), "Item scores: Use");
    ASSERT_EQ(graph->childCount(), 3);
    EXPECT_EQ(graph->child(0)->text(QAccessible::Name).toStdString().substr(0, 8), "Item 26,");
}

}  // namespace
}  // namespace kivo::test
