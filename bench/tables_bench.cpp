// Loading the equity and ranking tables at start-up.
#include <benchmark/benchmark.h>

#include "engine/equitytable.h"
#include "engine/handranking.h"

namespace {

void BM_LoadEquityTable(benchmark::State& state) {
    for (auto _ : state) {
        torvel::EquityTable table;
        auto result = table.load(TORVEL_DATA_DIR "/table.res");
        if (!result.ok) {
            state.SkipWithError(result.reason.c_str());
            return;
        }
        benchmark::DoNotOptimize(table.records().data());
    }
}

void BM_LoadHandRanking(benchmark::State& state) {
    for (auto _ : state) {
        torvel::HandRanking ranking;
        auto result = ranking.load(TORVEL_DATA_DIR "/ranking.res");
        if (!result.ok) {
            state.SkipWithError(result.reason.c_str());
            return;
        }
        benchmark::DoNotOptimize(ranking.entries().data());
    }
}

}  // namespace

BENCHMARK(BM_LoadEquityTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHandRanking)->Unit(benchmark::kMicrosecond);
