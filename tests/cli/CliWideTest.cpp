// kivo-cli scores --wide and --bom: every column of the one-row-per-client table checked on a
// fixture whose scores follow from its answers, in CSV and JSON, and the byte-order mark.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "cli/Cli.h"
#include "model/ClientFile.h"
#include "model/Questionnaire.h"
#include "tests/cli/CliRun.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

using namespace kivo;

namespace {

using Result = test::CliResult;
using test::Lines;

Result RunCli(const std::vector<std::string>& args) {
    return test::RunCliInProcess(args);
}

// One CSV record without line breaks in it, unquoted as RFC 4180 says.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// The columns as the README lists them, spelled out here so that a renamed column fails.
std::vector<std::string> ExpectedColumns() {
    std::vector<std::string> columns = {"file",        "ClientId",    "LastName",   "FirstName",
                                        "form",        "TestDate1",   "TestDate2",  "HearingAid1",
                                        "HearingAid2", "Experience1", "Experience2"};
    for (const char* condition : {"c1", "c2"}) {
        for (const char* subscale :
             {"speech_cues", "listening_effort", "quiet", "pleasantness", "convenience", "use"}) {
            for (const char* kind : {"score", "display", "missing", "valid"}) {
                columns.push_back(std::string(condition) + "_" + subscale + "_" + kind);
            }
        }
    }
    return columns;
}

// Short form (a). Condition 1: speech cues D E F G on four of its seven items (5.5, three
// missing), use A and E on two of three (3.0, one missing), the rest blank. Condition 2: B
// on all 28 items, so every subscale scores 2.0 with nothing missing.
ClientRecord Fixture() {
    test::ClientBuilder client;
    client.Name("Bront\xC3\xAB", "Anne", "B")
        .ClientId("C-1042")
        .Form(kShortFormA)
        .Fitting1({"Sonaro, Clart\xC3\xA9", "Left", "Dome", "2024-03-01", 2})
        .Fitting2({"Auriq \"Plus\"", "Both", "Mold", "2024-04-15", 3});
    for (auto [item, code] : std::initializer_list<std::pair<int, char>>{
             {9, 'D'}, {10, 'E'}, {15, 'F'}, {18, 'G'}, {26, 'A'}, {27, 'E'}}) {
        client.Answer(0, item, code);
    }
    client.Answers(1, std::string(28, 'B'));
    return client.Build();
}

// The fixture's row, column by column (CSV text, unquoted).
std::map<std::string, std::string> ExpectedRow(const std::string& file) {
    std::map<std::string, std::string> row = {
        {"file", file},
        {"ClientId", "C-1042"},
        {"LastName", "Bront\xC3\xAB"},
        {"FirstName", "Anne"},
        {"form", "KIVOs(a)"},
        {"TestDate1", "2024-03-01"},
        {"TestDate2", "2024-04-15"},
        {"HearingAid1", "Sonaro, Clart\xC3\xA9"},
        {"HearingAid2", "Auriq \"Plus\""},
        {"Experience1", "2"},
        {"Experience2", "3"},
    };
    struct Cell {
        const char* subscale;
        const char* score;
        const char* display;
        const char* missing;
        const char* valid;
    };
    const Cell condition1[] = {{"speech_cues", "5.500000", "5.5", "3", "1"},
                               {"listening_effort", "0.000000", "INV", "5", "0"},
                               {"quiet", "0.000000", "INV", "5", "0"},
                               {"pleasantness", "0.000000", "INV", "4", "0"},
                               {"convenience", "0.000000", "INV", "4", "0"},
                               {"use", "3.000000", "3.0", "1", "1"}};
    for (const auto& c : condition1) {
        const std::string name = std::string("c1_") + c.subscale + "_";
        row[name + "score"] = c.score;
        row[name + "display"] = c.display;
        row[name + "missing"] = c.missing;
        row[name + "valid"] = c.valid;
    }
    for (const char* subscale :
         {"speech_cues", "listening_effort", "quiet", "pleasantness", "convenience", "use"}) {
        const std::string name = std::string("c2_") + subscale + "_";
        row[name + "score"] = "2.000000";
        row[name + "display"] = "2.0";
        row[name + "missing"] = "0";
        row[name + "valid"] = "1";
    }
    return row;
}

bool IsJsonText(const std::string& column) {
    return column != "Experience1" && column != "Experience2" &&
           column.find("_score") == std::string::npos &&
           column.find("_missing") == std::string::npos &&
           column.find("_valid") == std::string::npos;
}

// The fixture's JSON object, built from the same expected values.
std::string ExpectedJsonObject(const std::string& file) {
    const auto row = ExpectedRow(file);
    std::string json = "{";
    for (const auto& column : ExpectedColumns()) {
        if (json.size() > 1) json += ',';
        json += "\"" + column + "\":";
        std::string value = row.at(column);
        if (column.find("_valid") != std::string::npos) {
            json += value == "1" ? "true" : "false";
        } else if (IsJsonText(column)) {
            std::string escaped;
            for (char c : value) escaped += c == '"' ? std::string("\\\"") : std::string(1, c);
            json += "\"" + escaped + "\"";
        } else {
            json += value;
        }
    }
    return json + "}";
}

class CliWide : public ::testing::Test {
protected:
    void SetUp() override { WriteClientFile(file, Fixture()); }

    TempDir dir;
    std::string file = (dir / "bronte.KVO").string();
};

TEST_F(CliWide, HeaderNamesEveryColumn) {
    const auto r = RunCli({"scores", "--wide", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const auto header = CsvFields(lines[0]);
    EXPECT_EQ(header, ExpectedColumns());
    ASSERT_EQ(header.size(), 59u);
    EXPECT_EQ(header[11], "c1_speech_cues_score");
    EXPECT_EQ(header[12], "c1_speech_cues_display");
    EXPECT_EQ(header[13], "c1_speech_cues_missing");
    EXPECT_EQ(header[14], "c1_speech_cues_valid");
    EXPECT_EQ(header[58], "c2_use_valid");
}

TEST_F(CliWide, EveryColumnOfTheRowHoldsTheKnownValue) {
    const auto r = RunCli({"scores", "--wide", "--format", "csv", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    const auto header = CsvFields(lines[0]);
    const auto values = CsvFields(lines[1]);
    ASSERT_EQ(values.size(), header.size()) << lines[1];
    const auto expected = ExpectedRow(file);
    for (std::size_t i = 0; i < header.size(); ++i) {
        EXPECT_EQ(values[i], expected.at(header[i])) << "column " << header[i];
    }
    // Fields with a comma or a quote are quoted; plain ones are not.
    EXPECT_NE(lines[1].find(",\"Sonaro, Clart\xC3\xA9\",\"Auriq \"\"Plus\"\"\",2,3,"),
              std::string::npos)
        << lines[1];
    EXPECT_EQ(lines[1].rfind(file + ",C-1042,Bront\xC3\xAB,Anne,KIVOs(a),", 0), 0u) << lines[1];
}

TEST_F(CliWide, JsonHasOneObjectPerFileNamedLikeTheColumns) {
    const auto r = RunCli({"scores", "--wide", "--format=json", file, file});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string object = ExpectedJsonObject(file);
    EXPECT_EQ(r.out, "[\n" + object + ",\n" + object + "\n]\n");
}

TEST_F(CliWide, OneRowPerFileInTheOrderGiven) {
    const auto other = (dir / "other.kvo").string();
    WriteClientFile(other, test::ClientBuilder().Name("Lee").Form(kLongForm).Build());
    const auto r = RunCli({"scores", "--wide", other, file});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(CsvFields(lines[1])[0], other);
    EXPECT_EQ(CsvFields(lines[1])[2], "Lee");
    EXPECT_EQ(CsvFields(lines[1])[4], "KIVO");
    EXPECT_EQ(CsvFields(lines[2])[0], file);
}

TEST_F(CliWide, NoFilesGiveTheHeaderOrAnEmptyArray) {
    TempDir empty;
    EXPECT_EQ(Lines(RunCli({"scores", "--wide", empty.path().string()}).out).size(), 1u);
    EXPECT_EQ(RunCli({"scores", "--wide", "--format", "json", empty.path().string()}).out, "[]\n");
}

TEST_F(CliWide, ByteOrderMarkStartsTheCsvOnlyWhenAsked) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::vector<std::string> args;
        std::string start;
    };
    const Case cases[] = {
        {{"scores", "--bom", file}, bom + "file,form,condition,"},
        {{"scores", file, "--bom"}, bom + "file,form,condition,"},
        {{"scores", "--wide", "--bom", file}, bom + "file,ClientId,"},
        {{"scores", file}, "file,form,condition,"},
        {{"scores", "--wide", file}, "file,ClientId,"},
        {{"scores", "--format", "json", file}, "[\n{"},
    };
    for (const auto& c : cases) {
        const auto r = RunCli(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, c.start.size()), c.start) << c.args[1];
        EXPECT_EQ(r.out.find(bom, 1), std::string::npos) << "one mark, at the start only";
    }
}

TEST_F(CliWide, UsageErrorsPrintNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"scores", "--wide"},
        {"scores", "--bom"},
        {"scores", "--bom", "--format", "json", file},
        {"scores", "--wide", "--bom", "--format=json", file},
        {"scores", "--wide", "--format", "xml", file},
    };
    for (const auto& args : cases) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        EXPECT_NE(r.err.find("kivo-cli: "), std::string::npos);
    }
}

}  // namespace
