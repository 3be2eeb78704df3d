// The equity plot's whole computation (21 x 51 analyses) on a ten-handed
// table, with 3 and with 7 paid places.
#include <benchmark/benchmark.h>

#include "engine/equityplot.h"
#include "engine/gamestate.h"
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

// Ten players; the hero UTG+1 with everybody still to act behind him.
void tenHanded(torvel::GameState& g) {
    const int stacks[10] = {3200, 1450, 5100, 800, 2600, 4100, 950, 1800, 2300, 1700};
    for (int s = 0; s < 10; ++s) {
        auto& seat = g.seats[static_cast<std::size_t>(s)];
        seat.status = s == 4 ? torvel::kSeatHero : torvel::kSeatOpponent;
        seat.stack = stacks[s];
        seat.rangeTo = 10 + 3 * s;
    }
    g.buttonSeat = 0;
    g.seats[0].isButton = true;
    g.seats[1].isSmallBlind = true;
    g.seats[1].bet = 50;
    g.seats[1].stack -= 50;
    g.seats[2].isBigBlind = true;
    g.seats[2].bet = 100;
    g.seats[2].stack -= 100;
    g.seats[3].action = torvel::kActionFold;
    g.heroSeat = 4;
    g.playerCount = 10;
    g.smallBlind = 50;
    g.bigBlind = 100;
    g.seats[4].handLow = 8;
    g.seats[4].handHigh = 12;
}

void BM_EquityPlot(benchmark::State& state) {
    auto& owner = tables();
    if (owner.equityTable().empty()) {
        state.SkipWithError("tables missing");
        return;
    }
    if (state.range(0) == 3)
        owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    else
        owner.setPayoutPercents({31, 21.5, 16.5, 12.5, 9, 6, 3.5, 0, 0, 0});
    torvel::GameState g(&owner);
    tenHanded(g);
    torvel::EdgeCurves curves;
    for (auto _ : state) {
        torvel::computeEdgeCurves(g, 8, curves);
        benchmark::DoNotOptimize(curves);
    }
}

}  // namespace

BENCHMARK(BM_EquityPlot)->Arg(3)->Arg(7)->Unit(benchmark::kMillisecond);
