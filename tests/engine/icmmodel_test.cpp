#include <gtest/gtest.h>

#include <random>

#include "engine/icmmodel.h"
#include "icmreference.h"

using namespace torvel;
using torvel::testing::referenceIcm;

namespace {

IcmModel model(std::initializer_list<int> stacks, std::initializer_list<double> payouts) {
    IcmModel m;
    int i = 0;
    for (int s : stacks)
        m.setStack(i++, s);
    i = 0;
    for (double p : payouts)
        m.setPayout(i++, p);
    m.compute();
    return m;
}

double equitySum(const IcmModel& m) {
    double sum = 0;
    for (double e : m.equity)
        sum += e;
    return sum;
}

}  // namespace

TEST(IcmModel, ThreePlayersThreePaidPlaces) {
    const IcmModel m = model({5000, 3000, 2000}, {0.5, 0.3, 0.2});
    EXPECT_DOUBLE_EQ(m.placeProbability[0][0], 0.5);
    EXPECT_DOUBLE_EQ(m.placeProbability[1][0], 0.3);
    EXPECT_DOUBLE_EQ(m.placeProbability[2][0], 0.2);
    // Second place of the 5000 stack: 0.3 * 5/7 + 0.2 * 5/8.
    EXPECT_NEAR(m.placeProbability[0][1], 0.3 * 5.0 / 7.0 + 0.2 * 5.0 / 8.0, 1e-15);
    // Hand-checked: 0.5*0.5 + 0.3*(0.3*5/7 + 0.2*5/8) + 0.2*third.
    const double second0 = 0.3 * 5.0 / 7.0 + 0.2 * 5.0 / 8.0;
    const double third0 = 1 - 0.5 - second0;
    EXPECT_NEAR(m.equity[0], 0.5 * 0.5 + 0.3 * second0 + 0.2 * third0, 1e-15);
    EXPECT_NEAR(equitySum(m), 1.0, 1e-15);
    for (int i = 0; i < 3; ++i) {
        double placed = 0;
        for (int q = 0; q < 3; ++q)
            placed += m.placeProbability[i][q];
        EXPECT_NEAR(placed, 1.0, 1e-15) << i;
    }
}

TEST(IcmModel, SymmetryAndUnpaidPlaces) {
    const IcmModel equal = model({4000, 4000}, {0.65, 0.35});
    EXPECT_DOUBLE_EQ(equal.equity[0], 0.5);
    EXPECT_DOUBLE_EQ(equal.equity[1], 0.5);

    // Place 1 unpaid: places 2 and 3 are never reached, every equity 0.
    const IcmModel noFirst = model({5000, 3000, 2000}, {0, 0.3, 0.2});
    for (double e : noFirst.equity)
        EXPECT_EQ(e, 0.0);

    // Payouts are not normalised.
    const IcmModel over = model({1000, 2000, 3000, 4000}, {0.6, 0.4, 0.3, 0.2});
    EXPECT_NEAR(equitySum(over), 1.5, 1e-14);
    const IcmModel under = model({1000, 2000, 3000}, {0.4, 0.2, 0.1});
    EXPECT_NEAR(equitySum(under), 0.7, 1e-14);
}

TEST(IcmModel, EmptyAndBustedSeats) {
    double pay[10] = {0.3, 0.2, 0.15, 0.1, 0.08, 0.06, 0.04, 0.03, 0.02, 0.02};
    IcmModel m;
    m.setStack(0, 3000);
    m.setStack(3, 0);  // busted
    m.setStack(5, 2000);
    m.setStack(7, 1000);
    for (int q = 0; q < 10; ++q)
        m.setPayout(q, pay[q]);
    m.compute();
    for (int q = 0; q < 9; ++q)
        EXPECT_EQ(m.placeProbability[3][q], 0.0) << q;
    // Every seat without chips takes tenth place with certainty.
    for (int i : {1, 2, 3, 4, 6, 8, 9})
        EXPECT_DOUBLE_EQ(m.placeProbability[i][9], 1.0) << i;
    // The three players share places 1..3; their tenth place is 0.
    for (int i : {0, 5, 7})
        EXPECT_NEAR(m.placeProbability[i][9], 0.0, 1e-15) << i;
    // Tenth place is paid but none of them can finish there.
    EXPECT_NEAR(m.equity[0] + m.equity[5] + m.equity[7], 0.3 + 0.2 + 0.15, 1e-14);
}

TEST(IcmModel, MendedCasesNoChipsAndNegativeStacks) {
    // Nobody has chips: everybody gets 0, with place 10 paid too.
    double pay[10] = {0.5, 0.3, 0.2, 0, 0, 0, 0, 0, 0, 0.1};
    IcmModel m;
    for (int q = 0; q < 10; ++q)
        m.setPayout(q, pay[q]);
    m.compute();
    for (double e : m.equity) {
        EXPECT_EQ(e, 0.0);
        EXPECT_FALSE(std::isnan(e));
    }
    // A negative stack counts as no chips.
    const IcmModel negative = model({5000, -3000, 2000}, {0.5, 0.3, 0.2});
    const IcmModel zero = model({5000, 0, 2000}, {0.5, 0.3, 0.2});
    for (int i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(negative.equity[i], zero.equity[i]);
    EXPECT_EQ(negative.equity[1], 0.0);
    EXPECT_NEAR(negative.equity[0] + negative.equity[2], 0.8, 1e-15);
}

TEST(IcmModel, InputsStaySetBetweenComputations) {
    IcmModel m = model({5000, 3000, 2000}, {0.5, 0.3, 0.2});
    const double before = m.equity[2];
    m.setStack(2, 6000);
    m.compute();
    EXPECT_GT(m.equity[2], before);
    EXPECT_EQ(m.stack(0), 5000);
    EXPECT_DOUBLE_EQ(m.payout(1), 0.3);
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
    int checked = 0;
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
        IcmModel m;
        for (int i = 0; i < 10; ++i) {
            m.setStack(i, stacks[i]);
            m.setPayout(i, payouts[i]);
        }
        m.compute();
        for (int i = 0; i < 10; ++i) {
            ASSERT_NEAR(m.equity[i], expected.equity[i], 1e-12) << "trial " << trial << " player " << i;
            for (int q = 0; q < 10; ++q)
                ASSERT_NEAR(m.placeProbability[i][q], expected.placeProbability[i][q], 1e-12)
                    << "trial " << trial << " player " << i << " place " << q;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 3000);
}
