#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <streambuf>

#include "cli/Cli.h"
#include "model/ClientFile.h"
#include "model/Platform.h"

namespace {

constexpr int kFiles = 10000;

// 10,000 client files in a temporary folder, made once for the whole run.
const std::vector<std::string>& Files() {
    static const std::vector<std::string> files = [] {
        const auto dir = std::filesystem::temp_directory_path() / "kivo-bench-clients";
        std::filesystem::create_directories(dir);
        std::mt19937 rng(7);
        const char codes[] = " ABCDEFG";
        std::vector<std::string> names;
        for (int i = 0; i < kFiles; ++i) {
            kivo::ClientRecord r;
            kivo::ResetClientRecord(r);
            r.TestForm = i % 3;
            for (char& c : r.Responses) c = codes[rng() % (sizeof codes - 1)];
            const auto path = dir / ("client" + std::to_string(i) + ".KVO");
            kivo::WriteClientFile(path, r);
            names.push_back(path.string());
        }
        return names;
    }();
    return files;
}

class NullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Baseline: open and read every file the way the client reader does, nothing else.
void BM_ReadFilesOnly(benchmark::State& state) {
    const auto& files = Files();
    char buffer[552];
    std::string error;
    for (auto _ : state) {
        for (const auto& f : files) {
            benchmark::DoNotOptimize(kivo::platform::ReadFileHead(f, buffer, sizeof buffer, error));
        }
    }
}
BENCHMARK(BM_ReadFilesOnly)->Unit(benchmark::kMillisecond);

void BM_CliScores(benchmark::State& state) {
    std::vector<std::string> args = {"scores"};
    args.insert(args.end(), Files().begin(), Files().end());
    NullBuffer null;
    std::ostream out(&null), err(&null);
    for (auto _ : state) benchmark::DoNotOptimize(kivo::cli::Run(args, out, err));
}
BENCHMARK(BM_CliScores)->Unit(benchmark::kMillisecond);

}  // namespace
