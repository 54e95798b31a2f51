// kivo-cli blank long against a program that writes a one-page PDF with one line of text, as
// processes and inside one process; prints the ratios of the medians at the end.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/GuiBenchMain.h"
#include "canvas/PageCanvas.h"
#include "print/engine/PageOutput.h"
#include "print/questionnaire/QuestionnairePages.h"
#include "tests/support/TempDir.h"

namespace {

std::map<std::string, std::vector<double>> gSeconds;

// A file in this run's own temporary folder, removed at exit.
std::string Temp(const char* name) {
    static const TempDir folder;
    return (folder / name).string();
}

// Times `run` per iteration and keeps the times for the closing ratios.
template <typename Run>
void Timed(benchmark::State& state, const std::string& key, Run run) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!run()) {
            state.SkipWithError("the job failed");
            return;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        gSeconds[key].push_back(took.count());
    }
}

void Command(benchmark::State& state, const std::string& key, const std::string& command) {
    Timed(state, key, [&] { return std::system((command + " 2>/dev/null").c_str()) == 0; });
}

void BM_OneLinePdfProcess(benchmark::State& state) {
    Command(state, "baseline process",
            std::string("'") + PDF_BASELINE_PATH + "' '" + Temp("kivo-blank-base.pdf") + "'");
}

void BM_KivoCliBlankLong(benchmark::State& state) {
    Command(state, "blank process",
            std::string("'") + KIVO_CLI_PATH + "' blank long -o '" + Temp("kivo-blank.pdf") + "'");
}

void BM_OneLinePdfInProcess(benchmark::State& state) {
    Timed(state, "baseline in process", [] {
        QPdfWriter pdf(QString::fromStdString(Temp("kivo-blank-base-in.pdf")));
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::Letter));
        QPainter painter(&pdf);
        painter.setFont(QFont("Liberation Sans", 10));
        painter.drawText(600, 600, "KIVO questionnaire");
        return painter.end();
    });
}

void BM_BlankLongInProcess(benchmark::State& state) {
    Timed(state, "blank in process", [] {
        auto pdf =
            kivo::report::MakePdfWriter(QString::fromStdString(Temp("kivo-blank-in.pdf")),
                                        QPageSize(QPageSize::Letter), 600, "KIVO questionnaire");
        kivo::canvas::PageCanvas job(*pdf);
        kivo::PrintQuestionnaire(job, kivo::kLongForm);
        return true;
    });
}

// Alternating registration keeps both sides under the same machine load.
BENCHMARK(BM_OneLinePdfProcess)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KivoCliBlankLong)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneLinePdfInProcess)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlankLongInProcess)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

namespace {

// The ratios of the medians, once every benchmark ran.
void PrintRatios() {
    const auto ratio = [](const char* blank, const char* baseline) {
        const double base = Median(gSeconds[baseline]);
        return base > 0 ? Median(gSeconds[blank]) / base : 0.0;
    };
    std::printf(
        "blank long / one-line PDF, median of runs: kivo-cli process %.2f (target: at most "
        "2.00), inside one process %.2f\n",
        ratio("blank process", "baseline process"),
        ratio("blank in process", "baseline in process"));
}

}  // namespace

int main(int argc, char** argv) {
    return kivo::bench::RunGuiBenchmarks<QGuiApplication>(argc, argv, nullptr, PrintRatios);
}
