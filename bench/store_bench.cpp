// The hand database: storing 10,000 graded decisions in one transaction,
// and reading them back into the leak report.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "store/handstore.h"
#include "store/leakreport.h"

namespace {

constexpr int kDecisions = 10'000;

std::vector<torvel::store::DecisionRecord> decisions() {
    std::mt19937 random(20261208);
    std::vector<torvel::store::DecisionRecord> records(kDecisions);
    for (int i = 0; i < kDecisions; ++i) {
        auto& r = records[static_cast<std::size_t>(i)];
        r.site = "PokerStars";
        r.tournamentId = std::to_string(1800000000 + i / 200);
        r.handId = std::to_string(200000000000LL + i);
        r.hero = "Hero";
        r.playedAt = "2017-03-04 21:" + std::to_string(10 + (i / 60) % 50) + ":" + std::to_string(10 + i % 50);
        // About the size of a six-handed situation.
        r.situation = "{\"seats\":[" + std::string(1400, ' ') + "]}";
        r.heroAction = random() % 2 ? 3 : 0;
        r.decision = random() % 2 ? 3 : 0;
        r.evPush = 0.15 + (random() % 1000) / 10000.0;
        r.evFold = 0.15 + (random() % 1000) / 10000.0;
        r.profile = "tight";
        r.position = "Button";
        r.hand = "A9o";
        r.stackBigBlinds = 3.0 + random() % 20;
        r.correct = r.heroAction == r.decision;
    }
    return records;
}

void BM_StoreDecisions(benchmark::State& state) {
    const auto records = decisions();
    const auto path = std::filesystem::temp_directory_path() / "torvel-bench-hands.sqlite";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        torvel::store::HandStore db;
        if (!db.open(path.string())) {
            state.SkipWithError("cannot open the database");
            return;
        }
        state.ResumeTiming();
        int added = 0;
        if (!db.add(records, &added) || added != kDecisions) {
            state.SkipWithError("not stored");
            return;
        }
    }
    state.counters["decisions/s"] =
        benchmark::Counter(static_cast<double>(kDecisions) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StoreDecisions)->Unit(benchmark::kMillisecond);

void BM_LeakReportOfStoredDecisions(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "torvel-bench-report.sqlite";
    std::filesystem::remove(path);
    torvel::store::HandStore db;
    if (!db.open(path.string()) || !db.add(decisions())) {
        state.SkipWithError("cannot fill the database");
        return;
    }
    for (auto _ : state) {
        std::vector<torvel::store::DecisionRecord> loaded;
        db.load({}, loaded);
        benchmark::DoNotOptimize(torvel::store::leakReport(loaded));
    }
}
BENCHMARK(BM_LeakReportOfStoredDecisions)->Unit(benchmark::kMillisecond);

}  // namespace
