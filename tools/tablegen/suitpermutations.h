#pragma once
// The 24 ways of renaming the four suits. A renaming keeps every class and
// every showdown, which is what lets the generator count a board or a pair
// of combinations once for all its renamings.

#include <algorithm>
#include <array>

#include "engine/cards.h"
#include "tablegen/matchupenumeration.h"

namespace torvel::tablegen {

using SuitPermutation = std::array<int, 4>;

inline const std::array<SuitPermutation, 24>& suitPermutations() {
    static const std::array<SuitPermutation, 24> all = [] {
        std::array<SuitPermutation, 24> list{};
        SuitPermutation p{0, 1, 2, 3};
        std::size_t n = 0;
        do
            list[n++] = p;
        while (std::next_permutation(p.begin(), p.end()));
        return list;
    }();
    return all;
}

inline int permuteCard(int card, const SuitPermutation& perm) {
    return makeCard(cardRank(card), perm[static_cast<std::size_t>(cardSuit(card))]);
}

inline Combo permuteCombo(const Combo& combo, const SuitPermutation& perm) {
    const int a = permuteCard(combo[0], perm);
    const int b = permuteCard(combo[1], perm);
    return a < b ? Combo{a, b} : Combo{b, a};
}

}  // namespace torvel::tablegen
