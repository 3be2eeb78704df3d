#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/icmmodel.h"
#include "icmreference.h"

using namespace torvel;
using torvel::testing::referenceIcm;

namespace {

IcmModel model(const std::vector<int>& stacks, const std::vector<double>& payouts) {
    IcmModel m;
    for (std::size_t i = 0; i < stacks.size(); ++i)
        m.setStack(static_cast<int>(i), stacks[i]);
    for (std::size_t q = 0; q < payouts.size(); ++q)
        m.setPayout(static_cast<int>(q), payouts[q]);
    m.compute();
    return m;
}

}  // namespace

// The rules the enumeration below shares with the model, checked by hand.
TEST(IcmModel, HandCheckedTables) {
    // Second place of the 5000 stack of 10000: 0.3 * 5/7 + 0.2 * 5/8.
    const double second = 0.3 * 5.0 / 7.0 + 0.2 * 5.0 / 8.0;
    const struct {
        const char* what;
        std::vector<int> stacks;
        std::vector<double> payouts;
        int player;
        double equity, sum;
    } cases[] = {
        {"50/30/20", {5000, 3000, 2000}, {0.5, 0.3, 0.2}, 0, 0.5 * 0.5 + 0.3 * second + 0.2 * (0.5 - second), 1.0},
        // The seven empty seats take the tenth place, the three in play none.
        {"tenth place paid after a gap", {5000, 3000, 2000}, {0.7, 0, 0, 0, 0, 0, 0, 0, 0, 0.3}, 0, 0.35, 0.7 + 7 * 0.3},
        {"a negative stack is no chips", {5000, -3000, 2000}, {0.5, 0.3, 0.2}, 1, 0.0, 0.8},
        {"nobody has chips, tenth place paid", {}, {0.5, 0.3, 0.2, 0, 0, 0, 0, 0, 0, 0.1}, 0, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const IcmModel m = model(c.stacks, c.payouts);
        double sum = 0;
        for (double e : m.equity)
            sum += e;
        EXPECT_NEAR(sum, c.sum, 1e-14) << c.what;  // also fails on NaN
        EXPECT_NEAR(m.equity[c.player], c.equity, 1e-15) << c.what;
    }
    // Inputs stay set between computations.
    IcmModel m = model({5000, 3000, 2000}, {0.5, 0.3, 0.2});
    const double before = m.equity[2];
    m.setStack(2, 6000);
    m.compute();
    EXPECT_GT(m.equity[2], before);
    m.setStack(10, 5);  // outside the model: ignored
    m.setPayout(-1, 5);
    EXPECT_EQ(m.stack(10), 0);
}

// Against the enumeration on random tables: empty seats, equal stacks, unpaid middle places, every place paid.
TEST(IcmModel, AgreesWithTheEnumerationOnRandomTables) {
    const unsigned seed = std::random_device{}();
    std::cout << "ICM agreement seed " << seed << "\n";
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, 99);
    for (int trial = 0; trial < 3000; ++trial) {
        int stacks[10];
        double payouts[10];
        for (int i = 0; i < 10; ++i) {
            const int kind = pick(rng);
            stacks[i] = kind < 15 ? 0 : kind < 20 ? 1500 : kind < 22 ? -200 : 1 + pick(rng) * 137 + pick(rng) * 3;
        }
        const int shape = trial % 5;
        for (int q = 0; q < 10; ++q) {
            switch (shape) {
            case 0: payouts[q] = q < 3 ? 0.5 - 0.15 * q : 0; break;                   // classic 50/30/20
            case 1: payouts[q] = 0.19 - 0.018 * q; break;                            // all ten paid
            case 2: payouts[q] = pick(rng) < 40 ? 0 : pick(rng) / 100.0; break;      // holes anywhere
            case 3: payouts[q] = q == 0 || q == 4 || q == 9 ? 0.3 : 0; break;        // gaps in the middle
            default: payouts[q] = q < 6 ? 0.3 - 0.04 * q : (q == 9 ? -0.1 : 0); break;
            }
        }
        // The enumeration grows as 9! with ten players and deep payouts: few such trials.
        if ((shape == 1 || shape == 2) && trial % 50 != 1)
            stacks[trial % 10] = stacks[(trial + 3) % 10] = 0;
        if (trial % 97 == 0)
            for (int& s : stacks)
                s = 0;  // the no-chips case now and then
        const auto expected = referenceIcm(stacks, payouts);
        const IcmModel m = model({stacks, stacks + 10}, {payouts, payouts + 10});
        for (int i = 0; i < 10; ++i) {
            ASSERT_NEAR(m.equity[i], expected.equity[i], 1e-12) << "trial " << trial << " player " << i;
            for (int q = 0; q < 10; ++q)
                ASSERT_NEAR(m.placeProbability[i][q], expected.placeProbability[i][q], 1e-12)
                    << "trial " << trial << " player " << i << " place " << q;
        }
    }
}
