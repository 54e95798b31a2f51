// The forms' tables: items per form, the subscale of every item, option labels and where
// answers sit in the record, including values from damaged files.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "model/Questionnaire.h"

using namespace kivo;

TEST(Questionnaire, FormNamesAndCountsForEveryInt) {
    struct Case {
        FormKind form;
        const char* name;
        int count;
    };
    const Case cases[] = {{0, "KIVOs(a)", 28}, {1, "KIVOs(b)", 28}, {2, "KIVO", 40},
                          {-1, "", 0},         {3, "", 0},          {4, "", 0},
                          {INT_MIN, "", 0},    {INT_MAX, "", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormKindName(c.form), c.name) << c.form;
        EXPECT_EQ(ItemCount(c.form), c.count) << c.form;
        for (Subscale s : kAllSubscales) {
            if (c.count == 0) {
                EXPECT_TRUE(SubscaleItems(c.form, s).empty()) << c.form;
            }
        }
        EXPECT_FALSE(SubscaleOfItem(c.form, 0).has_value());
        EXPECT_FALSE(SubscaleOfItem(c.form, c.count + 1).has_value());
    }
}

TEST(Questionnaire, SubscalesPartitionEveryFormsItems) {
    const std::size_t shortCounts[] = {7, 5, 5, 4, 4, 3};
    const std::size_t longCounts[] = {14, 10, 5, 4, 4, 3};
    for (FormKind form = 0; form < kFormCount; ++form) {
        std::multiset<int> seen;
        for (Subscale s : kAllSubscales) {
            const auto items = SubscaleItems(form, s);
            const auto& counts = form == kLongForm ? longCounts : shortCounts;
            EXPECT_EQ(items.size(), counts[Index(s)]) << form << " " << Index(s);
            EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
            for (int item : items) {
                seen.insert(item);
                EXPECT_EQ(SubscaleOfItem(form, item), s);
                // Use is made of exactly the three use items.
                EXPECT_EQ(IsUseItem(form, item), s == Subscale::Use) << form << " " << item;
            }
        }
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(ItemCount(form)));
        int expected = 1;
        for (int item : seen) EXPECT_EQ(item, expected++) << "each item in exactly one subscale";
    }
}

TEST(Questionnaire, SpotChecksOfTheMaps) {
    EXPECT_EQ(std::vector<int>(SubscaleItems(kLongForm, Subscale::Pleasantness).begin(),
                               SubscaleItems(kLongForm, Subscale::Pleasantness).end()),
              (std::vector<int>{2, 4, 8, 22}));
    EXPECT_EQ(SubscaleOfItem(kShortFormB, 26), Subscale::Use);
    EXPECT_EQ(SubscaleOfItem(kLongForm, 38), Subscale::Use);
    EXPECT_EQ(SubscaleOfItem(kShortFormA, 12), Subscale::Quiet);
    EXPECT_EQ(SubscaleViewName(Subscale::Quiet), "Quietness");
    EXPECT_EQ(SubscaleReportName(Subscale::Quiet), "Quiet");
}

TEST(Questionnaire, ItemValues) {
    struct Case {
        char code;
        ItemKind kind;
        std::optional<int> value;
    };
    const Case cases[] = {
        {'A', ItemKind::Rated, 1},
        {'G', ItemKind::Rated, 7},
        {'D', ItemKind::Rated, 4},
        {'H', ItemKind::Rated, {}},
        {'a', ItemKind::Rated, {}},
        {' ', ItemKind::Rated, {}},
        {'\0', ItemKind::Rated, {}},
        {'@', ItemKind::Rated, {}},
        {'A', ItemKind::Use, 1},
        {'E', ItemKind::Use, 5},
        {'F', ItemKind::Use, {}},
        {'G', ItemKind::Use, {}},
        {static_cast<char>(0xC1), ItemKind::Rated, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ItemValue(c.code, c.kind), c.value) << c.code;
}

TEST(Questionnaire, OptionLabels) {
    EXPECT_EQ(RatedOptionLabels().front(), "Not at all");
    EXPECT_EQ(RatedOptionLabels().back(), "Tremendously");
    EXPECT_EQ(UseOptionLabels(0)[0], "None");
    EXPECT_EQ(UseOptionLabels(1)[4], "> 11 hours");
    EXPECT_EQ(UseOptionLabels(2)[0], "Never (0%)");
    EXPECT_EQ(UseOptionLabels(3)[0], "");
    EXPECT_EQ(UseOptionLabels(-1)[0], "");
}

TEST(Questionnaire, ResponsePositions) {
    ClientRecord r;
    ResetClientRecord(r);
    r.Responses[0] = 'A';
    r.Responses[40 + 27] = 'B';
    r.Responses[79] = 'C';
    EXPECT_EQ(ResponseAt(r, 0, 1), 'A');
    EXPECT_EQ(ResponseAt(r, 1, 28), 'B');
    EXPECT_EQ(ResponseAt(r, 1, 40), 'C');
    EXPECT_EQ(ResponseAt(r, 2, 1), ' ');
    EXPECT_EQ(ResponseAt(r, 0, 41), ' ');
    EXPECT_EQ(ResponseAt(r, -1, 0), ' ');
    EXPECT_EQ(ResponseIndex(1, 40), 79);
    EXPECT_EQ(ResponseIndex(0, 0), -1);
}

TEST(ItemTextTable, FilledFromTheContentAndSafeOutside) {
    EXPECT_EQ(ItemText(kShortFormA, 1), "") << "empty until filled";
    FillItemTextTable();
    for (FormKind form = 0; form < kFormCount; ++form) {
        for (int n = 1; n <= ItemCount(form); ++n) EXPECT_FALSE(ItemText(form, n).empty());
        EXPECT_EQ(ItemText(form, 0), "");
        EXPECT_EQ(ItemText(form, ItemCount(form) + 1), "");
    }
    EXPECT_EQ(ItemText(-1, 1), "");
    EXPECT_EQ(ItemText(3, 1), "");
    EXPECT_EQ(ItemText(INT_MIN, INT_MIN), "");
}
