#include "engine/handevaluator.h"

#include <algorithm>
#include <bit>
#include <map>
#include <cstdio>
#include <cstdlib>

namespace torvel {

namespace {

constexpr int kRanks = 13;
constexpr int kMaxPerRank = 4;

// Ordering key of a five-card hand: category, then the deciding ranks in
// order of importance, four bits each. Only used while building the tables,
// where the keys of all 7462 distinct hands are sorted into HandValues.
using HandKey = std::uint32_t;

HandKey makeKey(HandCategory category, std::initializer_list<int> ranks) {
    HandKey key = static_cast<HandKey>(category);
    int slots = 5;
    for (int r : ranks) {
        key = (key << 4) | static_cast<HandKey>(r);
        --slots;
    }
    return key << (4 * slots);
}

// High card of the best straight in a 13-bit rank mask, -1 when none; the
// wheel counts as five-high.
int straightHigh(unsigned mask) {
    for (int top = kRanks - 1; top >= 4; --top) {
        const unsigned run = 0x1fu << (top - 4);
        if ((mask & run) == run)
            return top;
    }
    constexpr unsigned kWheel = 0x100fu;  // A, 2, 3, 4, 5
    return (mask & kWheel) == kWheel ? 3 : -1;
}

// The highest `n` ranks of the mask, best first.
std::vector<int> topRanks(unsigned mask, int n) {
    std::vector<int> ranks;
    for (int r = kRanks - 1; r >= 0 && static_cast<int>(ranks.size()) < n; --r)
        if (mask & (1u << r))
            ranks.push_back(r);
    return ranks;
}

HandKey flushKey(unsigned mask) {
    if (const int high = straightHigh(mask); high >= 0)
        return makeKey(HandCategory::StraightFlush, {high});
    const auto top = topRanks(mask, 5);
    return makeKey(HandCategory::Flush, {top[0], top[1], top[2], top[3], top[4]});
}

// Best hand of five to seven cards of which no five share a suit, from the
// number of cards of each rank.
HandKey unsuitedKey(const std::array<int, kRanks>& counts) {
    unsigned present = 0;
    int quads = -1;
    std::vector<int> trips;
    std::vector<int> pairs;  // ranks held exactly twice, best first
    for (int r = kRanks - 1; r >= 0; --r) {
        const int n = counts[static_cast<std::size_t>(r)];
        if (n > 0)
            present |= 1u << r;
        if (n == 4 && quads < 0)
            quads = r;
        else if (n == 3)
            trips.push_back(r);
        else if (n == 2)
            pairs.push_back(r);
    }
    auto without = [present](std::initializer_list<int> ranks) {
        unsigned m = present;
        for (int r : ranks)
            m &= ~(1u << r);
        return m;
    };
    if (quads >= 0)
        return makeKey(HandCategory::FourOfAKind, {quads, topRanks(without({quads}), 1)[0]});
    if (!trips.empty()) {
        int pairRank = -1;
        if (trips.size() > 1)
            pairRank = trips[1];
        if (!pairs.empty())
            pairRank = std::max(pairRank, pairs[0]);
        if (pairRank >= 0)
            return makeKey(HandCategory::FullHouse, {trips[0], pairRank});
    }
    if (const int high = straightHigh(present); high >= 0)
        return makeKey(HandCategory::Straight, {high});
    if (!trips.empty()) {
        const auto kickers = topRanks(without({trips[0]}), 2);
        return makeKey(HandCategory::ThreeOfAKind, {trips[0], kickers[0], kickers[1]});
    }
    if (pairs.size() >= 2) {
        const auto kicker = topRanks(without({pairs[0], pairs[1]}), 1);
        return makeKey(HandCategory::TwoPair, {pairs[0], pairs[1], kicker[0]});
    }
    if (pairs.size() == 1) {
        const auto kickers = topRanks(without({pairs[0]}), 3);
        return makeKey(HandCategory::OnePair, {pairs[0], kickers[0], kickers[1], kickers[2]});
    }
    const auto top = topRanks(present, 5);
    return makeKey(HandCategory::HighCard, {top[0], top[1], top[2], top[3], top[4]});
}

// Calls f(counts) for every multiset of `size` ranks with at most four of each.
template <typename F>
void forEachRankMultiset(int size, F&& f) {
    std::array<int, kRanks> counts{};
    auto recurse = [&](auto&& self, int rank, int left) -> void {
        if (rank == kRanks) {
            if (left == 0)
                f(counts);
            return;
        }
        for (int n = 0; n <= std::min(left, kMaxPerRank); ++n) {
            counts[static_cast<std::size_t>(rank)] = n;
            self(self, rank + 1, left - n);
        }
        counts[static_cast<std::size_t>(rank)] = 0;
    };
    recurse(recurse, 0, size);
}

std::uint64_t packCounts(const std::array<int, kRanks>& counts) {
    std::uint64_t code = 0;
    for (int r = 0; r < kRanks; ++r)
        code |= static_cast<std::uint64_t>(counts[static_cast<std::size_t>(r)]) << (3 * r);
    return code;
}

}  // namespace

const char* handCategoryName(HandCategory category) {
    switch (category) {
    case HandCategory::HighCard: return "high card";
    case HandCategory::OnePair: return "one pair";
    case HandCategory::TwoPair: return "two pair";
    case HandCategory::ThreeOfAKind: return "three of a kind";
    case HandCategory::Straight: return "straight";
    case HandCategory::Flush: return "flush";
    case HandCategory::FullHouse: return "full house";
    case HandCategory::FourOfAKind: return "four of a kind";
    case HandCategory::StraightFlush: return "straight flush";
    }
    return "?";
}

const HandEvaluator& HandEvaluator::instance() {
    static const HandEvaluator evaluator;
    return evaluator;
}

HandEvaluator::HandEvaluator() {
    // Every distinct five-card hand, weakest first, numbered from 1.
    std::vector<HandKey> keys;
    forEachRankMultiset(5, [&](const std::array<int, kRanks>& counts) { keys.push_back(unsuitedKey(counts)); });
    for (unsigned mask = 0; mask < (1u << kRanks); ++mask)
        if (std::popcount(mask) == 5)
            keys.push_back(flushKey(mask));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    if (keys.size() != kHandValueCount)
    {
        // The key rules above are broken; values would overrun the tables.
        std::fputs("hand evaluator: the hand keys do not give 7462 distinct hands\n", stderr);
        std::abort();
    }
    auto valueOf = [&keys](HandKey key) {
        return static_cast<HandValue>(std::lower_bound(keys.begin(), keys.end(), key) - keys.begin() + 1);
    };
    for (std::size_t v = 1; v <= kHandValueCount; ++v)
        categoryOf_[v] = static_cast<std::uint8_t>(keys[v - 1] >> 20);

    flushValues_.assign(std::size_t{1} << kRanks, kNoHand);
    for (unsigned mask = 0; mask < (1u << kRanks); ++mask)
        if (std::popcount(mask) >= 5)
            flushValues_[mask] = valueOf(flushKey(mask));

    // Number the rank multisets of 0..6 cards level by level, so that a
    // partial's node fits 16 bits and the steps of one node share a cache line.
    std::vector<std::map<std::uint64_t, std::uint16_t>> ids(7);
    std::vector<std::array<int, kRanks>> nodes;
    for (int size = 0; size <= 6; ++size)
        forEachRankMultiset(size, [&](const std::array<int, kRanks>& counts) {
            ids[static_cast<std::size_t>(size)][packCounts(counts)] = static_cast<std::uint16_t>(nodes.size());
            nodes.push_back(counts);
        });
    steps_.assign(nodes.size() * kRanks, 0);
    for (std::size_t node = 0; node < nodes.size(); ++node) {
        const auto& counts = nodes[node];
        int size = 0;
        for (int n : counts)
            size += n;
        for (int r = 0; r < kRanks; ++r) {
            if (counts[static_cast<std::size_t>(r)] == kMaxPerRank)
                continue;  // a fifth card of a rank cannot be added
            auto next = counts;
            ++next[static_cast<std::size_t>(r)];
            steps_[node * kRanks + static_cast<std::size_t>(r)] =
                size < 6 ? ids[static_cast<std::size_t>(size + 1)].at(packCounts(next)) : valueOf(unsuitedKey(next));
        }
    }
}

HandValue HandEvaluator::evaluate(std::span<const int> cards) const {
    if (cards.size() != 7)
        return kNoHand;
    Partial partial = start();
    for (std::size_t i = 0; i < 6; ++i)
        partial = add(partial, cards[i]);
    return finish(partial, cards[6]);
}

}  // namespace torvel
