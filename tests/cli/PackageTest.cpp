// The Debian package as an administrator gets it: built with cpack from the build tree's own
// package settings into a temporary folder, its file list, control fields and lintian's
// verdict, and the man pages rendered by man. Skipped, saying why, where the Debian tools or
// man are not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct Output {
    int status = -1;
    std::string text;  // standard output, and standard error where the command sends it
};

Output Capture(const std::string& command) {
    Output output;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.text.append(buffer, n);
    }
    const int raw = pclose(pipe);
    output.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

bool Installed(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& text) {
    return "'" + text + "'";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

const fs::path kManDir = fs::path(KIVO_BINARY_DIR) / "man";

// ---- Man pages ------------------------------------------------------------------------------

class ManPage : public ::testing::TestWithParam<const char*> {};

TEST_P(ManPage, RendersWithoutWarningsWithinEightyColumns) {
    if (!Installed("man")) GTEST_SKIP() << "man (package man-db) is not installed";
    const fs::path page = kManDir / (std::string(GetParam()) + ".1.gz");
    ASSERT_TRUE(fs::exists(page)) << page;
    const std::string errors = (kManDir / (std::string(GetParam()) + ".warnings")).string();
    const Output man = Capture("MANWIDTH=80 MAN_KEEP_FORMATTING= man --warnings -E UTF-8 -l " +
                               Quoted(page.string()) + " 2>" + Quoted(errors) + " | col -bx");
    ASSERT_EQ(man.status, 0);
    std::ifstream warnings(errors);
    const std::string warningText{std::istreambuf_iterator<char>(warnings), {}};
    EXPECT_TRUE(warningText.empty()) << warningText;
    for (const auto& heading : {"NAME", "SYNOPSIS", "DESCRIPTION", "SEE ALSO"}) {
        EXPECT_NE(man.text.find("\n" + std::string(heading) + "\n"), std::string::npos)
            << heading << '\n'
            << man.text;
    }
    for (const auto& line : Lines(man.text)) {
        // Columns, not bytes: UTF-8 continuation bytes take no column.
        const auto columns =
            std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
        EXPECT_LE(columns, 80) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ManPage, ::testing::Values("kivo", "kivo-cli"));

// The page's text is the README's: a change there reaches the page with the next build.
TEST(ManPageText, ComesFromTheReadme) {
    if (!Installed("man")) GTEST_SKIP() << "man (package man-db) is not installed";
    const auto render = [](const char* page) {
        return Capture("MANWIDTH=200 man --nj --nh -E UTF-8 -l " +
                       Quoted((kManDir / (std::string(page) + ".1.gz")).string()) +
                       " 2>/dev/null | col -bx")
            .text;
    };
    const std::string cli = render("kivo-cli");
    for (const char* text : {"kivo-cli - score and inspect KIVO client files",
                             "kivo-cli scores [--format csv|json] [--wide] [--bom] [--raw-text]",
                             "kivo-cli report FILE... -o OUTDIR/ [--paper letter|a4]",
                             "file,form,condition,subscale,score,display,missing,valid",
                             "c1_speech_cues_missing,c1_speech_cues_valid,...", "EXIT STATUS",
                             "EXAMPLES", "stay \"\\r\\n\"."}) {
        EXPECT_NE(cli.find(text), std::string::npos) << text << '\n' << cli;
    }
    const std::string kivo = render("kivo");
    for (const char* text : {"KIVO is a desktop program for hearing-care clinicians.",
                             "A .KVO file is the 552-byte client record", "kivo-cli(1)"}) {
        EXPECT_NE(kivo.find(text), std::string::npos) << text << '\n' << kivo;
    }
}

// gzip -9n: best compression, and neither the file name nor a time stamp in the header, so
// the same sources give the same package bytes.
TEST(ManPageFile, IsCompressedReproducibly) {
    for (const char* page : {"kivo", "kivo-cli"}) {
        std::ifstream in(kManDir / (std::string(page) + ".1.gz"), std::ios::binary);
        unsigned char header[10] = {};
        ASSERT_TRUE(in.read(reinterpret_cast<char*>(header), sizeof header)) << page;
        EXPECT_EQ(header[0], 0x1F) << page;
        EXPECT_EQ(header[1], 0x8B) << page;
        EXPECT_EQ(header[3] & 0x08, 0) << page << ": no file name";
        EXPECT_EQ(header[4] | header[5] | header[6] | header[7], 0) << page << ": no time stamp";
        EXPECT_EQ(header[8], 2) << page << ": compressed with -9";
    }
}

// ---- The package ----------------------------------------------------------------------------

// Builds the package into a temporary folder. The install runs the build tree's own install
// script into /usr (stripped, as the package settings ask), without cpack's usual rebuild of
// the whole tree first: the programs are already built when the tests run. Returns the
// package's path, or empty with cpack's output in `log`.
std::string BuildPackage(const TempDir& folder, std::string& log) {
    const fs::path script = folder / "install.cmake";
    std::ofstream(script) << "set(CMAKE_INSTALL_PREFIX /usr)\n"
                             "set(CMAKE_INSTALL_DO_STRIP 1)\n"
                             "include(\"" KIVO_BINARY_DIR "/cmake_install.cmake\")\n";
    const Output cpack = Capture(Quoted(KIVO_CPACK_COMMAND) + " -G DEB --config " +
                                 Quoted(std::string(KIVO_BINARY_DIR) + "/CPackConfig.cmake") +
                                 " -B " + Quoted(folder.path().string()) +
                                 " -D CPACK_INSTALL_CMAKE_PROJECTS= -D CPACK_INSTALL_SCRIPTS=" +
                                 Quoted(script.string()) + " 2>&1");
    log = cpack.text;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        if (entry.path().extension() == ".deb") return entry.path().string();
    }
    return {};
}

void ExpectFiles(const std::string& deb) {
    const Output list = Capture("dpkg-deb -c " + Quoted(deb));
    ASSERT_EQ(list.status, 0) << list.text;
    std::set<std::string> files;
    for (const auto& line : Lines(list.text)) {
        if (line.empty() || line[0] == 'd') continue;  // folders
        files.insert(line.substr(line.find("./") + 2));
    }
    const std::set<std::string> expected = {
        "usr/bin/kivo",
        "usr/bin/kivo-cli",
        "usr/share/applications/kivo.desktop",
        "usr/share/doc/kivo/changelog.gz",
        "usr/share/doc/kivo/copyright",
        "usr/share/icons/hicolor/256x256/apps/kivo.png",
        "usr/share/icons/hicolor/256x256/mimetypes/application-x-kivo-client.png",
        "usr/share/icons/hicolor/48x48/apps/kivo.png",
        "usr/share/icons/hicolor/48x48/mimetypes/application-x-kivo-client.png",
        "usr/share/man/man1/kivo-cli.1.gz",
        "usr/share/man/man1/kivo.1.gz",
        "usr/share/mime/packages/kivo.xml",
    };
    // Exactly these: no cache of the MIME or desktop database (the target machine's triggers
    // make those), nothing outside /usr.
    EXPECT_EQ(files, expected) << list.text;
}

void ExpectControlFields(const std::string& deb) {
    const Output control = Capture("dpkg-deb -f " + Quoted(deb));
    ASSERT_EQ(control.status, 0) << control.text;
    const std::string& fields = control.text;
    EXPECT_NE(fields.find("Package: kivo\n"), std::string::npos) << fields;
    EXPECT_NE(fields.find("Maintainer: KIVO developers <kivo@example.org>\n"), std::string::npos)
        << fields;
    // dpkg-shlibdeps found the libraries the programs link.
    for (const char* dependency : {"libc6 (>=", "libqt6widgets6 (>=", "libqt6printsupport6",
                                   "libjpeg62-turbo", "qt6-qpa-plugins", "fonts-liberation"}) {
        EXPECT_NE(fields.find(dependency), std::string::npos) << dependency << '\n' << fields;
    }
    // The extended description: lines under the summary, each starting with a space.
    const auto description = fields.find("Description: ");
    ASSERT_NE(description, std::string::npos);
    const auto next = fields.find('\n', description);
    EXPECT_EQ(fields.compare(next + 1, 6, " KIVO "), 0) << fields;
}

void ExpectStripped(const std::string& deb, const fs::path& unpacked) {
    if (!Installed("file")) return;
    ASSERT_EQ(std::system(("dpkg-deb -x " + Quoted(deb) + " " + Quoted(unpacked.string())).c_str()),
              0);
    for (const char* program : {"kivo", "kivo-cli"}) {
        const Output file = Capture("file -b " + Quoted((unpacked / "usr/bin" / program).string()));
        EXPECT_NE(file.text.find("ELF"), std::string::npos) << file.text;
        EXPECT_NE(file.text.find(", stripped"), std::string::npos) << program << ": " << file.text;
    }
}

void ExpectLintianClean(const std::string& deb) {
    const Output lintian = Capture("lintian " + Quoted(deb) + " 2>/dev/null");
    for (const auto& line : Lines(lintian.text)) {
        EXPECT_FALSE(line.rfind("E: ", 0) == 0 || line.rfind("W: ", 0) == 0) << line;
    }
    EXPECT_EQ(lintian.status, 0) << lintian.text;
}

// One test, so the package is built once per run of the suite.
TEST(DebianPackage, HoldsWhatItShouldAndLintianFindsNoErrorsOrWarnings) {
    if (!Installed("dpkg-deb") || !Installed("dpkg-shlibdeps")) {
        GTEST_SKIP() << "dpkg-deb and dpkg-shlibdeps (package dpkg-dev) are not installed";
    }
    const TempDir folder;
    std::string log;
    const std::string deb = BuildPackage(folder, log);
    ASSERT_FALSE(deb.empty()) << "cpack made no package:\n" << log;
    {
        SCOPED_TRACE("file list");
        ExpectFiles(deb);
    }
    {
        SCOPED_TRACE("control fields");
        ExpectControlFields(deb);
    }
    {
        SCOPED_TRACE("stripped programs");
        ExpectStripped(deb, folder / "unpacked");
    }
    if (Installed("lintian")) {
        SCOPED_TRACE("lintian");
        ExpectLintianClean(deb);
    } else {
        std::cout << "lintian is not installed: the package was not checked by it\n";
    }
}

}  // namespace
