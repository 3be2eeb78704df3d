#include "tablegen/matchupenumeration.h"

#include <algorithm>
#include <map>

#include "engine/constants.h"
#include "engine/handevaluator.h"
#include "tablegen/suitpermutations.h"

namespace torvel::tablegen {

std::vector<Combo> combinationsOf(const HandClass& handClass) {
    std::vector<Combo> combos;
    for (int a = 0; a < kCardCount; ++a)
        for (int b = a + 1; b < kCardCount; ++b)
            if (classOfCards(a, b) == handClass)
                combos.push_back({a, b});
    return combos;
}

namespace {

bool shareCard(const Combo& x, const Combo& y) {
    return x[0] == y[0] || x[0] == y[1] || x[1] == y[0] || x[1] == y[1];
}

}  // namespace

BoardCounts enumerateBoards(const Combo& hand1, const Combo& hand2) {
    const auto& evaluator = HandEvaluator::instance();
    std::array<int, kCardCount> deck{};
    int left = 0;
    for (int c = 0; c < kCardCount; ++c)
        if (c != hand1[0] && c != hand1[1] && c != hand2[0] && c != hand2[1])
            deck[static_cast<std::size_t>(left++)] = c;

    const auto first2 = evaluator.add(evaluator.add(evaluator.start(), hand1[0]), hand1[1]);
    const auto second2 = evaluator.add(evaluator.add(evaluator.start(), hand2[0]), hand2[1]);
    BoardCounts counts;
    auto card = [&deck](int i) { return deck[static_cast<std::size_t>(i)]; };
    for (int a = 0; a < left; ++a) {
        const auto first3 = evaluator.add(first2, card(a));
        const auto second3 = evaluator.add(second2, card(a));
        for (int b = a + 1; b < left; ++b) {
            const auto first4 = evaluator.add(first3, card(b));
            const auto second4 = evaluator.add(second3, card(b));
            for (int c = b + 1; c < left; ++c) {
                const auto first5 = evaluator.add(first4, card(c));
                const auto second5 = evaluator.add(second4, card(c));
                for (int d = c + 1; d < left; ++d) {
                    const auto first6 = evaluator.add(first5, card(d));
                    const auto second6 = evaluator.add(second5, card(d));
                    for (int e = d + 1; e < left; ++e) {
                        const HandValue v1 = evaluator.finish(first6, card(e));
                        const HandValue v2 = evaluator.finish(second6, card(e));
                        counts.wins += v1 > v2;
                        counts.ties += v1 == v2;
                    }
                    counts.boards += left - 1 - d;
                }
            }
        }
    }
    return counts;
}

EquityRecord enumerateMatchup(const HandClass& hand1, const HandClass& hand2) {
    // Renaming suits maps each class onto itself and keeps every showdown,
    // so the combination pairs fall into a few groups with equal results:
    // one enumeration of boards per group, weighted by its size.
    std::map<std::array<int, 4>, int> groups;
    const auto combos2 = combinationsOf(hand2);
    for (const auto& h : combinationsOf(hand1))
        for (const auto& g : combos2) {
            if (shareCard(h, g))
                continue;
            std::array<int, 4> smallest{kCardCount, 0, 0, 0};
            for (const auto& perm : suitPermutations()) {
                const Combo ph = permuteCombo(h, perm);
                const Combo pg = permuteCombo(g, perm);
                smallest = std::min(smallest, std::array<int, 4>{ph[0], ph[1], pg[0], pg[1]});
            }
            ++groups[smallest];
        }

    long long wins = 0;
    long long ties = 0;
    long long total = 0;
    for (const auto& [cards, size] : groups) {
        const auto counts = enumerateBoards({cards[0], cards[1]}, {cards[2], cards[3]});
        wins += size * counts.wins;
        ties += size * counts.ties;
        total += size * counts.boards;
    }
    EquityRecord record;
    record.low1 = static_cast<std::uint8_t>(hand1.low);
    record.high1 = static_cast<std::uint8_t>(hand1.high);
    record.low2 = static_cast<std::uint8_t>(hand2.low);
    record.high2 = static_cast<std::uint8_t>(hand2.high);
    record.wins = static_cast<std::int32_t>(wins);
    record.ties = static_cast<std::int32_t>(ties);
    record.total = static_cast<std::int32_t>(total);
    return record;
}

}  // namespace torvel::tablegen
