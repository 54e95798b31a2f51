// kivo-cli scores, show and usage in process, and the built program's exit status and streams.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "cli/Cli.h"
#include "model/ClientFile.h"
#include "model/Questionnaire.h"
#include "model/Scoring.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

using namespace kivo;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunCli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
}

// A short-form (a) client: speech cues score 5.5 with three items blank, use A, E and a
// blank; condition 2 blank.
ClientRecord SpeechCuesClient() {
    const std::pair<int, char> answers[] = {{9, 'D'},  {10, 'E'}, {15, 'F'},
                                            {18, 'G'}, {26, 'A'}, {27, 'E'}};
    test::ClientBuilder client;
    client.Name("O'Brien, \"Jr\"").Form(kShortFormA);
    for (auto [item, code] : answers) client.Answer(0, item, code);
    return client.Build();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(CliScores, CsvHasTwelveRowsPerFileInReportOrder) {
    TempDir dir;
    const auto file = (dir / "client.KVO").string();
    WriteClientFile(file, SpeechCuesClient());
    const auto r = RunCli({"scores", file});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "file,form,condition,subscale,score,display,missing,valid");
    EXPECT_EQ(lines[1], file + ",KIVOs(a),1,Speech Cues,5.500000,5.5,3,1");
    EXPECT_EQ(lines[2], file + ",KIVOs(a),1,Listening Effort,0.000000,INV,5,0");
    EXPECT_EQ(lines[3], file + ",KIVOs(a),1,Quiet,0.000000,INV,5,0");
    EXPECT_EQ(lines[6], file + ",KIVOs(a),1,Use,3.000000,3.0,1,1");
    EXPECT_EQ(lines[7], file + ",KIVOs(a),2,Speech Cues,0.000000,INV,7,0");
    EXPECT_EQ(lines[12], file + ",KIVOs(a),2,Use,0.000000,INV,3,0");
}

TEST(CliScores, FileNamesAreQuotedAndUnknownFormsHaveNoName) {
    TempDir dir;
    const auto file = (dir / "a, \"b\".KVO").string();
    auto record = SpeechCuesClient();
    record.TestForm = 7;
    WriteClientFile(file, record);
    const auto r = RunCli({"scores", "--format", "csv", file});
    ASSERT_EQ(r.status, 0);
    std::string quoted = "\"";
    for (char c : file) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    quoted += "\"";
    EXPECT_EQ(Lines(r.out)[1], quoted + ",,1,Speech Cues,0.000000,INV,0,0");
}

TEST(CliScores, RefusedFilesAreReportedAndTheOthersStillScored) {
    TempDir dir;
    const auto good = (dir / "good.KVO").string();
    const auto bad = (dir / "bad.KVO").string();
    WriteClientFile(good, SpeechCuesClient());
    WriteBytes(bad, std::vector<unsigned char>(300, 'K'));
    const auto r = RunCli({"scores", bad, good, (dir / "missing.KVO").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Lines(r.out).size(), 13u);
    const auto errors = Lines(r.err);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].find("300 bytes, expected 552"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("missing.KVO"), std::string::npos) << errors[1];
}

TEST(CliScores, JsonHoldsTheSameFigures) {
    TempDir dir;
    const auto file = (dir / "w.KVO").string();
    WriteClientFile(file, SpeechCuesClient());
    const auto r = RunCli({"scores", "--format=json", file, file});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string one =
        "{\"file\":\"" + file +
        "\",\"form\":\"KIVOs(a)\",\"conditions\":[{\"condition\":1,"
        "\"subscales\":[{\"subscale\":\"Speech Cues\",\"score\":5.500000,\"display\":\"5.5\","
        "\"missing\":3,\"valid\":true},";
    EXPECT_EQ(r.out.substr(0, 2), "[\n");
    EXPECT_EQ(r.out.find(one), 2u) << r.out;
    EXPECT_NE(r.out.find(one, 3), std::string::npos) << "second file";
    EXPECT_NE(r.out.find("{\"subscale\":\"Use\",\"score\":0.000000,\"display\":\"INV\","
                         "\"missing\":3,\"valid\":false}]}]}\n]"),
              std::string::npos);
}

TEST(CliShow, PrintsEveryFieldDecoded) {
    TempDir dir;
    const auto file = (dir / "s.KVO").string();
    auto r = SpeechCuesClient();
    WriteTextField(r.FirstName, "JOHNSON");
    WriteTextField(r.FirstName, "Zo\xC3\xAB");  // Zoë over a longer name
    WriteTextField(r.Comments, "first\r\nsecond \xE2\x80\x99");
    r.Experience2 = 3;
    r.TestForm = 2;
    std::memset(r.LastName, 'X', sizeof r.LastName);  // no NUL in the field
    r.Responses[79] = '\x92';
    WriteClientFile(file, r);
    const auto result = RunCli({"show", file});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto& out = result.out;
    std::string cond1(40, ' ');
    for (auto [i, c] : {std::pair{8, 'D'}, {9, 'E'}, {14, 'F'}, {17, 'G'}, {25, 'A'}, {26, 'E'}}) {
        cond1[static_cast<std::size_t>(i)] = c;
    }
    const std::string cond2 = std::string(39, ' ') + "\xE2\x80\x99";
    for (const std::string& expected : std::vector<std::string>{
             "\"Signature\": \"KIVO1\"", "\"LastName\": \"XXXXXXXXXXXXXXXXXX\",",
             "\"FirstName\": \"Zo\xC3\xAB\",", "\"TestForm\": 2,", "\"Experience2\": 3,",
             "\"Comments\": \"first\\r\\nsecond \xE2\x80\x99\"",
             "\"condition1\": \"" + cond1 + "\"", "\"condition2\": \"" + cond2 + "\""}) {
        EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n" << out;
    }
    const char* names[] = {"Signature", "LastName",  "FirstName",   "MiddleInitial", "ClientId",
                           "TestForm",  "Gender",    "BirthDate",   "HearingAid1",   "Ear1",
                           "Coupling1", "TestDate1", "Experience1", "HearingAid2",   "Ear2",
                           "Coupling2", "TestDate2", "Experience2", "Comments",      "Responses"};
    std::size_t last = 0;
    for (const char* name : names) {
        const auto at = out.find("\"" + std::string(name) + "\":");
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_GT(at, last) << name << " in record order";
        last = at;
    }
}

TEST(CliUsage, ErrorsExitTwo) {
    const std::vector<std::vector<std::string>> bad = {{},
                                                       {"frobnicate"},
                                                       {"scores"},
                                                       {"scores", "--format", "xml", "a"},
                                                       {"scores", "--format"},
                                                       {"scores", "--bogus", "a"},
                                                       {"show"},
                                                       {"show", "a", "b"}};
    for (const auto& args : bad) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    const auto help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("scores [--format csv|json] FILE..."), std::string::npos);
}

TEST(CliBinary, ExitStatusAndStreamsOfTheRealCommand) {
    TempDir dir;
    const auto good = (dir / "g.KVO").string();
    WriteClientFile(good, SpeechCuesClient());
    WriteBytes(dir / "b.KVO", std::vector<unsigned char>(10, 0));
    const auto out = (dir / "out.csv").string();
    const auto err = (dir / "err.txt").string();
    const std::string command = std::string("'") + KIVO_CLI_PATH + "' scores '" + good + "' '" +
                                (dir / "b.KVO").string() + "' >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    const auto text = ReadBytes(out);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13);
    const auto errText = ReadBytes(err);
    EXPECT_EQ(std::count(errText.begin(), errText.end(), '\n'), 1);
    EXPECT_EQ(
        WEXITSTATUS(std::system((std::string("'") + KIVO_CLI_PATH + "' 2>/dev/null").c_str())), 2);
}

TEST(CliScores, ScoreColumnMatchesPrintfForManyFractions) {
    // Random answers give sums over divisors 1..14: thirds, sevenths, elevenths, ...
    TempDir dir;
    std::vector<std::string> args = {"scores"};
    std::vector<ClientRecord> records;
    unsigned seed = 1;
    for (int i = 0; i < 60; ++i) {
        std::string codes(2 * kMaxItems, ' ');
        for (char& code : codes) {
            seed = seed * 1103515245u + 12345u;
            code = " ABCDEFG"[(seed >> 16) % 8];
        }
        const ClientRecord r = test::ClientBuilder().Form(i % 3).Responses(codes).Build();
        records.push_back(r);
        args.push_back((dir / ("c" + std::to_string(i) + ".KVO")).string());
        WriteClientFile(args.back(), r);
    }
    const auto result = RunCli(args);
    ASSERT_EQ(result.status, 0);
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 1 + 12 * records.size());
    for (std::size_t f = 0; f < records.size(); ++f) {
        SubscaleScoreTable scores;
        ComputeSubscaleScores(records[f], scores);
        for (int row = 0; row < 12; ++row) {
            char expected[64];
            std::snprintf(
                expected, sizeof expected, ",%.6f,",
                static_cast<double>(
                    scores[static_cast<std::size_t>(row / 6)][static_cast<std::size_t>(row % 6)]
                        .Score));
            EXPECT_NE(lines[1 + f * 12 + static_cast<std::size_t>(row)].find(expected),
                      std::string::npos)
                << lines[1 + f * 12 + static_cast<std::size_t>(row)] << " vs " << expected;
        }
    }
}
