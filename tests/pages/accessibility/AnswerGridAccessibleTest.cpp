// The answer grid as a screen reader meets it: a table with a row per item and a column per
// condition, cells that say the item, its answer and its question, and one announcement for each
// key typed, as counted by an update handler that stands where the platform's bridge stands.
#include <QAccessible>
#include <QApplication>
#include <QMap>
#include <iostream>
#include <vector>

#include "drawing/RecordText.h"
#include "model/Questionnaire.h"
#include "tests/pages/entry/EntryFixture.h"

#if __has_include(<QtGui/private/qguiapplication_p.h>)
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#define KIVO_CAN_SWITCH_ACCESSIBILITY 1
#endif

namespace kivo::test {
namespace {

// Switches Qt's accessibility on or off as a screen reader's arrival does: Qt's widgets send
// their events only while it is on. False when this build cannot.
bool SwitchAccessibility(bool on) {
#ifdef KIVO_CAN_SWITCH_ACCESSIBILITY
    QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration();
    QPlatformAccessibility* accessibility =
        platform != nullptr ? platform->accessibility() : nullptr;
    if (accessibility == nullptr) return false;
    accessibility->setActive(on);
    return QAccessible::isActive() == on;
#else
    (void)on;
    return false;
#endif
}

// What the bridge would pass on, and what a screen reader would say of it: it follows the focus
// events, and speaks a focus event, an alert, or a change of the object that has the focus.
class HeardEvents {
public:
    struct Heard {
        QAccessible::Event type;
        QString name;  // the object's name as the event found it
    };

    HeardEvents() {
        active_ = this;
        previous_ = QAccessible::installUpdateHandler(&HeardEvents::Handle);
        on_ = SwitchAccessibility(true);
    }
    ~HeardEvents() {
        if (on_) SwitchAccessibility(false);
        QAccessible::installUpdateHandler(previous_);
        active_ = nullptr;
    }
    HeardEvents(const HeardEvents&) = delete;
    // False when Qt's accessibility could not be switched on: nothing would be heard.
    bool On() const { return on_; }
    HeardEvents& operator=(const HeardEvents&) = delete;

    void Clear() {
        sent_.clear();
        spoken_.clear();
    }
    const std::vector<Heard>& Spoken() const { return spoken_; }
    int SentCount() const { return static_cast<int>(sent_.size()); }
    // "Focus 1, NameChanged 2, ..." for a failure message and the log.
    std::string Summary() const {
        QMap<int, int> byType;
        for (QAccessible::Event type : sent_) ++byType[static_cast<int>(type)];
        QStringList parts;
        for (auto it = byType.cbegin(); it != byType.cend(); ++it) {
            parts << QStringLiteral("%1 x%2").arg(TypeName(it.key())).arg(it.value());
        }
        return parts.join(QStringLiteral(", ")).toStdString();
    }

private:
    static QString TypeName(int type) {
        switch (type) {
            case QAccessible::Focus:
                return QStringLiteral("Focus");
            case QAccessible::NameChanged:
                return QStringLiteral("NameChanged");
            case QAccessible::DescriptionChanged:
                return QStringLiteral("DescriptionChanged");
            case QAccessible::ValueChanged:
                return QStringLiteral("ValueChanged");
            case QAccessible::StateChanged:
                return QStringLiteral("StateChanged");
            default:
                return QStringLiteral("0x%1").arg(type, 0, 16);
        }
    }

    static void Handle(QAccessibleEvent* event) {
        HeardEvents* self = active_;
        if (self == nullptr) return;
        self->sent_.push_back(event->type());
        QAccessibleInterface* target = event->accessibleInterface();
        if (target == nullptr) return;
        const QAccessible::Id id = QAccessible::uniqueId(target);
        bool spoken = false;
        switch (event->type()) {
            case QAccessible::Focus:
                self->locus_ = id;
                spoken = true;
                break;
            case QAccessible::Alert:
                spoken = true;
                break;
            case QAccessible::NameChanged:
            case QAccessible::DescriptionChanged:
            case QAccessible::ValueChanged:
            case QAccessible::StateChanged:
                spoken = id == self->locus_;
                break;
            default:
                break;
        }
        if (spoken) self->spoken_.push_back({event->type(), target->text(QAccessible::Name)});
    }

    static inline HeardEvents* active_ = nullptr;
    bool on_ = false;
    QAccessible::UpdateHandler previous_ = nullptr;
    QAccessible::Id locus_ = 0;
    std::vector<QAccessible::Event> sent_;
    std::vector<Heard> spoken_;
};

class AnswerGridAccessible : public EntryPagesTest {
protected:
    // The short form (a), condition 1 answered 'D' at item 3 only.
    void OpenEntryPage() {
        std::string answers(80, ' ');
        answers[2] = 'D';
        EntryPagesTest::OpenEntryPage(FullClient(kShortFormA, answers));
    }
    QAccessibleInterface* Grid() const {
        return QAccessible::queryAccessibleInterface(Entry<QWidget>("ScrollContent"));
    }
    QAccessibleTableInterface* Table() const { return Grid()->tableInterface(); }
    // The spoken cell of item `item` (1-based) in condition 1 or 2.
    QString CellName(int condition, int item) const {
        QAccessibleInterface* cell = Table()->cellAt(item - 1, condition - 1);
        return cell != nullptr ? cell->text(QAccessible::Name) : QStringLiteral("<no cell>");
    }
    static QString Question(int item) {
        return drawing::Cp1252Text(ItemText(kShortFormA, item)).simplified();
    }
};

TEST_F(AnswerGridAccessible, IsATableOfItemsByConditions) {
    OpenEntryPage();
    QAccessibleInterface* grid = Grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 28);
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_EQ(table->columnDescription(1).toStdString(), "Condition 2");
    EXPECT_EQ(table->rowDescription(27).toStdString(), "Item 28");
    QAccessibleInterface* cell = table->cellAt(4, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->parent(), grid);
    EXPECT_EQ(grid->child(grid->indexOfChild(cell)), cell);
    QAccessibleTableCellInterface* position = cell->tableCellInterface();
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(position->rowIndex(), 4);
    EXPECT_EQ(position->columnIndex(), 1);
    EXPECT_EQ(position->table(), grid);
    // The cell lies where its letters are drawn.
    const QRect letters(Letter(2, 5, 'A')->mapToGlobal(QPoint(0, 0)),
                        Letter(2, 5, 'G')->mapToGlobal(QPoint(24, 24)));
    EXPECT_TRUE(cell->rect().contains(letters)) << "cell and letters apart";
}

// A cell says its item and condition, its answer, and the item's question as the row shows it.
TEST_F(AnswerGridAccessible, CellsSayTheAnswerAndTheQuestion) {
    OpenEntryPage();
    ASSERT_EQ(Question(1).toStdString(), "Making it less tiring to listen all day?");
    struct Case {
        int condition;
        int item;
        const char* said;
    };
    const Case cases[] = {
        {1, 1, "Item 1, condition 1: no answer. "},
        {1, 3, "Item 3, condition 1: D, Medium. "},
        {2, 26, "Item 26, condition 2: no answer. "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellName(c.condition, c.item).toStdString(),
                  (QString::fromLatin1(c.said) + Question(c.item)).toStdString());
    }
    EXPECT_TRUE(Question(27).contains(QStringLiteral("hours a day")));
    EXPECT_EQ(UseList(1, 2)->accessibleDescription(), Question(27));
    EXPECT_EQ(UseList(1, 2)->accessibleName().toStdString(), "Item 27, condition 1");
}

// Each key typed into the grid is heard once: the focus moving to the next cell, or the cell in
// place changing. The cell left behind and the counters change silently.
TEST_F(AnswerGridAccessible, EachKeyIsHeardOnce) {
    HeardEvents heard;  // from the start, as a screen reader follows the focus
    if (!heard.On()) GTEST_SKIP() << "Qt's accessibility cannot be switched on in this build";
    OpenEntryPage();  // the focus cell starts at item 1, condition 1
    struct Case {
        Qt::Key key;
        const char* said;  // what is heard, less the question
        int item;          // whose question follows
    };
    const Case cases[] = {
        {Qt::Key_B, "Item 2, condition 1: no answer. ", 2},
        {Qt::Key_Up, "Item 1, condition 1: B, A little. ", 1},
        {Qt::Key_Delete, "Item 1, condition 1: no answer. ", 1},
        {Qt::Key_Space, "Item 2, condition 1: no answer. ", 2},
        {Qt::Key_7, "Item 3, condition 1: D, Medium. ", 3},
        {Qt::Key_Backspace, "Item 2, condition 1: no answer. ", 2},
        {Qt::Key_Right, "Item 2, condition 2: no answer. ", 2},
        {Qt::Key_End, "Item 28, condition 2: no answer. ", 28},
        {Qt::Key_Home, "Item 1, condition 2: no answer. ", 1},
        {Qt::Key_F8, "Item 2, condition 2: no answer. ", 2},
    };
    for (const Case& c : cases) {
        heard.Clear();
        QTest::keyClick(QApplication::focusWidget(), c.key);
        Flush();
        const std::string key = QKeySequence(c.key).toString().toStdString();
        std::cout << "key " << key << ": " << heard.SentCount() << " events (" << heard.Summary()
                  << "), " << heard.Spoken().size() << " heard";
        for (const auto& h : heard.Spoken()) std::cout << " [" << h.name.toStdString() << "]";
        std::cout << "\n";
        EXPECT_EQ(heard.Spoken().size(), 1u) << key << ": " << heard.Summary();
        if (heard.Spoken().size() != 1u) continue;
        EXPECT_EQ(heard.Spoken()[0].name.toStdString(),
                  (QString::fromLatin1(c.said) + Question(c.item)).toStdString())
            << key;
    }
    // The answers behind the focus are there when the user goes back.
    EXPECT_EQ(CellName(1, 1).toStdString(),
              ("Item 1, condition 1: no answer. " + Question(1)).toStdString());
}

// A click on a letter answers and puts the focus cell there: heard once, as a key is.
TEST_F(AnswerGridAccessible, EachClickIsHeardOnce) {
    HeardEvents heard;
    if (!heard.On()) GTEST_SKIP() << "Qt's accessibility cannot be switched on in this build";
    OpenEntryPage();  // the focus cell at item 1, condition 1; item 3 answered 'D'
    struct Case {
        int item;
        char letter;
        const char* said;
    };
    const Case cases[] = {
        {3, 'A', "Item 3, condition 1: A, Not at all. "},  // the focus comes to item 3
        {3, 'A', "Item 3, condition 1: no answer. "},      // the same letter takes it back
    };
    for (const Case& c : cases) {
        heard.Clear();
        QTest::mouseClick(Letter(1, c.item, c.letter), Qt::LeftButton);
        Flush();
        ASSERT_EQ(heard.Spoken().size(), 1u) << c.said << heard.Summary();
        EXPECT_EQ(heard.Spoken()[0].name.toStdString(),
                  (QString::fromLatin1(c.said) + Question(c.item)).toStdString());
    }
}

// The last answer completes the form: the one thing heard is the note on the table.
TEST_F(AnswerGridAccessible, TheLastAnswerIsHeardAsTheFormComplete) {
    HeardEvents heard;
    if (!heard.On()) GTEST_SKIP() << "Qt's accessibility cannot be switched on in this build";
    OpenEntryPage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    Flush();
    heard.Clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
    Flush();
    std::cout << "last answer: " << heard.SentCount() << " events (" << heard.Summary() << ")\n";
    ASSERT_EQ(heard.Spoken().size(), 1u) << heard.Summary();
    EXPECT_EQ(heard.Spoken()[0].type, QAccessible::Focus);
    EXPECT_EQ(heard.Spoken()[0].name.toStdString(),
              "Form complete: Condition 1: 1 of 28 answered, condition 2: 1 of 28 answered");
}

}  // namespace
}  // namespace kivo::test
