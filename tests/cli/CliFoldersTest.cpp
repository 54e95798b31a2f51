// kivo-cli scores over folders and lists: nested folders in byte order of the paths, client
// files in any case, other files passed over, "-" reading paths from standard input, and the same
// through the real program and a pipe.
#include <gtest/gtest.h>

#include <filesystem>
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
using test::Lines;

Result RunCli(const std::vector<std::string>& args, const std::string& input = {}) {
    return test::RunCliInProcess(args, input);
}

// The file column of the wide table: one row per client file, in output order.
std::vector<std::string> ScoredFiles(const std::string& wideCsv) {
    auto lines = Lines(wideCsv);
    std::vector<std::string> files;
    for (std::size_t i = 1; i < lines.size(); ++i)
        files.push_back(lines[i].substr(0, lines[i].find(',')));
    return files;
}

// A client whose last name says which file it came from.
void Client(const fs::path& path, const std::string& name = "Lee") {
    fs::create_directories(path.parent_path());
    WriteClientFile(path, test::ClientBuilder().Name(name).Build());
}

void Text(const fs::path& path) {
    fs::create_directories(path.parent_path());
    WriteBytes(path, {'n', 'o', 't', 'e', '\n'});
}

class CliFolders : public ::testing::Test {
protected:
    std::string P(const std::string& relative) const { return (dir / relative).string(); }

    TempDir dir;
};

TEST_F(CliFolders, NestedFolderIsScoredInByteOrderOfThePaths) {
    // "x-.kvo" < "x.kvo" < "x/y.kvo" < "x0.kvo" byte by byte: a folder's files come where its
    // name followed by '/' sorts, not where its bare name would. Capitals come first.
    for (const char* name : {"x0.kvo", "x/y.kvo", "x.kvo", "x-.kvo", "b.kvo", "A.KVO",
                             "sub/deeper/d.kVo", "sub/c.Kvo", "folder.kvo/g.KVO"}) {
        Client(dir / "clinic" / name, name);
    }
    const auto r = RunCli({"scores", "--wide", P("clinic")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const std::string c = P("clinic") + "/";
    EXPECT_EQ(ScoredFiles(r.out),
              (std::vector<std::string>{c + "A.KVO", c + "b.kvo", c + "folder.kvo/g.KVO",
                                        c + "sub/c.Kvo", c + "sub/deeper/d.kVo", c + "x-.kvo",
                                        c + "x.kvo", c + "x/y.kvo", c + "x0.kvo"}));
    // The long table goes through the same walk: twelve rows per file, in the same order.
    const auto longTable = Lines(RunCli({"scores", P("clinic") + "/"}).out);
    ASSERT_EQ(longTable.size(), 1u + 9 * 12);
    EXPECT_EQ(longTable[1].rfind(c + "A.KVO,KIVOs(a),1,Speech Cues,", 0), 0u) << longTable[1];
    EXPECT_EQ(longTable[12 * 8 + 1].rfind(c + "x0.kvo,", 0), 0u) << "no doubled slash";
}

TEST_F(CliFolders, OtherFilesInAFolderArePassedOverWithoutAWord) {
    Client(dir / "clinic/a.KVO");
    Client(dir / "clinic/sub/b.kvo");
    Text(dir / "clinic/notes.txt");
    Text(dir / "clinic/smith.pdf");  // an earlier batch report written into the clinic folder
    Text(dir / "clinic/sub/smith.KVO.kivo-save-123.tmp");
    Text(dir / "clinic/.hidden");           // passed over, as the shell's * passes it over
    Client(dir / "clinic/.trash/old.kvo");  // a hidden folder is not entered
    const auto r = RunCli({"scores", "--wide", P("clinic")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ScoredFiles(r.out),
              (std::vector<std::string>{P("clinic/a.KVO"), P("clinic/sub/b.kvo")}));
    // A damaged client file is still reported, so exit 1 means a client file is damaged.
    WriteBytes(dir / "clinic/damaged.kvo", std::vector<unsigned char>(100, 'K'));
    const auto damaged = RunCli({"scores", "--wide", P("clinic")});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.err, "kivo-cli: \"" + P("clinic/damaged.kvo") +
                               "\" is not a KIVO client file: 100 bytes, expected 552\n");
    // A file named on the command line is read whatever its name, and refused when it holds
    // no client.
    const auto named = RunCli({"scores", P("clinic/notes.txt")});
    EXPECT_EQ(named.status, 1);
    EXPECT_EQ(named.err, "kivo-cli: \"" + P("clinic/notes.txt") +
                             "\" is not a KIVO client file: 5 bytes, expected 552\n");
}

TEST_F(CliFolders, FilesNamedOnTheCommandLineAreReadWhateverTheirName) {
    Client(dir / "client.dat");
    Client(dir / "clinic/z.kvo");
    const auto r = RunCli({"scores", "--wide", P("client.dat"), P("clinic")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ScoredFiles(r.out), (std::vector<std::string>{P("client.dat"), P("clinic/z.kvo")}));
}

TEST_F(CliFolders, LinksToClientFilesAreReadAndLinksToFoldersNotFollowed) {
    Client(dir / "elsewhere/linked.kvo");
    Client(dir / "clinic/a.kvo");
    fs::create_symlink(dir / "elsewhere/linked.kvo", dir / "clinic/b.kvo");
    fs::create_directory_symlink(dir / "elsewhere", dir / "clinic/loop");
    fs::create_directory_symlink(dir / "clinic", dir / "clinic/self");
    const auto r = RunCli({"scores", "--wide", P("clinic")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ScoredFiles(r.out), (std::vector<std::string>{P("clinic/a.kvo"), P("clinic/b.kvo")}));
    // A folder named on the command line is entered through a link.
    EXPECT_EQ(ScoredFiles(RunCli({"scores", "--wide", P("clinic/loop")}).out),
              (std::vector<std::string>{P("clinic/loop/linked.kvo")}));
}

TEST_F(CliFolders, DashReadsOnePathPerLineFromStandardInput) {
    Client(dir / "one.KVO", "One");
    Client(dir / "two.kvo", "Two");
    Client(dir / "clinic/three.kvo", "Three");
    const std::string list = P("two.kvo") + "\r\n\n" + P("clinic") + "\n" + P("one.KVO");
    const auto r = RunCli({"scores", "--wide", P("one.KVO"), "-"}, list);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ScoredFiles(r.out), (std::vector<std::string>{P("one.KVO"), P("two.kvo"),
                                                            P("clinic/three.kvo"), P("one.KVO")}));
    // A path in the list that is no client file is refused like one on the command line.
    const auto bad = RunCli({"scores", "-"}, P("missing.KVO") + "\n" + P("two.kvo") + "\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(Lines(bad.out).size(), 13u);
    ASSERT_EQ(Lines(bad.err).size(), 1u);
    EXPECT_NE(bad.err.find("missing.KVO"), std::string::npos);
    // An empty list scores nothing and is no error.
    const auto none = RunCli({"scores", "-"}, "");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "file,form,condition,subscale,score,display,missing,valid\n");
}

TEST_F(CliFolders, APathThroughAFileIsRefused) {
    // Neither a folder nor a file: refused as an unreadable file, whatever the user's rights.
    Client(dir / "a.kvo");
    const auto r = RunCli({"scores", P("a.kvo") + "/"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
}

TEST(CliFoldersBinary, FindPipedIntoTheRealProgram) {
    TempDir dir;
    for (int i = 0; i < 50; ++i) Client(dir / "clinic" / ("c" + std::to_string(i) + ".KVO"));
    Client(dir / "clinic/sub/lower.kvo");
    Text(dir / "clinic/readme.txt");
    const auto out = (dir / "out.csv").string();
    const auto err = (dir / "err.txt").string();
    const std::string command = "find '" + (dir / "clinic").string() + "' -iname '*.kvo' | '" +
                                KIVO_CLI_PATH + "' scores --wide - >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    const auto errors = ReadBytes(err);
    EXPECT_EQ(WEXITSTATUS(raw), 0) << std::string(errors.begin(), errors.end());
    EXPECT_TRUE(errors.empty());
    const auto text = ReadBytes(out);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 52);
    // The folder itself: the same 51 clients, and the text file passed over.
    const std::string folder = std::string("'") + KIVO_CLI_PATH + "' scores '" +
                               (dir / "clinic").string() + "' >'" + out + "' 2>'" + err + "'";
    const int status = std::system(folder.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const auto rows = ReadBytes(out);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 1 + 51 * 12);
    EXPECT_TRUE(ReadBytes(err).empty());
}

}  // namespace
