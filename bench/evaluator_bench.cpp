// Hand evaluation speed, in hands per second. Each board walk is run twice:
// adding cards to partials as the loops go (how the generator works) and,
// as the straightforward baseline, valuing each seven-card hand from scratch.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "engine/handevaluator.h"
#include "tablegen/matchupenumeration.h"

using namespace torvel;

namespace {

constexpr long long kSevenCardHands = 133784560;

void BM_AllSevenCardHandsIncremental(benchmark::State& state) {
    const auto& evaluator = HandEvaluator::instance();
    for (auto _ : state) {
        unsigned long long sum = 0;
        const auto none = evaluator.start();
        for (int a = 0; a < 52; ++a) {
            const auto p1 = evaluator.add(none, a);
            for (int b = a + 1; b < 52; ++b) {
                const auto p2 = evaluator.add(p1, b);
                for (int c = b + 1; c < 52; ++c) {
                    const auto p3 = evaluator.add(p2, c);
                    for (int d = c + 1; d < 52; ++d) {
                        const auto p4 = evaluator.add(p3, d);
                        for (int e = d + 1; e < 52; ++e) {
                            const auto p5 = evaluator.add(p4, e);
                            for (int f = e + 1; f < 52; ++f) {
                                const auto p6 = evaluator.add(p5, f);
                                for (int g = f + 1; g < 52; ++g)
                                    sum += evaluator.finish(p6, g);
                            }
                        }
                    }
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kSevenCardHands);
}
BENCHMARK(BM_AllSevenCardHandsIncremental)->Unit(benchmark::kMillisecond);

// Both hands of AhAd against KcKs on all 1,712,304 boards.
void BM_MatchupBoardsIncremental(benchmark::State& state) {
    for (auto _ : state) {
        const auto counts = tablegen::enumerateBoards({12, 25}, {37, 50});
        benchmark::DoNotOptimize(counts.wins);
    }
    state.SetItemsProcessed(state.iterations() * 2 * 1712304);
}
BENCHMARK(BM_MatchupBoardsIncremental)->Unit(benchmark::kMillisecond);

void BM_MatchupBoardsFromScratch(benchmark::State& state) {
    const auto& evaluator = HandEvaluator::instance();
    std::vector<int> deck;
    for (int c = 0; c < 52; ++c)
        if (c != 12 && c != 25 && c != 37 && c != 50)
            deck.push_back(c);
    const int n = static_cast<int>(deck.size());
    for (auto _ : state) {
        long long wins = 0;
        std::array<int, 7> first{12, 25};
        std::array<int, 7> second{37, 50};
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                for (int c = b + 1; c < n; ++c)
                    for (int d = c + 1; d < n; ++d)
                        for (int e = d + 1; e < n; ++e) {
                            for (auto* hand : {&first, &second}) {
                                (*hand)[2] = deck[static_cast<std::size_t>(a)];
                                (*hand)[3] = deck[static_cast<std::size_t>(b)];
                                (*hand)[4] = deck[static_cast<std::size_t>(c)];
                                (*hand)[5] = deck[static_cast<std::size_t>(d)];
                                (*hand)[6] = deck[static_cast<std::size_t>(e)];
                            }
                            wins += evaluator.evaluate(first) > evaluator.evaluate(second);
                        }
        benchmark::DoNotOptimize(wins);
    }
    state.SetItemsProcessed(state.iterations() * 2 * 1712304);
}
BENCHMARK(BM_MatchupBoardsFromScratch)->Unit(benchmark::kMillisecond);

// Unrelated hands in a row: no partial to reuse, table lines not in cache.
void BM_RandomHands(benchmark::State& state) {
    constexpr std::size_t kHands = 1 << 20;
    std::vector<std::array<int, 7>> hands(kHands);
    std::mt19937 random(7);
    std::array<int, 52> deck{};
    for (int c = 0; c < 52; ++c)
        deck[static_cast<std::size_t>(c)] = c;
    for (auto& hand : hands) {
        std::shuffle(deck.begin(), deck.end(), random);
        std::copy(deck.begin(), deck.begin() + 7, hand.begin());
    }
    const auto& evaluator = HandEvaluator::instance();
    for (auto _ : state) {
        unsigned long long sum = 0;
        for (const auto& hand : hands)
            sum += evaluator.evaluate(hand);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(kHands));
}
BENCHMARK(BM_RandomHands)->Unit(benchmark::kMillisecond);

}  // namespace
