// Subscale scores and their validity on worked cases and damaged records, the norms, and
// the rounding of the shown score.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "model/Session.h"
#include "tests/support/ClientBuilder.h"

using namespace kivo;

namespace {

// A record of `form` whose answers for `condition` are set item by item.
struct Answers {
    using List = std::vector<std::pair<int, char>>;
    Answers(FormKind f, List c1 = {}, List c2 = {})
        : form(f), cond1(std::move(c1)), cond2(std::move(c2)) {}
    FormKind form;
    List cond1;
    List cond2;
};

SubscaleScoreTable Score(const Answers& a) {
    test::ClientBuilder client;
    client.Form(a.form);
    for (auto [item, code] : a.cond1) client.Answer(0, item, code);
    for (auto [item, code] : a.cond2) client.Answer(1, item, code);
    const ClientRecord r = client.Build();
    SubscaleScoreTable t;
    for (auto& row : t) row.fill({99.0f, 99, 7});  // stale values must not survive
    ComputeSubscaleScores(r, t);
    return t;
}

const SubscaleScore& At(const SubscaleScoreTable& t, int condition, Subscale s) {
    return t[condition][Index(s)];
}

}  // namespace

TEST(Scoring, AllBlankIsZeroFullyMissingAndInvalid) {
    for (FormKind form = 0; form < kFormCount; ++form) {
        const auto t = Score({form, {}, {}});
        for (int c = 0; c < 2; ++c) {
            for (Subscale s : kAllSubscales) {
                const auto& sc = At(t, c, s);
                EXPECT_EQ(sc.Score, 0.0f);
                EXPECT_EQ(sc.MissingCount, static_cast<int>(SubscaleItems(form, s).size()));
                EXPECT_EQ(sc.Valid, 0);
                EXPECT_EQ(ScoreDisplayText(sc, "."), "INV");
            }
        }
    }
}

TEST(Scoring, WorkedCases) {
    struct Case {
        const char* name;
        Answers answers;
        Subscale subscale;
        float score;
        int missing;
        int valid;
    };
    const Case cases[] = {
        {"short speech cues, three blanks",
         {kShortFormA, {{9, 'D'}, {10, 'E'}, {15, 'F'}, {18, 'G'}}},
         Subscale::SpeechCues,
         5.5f,
         3,
         1},
        {"short speech cues, four blanks",
         {kShortFormB, {{10, 'E'}, {15, 'F'}, {18, 'G'}}},
         Subscale::SpeechCues,
         6.0f,
         4,
         0},
        {"long pleasantness uses 2, 4, 8, 22",
         {kLongForm, {{2, 'A'}, {4, 'B'}, {8, 'C'}, {22, 'G'}, {3, 'G'}, {5, 'G'}}},
         Subscale::Pleasantness,
         3.25f,
         0,
         1},
        {"use A, E and blank", {kShortFormA, {{26, 'A'}, {27, 'E'}}}, Subscale::Use, 3.0f, 1, 1},
        {"long use A, E and blank", {kLongForm, {{38, 'A'}, {39, 'E'}}}, Subscale::Use, 3.0f, 1, 1},
        {"use F and G are passed over but count as answered",
         {kShortFormA, {{26, 'F'}, {27, 'G'}, {28, 'C'}}},
         Subscale::Use,
         1.0f,
         0,
         1},
        {"damaged bytes: zero score, nothing missing, valid",
         {kShortFormA, {{12, 'a'}, {13, '\0'}, {20, 'Z'}, {24, '\xC1'}, {25, '1'}}},
         Subscale::Quiet,
         0.0f,
         0,
         1},
        {"one odd byte lowers the mean",
         {kShortFormA, {{3, 'G'}, {4, 'G'}, {7, 'x'}, {16, 'G'}}},
         Subscale::Pleasantness,
         5.25f,
         0,
         1},
        {"long speech cues valid with four blanks",
         {kLongForm,
          {{5, 'A'},
           {6, 'A'},
           {7, 'A'},
           {9, 'A'},
           {10, 'A'},
           {11, 'A'},
           {13, 'A'},
           {15, 'A'},
           {16, 'A'},
           {18, 'B'}}},
         Subscale::SpeechCues,
         1.1f,
         4,
         1},
        {"long listening effort invalid with four blanks",
         {kLongForm, {{3, 'C'}, {19, 'C'}, {23, 'C'}, {27, 'C'}, {30, 'C'}, {31, 'C'}}},
         Subscale::ListeningEffort,
         3.0f,
         4,
         0},
        {"thirds are rounded to float",
         {kShortFormA, {{1, 'A'}, {17, 'A'}, {21, 'B'}}},
         Subscale::ListeningEffort,
         static_cast<float>(4.0 / 3.0),
         2,
         1},
    };
    for (const auto& c : cases) {
        const auto table = Score(c.answers);
        const auto& sc = At(table, 0, c.subscale);
        EXPECT_EQ(sc.Score, c.score) << c.name;
        EXPECT_EQ(sc.MissingCount, c.missing) << c.name;
        EXPECT_EQ(sc.Valid, c.valid) << c.name;
    }
}

TEST(Scoring, ConditionsAreIndependent) {
    Answers a{kShortFormA, {}, {}};
    for (int n = 1; n <= 28; ++n) a.cond1.push_back({n, 'C'});
    const auto t = Score(a);
    for (Subscale s : kAllSubscales) {
        EXPECT_EQ(At(t, 0, s).Score, 3.0f);
        EXPECT_EQ(At(t, 0, s).Valid, 1);
        EXPECT_EQ(At(t, 1, s).Valid, 0);
    }
}

TEST(Scoring, UnusedPositionsAreNeverRead) {
    // Answers left in positions 29-40 from a long form do not touch a short form's scores.
    Answers a{kShortFormA, {}, {}};
    for (int n = 29; n <= 40; ++n) a.cond1.push_back({n, 'G'});
    const auto t = Score(a);
    for (Subscale s : kAllSubscales) EXPECT_EQ(At(t, 0, s).Score, 0.0f);
}

TEST(Scoring, UnknownFormLeavesEverythingZeroAndInvalid) {
    for (FormKind form : {-1, 3, 4, 1000, INT_MIN, INT_MAX}) {
        Answers a{form, {}, {}};
        for (int n = 1; n <= 40; ++n) a.cond1.push_back({n, 'D'});
        const auto t = Score(a);
        for (int c = 0; c < 2; ++c) {
            for (Subscale s : kAllSubscales) {
                EXPECT_EQ(At(t, c, s).Score, 0.0f) << form;
                EXPECT_EQ(At(t, c, s).MissingCount, 0) << form;
                EXPECT_EQ(At(t, c, s).Valid, 0) << form;
            }
        }
    }
}

TEST(Scoring, ProcessWideTablesFollowTheOpenClient) {
    ResetClientRecord(gClientRecord);
    gClientRecord.Responses[ResponseIndex(0, 26)] = 'B';
    gClientRecord.Responses[ResponseIndex(0, 27)] = 'D';
    ComputeSubscaleScores();
    EXPECT_EQ(SubscaleScores[0][Index(Subscale::Use)].Score, 3.0f);
    LoadNormTable();
    EXPECT_EQ(NormTable[Index(Subscale::SpeechCues)].P10, 2.089f);
    EXPECT_EQ(NormTable[Index(Subscale::Use)].P75, NormTable[Index(Subscale::Use)].P90);
    EXPECT_EQ(NormTable[Index(Subscale::ListeningEffort)].P25, 4.083f);
}

TEST(ScoreDisplayText, OneDecimalHalfAwayFromZeroOnTheExactFloat) {
    struct Case {
        float score;
        const char* sep;
        const char* text;
    };
    const Case cases[] = {
        {5.5f, ".", "5.5"},        {3.0f, ".", "3.0"},
        {0.0f, ".", "0.0"},        {5.25f, ".", "5.3"},  // exactly half: away from zero
        {6.75f, ".", "6.8"},       {1.05f, ".", "1.0"},  // 1.05f is a little below 1.05
        {5.45f, ".", "5.4"},                             // 5.45f is a little below 5.45
        {4.0f / 3.0f, ".", "1.3"}, {5.0f / 3.0f, ",", "1,7"},
        {7.0f, ",", "7,0"},        {6.96f, ".", "7.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScoreDisplayText({c.score, 0, 1}, c.sep), c.text) << c.score;
    }
    EXPECT_EQ(ScoreDisplayText({5.5f, 0, 0}, "."), "INV");
}
