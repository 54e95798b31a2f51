// kivo-cli blank: the two pages of each form in a PDF with real text.
#include <gtest/gtest.h>

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
    EXPECT_FALSE(page2.contains("Name:"));
    for (const char* text : {"Every day", "11 hrs. or more", "Always (100%)", "Never (0%)"}) {
        EXPECT_TRUE(page2.contains(text)) << text;
    }
    EXPECT_TRUE(page2.contains(QString::number(rated + 1) + ". How many days"));
    EXPECT_TRUE(page2.contains(Folded(Printed(Content().printCredit))));
    EXPECT_TRUE(page2.contains(Folded(Printed(Content().logoName))));
}

INSTANTIATE_TEST_SUITE_P(
    EveryForm, BlankCli,
    ::testing::Values(FormCase{"a", kShortFormA, "KIVO questionnaire - Form A", "KIVOs(a)"},
                      FormCase{"b", kShortFormB, "KIVO questionnaire - Form B", "KIVOs(b)"},
                      FormCase{"long", kLongForm, "KIVO questionnaire", "KIVO"}),
    [](const ::testing::TestParamInfo<FormCase>& form) { return std::string(form.param.name); });

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
