#pragma once
// Tables of the push/fold equilibrium written in one line, for the tests and the benchmarks.

#include <vector>

#include "engine/nashsolver.h"

namespace torvel::testing {

inline NashTable makeNashTable(std::vector<std::int64_t> stacks, std::int64_t sb, std::int64_t bb, std::int64_t ante,
                               const std::vector<double>& payouts) {
    NashTable t;
    t.stacks = std::move(stacks);
    t.smallBlind = sb;
    t.bigBlind = bb;
    t.ante = ante;
    for (std::size_t q = 0; q < payouts.size() && q < t.payouts.size(); ++q)
        t.payouts[q] = payouts[q];
    return t;
}

}  // namespace torvel::testing
