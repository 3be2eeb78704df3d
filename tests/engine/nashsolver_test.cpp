#include "engine/nashsolver.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <tuple>

#include "engine/cards.h"
#include "engine/computedriver.h"
#include "engine/nashranges.h"
#include "engine/plainowner.h"
#include "nashtables.h"

using namespace torvel;
using torvel::testing::makeNashTable;

namespace {

std::size_t ix(int k) { return static_cast<std::size_t>(k); }

const EquityTable& realTable() {
    static const PlainOwner owner = [] {
        PlainOwner o;
        o.loadTables(TORVEL_DATA_DIR);
        return o;
    }();
    return owner.equityTable();
}

int classNamed(const std::string& name) {
    const auto& classes = allHandClasses();
    for (int k = 0; k < kHandClassCount; ++k)
        if (handClassName(classes[ix(k)]) == name)
            return k;
    return -1;
}

double weightOf(int k) {
    return combosOfClass(allHandClasses()[ix(k)]) / 1326.0;
}

// Each player's equity summed straight from the rules of the game.
std::vector<double> bruteForceEquity(const NashGame& g, const NashProfile& s) {
    const int n = g.players();
    std::vector<double> value(static_cast<std::size_t>(n), 0.0);
    auto add = [&](const std::vector<double>& outcome, double p) {
        for (int k = 0; k < n; ++k)
            value[ix(k)] += p * outcome[ix(k)];
    };
    double foldedTo = 1.0;
    for (int i = 0; i + 1 < n; ++i) {
        double pushShare = 0.0;
        for (int h = 0; h < kHandClassCount; ++h) {
            const double x = foldedTo * weightOf(h) * s.push[ix(i)][ix(h)];
            pushShare += weightOf(h) * s.push[ix(i)][ix(h)];
            double nobodyYet = 1.0;
            for (int j = i + 1; j < n; ++j) {
                double called = 0.0, pusherWins = 0.0;
                for (int c = 0; c < kHandClassCount; ++c) {
                    const double given = g.combosTogether(h, c) / (weightOf(h) * 1326.0 * 1225.0);
                    const double p = given * s.call[ix(callIndex(n, i, j))][ix(c)];
                    called += p;
                    pusherWins += p * g.pusherEquity(h, c);
                }
                add(g.showdown(i, j, true), x * nobodyYet * pusherWins);
                add(g.showdown(i, j, false), x * nobodyYet * (called - pusherWins));
                nobodyYet *= 1.0 - called;
            }
            add(g.uncalledWin(i), x * nobodyYet);
        }
        foldedTo *= 1.0 - pushShare;
    }
    add(g.uncalledWin(n - 1), foldedTo);
    return value;
}

// What each player gains by the best action at every decision, against the profile's value.
std::vector<double> bruteForceExploitability(const NashGame& g, NashProfile s) {
    const int n = g.players();
    const std::vector<double> base = bruteForceEquity(g, s);
    std::vector<double> gain(static_cast<std::size_t>(n), 0.0);
    // Linear in each decision: one pure value and the mixed one give the other (the larger weight divides).
    auto probe = [&](double& decision, int player) {
        const double kept = decision;
        const auto p = static_cast<std::size_t>(player);
        decision = kept <= 0.5 ? 1.0 : 0.0;
        const double probed = bruteForceEquity(g, s)[p];
        decision = kept;
        const double other = kept <= 0.5 ? (base[p] - kept * probed) / (1.0 - kept)
                                         : (base[p] - (1.0 - kept) * probed) / kept;
        gain[p] += std::max(probed, other) - base[p];
    };
    for (int i = 0; i + 1 < n; ++i)
        for (auto& d : s.push[ix(i)])
            probe(d, i);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            for (auto& d : s.call[ix(callIndex(n, i, j))])
                probe(d, j);
    return gain;
}

NashResult solve(const NashTable& t, double accuracy = 1e-5) {
    SilentProgress quiet;
    NashOptions options;
    options.accuracy = accuracy;
    return solveNash(t, realTable(), options, quiet);
}

}  // namespace

TEST(NashGame, EveryOutcomeConservesChipsAndPaysEveryPlace) {
    const std::vector<NashTable> tables = {
        makeNashTable({3000, 2500, 2000, 1500}, 150, 300, 0, {0.5, 0.3, 0.2}),
        makeNashTable({120, 5000, 40, 260}, 100, 200, 25, {0.5, 0.3, 0.2}),  // blinds and ante put players all-in
        makeNashTable({700, 700}, 50, 100, 10, {1.0}),
        makeNashTable({90, 80, 70, 60, 50, 40, 30, 20, 10, 5}, 20, 40, 10,
                      {0.3, 0.2, 0.15, 0.1, 0.08, 0.06, 0.05, 0.03, 0.02, 0.01}),
    };
    for (const NashTable& t : tables) {
        const NashGame g(t, realTable());
        ASSERT_TRUE(g.ok()) << g.error();
        const int n = g.players();
        const std::int64_t chips = std::accumulate(t.stacks.begin(), t.stacks.end(), std::int64_t{0});
        const double paid = std::accumulate(t.payouts.begin(), t.payouts.begin() + n, 0.0);
        auto check = [&](const std::vector<std::int64_t>& after, const std::vector<double>& equity) {
            EXPECT_EQ(std::accumulate(after.begin(), after.end(), std::int64_t{0}), chips);
            for (const auto s : after)
                EXPECT_GE(s, 0);
            EXPECT_NEAR(std::accumulate(equity.begin(), equity.end(), 0.0), paid, 1e-12);
        };
        for (int w = 0; w < n; ++w)
            check(g.stacksAfterUncalled(w), g.uncalledWin(w));
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                for (const bool pusherWins : {true, false})
                    check(g.stacksAfterShowdown(i, j, pusherWins), g.showdown(i, j, pusherWins));
    }
    // The short pusher doubles through the covering caller; an uncalled push takes the blinds of seats 2 and 3.
    const NashGame g(tables[0], realTable());
    EXPECT_EQ(g.stacksAfterUncalled(0), (std::vector<std::int64_t>{3450, 2500, 1850, 1200}));
    EXPECT_EQ(g.stacksAfterShowdown(2, 3, true), (std::vector<std::int64_t>{3000, 2500, 3500, 0}));
    EXPECT_EQ(g.stacksAfterShowdown(0, 2, false), (std::vector<std::int64_t>{1000, 2500, 4300, 1200}));
}

TEST(NashGame, CardRemovalBetweenTheTwoClasses) {
    const NashGame g(makeNashTable({1000, 1000}, 50, 100, 0, {1.0}), realTable());
    const std::vector<std::tuple<std::string, std::string, int>> cases = {
        {"AA", "AA", 6}, {"AA", "KK", 36}, {"AKs", "AKo", 24}, {"AA", "AKs", 12}, {"72o", "AKo", 144}};
    for (const auto& [a, b, together] : cases) {
        EXPECT_EQ(g.combosTogether(classNamed(a), classNamed(b)), together) << a << " " << b;
        EXPECT_EQ(g.combosTogether(classNamed(b), classNamed(a)), together);
    }
}

TEST(NashGame, RefusesTablesItCannotPlay) {
    const std::vector<NashTable> bad = {
        makeNashTable({1000}, 50, 100, 0, {1.0}),
        makeNashTable({1000, 0}, 50, 100, 0, {1.0}),
        makeNashTable({1000, 1000}, 50, 0, 0, {1.0}),
        makeNashTable({1000, 1000}, 50, 100, -1, {1.0}),
        makeNashTable({2000000000, 2000000000}, 50, 100, 0, {1.0}),
        makeNashTable({1000, 1000}, 50, 100, 0, {0.0, 1.0}),
        makeNashTable({1000, 1000}, 50, 100, 0, {1.5}),
    };
    for (const NashTable& t : bad)
        EXPECT_FALSE(NashGame::refusalFor(t).empty());
    EXPECT_TRUE(NashGame::refusalFor(makeNashTable({1000, 1000}, 50, 100, 0, {1.0})).empty());
}

// Both hold a big blind or less and the big blind has posted everything: every hand pushes and every hand calls; any
// two cards against any two win half the time, so the small blind expects half of the 160 chips he can win of 180.
TEST(NashSolver, HeadsUpShortStacksPushAndCallEverything) {
    const NashResult r = solve(makeNashTable({80, 100}, 50, 100, 0, {1.0}));
    ASSERT_TRUE(r.error.empty() && r.converged) << r.error;
    for (int h = 0; h < kHandClassCount; ++h)
        EXPECT_TRUE(r.profile.push[0][ix(h)] > 0.99 && r.profile.call[0][ix(h)] > 0.99) << h;
    EXPECT_NEAR(r.report.equity[0], 0.5 * 160.0 / 180.0, 1e-4);
}

// Three players: a random profile's reported equity and exploitability match brute force; solved, none gains more.
TEST(NashSolver, ExploitabilityMatchesBruteForce) {
    const NashTable t = makeNashTable({1000, 2500, 600}, 50, 100, 10, {0.5, 0.3, 0.2});
    const NashGame g(t, realTable());
    ASSERT_TRUE(g.ok()) << g.error();
    NashProfile random = g.uniformProfile(0.0);
    std::mt19937 rng(16);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (auto* group : {&random.push, &random.call})
        for (auto& range : *group)
            for (auto& p : range)
                p = unit(rng);
    const NashReport reported = g.evaluate(random);
    const std::vector<double> equity = bruteForceEquity(g, random);
    const std::vector<double> exploitability = bruteForceExploitability(g, random);
    for (int p = 0; p < 3; ++p) {
        EXPECT_NEAR(reported.equity[ix(p)], equity[ix(p)], 1e-12);
        EXPECT_NEAR(reported.exploitability[ix(p)], exploitability[ix(p)], 1e-12);
        EXPECT_GT(exploitability[ix(p)], 1e-3);
    }

    const NashResult solved = solve(t);
    ASSERT_TRUE(solved.converged);
    const std::vector<double> left = bruteForceExploitability(g, solved.profile);
    for (int p = 0; p < 3; ++p) {
        EXPECT_LE(left[ix(p)], 1e-5 + 1e-12);
        EXPECT_NEAR(solved.report.exploitability[ix(p)], left[ix(p)], 1e-12);
    }
}

TEST(NashSolver, CancelReturnsTheBestSoFar) {
    struct CancelAtOnce : ComputeProgress {
        void setValue(int) override {}
        bool wasCanceled() const override { return true; }
    } cancel;
    const NashResult r = solveNash(makeNashTable({3000, 2500, 2000, 1500}, 150, 300, 0, {0.5, 0.3, 0.2}), realTable(),
                                   NashOptions{1e-9, 100000, {}}, cancel);
    EXPECT_EQ(std::tuple(r.canceled, r.profile.push.size(), r.profile.call.size()), std::tuple(true, 3u, 6u));
    EXPECT_LT(r.iterations, 100);
}

TEST(NashRangeText, RunsFromTheTopAndBelow) {
    struct Case {
        std::vector<std::string> classes;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{}, ""},
        {{"AA", "KK", "QQ", "AKs", "AKo"}, "QQ+, AKs+, AKo+"},
        {{"AA", "99", "88", "22", "AQs", "AJs", "K9o"}, "AA+, 99-88, 22, AQs-AJs, K9o"},
        {{"32s", "32o", "43s", "42s"}, "42s+, 32s+, 32o+"},
    };
    for (const Case& c : cases) {
        ClassStrategy range{};
        for (const auto& name : c.classes)
            range[ix(classNamed(name))] = 1.0;
        range[ix(classNamed("T9s"))] = 0.49;  // mostly folded: not written
        EXPECT_EQ(nashRangeText(range), c.text);
    }
}

TEST(PushRangeText, ReadsTheAnalysisTextAsClasses) {
    const struct {
        const char* text;
        std::vector<const char*> in, out;
    } cases[] = {
        {"Any two ", {"AA", "32o", "72o"}, {}},
        {"55+, A2s+, K9o+", {"AA", "55", "A2s", "AKs", "K9o", "KQo"}, {"44", "K8o", "K9s", "AKo", "A2o"}},
        {"", {}, {"AA"}},
        // Parts it cannot read are left out, the others kept.
        {"ZZ+, 9x+, T8s, 87s+", {"87s"}, {"T8s", "76s", "99"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ClassStrategy range = classesOfPushRangeText(c.text);
        for (const char* name : c.in)
            EXPECT_EQ(range[ix(classNamed(name))], 1.0) << name;
        for (const char* name : c.out)
            EXPECT_EQ(range[ix(classNamed(name))], 0.0) << name;
    }
    EXPECT_NEAR(comboShare(classesOfPushRangeText("22+")), 78.0 / 1326, 1e-12);
}
