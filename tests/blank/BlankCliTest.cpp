// kivo-cli blank: the two pages of each form in a PDF with real text.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "cli/Cli.h"
#include "tests/blank/BlankFixtures.h"
#include "tests/support/TempDir.h"

namespace kivo::test {
namespace {

struct CliResult {
    int status = 0;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, err.str()};
}

QString Row(FormKind form, int item) {
    return Folded(Printed(Content().printedItemRows[static_cast<std::size_t>(form)]
                                                   [static_cast<std::size_t>(item - 1)]));
}

struct FormCase {
    const char* name;
    FormKind form;
    const char* title;
    const char* pageTitle;
};

void PrintTo(const FormCase& c, std::ostream* out) {
    *out << c.title;
}

const FormCase kForms[] = {{"a", kShortFormA, "KIVO questionnaire - Form A", "KIVOs(a)"},
                           {"b", kShortFormB, "KIVO questionnaire - Form B", "KIVOs(b)"},
                           {"long", kLongForm, "KIVO questionnaire", "KIVO"}};

class BlankCli : public ::testing::TestWithParam<FormCase> {
protected:
    TempDir dir;
};

TEST_P(BlankCli, TwoLetterPagesWithTheFormsTexts) {
    const FormCase k = GetParam();
    const auto pdf = dir / "blank.pdf";
    const CliResult r = RunCli({"blank", k.name, "-o", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "2");
    EXPECT_EQ(PdfInfo(pdf, "Title"), k.title);
    EXPECT_TRUE(PdfInfo(pdf, "Page size").startsWith("612 x 792 pts"))
        << PdfInfo(pdf, "Page size").toStdString();

    const QString page1 = PdfPageText(pdf, 1);
    const QString page2 = PdfPageText(pdf, 2);
    const int rated = ItemCount(k.form) - 3;
    const QString instruction = Folded(Printed(Content().printInstructions[0]));
    for (const char* text : {k.pageTitle, "Name:", "Date of Birth:", "Today's Date:",
                             "A Not at all", "G Tremendously", "(continued on next page)"}) {
        EXPECT_TRUE(page1.contains(text)) << text;
    }
    EXPECT_TRUE(page1.contains(instruction));
    EXPECT_TRUE(page1.contains(Row(k.form, 1)));
    EXPECT_TRUE(page1.contains(Row(k.form, 17)));
    EXPECT_FALSE(page1.contains(Row(k.form, 19)));

    EXPECT_TRUE(page2.contains(Row(k.form, 19)));
    EXPECT_TRUE(page2.contains(Row(k.form, rated)));
    EXPECT_EQ(page2.contains(instruction), k.form != kLongForm);
    // Each sheet names its client, condition and page; page 2 tells what A to G mean again.
    for (const char* text : {"Name:", "Hearing aid / condition:", "Page 2 of 2", "A Not at all",
                             "G Tremendously", "How good are the hearing aids at..."}) {
        EXPECT_TRUE(page2.contains(text)) << text;
    }
    EXPECT_TRUE(page1.contains("Page 1 of 2"));
    for (const char* text : {"Every day", "11 hrs. or more", "Always (100%)", "Never (0%)"}) {
        EXPECT_TRUE(page2.contains(text)) << text;
    }
    EXPECT_TRUE(page2.contains(QString::number(rated + 1) + ". How many days"));
    EXPECT_TRUE(page2.contains(Folded(Printed(Content().printCredit))));
    EXPECT_TRUE(page2.contains(Folded(Printed(Content().logoName))));
}

INSTANTIATE_TEST_SUITE_P(EveryForm, BlankCli, ::testing::ValuesIn(kForms),
                         [](const ::testing::TestParamInfo<FormCase>& form) {
                             return std::string(form.param.name);
                         });

// --- What a client reads on the paper, on both papers ----------------------------------

struct PaperCase {
    FormCase form;
    const char* paper;
};

void PrintTo(const PaperCase& c, std::ostream* out) {
    *out << c.form.title << " on " << c.paper;
}

std::vector<PaperCase> EveryFormOnEveryPaper() {
    std::vector<PaperCase> cases;
    for (const char* paper : {"letter", "a4"}) {
        for (const FormCase& form : kForms) cases.push_back({form, paper});
    }
    return cases;
}

class BlankPaper : public ::testing::TestWithParam<PaperCase> {
protected:
    void SetUp() override {
        const PaperCase k = GetParam();
        const CliResult r = RunCli({"blank", k.form.name, "--paper", k.paper, "-o", pdf.string()});
        ASSERT_EQ(r.status, 0) << r.err;
    }

    // The first word `text` whose left edge is at least `minX` points.
    std::optional<PdfWord> Word(int page, const QString& text, double minX = 0) const {
        for (const PdfWord& w : PdfWords(pdf, page)) {
            if (w.text == text && w.box.left() >= minX) return w;
        }
        return std::nullopt;
    }

    TempDir dir;
    std::filesystem::path pdf = dir / "blank.pdf";
};

TEST_P(BlankPaper, InstructionsAskForWhatThePageOffers) {
    const PaperCase k = GetParam();
    for (const int page : {1, 2}) {
        const QString text = PdfPageText(pdf, page);
        const bool repeated = page == 1 || k.form.form != kLongForm;
        for (const char* phrase :
             {"by circling one letter from A to G for each item", "tick one box for each"}) {
            EXPECT_EQ(text.contains(phrase), repeated) << "page " << page << ": " << phrase;
        }
        EXPECT_FALSE(text.contains("column")) << "page " << page;
    }
}

TEST_P(BlankPaper, HeaderAsksWhichHearingAidTheSheetIsFor) {
    const std::vector<PdfWord> words = PdfWords(pdf, 1);
    EXPECT_TRUE(PdfPageText(pdf, 1).contains("Hearing aid / condition:"));
    const auto name = Word(1, "Name:");
    const auto hearing = Word(1, "Hearing");
    const auto condition = Word(1, "condition:");
    const auto firstInstruction = Word(1, "For");
    ASSERT_TRUE(name && hearing && condition && firstInstruction);
    // Under Name:, in line with it, and above the instructions.
    EXPECT_NEAR(hearing->box.left(), name->box.left(), 0.5);
    EXPECT_GT(hearing->box.top(), name->box.bottom());
    EXPECT_LT(condition->box.bottom(), firstInstruction->box.top());
    EXPECT_NEAR(condition->box.top(), hearing->box.top(), 0.5);
    for (const int page : {1, 2}) {
        const QStringList overlaps = OverlappingWords(PdfWords(pdf, page));
        EXPECT_TRUE(overlaps.isEmpty())
            << "page " << page << ": " << overlaps.join("; ").toStdString();
    }
}

// The write-in lines measured on the paper: a 200 dpi rendering, the longest dark run that
// starts right of the label, on the rows from the label's foot to a line below.
TEST_P(BlankPaper, WriteInLinesAreLongEnoughToWriteOn) {
    constexpr int kDpi200 = 200;
    const QImage page = PdfPageImage(pdf, 1, kDpi200, dir.path());
    ASSERT_FALSE(page.isNull());
    const auto px = [&](double points) { return static_cast<int>(points * kDpi200 / 72.0); };
    const auto lineAfter = [&](const PdfWord& label) {
        const int left = px(label.box.right()) + 1;
        int longest = 0;
        for (int y = px(label.box.bottom()) - 2; y <= px(label.box.bottom() + label.box.height());
             ++y) {
            int x = left;
            while (x < page.width() && qGray(page.pixel(x, y)) >= 128) ++x;
            const int start = x;
            while (x < page.width() && qGray(page.pixel(x, y)) < 128) ++x;
            longest = std::max(longest, x - start);
        }
        return longest * 25.4 / kDpi200;
    };
    struct Field {
        const char* lastWord;  // of the label
        double minX;           // points: the right column's labels start past the middle
        double minimumMm;
    };
    const Field fields[] = {
        {"Name:", 0, 60.0}, {"Birth:", 250, 30.0}, {"condition:", 0, 60.0}, {"Date:", 250, 30.0}};
    for (const Field& field : fields) {
        const auto label = Word(1, field.lastWord, field.minX);
        ASSERT_TRUE(label) << field.lastWord;
        EXPECT_GE(lineAfter(*label), field.minimumMm) << field.lastWord;
    }
}

// The client ticks the use items' boxes from the top in the order the clinician finds them
// in the entry page's list.
TEST_P(BlankPaper, LastUseItemsOptionsRunInTheEntryListsOrder) {
    const PdfWord column = *Word(2, QString::number(ItemCount(GetParam().form.form)) + ".");
    double above = 0;
    for (const std::string_view label : UseOptionLabels(2)) {
        const QString first = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()))
                                  .section(' ', 0, 0);
        const auto word = Word(2, first, column.box.left());
        ASSERT_TRUE(word) << first.toStdString();
        EXPECT_GT(word->box.top(), above) << first.toStdString() << " is above the option before";
        above = word->box.top();
    }
}

TEST_P(BlankPaper, ItemTextsAreCapitalisedAsWritten) {
    struct Phrase {
        FormKind form;
        int page;
        const char* text;
    };
    const Phrase phrases[] = {
        {kShortFormA, 1, "Being comfortable to wear all day?"},
        {kShortFormA, 1, "Being simple to clean and look after?"},
        {kShortFormB, 1, "Fitting comfortably in my ears?"},
        {kShortFormB, 1, "Being easy to control with the buttons?"},
        {kLongForm, 1, "Being comfortable to wear all day?"},
        {kLongForm, 2, "Being easy to control with the buttons?"},
    };
    const FormKind form = GetParam().form.form;
    for (const int page : {1, 2}) {
        const QString text = PdfPageText(pdf, page);
        for (const Phrase& p : phrases) {
            if (p.form == form && p.page == page) {
                EXPECT_TRUE(text.contains(p.text)) << p.text;
            }
        }
        for (const char* typo : {"all Day", "to Clean", "my Ears", "the Buttons"}) {
            EXPECT_FALSE(text.contains(typo)) << "page " << page << ": " << typo;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormAndPaper, BlankPaper,
                         ::testing::ValuesIn(EveryFormOnEveryPaper()),
                         [](const ::testing::TestParamInfo<PaperCase>& k) {
                             return std::string(k.param.form.name) + "_" + k.param.paper;
                         });

TEST(BlankCliPaper, A4OnRequest) {
    TempDir dir;
    const auto pdf = dir / "a4.pdf";
    const CliResult r = RunCli({"blank", "long", "--paper", "a4", "-o", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(PdfInfo(pdf, "Page size").contains("(A4)"));
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "2");
}

TEST(BlankCliErrors, UsageErrorsWriteNothing) {
    TempDir dir;
    const std::string pdf = (dir / "x.pdf").string();
    const std::vector<std::vector<std::string>> cases = {
        {"blank"},
        {"blank", "c", "-o", pdf},
        {"blank", "-o", pdf},
        {"blank", "a"},
        {"blank", "a", "-o"},
        {"blank", "a", "-o", pdf, "--paper", "legal"},
        {"blank", "a", "-o", pdf, "--paper"},
        {"blank", "a", "extra", "-o", pdf},
    };
    for (const auto& args : cases) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.size() << ": " << r.err;
        EXPECT_NE(r.err.find("kivo-cli: "), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST(BlankCliErrors, UnwritableOutputFails) {
    TempDir dir;
    const std::string pdf = (dir / "no" / "such" / "x.pdf").string();
    const CliResult r = RunCli({"blank", "b", "-o", pdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kivo::test
