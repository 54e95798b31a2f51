// kivo-cli scores over 10,000 client files against only reading the same files, in the same
// run, so the cost of scoring and printing shows apart from the disk.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <streambuf>

#include "cli/Cli.h"
#include "model/ClientFile.h"
#include "model/Platform.h"
#include "tests/support/ClientBuilder.h"
#include "tests/support/TempDir.h"

namespace {

constexpr int kFiles = 10000;

// 10,000 client files in a temporary folder, made once for the whole run.
const std::vector<std::string>& Files() {
    static const TempDir dir;
    static const std::vector<std::string> files = [] {
        std::mt19937 rng(7);
        const char codes[] = " ABCDEFG";
        std::vector<std::string> names;
        for (int i = 0; i < kFiles; ++i) {
            std::string answers(sizeof(kivo::ClientRecord::Responses), ' ');
            for (char& c : answers) c = codes[rng() % (sizeof codes - 1)];
            const auto path = dir / ("client" + std::to_string(i) + ".KVO");
            // A plain write: the program's own save flushes every file and the folder to disk,
            // which on a busy disk makes this set-up take minutes.
            const auto image =
                kivo::ToImage(kivo::test::ClientBuilder().Form(i % 3).Responses(answers).Build());
            std::FILE* file = std::fopen(path.c_str(), "wb");
            if (file == nullptr ||
                std::fwrite(image.data(), 1, image.size(), file) != image.size()) {
                std::perror("writing the client files");
                std::exit(1);
            }
            std::fclose(file);
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
    kivo::ClientImage image{};
    for (auto _ : state) {
        for (const auto& f : files) {
            benchmark::DoNotOptimize(kivo::platform::ReadFileHead(f, image));
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
