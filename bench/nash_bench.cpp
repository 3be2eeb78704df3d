// The push/fold equilibrium to an exploitability of 1e-5 of the prize pool,
// single-threaded: heads-up, 6 players with 3 paid places, 10 players with
// 3 and with 10 paid places.
#include <benchmark/benchmark.h>

#include "../tests/engine/nashtables.h"
#include "engine/computedriver.h"
#include "engine/nashsolver.h"
#include "engine/plainowner.h"

namespace {

using torvel::testing::makeNashTable;

const torvel::EquityTable& equities() {
    static const torvel::PlainOwner owner = [] {
        torvel::PlainOwner o;
        o.loadTables(TORVEL_DATA_DIR);
        return o;
    }();
    return owner.equityTable();
}

void solve(benchmark::State& state, const torvel::NashTable& t) {
    torvel::SilentProgress quiet;
    torvel::NashResult r;
    for (auto _ : state) {
        r = torvel::solveNash(t, equities(), torvel::NashOptions{}, quiet);
        benchmark::DoNotOptimize(r);
    }
    if (!r.converged)
        state.SkipWithError("did not reach the accuracy");
    state.counters["iterations"] = r.iterations;
    state.counters["exploitability"] = r.report.worst();
}

const std::vector<std::int64_t> kTenStacks = {2400, 800, 1600, 3100, 1200, 2000, 900, 1500, 2700, 1300};

void BM_NashHeadsUp(benchmark::State& state) {
    solve(state, makeNashTable({9000, 4500}, 150, 300, 0, {0.5, 0.3}));
}
void BM_NashSixPlayersThreePaid(benchmark::State& state) {
    solve(state, makeNashTable({2600, 1900, 3800, 1200, 2500, 1500}, 100, 200, 25, {0.5, 0.3, 0.2}));
}
void BM_NashTenPlayersThreePaid(benchmark::State& state) {
    solve(state, makeNashTable(kTenStacks, 50, 100, 10, {0.5, 0.3, 0.2}));
}
void BM_NashTenPlayersTenPaid(benchmark::State& state) {
    solve(state, makeNashTable(kTenStacks, 50, 100, 10, {0.2, 0.16, 0.13, 0.11, 0.1, 0.09, 0.07, 0.06, 0.05, 0.03}));
}

BENCHMARK(BM_NashHeadsUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NashSixPlayersThreePaid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NashTenPlayersThreePaid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NashTenPlayersTenPaid)->Unit(benchmark::kMillisecond);

}  // namespace
