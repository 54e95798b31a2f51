#include <benchmark/benchmark.h>

#include <random>

#include "model/Scoring.h"

namespace {

// A spread of realistic records: every form, answers with blanks and the odd bad byte.
std::vector<kivo::ClientRecord> Records() {
    std::mt19937 rng(42);
    const char codes[] = " ABCDEFG ABCDEx";
    std::vector<kivo::ClientRecord> records(64);
    for (std::size_t i = 0; i < records.size(); ++i) {
        kivo::ResetClientRecord(records[i]);
        records[i].TestForm = static_cast<int>(i % 3);
        for (char& c : records[i].Responses) c = codes[rng() % (sizeof codes - 1)];
    }
    return records;
}

void BM_ComputeSubscaleScores(benchmark::State& state) {
    const auto records = Records();
    kivo::SubscaleScoreTable scores;
    std::size_t i = 0;
    for (auto _ : state) {
        kivo::ComputeSubscaleScores(records[i++ % records.size()], scores);
        benchmark::DoNotOptimize(scores);
    }
}
BENCHMARK(BM_ComputeSubscaleScores);

}  // namespace
