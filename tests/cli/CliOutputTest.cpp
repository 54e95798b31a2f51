// What kivo-cli scores and show write, and where: output that cannot be written is an error,
// no file blocks a run, the output is valid UTF-8 whatever the file names, CSV text cells
// never run as formulas, and messages stay one clean line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/Cli.h"
#include "model/ClientFile.h"
#include "tests/cli/CliRun.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TempDir.h"

using namespace kivo;
namespace fs = std::filesystem;

namespace {

using test::Lines;
using test::RunCliInProcess;

constexpr const char* kFullDevice =
    "kivo-cli: cannot write standard output: No space left on "
    "device\n";

void Client(const fs::path& path, const ClientRecord& record = test::ClientBuilder().Build()) {
    fs::create_directories(path.parent_path());
    WriteClientFile(path, record);
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

// Runs the real kivo-cli through the shell with `redirections`, killed after 20 seconds;
// its exit status (124 when it had to be killed).
int RunProcess(const std::string& arguments, const std::string& redirections) {
    const std::string command =
        "timeout 20 " + Quoted(KIVO_CLI_PATH) + " " + arguments + " " + redirections;
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string Text(const fs::path& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// An independent check of UTF-8: every sequence complete, shortest and at most U+10FFFF, no
// surrogates.
bool ValidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t n = c < 0x80         ? 1
                        : (c >> 5) == 6  ? 2
                        : (c >> 4) == 14 ? 3
                        : (c >> 3) == 30 ? 4
                                         : 0;
        if (n == 0 || i + n > text.size() || (n == 2 && c < 0xC2)) return false;
        unsigned long code = n == 1 ? c : c & (0x7Fu >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            code = (code << 6) | (b & 0x3F);
        }
        if ((n == 3 && code < 0x800) || (n == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += n;
    }
    return true;
}

class CliOutput : public ::testing::Test {
protected:
    std::string P(const std::string& relative) const { return (dir / relative).string(); }

    TempDir dir;
};

TEST_F(CliOutput, AFullDeviceIsAnErrorForEveryTableAndShow) {
    Client(dir / "clinic/a.kvo");
    const std::vector<std::vector<std::string>> commands = {
        {"scores", P("clinic")},           {"scores", "--format", "json", P("clinic")},
        {"scores", "--wide", P("clinic")}, {"scores", "--wide", "--format", "json", P("clinic")},
        {"show", P("clinic/a.kvo")},
    };
    for (const auto& args : commands) {
        std::istringstream in;
        std::ofstream full("/dev/full");
        std::ostringstream err;
        EXPECT_EQ(cli::Run(args, cli::Streams{in, full, err}), 1) << args[1];
        EXPECT_EQ(err.str(), kFullDevice) << args[1];
        // The real program, its standard output on the full device.
        std::string arguments;
        for (const auto& a : args) arguments += Quoted(a) + " ";
        EXPECT_EQ(RunProcess(arguments, ">/dev/full 2>" + Quoted(P("err.txt"))), 1) << args[1];
        EXPECT_EQ(Text(dir / "err.txt"), kFullDevice) << args[1];
    }
}

TEST_F(CliOutput, AFullDiskStopsTheTableWithOneMessage) {
    for (int i = 0; i < 200; ++i) Client(dir / "clinic" / ("c" + std::to_string(i) + ".kvo"));
    const SmallDisk disk(dir / "small", 16);
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs could be mounted here";
    EXPECT_EQ(RunProcess("scores " + Quoted(P("clinic")),
                         ">" + Quoted(P("small/out.csv")) + " 2>" + Quoted(P("err.txt"))),
              1);
    EXPECT_EQ(Text(dir / "err.txt"), kFullDevice);
}

TEST_F(CliOutput, AFifoIsRefusedWithoutWaitingAndTheRunGoesOn) {
    Client(dir / "clinic/a.KVO");
    ASSERT_EQ(::mkfifo(P("clinic/b.KVO").c_str(), 0600), 0);
    Client(dir / "clinic/c.KVO");
    const std::string refused = "kivo-cli: \"" + P("clinic/b.KVO") +
                                "\" is not a KIVO client file: it is not a regular file\n";
    const std::string out = " >" + Quoted(P("out.txt")) + " 2>" + Quoted(P("err.txt"));
    // The folder, the FIFO named directly and in a list: killed after 20 s if it waits.
    EXPECT_EQ(RunProcess("scores --wide " + Quoted(P("clinic")), out), 1);
    EXPECT_EQ(Text(dir / "err.txt"), refused);
    EXPECT_EQ(Lines(Text(dir / "out.txt")).size(), 3u) << "a.KVO and c.KVO are scored";
    WriteBytes(dir / "list.txt", {});
    std::ofstream(P("list.txt")) << P("clinic/b.KVO") << '\n';
    EXPECT_EQ(RunProcess("scores - <" + Quoted(P("list.txt")), out), 1);
    EXPECT_EQ(Text(dir / "err.txt"), refused);
    EXPECT_EQ(RunProcess("show " + Quoted(P("clinic/b.KVO")), out), 1);
    EXPECT_EQ(Text(dir / "err.txt"), refused);
    EXPECT_EQ(Text(dir / "out.txt"), "");
}

TEST_F(CliOutput, AFolderNamedLikeAClientFileIsWalked) {
    Client(dir / "x.kvo/inner.KVO");
    auto r = RunCliInProcess({"scores", "--wide", P("x.kvo")});
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(Lines(r.out).size(), 2u);
    EXPECT_EQ(Lines(r.out)[1].rfind(P("x.kvo") + "/inner.KVO,", 0), 0u);
    r = RunCliInProcess({"scores", "-"}, P("x.kvo") + "\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Lines(r.out).size(), 13u);
    // show takes one client file: a folder is refused.
    r = RunCliInProcess({"show", P("x.kvo")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "kivo-cli: \"" + P("x.kvo") + "\" is not a KIVO client file: it is a folder\n");
}

TEST_F(CliOutput, APathLineLongerThanAnyPathEndsTheList) {
    Client(dir / "a.kvo");
    const std::string list = P("a.kvo") + "\n" + std::string(5000, 'x') + "\n" + P("a.kvo") + "\n";
    const auto r = RunCliInProcess({"scores", "--wide", "-"}, list);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Lines(r.out).size(), 2u) << "the file before the long line only";
    EXPECT_EQ(r.err,
              "kivo-cli: a line on standard input is longer than the longest path (4095 bytes)\n");
    // A path of exactly the longest length, with a CR LF, is read (and refused as missing).
    const std::string longest(4095, 'y');
    const auto edge = RunCliInProcess({"scores", "-"}, longest + "\r\n");
    EXPECT_EQ(edge.err.find("longest path"), std::string::npos) << edge.err;
}

TEST_F(CliOutput, NamesThatAreNotUtf8GiveValidUtf8AndOneWarningPerFile) {
    Client(dir / "clinic/caf\xE9.kvo", test::ClientBuilder().Name("Bront\xC3\xAB").Build());
    Client(dir / "clinic/ok.kvo");
    const std::string shown = P("clinic/caf\xEF\xBF\xBD.kvo");
    const std::string warning = "kivo-cli: warning: the name of '" + P("clinic/caf") +
                                "\\xE9.kvo' is not UTF-8; the output shows U+FFFD for what "
                                "does not decode\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"scores", P("clinic")},
          {"scores", "--wide", P("clinic")},
          {"scores", "--format", "json", P("clinic")},
          {"scores", "--wide", "--format=json", P("clinic")}}) {
        const auto r = RunCliInProcess(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(ValidUtf8(r.out)) << args.back();
        EXPECT_EQ(r.err, warning);
        EXPECT_NE(r.out.find(shown), std::string::npos) << r.out;
    }
    const auto wide = RunCliInProcess({"scores", "--wide", P("clinic")});
    EXPECT_NE(wide.out.find("Bront\xC3\xAB"), std::string::npos);
}

TEST_F(CliOutput, TextCellsThatStartLikeAFormulaAreGuardedInCsv) {
    test::FittingDetails fitting;
    fitting.hearingAid = "=HYPERLINK(\"http://x\",\"c\")";
    fitting.testDate = "@SUM(A1)";
    fitting.experience = -1;
    Client(dir / "-d.kvo", test::ClientBuilder()
                               .Name("=1+2", "+cmd")
                               .ClientId("-5")
                               .Fitting1(fitting)
                               .Fitting2({"\tTab", "", "", "\rCr", 2})
                               .Build());
    const auto r = RunCliInProcess({"scores", "--wide", P("-d.kvo")});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string row = r.out.substr(r.out.find('\n') + 1);
    const std::string expected = P("-d.kvo") +
                                 ",'-5,'=1+2,'+cmd,KIVOs(a),'@SUM(A1),\"'\rCr\","
                                 "\"'=HYPERLINK(\"\"http://x\"\",\"\"c\"\")\",'\tTab,-1,2,";
    EXPECT_EQ(row.substr(0, expected.size()), expected) << row;
    // --raw-text writes the bytes as they are; JSON is never changed.
    const auto raw = RunCliInProcess({"scores", "--wide", "--raw-text", P("-d.kvo")});
    EXPECT_NE(raw.out.find(",-5,=1+2,+cmd,KIVOs(a),@SUM(A1),"), std::string::npos) << raw.out;
    const auto json = RunCliInProcess({"scores", "--wide", "--format", "json", P("-d.kvo")});
    EXPECT_NE(json.out.find("\"LastName\":\"=1+2\""), std::string::npos) << json.out;
    // The long table's file column is a text cell too: a relative name may start with '-'.
    const fs::path before = fs::current_path();
    fs::current_path(dir.path());
    const auto longTable = RunCliInProcess({"scores", "--", "-d.kvo"});
    fs::current_path(before);
    ASSERT_EQ(Lines(longTable.out).size(), 13u) << longTable.err;
    EXPECT_EQ(Lines(longTable.out)[1].rfind("'-d.kvo,KIVOs(a),1,Speech Cues,", 0), 0u)
        << Lines(longTable.out)[1];
}

TEST_F(CliOutput, ControlCharactersInNamesAreEscapedOnStandardError) {
    const std::string name = "evil\x1B]0;owned\x07\nkivo-cli: fake\t\x7F\xC2\x9B.kvo";
    WriteBytes(dir / name, {'x'});
    const auto r = RunCliInProcess({"scores", P(name)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kivo-cli: \"" + P("evil") +
                         "\\x1B]0;owned\\x07\\nkivo-cli: fake\\t\\x7F\\u009B.kvo\" is not a KIVO "
                         "client file: 1 bytes, expected 552\n");
    const auto usage = RunCliInProcess({"scores", "--bad\x1B[2J"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(Lines(usage.err)[0], "kivo-cli: unknown option '--bad\\x1B[2J'");
}

}  // namespace
