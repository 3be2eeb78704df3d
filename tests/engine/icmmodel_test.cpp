#include <gtest/gtest.h>

#include <cmath>
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

TEST(IcmModel, HandCheckedTables) {
    // Second place of the 5000 stack of 10000: 0.3 * 5/7 + 0.2 * 5/8.
    const double second = 0.3 * 5.0 / 7.0 + 0.2 * 5.0 / 8.0;
    const std::vector<double> pay10 = {0.3, 0.2, 0.15, 0.1, 0.08, 0.06, 0.04, 0.03, 0.02, 0.02};
    struct Case {
        const char* what;
        std::vector<int> stacks;
        std::vector<double> payouts;
        int player;  // -1: only the sum is checked
        double equity;
        double sum;
    };
    const Case cases[] = {
        {"50/30/20", {5000, 3000, 2000}, {0.5, 0.3, 0.2}, 0, 0.5 * 0.5 + 0.3 * second + 0.2 * (0.5 - second), 1.0},
        {"equal stacks", {4000, 4000}, {0.65, 0.35}, 1, 0.5, 1.0},
        {"first place unpaid, later ones paid", {5000, 3000, 2000}, {0, 0.3, 0.2}, 0, 0.3 * second + 0.2 * (0.5 - second), 0.5},
        // The seven empty seats take the tenth place, the three in play none.
        {"tenth place paid after a gap", {5000, 3000, 2000}, {0.7, 0, 0, 0, 0, 0, 0, 0, 0, 0.3}, 0, 0.35, 0.7 + 7 * 0.3},
        {"payouts are not normalised", {1000, 2000, 3000, 4000}, {0.6, 0.4, 0.3, 0.2}, -1, 0, 1.5},
        {"a negative stack is no chips", {5000, -3000, 2000}, {0.5, 0.3, 0.2}, 1, 0.0, 0.8},
        {"nobody has chips, tenth place paid", {}, {0.5, 0.3, 0.2, 0, 0, 0, 0, 0, 0, 0.1}, 0, 0.0, 0.0},
        // The three in play share places 1..3; the seven without chips take the tenth.
        {"empty and busted seats", {3000, 0, 0, 0, 0, 2000, 0, 1000}, pay10, 6, 0.02, 0.3 + 0.2 + 0.15 + 7 * 0.02},
    };
    for (const auto& c : cases) {
        const IcmModel m = model(c.stacks, c.payouts);
        double sum = 0;
        for (double e : m.equity)
            sum += e;
        EXPECT_NEAR(sum, c.sum, 1e-14) << c.what;  // also fails on NaN
        EXPECT_TRUE(c.player < 0 || std::abs(m.equity[c.player] - c.equity) < 1e-15)
            << c.what << ": " << m.equity[std::max(c.player, 0)];
    }
    EXPECT_NEAR(model({5000, 3000, 2000}, {0.5, 0.3, 0.2}).placeProbability[0][1], second, 1e-15);
    const IcmModel busted = model({3000, 0, 0, 0, 0, 2000, 0, 1000}, pay10);
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(busted.placeProbability[i][9], i == 0 || i == 5 || i == 7 ? 0.0 : 1.0, 1e-15) << i;
}

TEST(IcmModel, InputsStaySetBetweenComputations) {
    IcmModel m = model({5000, 3000, 2000}, {0.5, 0.3, 0.2});
    const double before = m.equity[2];
    m.setStack(2, 6000);
    m.compute();
    EXPECT_GT(m.equity[2], before);
    m.setStack(10, 5);  // outside the model: ignored
    m.setPayout(-1, 5);
    EXPECT_EQ(m.stack(10), 0);
}

// The set walk against the literal enumeration, on random tables that mix
// empty seats, equal stacks, unpaid places in the middle and every place paid.
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
        // The enumeration grows as 9! with ten players and deep payouts:
        // keep full tables with deep payouts to a few dozen trials.
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
