#include "engine/icmmodel.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "engine/constants.h"

namespace torvel {

void IcmModel::setStack(int player, long long chips) {
    if (player >= 0 && player < kSeatCount)
        stacks[player] = chips;
}

void IcmModel::setPayout(int place, double share) {
    if (place >= 0 && place < kPlaceCount)
        payouts[place] = share;
}

long long IcmModel::stack(int player) const { return player >= 0 && player < kSeatCount ? stacks[player] : 0; }

double IcmModel::payout(int place) const { return place >= 0 && place < kPlaceCount ? payouts[place] : 0.0; }

namespace {

// The next larger set with the same number of members (0 has no successor).
unsigned nextSetOfSameSize(unsigned set) {
    const unsigned lowest = set & (~set + 1);
    const unsigned ripple = set + lowest;
    return (((ripple ^ set) >> 2) / lowest) | ripple;
}

}  // namespace

// Instead of walking every finishing order, this works over the sets of
// players already placed: reach[S] is the probability that exactly the
// players of S take the first |S| places (in any order). Extending S by j
// multiplies by s(j) / (T - chips(S)), and player i finishes in place q + 1
// with the sum over the q-sets S without i of reach[S] * s(i) / (T - chips(S)).
// Sets are taken level by level and only as deep as the paid places need.
// Only players with chips take part: any order through a player without
// chips contributes nothing (or 0/0), so it is left out as well.
void IcmModel::compute() {
    for (auto& row : placeProbability)
        std::fill(std::begin(row), std::end(row), 0.0);

    double chips[kSeatCount];
    double total = 0.0;
    for (int i = 0; i < kSeatCount; ++i) {
        chips[i] = static_cast<double>(std::max(0LL, stacks[i]));
        total += chips[i];
    }
    if (total <= 0) {
        // Nobody holds chips: nothing to share out.
        std::fill(std::begin(equity), std::end(equity), 0.0);
        return;
    }

    // The first place is cheap and the walk below starts from it, so it is
    // filled even when it pays nothing.
    for (int i = 0; i < kSeatCount; ++i)
        placeProbability[i][0] = chips[i] / total;
    int deepestPaid = 0;  // deepest place index 1..8 the set walk must fill
    for (int q = 1; q < kPlaceCount - 1; ++q)
        if (payouts[q] > 0)
            deepestPaid = q;
    const bool tenthPaid = payouts[kPlaceCount - 1] > 0;
    if (tenthPaid)
        deepestPaid = kPlaceCount - 2;

    int members[kSeatCount];
    double memberChips[kSeatCount];
    int n = 0;
    for (int i = 0; i < kSeatCount; ++i)
        if (chips[i] > 0) {
            members[n] = i;
            memberChips[n] = chips[i];
            ++n;
        }
    const unsigned everyone = (1u << n) - 1;
    const int deepestLevel = std::min(deepestPaid, n - 1);

    double reach[1u << kSeatCount];
    double left[1u << kSeatCount];  // chips not yet placed, per set
    double placedBy[kSeatCount][kPlaceCount] = {};  // per member, compact
    reach[0] = 1.0;
    left[0] = total;
    for (int placed = 0; placed <= deepestLevel; ++placed) {
        const bool extend = placed < deepestLevel;
        if (extend)
            for (unsigned t = (2u << placed) - 1; t <= everyone; t = nextSetOfSameSize(t))
                reach[t] = 0.0;
        const bool paid = placed >= 1 && (payouts[placed] > 0 || tenthPaid);
        for (unsigned set = (1u << placed) - 1; set <= everyone;) {
            // The set without its lowest member was visited one level up.
            if (set != 0)
                left[set] = left[set & (set - 1)] - memberChips[std::countr_zero(set)];
            if (reach[set] > 0.0 && left[set] > 0.0) {
                const double scale = reach[set] / left[set];
                const unsigned outside = everyone & ~set;
                if (paid)
                    for (unsigned free = outside; free != 0; free &= free - 1) {
                        const int k = std::countr_zero(free);
                        placedBy[k][placed] += scale * memberChips[k];
                    }
                if (extend)
                    for (unsigned free = outside; free != 0; free &= free - 1) {
                        const int k = std::countr_zero(free);
                        reach[set | (1u << k)] += scale * memberChips[k];
                    }
            }
            if (set == 0)
                break;
            set = nextSetOfSameSize(set);
        }
    }
    for (int k = 0; k < n; ++k)
        for (int q = 1; q < kPlaceCount - 1; ++q)
            placeProbability[members[k]][q] = placedBy[k][q];

    if (tenthPaid)
        for (int i = 0; i < kSeatCount; ++i) {
            double placed = 0.0;
            for (int q = 0; q < kPlaceCount - 1; ++q)
                placed += placeProbability[i][q];
            placeProbability[i][9] = 1.0 - placed;
        }

    for (int i = 0; i < kSeatCount; ++i) {
        double e = 0.0;
        for (int q = 0; q < kPlaceCount; ++q)
            e += placeProbability[i][q] * payouts[q];
        equity[i] = e;
    }
}

}  // namespace torvel
