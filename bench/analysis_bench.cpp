// One analysis and one whole "Compute" (checks, push-range scan, final
// analysis) on a ten-handed table with 3 and with 10 paid places: with the
// program's ICM (cached during a computation), with the subset walk alone,
// and with the literal enumeration. Also the equity plot's whole
// computation (21 x 51 analyses) with 3 and with 7 paid places.
#include <benchmark/benchmark.h>

#include "../tests/engine/icmreference.h"
#include "engine/computedriver.h"
#include "engine/equityplot.h"
#include "engine/gamestate.h"
#include "engine/icmevaluator.h"
#include "engine/plainowner.h"

namespace {

torvel::PlainOwner& tables() {
    static torvel::PlainOwner owner = [] {
        torvel::PlainOwner o;
        o.loadTables(TORVEL_DATA_DIR);
        return o;
    }();
    return owner;
}

class EnumerationEvaluator : public torvel::IcmEvaluator {
public:
    void evaluate(torvel::IcmModel& model) override {
        const auto r = torvel::testing::referenceIcm(model.stacks, model.payouts);
        for (int i = 0; i < 10; ++i)
            model.equity[i] = r.equity[i];
    }
};

class SubsetWalkEvaluator : public torvel::IcmEvaluator {
public:
    void evaluate(torvel::IcmModel& model) override { model.compute(); }
};

// Ten players, the hero first to act (seat 3) with nine players behind him.
void tenHanded(torvel::GameState& g, int paid) {
    auto& owner = tables();
    if (paid == 3)
        owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    else if (paid == 7)
        owner.setPayoutPercents({31, 21.5, 16.5, 12.5, 9, 6, 3.5, 0, 0, 0});
    else
        owner.setPayoutPercents({25, 17, 13, 11, 9, 8, 6, 5, 4, 2});
    const int stacks[10] = {3200, 1450, 5100, 800, 2600, 4100, 950, 1800, 2300, 1700};
    for (int s = 0; s < 10; ++s) {
        auto& seat = g.seats[static_cast<std::size_t>(s)];
        seat.status = s == 3 ? torvel::kSeatHero : torvel::kSeatOpponent;
        seat.stack = stacks[s];
        seat.rangeTo = 12 + 2 * s;
    }
    g.buttonSeat = 0;
    g.seats[0].isButton = true;
    g.seats[1].isSmallBlind = true;
    g.seats[1].bet = 50;
    g.seats[1].stack -= 50;
    g.seats[2].isBigBlind = true;
    g.seats[2].bet = 100;
    g.seats[2].stack -= 100;
    g.heroSeat = 3;
    g.playerCount = 10;
    g.smallBlind = 50;
    g.bigBlind = 100;
    g.seats[3].handLow = 7;
    g.seats[3].handHigh = 24;  // K9o
}

torvel::IcmEvaluator* evaluatorFor(int variant) {
    static SubsetWalkEvaluator walk;
    static EnumerationEvaluator enumeration;
    return variant == 1 ? static_cast<torvel::IcmEvaluator*>(&walk) : variant == 2 ? &enumeration : nullptr;
}

// range(0): paid places; range(1): 0 program, 1 subset walk uncached, 2 enumeration.
void BM_Analyze(benchmark::State& state) {
    torvel::GameState g(&tables());
    tenHanded(g, static_cast<int>(state.range(0)));
    g.icmEvaluator = evaluatorFor(static_cast<int>(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(g.analyze(-2));
}

void BM_ComputeDriver(benchmark::State& state) {
    torvel::GameState g(&tables());
    tenHanded(g, static_cast<int>(state.range(0)));
    g.icmEvaluator = evaluatorFor(static_cast<int>(state.range(1)));
    torvel::SilentProgress progress;
    for (auto _ : state)
        benchmark::DoNotOptimize(torvel::runComputeDriver(g, torvel::kNoAnswer, progress));
}

// The plot varies the calling range of the player two seats behind the hero.
void BM_EquityPlot(benchmark::State& state) {
    torvel::GameState g(&tables());
    tenHanded(g, static_cast<int>(state.range(0)));
    torvel::EdgeCurves curves;
    for (auto _ : state) {
        torvel::computeEdgeCurves(g, 5, curves);
        benchmark::DoNotOptimize(curves);
    }
}

}  // namespace

BENCHMARK(BM_EquityPlot)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analyze)->ArgsProduct({{3, 10}, {0, 2}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeDriver)->ArgsProduct({{3, 10}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
