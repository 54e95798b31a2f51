// kivo-cli report into a folder (one PDF per client, named from its file), --paper, output
// names with the wrong extension, progress on a terminal only, and a real kivo-cli process
// whose standard error carries nothing but its own messages.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "cli/Cli.h"
#include "model/ClientFile.h"
#include "model/Questionnaire.h"
#include "tests/cli/CliRun.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

using namespace kivo;
namespace fs = std::filesystem;

namespace {

using Result = test::CliResult;

Result RunCli(const std::vector<std::string>& args, bool terminal = false,
              const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::Run(args, cli::Streams{in, out, err, terminal});
    return {status, out.str(), err.str()};
}

// What a shell command prints on standard output (standard error as the command says).
std::string Capture(const std::string& command) {
    std::string text;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
        text.append(buffer, n);
    }
    return text;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string PdfInfo(const std::string& pdf) {
    return Capture("pdfinfo " + Quoted(pdf) + " 2>&1");
}

// The PDF's words and their places, without the creation time.
std::string PdfWords(const std::string& pdf) {
    std::string words = Capture("pdftotext -bbox " + Quoted(pdf) + " - 2>&1");
    const auto at = words.find("<meta name=\"CreationDate\"");
    if (at != std::string::npos) words.erase(at, words.find('\n', at) - at);
    return words;
}

void Client(const fs::path& path, const std::string& last, const std::string& first) {
    fs::create_directories(path.parent_path());
    WriteClientFile(path, test::ClientBuilder()
                              .Name(last, first)
                              .Form(kLongForm)
                              .AnswerEach(0, [](int item) { return "ABCDEFG"[item % 7]; })
                              .Build());
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CliReport : public ::testing::Test {
protected:
    std::string P(const std::string& relative) const { return (dir / relative).string(); }

    TempDir dir;
};

TEST_F(CliReport, AFolderGivesOnePdfPerClientNamedFromItsFile) {
    Client(dir / "clinic/a/smith.KVO", "Smith", "Ann");
    Client(dir / "clinic/b/Smith.kvo", "Smith", "Bob");
    Client(dir / "clinic/jones.Kvo", "Jones", "Cy");
    WriteBytes(dir / "clinic/damaged.KVO", std::vector<unsigned char>(40, 'x'));
    const auto r = RunCli({"report", P("clinic"), "-o", P("out") + "/"});
    EXPECT_EQ(r.status, 1) << "the damaged file is refused";
    EXPECT_NE(r.err.find("damaged.KVO\" is not a KIVO client file"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("cannot write"), std::string::npos) << r.err;
    // a/smith.KVO comes first in byte order and keeps the plain name; the damaged file gets
    // no PDF and takes no name.
    ASSERT_EQ(FilesIn(dir / "out"),
              (std::vector<std::string>{"Smith-2.pdf", "jones.pdf", "smith.pdf"}));
    const struct {
        const char* pdf;
        const char* name;
    } expected[] = {
        {"out/smith.pdf", ">Ann<"}, {"out/Smith-2.pdf", ">Bob<"}, {"out/jones.pdf", ">Cy<"}};
    for (const auto& e : expected) {
        const std::string info = PdfInfo(P(e.pdf));
        EXPECT_NE(info.find("KIVO Score Report"), std::string::npos) << e.pdf << info;
        EXPECT_NE(info.find("Pages:           1"), std::string::npos) << e.pdf << info;
        EXPECT_NE(info.find("612 x 792 pts"), std::string::npos) << e.pdf << info;
        EXPECT_NE(PdfWords(P(e.pdf)).find(e.name), std::string::npos) << e.pdf;
    }
}

TEST_F(CliReport, EachPdfOfABatchIsTheReportOfASingleRun) {
    Client(dir / "in/one.KVO", "Johnson", "Ann");
    Client(dir / "in/two.KVO", "Lee", "Bo");
    for (const std::string paper : {"letter", "a4"}) {
        const auto batch = RunCli({"report", P("in/one.KVO"), P("in/two.KVO"), "--paper", paper,
                                   "-o", P("batch-" + paper) + "/"});
        ASSERT_EQ(batch.status, 0) << batch.err;
        for (const std::string name : {"one", "two"}) {
            const std::string single = P(name + "-" + paper + ".pdf");
            ASSERT_EQ(
                RunCli({"report", P("in/" + name + ".KVO"), "-o", single, "--paper", paper}).status,
                0);
            const std::string inBatch = P("batch-" + paper + "/" + name + ".pdf");
            EXPECT_EQ(PdfWords(inBatch), PdfWords(single)) << inBatch;
            EXPECT_NE(PdfInfo(inBatch).find(paper == "a4" ? "595 x 842 pts" : "612 x 792 pts"),
                      std::string::npos)
                << PdfInfo(inBatch);
        }
    }
}

TEST_F(CliReport, ListsAndExistingFoldersAreBatchesToo) {
    Client(dir / "x.KVO", "Xu", "Al");
    Client(dir / "y.KVO", "Yi", "Bo");
    fs::create_directories(dir / "existing");
    // An existing folder without the slash, a list on standard input, a new nested folder.
    auto r = RunCli({"report", "-", "-o", P("existing")}, false, P("x.KVO") + "\n" + P("y.KVO"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesIn(dir / "existing"), (std::vector<std::string>{"x.pdf", "y.pdf"}));
    r = RunCli({"report", P("x.KVO"), "-o", P("new/nested") + "/"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesIn(dir / "new/nested"), (std::vector<std::string>{"x.pdf"}));
    // An output folder that cannot be made.
    r = RunCli({"report", P("x.KVO"), "-o", P("x.KVO/inside") + "/"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot write into"), std::string::npos) << r.err;
}

TEST_F(CliReport, ProgressShowsOnlyOnATerminal) {
    Client(dir / "in/a.KVO", "A", "A");
    Client(dir / "in/b.KVO", "B", "B");
    auto r = RunCli({"report", P("in"), "-o", P("quiet") + "/"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty()) << r.err;
    r = RunCli({"report", P("in"), "-o", P("shown") + "/"}, true);
    ASSERT_EQ(r.status, 0);
    const auto first = r.err.find("[1/2] " + P("shown") + "/a.pdf");
    const auto second = r.err.find("[2/2] " + P("shown") + "/b.pdf");
    EXPECT_NE(first, std::string::npos) << r.err;
    EXPECT_NE(second, std::string::npos) << r.err;
    EXPECT_LT(first, second);
    // The line is cleared at the end, so the shell's prompt starts clean.
    EXPECT_EQ(r.err.substr(r.err.size() - 4), "\r\033[K") << r.err;
}

TEST_F(CliReport, OutputNamesMustMatchTheFormat) {
    Client(dir / "c.KVO", "C", "C");
    const std::string file = P("c.KVO");
    const std::vector<std::vector<std::string>> refused = {
        {"report", file, "-o", P("x.png")},
        {"report", file, "-o", P("x.pdf.txt")},
        {"render", "report", file, "-o", P("x.pdf")},
        {"render", "items", file, "-o", P("x.jpg")},
        {"blank", "a", "-o", P("x.png")},
        {"report", file, file, "-o", P("x.pdf")},
        {"report", P(""), "-o", P("x.pdf")},
        {"report", "-", "-o", P("x.pdf")},
        {"report", file, "-o", P("x.pdf"), "--paper", "legal"},
        {"report", file, "-o", P("x.pdf"), "--paper"},
    };
    for (const auto& args : refused) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 2) << args[0] << ' ' << args[args.size() - 1] << ": " << r.err;
        EXPECT_NE(r.err.find("kivo-cli: "), std::string::npos);
    }
    EXPECT_TRUE(FilesIn(dir.path()) == std::vector<std::string>{"c.KVO"}) << "nothing written";
    EXPECT_NE(RunCli({"report", file, "-o", P("x.png")}).err.find("does not end in .pdf"),
              std::string::npos);
    // Any case of the right extension, and a name without one, are written.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"report", file, "-o", P("upper.PDF")},
          {"report", file, "-o", P("no-extension")},
          {"render", "report", file, "-o", P("image.Png")},
          {"blank", "b", "-o", P("form.Pdf")}}) {
        const auto r = RunCli(args);
        EXPECT_EQ(r.status, 0) << args.back() << ": " << r.err;
        EXPECT_TRUE(fs::exists(args.back())) << args.back();
    }
}

// A real kivo-cli process as a user starts it: no XDG_RUNTIME_DIR and no QT_QPA_PLATFORM.
class CliReportProcess : public CliReport {
protected:
    // Runs kivo-cli; its exit status, with standard error in `err`.
    int Run(const std::string& arguments, std::string& err) {
        const std::string errFile = P("stderr.txt");
        const int raw =
            std::system(("env -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM " + Quoted(KIVO_CLI_PATH) +
                         " " + arguments + " >/dev/null 2>" + Quoted(errFile))
                            .c_str());
        const auto bytes = ReadBytes(errFile);
        err.assign(bytes.begin(), bytes.end());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
};

TEST_F(CliReportProcess, StandardErrorHoldsOnlyKivoCliMessages) {
    Client(dir / "c.KVO", "C", "C");
    const std::string file = Quoted(P("c.KVO"));
    std::string err;
    struct Case {
        std::string arguments;
        int status;
        std::string err;
    };
    const std::string nowhere = P("no/such/folder");
    const Case cases[] = {
        {"report " + file + " -o " + Quoted(P("ok.pdf")), 0, ""},
        {"report " + file + " -o " + Quoted(P("batch") + "/"), 0, ""},
        {"blank long -o " + Quoted(P("blank.pdf")), 0, ""},
        {"render items " + file + " -o " + Quoted(P("items.png")), 0, ""},
        {"report " + file + " -o " + Quoted(nowhere + "/x.pdf"), 1,
         "kivo-cli: cannot write '" + nowhere + "/x.pdf'\n"},
        {"blank a -o " + Quoted(nowhere + "/x.pdf"), 1,
         "kivo-cli: cannot write '" + nowhere + "/x.pdf'\n"},
        {"render report " + file + " -o " + Quoted(nowhere + "/x.png"), 1,
         "kivo-cli: cannot write '" + nowhere + "/x.png'\n"},
        {"report " + file + " -o " + Quoted(P("x.png")), 2,
         "kivo-cli: report writes PDF: '" + P("x.png") +
             "' does not end in .pdf\nTry 'kivo-cli --help'.\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.arguments, err), c.status) << c.arguments << '\n' << err;
        EXPECT_EQ(err, c.err) << c.arguments;
    }
    EXPECT_TRUE(fs::exists(P("batch/c.pdf")));
}

TEST_F(CliReportProcess, ProgressAppearsOnARealTerminal) {
    if (std::system("command -v script >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "script (util-linux) is not installed: no terminal to run kivo-cli on";
    }
    Client(dir / "in/a.KVO", "A", "A");
    Client(dir / "in/b.KVO", "B", "B");
    // script gives kivo-cli a pseudo-terminal for its standard error.
    const std::string command =
        "script -qec " +
        Quoted(std::string(KIVO_CLI_PATH) + " report " + P("in") + " -o " + P("out") + "/") +
        " /dev/null </dev/null";
    const std::string screen = Capture(command);
    EXPECT_NE(screen.find("[2/2] " + P("out") + "/b.pdf"), std::string::npos) << screen;
    EXPECT_EQ(FilesIn(dir / "out"), (std::vector<std::string>{"a.pdf", "b.pdf"}));
}

}  // namespace
