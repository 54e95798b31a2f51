// Start-up benchmark: process start to the main window's first paint, and peak memory, for KIVO
// and for a baseline Qt program in the same run. Linux only (posix_spawn, wait4).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

extern char** environ;

namespace {

struct Run {
    double seconds = 0;
    double peakKiB = 0;
};

std::filesystem::path gBinDir;
std::map<std::string, std::vector<Run>> gRuns;

// The programs run in a scratch folder with a private runtime folder, on the offscreen platform
// unless QT_QPA_PLATFORM says otherwise.
void PrepareEnvironment() {
    static const TempDir scratch;
    std::filesystem::create_directories(scratch / "runtime");
    std::filesystem::permissions(scratch / "runtime", std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (scratch / "runtime").c_str(), 1);
    setenv("QT_QPA_PLATFORM",
           std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", 1);
    std::filesystem::current_path(scratch.path());
}

Run RunOnce(const std::string& program) {
    int out[2];
    if (pipe(out) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string path = (gBinDir / program).string();
    std::vector<char*> argv = {const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        std::abort();
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    long long painted = 0;
    if (std::sscanf(text.c_str(), "PAINTED %lld", &painted) != 1) return {};
    const auto started =
        std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    return {static_cast<double>(painted - started) * 1e-9, static_cast<double>(usage.ru_maxrss)};
}

void StartToFirstPaint(benchmark::State& state, const std::string& program) {
    double peak = 0;
    for (auto _ : state) {
        const Run run = RunOnce(program);
        if (run.seconds <= 0) {
            state.SkipWithError("the program did not report its first paint");
            return;
        }
        state.SetIterationTime(run.seconds);
        gRuns[program].push_back(run);
        peak = std::max(peak, run.peakKiB);
    }
    state.counters["peak_KiB"] = peak;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double MedianOf(const std::string& program, double Run::*field) {
    std::vector<double> values;
    for (const Run& run : gRuns[program]) values.push_back(run.*field);
    return Median(values);
}

}  // namespace

// Alternating registration keeps both programs under the same machine load.
BENCHMARK_CAPTURE(StartToFirstPaint, baseline, std::string("bench_startup_baseline"))
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartToFirstPaint, kivo, std::string("bench_startup_kivo"))
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    gBinDir = std::filesystem::absolute(std::filesystem::path(argv[0])).parent_path();
    PrepareEnvironment();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const double timeRatio = MedianOf("bench_startup_kivo", &Run::seconds) /
                             MedianOf("bench_startup_baseline", &Run::seconds);
    const double memoryRatio = MedianOf("bench_startup_kivo", &Run::peakKiB) /
                               MedianOf("bench_startup_baseline", &Run::peakKiB);
    std::printf(
        "kivo / baseline, median of runs: time to first paint %.2f, peak memory %.2f"
        " (target: at most 1.50 each)\n",
        timeRatio, memoryRatio);
    return 0;
}
