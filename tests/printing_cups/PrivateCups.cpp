// Starting a private cupsd with file-backed queues in a temporary folder, and reading back
// what it spooled.
#include "tests/printing_cups/PrivateCups.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace kivo::test {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<PrivateCups>& Instance() {
    static std::unique_ptr<PrivateCups> instance;
    return instance;
}

std::string& Reason() {
    static std::string reason = "the private CUPS scheduler was not started";
    return reason;
}

bool& InstalledFlag() {
    static bool installed = false;
    return installed;
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path) << text;
}

bool Run(const QString& program, const QStringList& args, QString* output = nullptr) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(20000)) return false;
    if (output) *output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

const char* const kCupsd = "/usr/sbin/cupsd";
const char* const kLpadmin = "/usr/sbin/lpadmin";

// Starts and stops the scheduler around the whole test program.
class CupsEnvironment : public ::testing::Environment {
public:
    void SetUp() override { PrivateCups::Start(); }
    void TearDown() override { PrivateCups::Stop(); }
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new CupsEnvironment);

}  // namespace

PrivateCups* PrivateCups::Get() {
    return Instance().get();
}

const std::string& PrivateCups::Problem() {
    return Reason();
}

bool PrivateCups::Installed() {
    return InstalledFlag();
}

void PrivateCups::Start() {
    if (Instance()) return;
    if (!fs::exists(kCupsd) || !fs::exists(kLpadmin)) {
        Reason() =
            "cupsd or lpadmin is not installed (Debian packages cups-daemon and "
            "cups-client; tools/install-deps.sh test installs them)";
        return;
    }
    InstalledFlag() = true;
    std::unique_ptr<PrivateCups> cups(new PrivateCups);
    std::string problem;
    if (!cups->Launch(problem)) {
        Reason() = "the private CUPS scheduler did not start: " + problem;
        return;
    }
    Instance() = std::move(cups);
}

void PrivateCups::Stop() {
    Instance().reset();
}

bool PrivateCups::Launch(std::string& problem) {
    char pattern[] = "/tmp/kivo-cups-XXXXXX";
    if (!mkdtemp(pattern)) {
        problem = "no temporary folder";
        return false;
    }
    folder_ = pattern;
    for (const char* sub : {"root", "spool", "spool/tmp", "cache", "state", "log", "out"}) {
        fs::create_directories(folder_ / sub);
    }
    // The scheduler runs its helpers as lp: the folders it writes must be open to it.
    for (const char* sub : {"", "out", "log"}) {
        fs::permissions(folder_ / sub, fs::perms::all, fs::perm_options::add);
    }
    const std::string f = folder_.string();
    socket_ = QString::fromStdString(f + "/socket");
    WriteFile(folder_ / "root/cups-files.conf",
              "ServerRoot " + f + "/root\nRequestRoot " + f + "/spool\nTempDir " + f +
                  "/spool/tmp\nCacheDir " + f + "/cache\nStateDir " + f + "/state\nErrorLog " + f +
                  "/log/error_log\nAccessLog " + f + "/log/access_log\nPageLog " + f +
                  "/log/page_log\nFileDevice Yes\nUser lp\nGroup lp\nSystemGroup root\n");
    WriteFile(
        folder_ / "root/cupsd.conf",
        "Listen " + socket_.toStdString() +
            "\nLogLevel warn\nDirtyCleanInterval 0\nPreserveJobFiles Yes\nPreserveJobHistory Yes\n"
            "Browsing No\nWebInterface No\nDefaultAuthType None\n"
            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
            "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
            "</Policy>\n");
    const std::string conf = f + "/root/cupsd.conf";
    const std::string files = f + "/root/cups-files.conf";
    const pid_t pid = fork();
    if (pid < 0) {
        problem = "fork failed";
        return false;
    }
    if (pid == 0) {
        execl(kCupsd, kCupsd, "-f", "-c", conf.c_str(), "-s", files.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    pid_ = pid;
    // This process and every tool it starts talk to this scheduler only.
    qputenv("CUPS_SERVER", socket_.toUtf8());
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    QString output;
    // lpstat -r succeeds either way: its words say whether the scheduler answered.
    while (!Run("lpstat", {"-h", socket_, "-r"}, &output) ||
           !output.contains("scheduler is running")) {
        if (std::chrono::steady_clock::now() > deadline) {
            problem = "no answer on " + socket_.toStdString() + ": " + output.toStdString();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const QString ppd = QStringLiteral(KIVO_SOURCE_DIR "/tests/printing_cups/ppd/");
    for (const char* queue : {"letter", "a4", "letter-a4", "letter-wide", "a4-wide"}) {
        const QString name = QString::fromLatin1(queue);
        const QString device = QString::fromStdString("file:" + f + "/out/") + name + ".pdf";
        const QStringList add = {"-p", name, "-v", device, "-P", ppd + name + ".ppd", "-E"};
        // A scheduler that has only just started may drop the first connection.
        bool added = false;
        for (int attempt = 0; attempt < 50 && !added; ++attempt) {
            added = Admin(kLpadmin, add, &output);
            if (!added) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!added) {
            problem = "lpadmin could not add the queue " + name.toStdString() + ": " +
                      output.toStdString();
            return false;
        }
    }
    if (!Admin(kLpadmin, {"-d", "letter"})) {
        problem = "lpadmin could not make letter the default queue";
        return false;
    }
    return true;
}

PrivateCups::~PrivateCups() {
    if (pid_ > 0) {
        kill(static_cast<pid_t>(pid_), SIGTERM);
        int status = 0;
        waitpid(static_cast<pid_t>(pid_), &status, 0);
    }
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
}

bool PrivateCups::Admin(const QString& tool, const QStringList& args, QString* output) const {
    return Run(tool, QStringList{"-h", socket_} + args, output);
}

std::vector<fs::path> PrivateCups::Documents() const {
    std::vector<fs::path> documents;
    for (const auto& entry : fs::directory_iterator(folder_ / "spool")) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 1 && name[0] == 'd' && name.ends_with("-001")) {
            documents.push_back(entry.path());
        }
    }
    std::sort(documents.begin(), documents.end());
    return documents;
}

std::string PrivateCups::JobControl(int number) const {
    char name[16];
    std::snprintf(name, sizeof name, "c%05d", number);
    std::ifstream in(folder_ / "spool" / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace kivo::test
