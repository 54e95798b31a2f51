// Scoring one client record, over a spread of forms and answers so no one record's branch
// pattern flatters the figure.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "model/Scoring.h"
#include "tests/support/ClientBuilder.h"

namespace {

// A spread of realistic records: every form, answers with blanks and the odd bad byte.
std::vector<kivo::ClientRecord> Records() {
    std::mt19937 rng(42);
    const char codes[] = " ABCDEFG ABCDEx";
    std::vector<kivo::ClientRecord> records;
    for (int i = 0; i < 64; ++i) {
        std::string answers(sizeof(kivo::ClientRecord::Responses), ' ');
        for (char& c : answers) c = codes[rng() % (sizeof codes - 1)];
        records.push_back(kivo::test::ClientBuilder().Form(i % 3).Responses(answers).Build());
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
