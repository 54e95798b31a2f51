// kivo-cli report into a folder (one PDF per client, named from its file), --paper, output
// names with the wrong extension, progress on a terminal only, and a real kivo-cli process
// whose standard error carries nothing but its own messages.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

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
#include "tests/support/SmallDisk.h"
#include "tests/support/TempDir.h"

using namespace kivo;
namespace fs = std::filesystem;

namespace {

using Result = test::CliResult;
using test::Lines;

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

TEST_F(CliReport, OutputOptionsReadAndFailTheSameInEveryCommand) {
    Client(dir / "c.KVO", "C", "C");
    const std::string file = P("c.KVO");
    const std::vector<std::vector<std::string>> commands = {
        {"render", "report", file}, {"report", file}, {"blank", "a"}};
    for (const auto& command : commands) {
        const auto with = [&](std::vector<std::string> extra) {
            auto args = command;
            args.insert(args.end(), extra.begin(), extra.end());
            return RunCli(args);
        };
        EXPECT_EQ(Lines(with({"-o"}).err)[0], "kivo-cli: -o needs a file name") << command[0];
        EXPECT_EQ(Lines(with({"--output="}).err)[0], "kivo-cli: --output needs a file name");
        const std::string extension = command[0] == "render" ? ".png" : ".pdf";
        EXPECT_EQ(Lines(with({}).err)[0], "kivo-cli: " + command[0] + " needs -o OUT" + extension);
        const auto written = with({"--output=" + P(command[0] + extension)});
        EXPECT_EQ(written.status, 0) << written.err;
        EXPECT_TRUE(fs::exists(P(command[0] + extension))) << command[0];
        if (command[0] == "render") continue;  // an image has no paper
        EXPECT_EQ(Lines(with({"-o", P("x.pdf"), "--paper", "legal"}).err)[0],
                  "kivo-cli: --paper needs letter or a4, not 'legal'");
        EXPECT_EQ(Lines(with({"-o", P("x.pdf"), "--paper"}).err)[0],
                  "kivo-cli: --paper needs letter or a4");
        const auto a4 = with({"-o", P("a4.pdf"), "--paper=a4"});
        EXPECT_EQ(a4.status, 0) << a4.err;
        EXPECT_NE(PdfInfo(P("a4.pdf")).find("595 x 842 pts (A4)"), std::string::npos)
            << PdfInfo(P("a4.pdf"));
    }
}

// A real kivo-cli process as a user starts it: no XDG_RUNTIME_DIR and no QT_QPA_PLATFORM.
class CliReportProcess : public CliReport {
protected:
    // Runs kivo-cli; its exit status, with standard error in `err`.
    int Run(const std::string& arguments, std::string& err) {
        const std::string errFile = P("stderr.txt");
        const int raw = std::system(("timeout 20 env -u XDG_RUNTIME_DIR -u QT_QPA_PLATFORM " +
                                     Quoted(KIVO_CLI_PATH) + " " + arguments + " >/dev/null 2>" +
                                     Quoted(errFile))
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
         "kivo-cli: cannot write '" + nowhere + "/x.pdf': No such file or directory\n"},
        {"blank a -o " + Quoted(nowhere + "/x.pdf"), 1,
         "kivo-cli: cannot write '" + nowhere + "/x.pdf': No such file or directory\n"},
        {"render report " + file + " -o " + Quoted(nowhere + "/x.png"), 1,
         "kivo-cli: cannot write '" + nowhere + "/x.png': No such file or directory\n"},
        {"report " + file + " -o /dev/full", 1,
         "kivo-cli: cannot write '/dev/full': No space left on device\n"},
        {"blank long -o /dev/full", 1,
         "kivo-cli: cannot write '/dev/full': No space left on device\n"},
        {"render items " + file + " -o /dev/full", 1,
         "kivo-cli: cannot write '/dev/full': No space left on device\n"},
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

// Every PDF and PNG is written whole or not at all: on a full disk the command fails with one
// line and leaves nothing behind, not even its temporary file.
TEST_F(CliReport, AFullDiskLeavesNoFileAndExitsOne) {
    Client(dir / "c.KVO", "C", "C");
    Client(dir / "in/a.KVO", "A", "A");
    Client(dir / "in/b.KVO", "B", "B");
    const SmallDisk disk(dir / "small", 8);
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs could be mounted here";
    const std::string full = ": No space left on device\n";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"report", P("c.KVO"), "-o", P("small/r.pdf")},
         "kivo-cli: cannot write '" + P("small/r.pdf") + "'" + full},
        {{"blank", "long", "-o", P("small/b.pdf")},
         "kivo-cli: cannot write '" + P("small/b.pdf") + "'" + full},
        {{"render", "report", P("c.KVO"), "-o", P("small/r.png")},
         "kivo-cli: cannot write '" + P("small/r.png") + "'" + full},
        {{"report", P("in"), "-o", P("small") + "/"},
         "kivo-cli: cannot write '" + P("small/a.pdf") + "'" + full + "kivo-cli: cannot write '" +
             P("small/b.pdf") + "'" + full},
    };
    for (const auto& c : cases) {
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0];
        EXPECT_EQ(r.err, c.err);
        EXPECT_TRUE(FilesIn(dir / "small").empty())
            << c.args[0] << ": " << FilesIn(dir / "small")[0];
    }
}

TEST_F(CliReport, ALinkAtTheOutputNameIsReplacedNotWrittenThrough) {
    Client(dir / "c.KVO", "C", "C");
    WriteBytes(dir / "precious.txt", {'k', 'e', 'e', 'p'});
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"report", P("c.KVO"), "-o", P("out.pdf")},
          {"blank", "a", "-o", P("out.pdf")},
          {"render", "items", P("c.KVO"), "-o", P("out.png")}}) {
        fs::remove(args.back());
        fs::create_symlink(dir / "precious.txt", args.back());
        const auto r = RunCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(args.back()))) << args[0];
        EXPECT_EQ(ReadBytes(dir / "precious.txt"),
                  (std::vector<unsigned char>{'k', 'e', 'e', 'p'}));
        const auto written = ReadBytes(args.back());
        ASSERT_GE(written.size(), 4u);
        EXPECT_EQ(std::string(written.begin() + 1, written.begin() + 4),
                  args.back().ends_with(".pdf") ? "PDF" : "PNG");
    }
}

TEST_F(CliReport, AnOutputFolderThatCannotBeWrittenIsOneEarlyError) {
    Client(dir / "in/a.KVO", "A", "A");
    Client(dir / "in/b.KVO", "B", "B");
    Client(dir / "in/c.KVO", "C", "C");
    auto r = RunCli({"report", P("in"), "-o", P("in/a.KVO/inside") + "/"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
    // A folder that exists but takes no files: root passes permission checks, so a read-only
    // file system stands for it.
    fs::create_directories(dir / "ro");
    if (::mount("tmpfs", P("ro").c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0) {
        GTEST_SKIP() << "no read-only tmpfs could be mounted here";
    }
    r = RunCli({"report", P("in"), "-o", P("ro") + "/"});
    ::umount2(P("ro").c_str(), MNT_DETACH);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kivo-cli: cannot write into '" + P("ro") + "/': Read-only file system\n");
}

TEST_F(CliReport, NamesThatDifferOnlyInCaseCollideByUnicodeCaseFolding) {
    Client(dir / "in/M\xC3\x9CLLER.KVO", "M\xC3\xBCller", "A");
    Client(dir / "in/m\xC3\xBCller.kvo", "M\xC3\xBCller", "B");
    // "in/sub/" sorts before "in/\xCE": the lower-case σω comes first and keeps its name.
    Client(dir / "in/\xCE\xA3\xCE\xA9.kvo", "Sigma", "C");      // ΣΩ
    Client(dir / "in/sub/\xCF\x83\xCF\x89.KVO", "Sigma", "D");  // σω
    const auto r = RunCli({"report", P("in"), "-o", P("out") + "/"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesIn(dir / "out"),
              (std::vector<std::string>{"M\xC3\x9CLLER.pdf", "m\xC3\xBCller-2.pdf",
                                        "\xCE\xA3\xCE\xA9-2.pdf", "\xCF\x83\xCF\x89.pdf"}));
}

TEST_F(CliReport, AFolderNamedLikeAClientFileIsABatch) {
    Client(dir / "x.kvo/inner.KVO", "I", "I");
    auto r = RunCli({"report", P("x.kvo"), "-o", P("out") + "/"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesIn(dir / "out"), (std::vector<std::string>{"inner.pdf"}));
    r = RunCli({"report", "-", "-o", P("list") + "/"}, false, P("x.kvo") + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FilesIn(dir / "list"), (std::vector<std::string>{"inner.pdf"}));
}

TEST_F(CliReport, ControlCharactersInNamesAreEscapedInProgressAndMessages) {
    Client(dir / "in/a\x1B]0;x\x07.KVO", "A", "A");
    WriteBytes(dir / "in/b\nkivo-cli: done.KVO", {'x'});
    const auto r = RunCli({"report", P("in"), "-o", P("out") + "/"}, true);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("] " + P("out") + "/a\\x1B]0;x\\x07.pdf"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("b\\nkivo-cli: done.KVO\" is not a KIVO client file"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("\x1B]"), std::string::npos) << "no raw escape sequence of a name";
    EXPECT_EQ(r.err.find('\x07'), std::string::npos);
}

TEST_F(CliReportProcess, AFifoDoesNotHoldUpRenderOrReport) {
    Client(dir / "in/a.KVO", "A", "A");
    ASSERT_EQ(::mkfifo(P("in/b.KVO").c_str(), 0600), 0);
    const std::string refused =
        "kivo-cli: \"" + P("in/b.KVO") + "\" is not a KIVO client file: it is not a regular file\n";
    std::string err;
    // Killed after 20 seconds if it waits on the FIFO.
    EXPECT_EQ(Run("report " + Quoted(P("in")) + " -o " + Quoted(P("out") + "/"), err), 1);
    EXPECT_EQ(err, refused);
    EXPECT_EQ(FilesIn(dir / "out"), (std::vector<std::string>{"a.pdf"}));
    for (const std::string& command :
         {"report " + Quoted(P("in/b.KVO")) + " -o " + Quoted(P("b.pdf")),
          "render report " + Quoted(P("in/b.KVO")) + " -o " + Quoted(P("b.png")),
          "show " + Quoted(P("in/b.KVO"))}) {
        EXPECT_EQ(Run(command, err), 1) << command;
        EXPECT_EQ(err, refused) << command;
    }
}

}  // namespace
