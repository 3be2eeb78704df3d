// The subset walk of IcmModel against the literal enumeration, ten players,
// for 3, 5, 7 and 10 paid places.
#include <benchmark/benchmark.h>

#include "../tests/engine/icmreference.h"
#include "engine/icmmodel.h"

namespace {

const int kStacks[10] = {3200, 1450, 5100, 800, 2600, 4100, 950, 1800, 2300, 1700};

void payoutsFor(int paid, double (&payouts)[10]) {
    double weight = 0;
    for (int q = 0; q < 10; ++q) {
        payouts[q] = q < paid ? paid - q : 0;
        weight += payouts[q];
    }
    for (double& p : payouts)
        p /= weight;
}

void BM_IcmSubsetWalk(benchmark::State& state) {
    double payouts[10];
    payoutsFor(static_cast<int>(state.range(0)), payouts);
    torvel::IcmModel m;
    for (int i = 0; i < 10; ++i) {
        m.setStack(i, kStacks[i]);
        m.setPayout(i, payouts[i]);
    }
    for (auto _ : state) {
        m.compute();
        benchmark::DoNotOptimize(m.equity);
    }
}

void BM_IcmEnumeration(benchmark::State& state) {
    double payouts[10];
    payoutsFor(static_cast<int>(state.range(0)), payouts);
    for (auto _ : state) {
        auto r = torvel::testing::referenceIcm(kStacks, payouts);
        benchmark::DoNotOptimize(r.equity);
    }
}

}  // namespace

BENCHMARK(BM_IcmSubsetWalk)->Arg(3)->Arg(5)->Arg(7)->Arg(10);
BENCHMARK(BM_IcmEnumeration)->Arg(3)->Arg(5)->Arg(7)->Arg(10)->Unit(benchmark::kMicrosecond);
