// Generating the score report against an empty one-page report through the same engine, and
// kivo-cli report against a program that writes a one-page PDF with one line of text.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/GuiBenchMain.h"
#include "model/ClientFile.h"
#include "model/Session.h"
#include "print/engine/Report.h"
#include "print/score/ScoreReport.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace {

using namespace kivo;

// A long-form client with names, comments and every item answered in both conditions.
ClientRecord FullClient() {
    return test::ClientBuilder()
        .Name("Johnson", "Ann")
        .Comments("Reports more benefit in restaurants.\r\nFollow up in three months.")
        .Form(kLongForm)
        .AnswerEach(0, [](int item) { return static_cast<char>('A' + item % 5); })
        .AnswerEach(1, [](int item) { return static_cast<char>('B' + item % 4); })
        .Build();
}

void BM_GenerateEmptyReport(benchmark::State& state) {
    report::Report empty;
    empty.AddBand(report::BandKind::Detail).Size.height = 100.0;
    for (auto _ : state) benchmark::DoNotOptimize(empty.Generate());
}
BENCHMARK(BM_GenerateEmptyReport)->Unit(benchmark::kMillisecond);

void BM_GenerateScoreReport(benchmark::State& state) {
    gClientRecord = FullClient();
    ComputeSubscaleScores();
    LoadNormTable();
    print::ScoreReport scoreReport;
    for (auto _ : state) benchmark::DoNotOptimize(scoreReport.Report().Generate(1));
}
BENCHMARK(BM_GenerateScoreReport)->Unit(benchmark::kMillisecond);

// A file in this run's own temporary folder, removed at exit.
std::string Temp(const char* name) {
    static const TempDir folder;
    return (folder / name).string();
}

void RunCommand(benchmark::State& state, const std::string& command) {
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("command failed");
    }
}

void BM_OnePagePdfBaseline(benchmark::State& state) {
    RunCommand(state, std::string("'") + PDF_BASELINE_PATH + "' '" + Temp("kivo-base.pdf") +
                          "' 2>/dev/null");
}
BENCHMARK(BM_OnePagePdfBaseline)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

void BM_KivoCliReport(benchmark::State& state) {
    const std::string client = Temp("kivo-bench-report.KVO");
    WriteClientFile(client, FullClient());
    RunCommand(state, std::string("'") + KIVO_CLI_PATH + "' report '" + client + "' -o '" +
                          Temp("kivo-report.pdf") + "' 2>/dev/null");
}
BENCHMARK(BM_KivoCliReport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
    return kivo::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv);
}
