#pragma once
// The ICM the slow, literal way: every ordered finishing sequence for every paid place, skipping terms that
// are 0, negative or not a number. The yardstick the model must agree with.

#include <algorithm>

#include "engine/icmmodel.h"

namespace torvel::testing {

struct ReferenceIcm {
    double placeProbability[10][10] = {};
    double equity[10] = {};
};

template <typename Chips>
ReferenceIcm referenceIcm(const Chips (&stacksIn)[10], const double (&payouts)[10]) {
    ReferenceIcm r;
    double s[10];
    double total = 0;
    for (int i = 0; i < 10; ++i) {
        s[i] = static_cast<double>(std::max(Chips{0}, stacksIn[i]));
        total += s[i];
    }
    if (total <= 0)
        return r;
    auto& P = r.placeProbability;
    for (int i = 0; i < 10; ++i)
        P[i][0] = s[i] / total;
    // The tenth place takes what the nine before it leave, so it needs them all.
    for (int q = 1; q <= 8; ++q) {
        if (!(payouts[q] > 0) && !(payouts[9] > 0))
            continue;
        for (int i = 0; i < 10; ++i) {
            bool used[10] = {};
            used[i] = true;
            // Depth-first over ordered sequences j1..jq of distinct players other than i.
            auto walk = [&](auto&& self, int depth, double product, double placedChips) -> void {
                // A zero or undefined product only leads to terms that are skipped.
                if (depth > 0 && !(product > 0))
                    return;
                if (depth == q) {
                    const double term = product * s[i] / (total - placedChips);
                    if (term > 0)
                        P[i][q] += term;
                    return;
                }
                for (int j = 0; j < 10; ++j) {
                    if (used[j])
                        continue;
                    used[j] = true;
                    const double factor = depth == 0 ? P[j][0] : s[j] / (total - placedChips);
                    self(self, depth + 1, product * factor, placedChips + s[j]);
                    used[j] = false;
                }
            };
            walk(walk, 0, 1.0, 0.0);
        }
    }
    if (payouts[9] > 0)
        for (int i = 0; i < 10; ++i) {
            double placed = 0;
            for (int q = 0; q < 9; ++q)
                placed += P[i][q];
            P[i][9] = 1 - placed;
        }
    for (int i = 0; i < 10; ++i)
        for (int q = 0; q < 10; ++q)
            r.equity[i] += P[i][q] * payouts[q];
    return r;
}

}  // namespace torvel::testing
