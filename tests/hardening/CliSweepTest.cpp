// Every damaged client file through kivo-cli: scores and show for all of them, render and
// report for a sample, a few as real processes.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QProcess>
#include <algorithm>
#include <sstream>

#include "cli/Cli.h"
#include "tests/hardening/SweepFiles.h"

namespace kivo::test {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    Outcome o;
    o.status = cli::Run(args, out, err);
    o.out = out.str();
    o.err = err.str();
    return o;
}

// A refused file exits with 1 and a message naming it; every other file exits with 0.
void ExpectReadOrRefused(const SweepFile& file, const Outcome& o, const std::string& what) {
    const std::string path = file.path.string();
    if (file.refused) {
        EXPECT_EQ(o.status, 1) << what << ' ' << path;
        EXPECT_NE(o.err.find("\"" + path + "\""), std::string::npos) << what << ": " << o.err;
    } else {
        EXPECT_EQ(o.status, 0) << what << ' ' << path << ": " << o.err;
    }
}

bool IsJson(const std::string& text) {
    QJsonParseError error{};
    QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    return error.error == QJsonParseError::NoError;
}

TEST(DamagedFileSweep, ScoresAndShowReadOrRefuseEveryFile) {
    for (const SweepFile& file : SweepFiles()) {
        const std::string path = file.path.string();
        const Outcome csv = RunCli({"scores", path});
        ExpectReadOrRefused(file, csv, "scores");
        if (!file.refused) {
            // The header and 12 rows.
            EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 13) << path;
        }
        const Outcome json = RunCli({"scores", "--format", "json", path});
        ExpectReadOrRefused(file, json, "scores json");
        if (!file.refused) {
            EXPECT_TRUE(IsJson(json.out)) << path << '\n' << json.out;
        }
        const Outcome show = RunCli({"show", path});
        ExpectReadOrRefused(file, show, "show");
        if (!file.refused) {
            EXPECT_TRUE(IsJson(show.out)) << path << '\n' << show.out;
        }
    }
}

TEST(DamagedFileSweep, RenderAndReportReadOrRefuseASample) {
    TempDir out;
    const std::string png = (out / "out.png").string();
    const std::string pdf = (out / "out.pdf").string();
    const auto& files = SweepFiles();
    for (std::size_t i = 0; i < files.size(); i += 19) {
        const std::string path = files[i].path.string();
        ExpectReadOrRefused(files[i], RunCli({"render", "report", path, "-o", png}), "render");
        ExpectReadOrRefused(
            files[i],
            RunCli({"render", "items", path, "--subscale", std::to_string(i % 6), "-o", png}),
            "render items");
        if (i % 5 == 0)
            ExpectReadOrRefused(files[i], RunCli({"report", path, "-o", pdf}), "report");
    }
}

// In a sanitizer build the leak check that runs as each child ends can itself crash when the
// machine is busy (its tracer races the threads Qt is ending); the same paths run in this
// process with the leak check on, so the children go without it.
QProcessEnvironment ChildEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString asan = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0"));
    return environment;
}

TEST(DamagedFileSweep, RealProcessesEndNormally) {
    TempDir out;
    const QString png = QString::fromStdString((out / "out.png").string());
    const QString pdf = QString::fromStdString((out / "out.pdf").string());
    const auto& files = SweepFiles();
    for (std::size_t i = 0; i < files.size(); i += files.size() / 6) {
        const QString path = files[i].Path();
        for (const QStringList& args :
             {QStringList{"scores", path}, QStringList{"show", path},
              QStringList{"render", "items", path, "--subscale", "5", "-o", png},
              QStringList{"report", path, "-o", pdf}}) {
            QProcess process;
            process.setProcessEnvironment(ChildEnvironment());
            process.start(QStringLiteral(KIVO_CLI_PATH), args);
            ASSERT_TRUE(process.waitForFinished(30000)) << args.join(' ').toStdString();
            EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << args.join(' ').toStdString();
            EXPECT_EQ(process.exitCode(), files[i].refused ? 1 : 0)
                << args.join(' ').toStdString() << '\n'
                << process.readAllStandardError().toStdString();
        }
    }
}

}  // namespace
}  // namespace kivo::test
