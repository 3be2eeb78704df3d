#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <tuple>
#include <vector>

#include "engine/equityplot.h"
#include "engine/gamestate.h"
#include "synthetictables.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

// Whatever the hero holds, a caller with another class wins 55 %.
double callerAlwaysAhead(int a, int b) { return a == b ? 0.5 : 0.55; }

// The edge grows smoothly with the distance between the two classes.
double gradual(int a, int b) { return 0.5 + 0.35 * (b - a) / 168.0; }

// The ranking position the plot tries at percent p (p = 100, 98, .., 0, weakest first), held below 169.
int probe(int p) { return std::min(static_cast<int>(static_cast<float>(p) * kPercentToClasses), kHandClassCount - 1); }

float width(int position) { return static_cast<float>(position) / kHandClassCount; }

std::tuple<float, float, float> curvesAt(const EdgeCurves& c, int step) {
    const auto i = static_cast<std::size_t>(step);
    return {c.edgeAbove0[i], c.edgeAbove05[i], c.edgeAbove1[i]};
}
const std::tuple<float, float, float> kNothing{0.0f, 0.0f, 0.0f};

class EquityPlotTest : public ::testing::Test {
protected:
    struct Seat {
        int seat, status, stack, bet, rangeTo = 0;
    };

    // The hero, on the button, holds the class at heroPosition.
    GameState& table(const PositionEquity& equity, const std::array<double, 10>& payouts,
                     std::initializer_list<Seat> seats, int heroPosition) {
        fillSyntheticTables(owner, equity);
        owner.setPayoutPercents(payouts);
        g = std::make_unique<GameState>(&owner);
        for (const Seat& s : seats) {
            auto& x = g->seats[static_cast<std::size_t>(s.seat)];
            std::tie(x.status, x.stack, x.bet, x.rangeTo, x.range2To) =
                std::tuple(s.status, s.stack, s.bet, s.rangeTo, s.rangeTo);
            if (s.status == kSeatHero)
                g->buttonSeat = g->heroSeat = s.seat;
        }
        g->playerCount = static_cast<int>(seats.size());
        setHero(*g, owner.handRanking().classAt(heroPosition));
        return *g;
    }

    // Heads-up: the hero (button, small blind) 1400 + 100 in, the big blind (seat 1) 1300 + 200 in. Paid 65 / 35.
    GameState& headsUp(const PositionEquity& equity) {
        return table(equity, {65, 35}, {{0, kSeatHero, 1400, 100}, {1, kSeatOpponent, 1300, 200, 20}}, 40);
    }

    // Hero on the button (seat 2), small blind 5 calling with the top 30, big blind 8 plotted. Paid 50/30/20.
    GameState& threeHanded() {
        return table(gradual, {50, 30, 20},
                     {{2, kSeatHero, 2000, 0}, {5, kSeatOpponent, 1500, 100, 30}, {8, kSeatOpponent, 1800, 200, 25}}, 60);
    }

    static void setHero(GameState& state, const HandClass& c) {
        state.seats[static_cast<std::size_t>(state.heroSeat)].handLow = c.low;
        state.seats[static_cast<std::size_t>(state.heroSeat)].handHigh = c.high;
    }

    // evPush - evFold of a copy with the opponent's range end and the hero's class set as one plot step does.
    float edgeAt(int opponentSeat, int step, int heroPosition) const {
        GameState copy = *g;
        copy.seats[static_cast<std::size_t>(opponentSeat)].rangeTo =
            static_cast<int>(static_cast<float>(step) * kPercentToClasses);
        setHero(copy, owner.handRanking().classAt(heroPosition));
        copy.analyze(0);
        return copy.evPush - copy.evFold;
    }

    PlainOwner owner;
    std::unique_ptr<GameState> g;
};

}  // namespace

// strongerWins: at 0 % the big blind never calls. Pushing takes the 300 in the middle (1700 : 1300 gives 0.52),
// folding gives it away (1400 : 1600, 0.49): every curve is at 168 / 169. At 100 % he always calls, evPush =
// 0.65 w + 0.35 (1 - w), w the hero's share of all 1326 combinations. w > 0.4667 holds down to position 131 (870
// stronger combos, w = 620.4 / 1326), w > 0.48333 to 122, w > 0.5 to 113: probes 131, 121, 111.
// callerAlwaysAhead: every hand wins 45 %; with c the calling share, evPush - evFold = 0.03 - 0.035 c for every
// hand (0.52 (1 - c) + c (0.35 + 0.3 x 0.45) - 0.49): c < 0.571 all three curves, c < 0.714 two, c < 0.857 one.
TEST_F(EquityPlotTest, HeadsUpCurvesWorkedOutByHand) {
    const float all = width(168);
    const struct {
        double (*equity)(int, int);
        int percent, combos;  // combos: calling combinations of the top trunc(percent x 1.69) classes
        std::tuple<float, float, float> curves;
    } cases[] = {
        {strongerWins, 0, 0, {all, all, all}},         {strongerWins, 100, 1326, {width(131), width(121), width(111)}},
        {callerAlwaysAhead, 70, 714, {all, all, all}}, {callerAlwaysAhead, 75, 810, {all, all, 0}},
        {callerAlwaysAhead, 85, 1014, {all, 0, 0}},    {callerAlwaysAhead, 95, 1218, kNothing},
    };
    for (const auto& c : cases) {
        EdgeCurves curves;
        ASSERT_TRUE(computeEdgeCurves(headsUp(c.equity), 1, curves));
        EXPECT_EQ(curvesAt(curves, c.percent), c.curves) << c.percent << "% (" << c.combos << " combos)";
        for (int j = 1; j < 5; ++j)  // only the 21 steps are filled
            EXPECT_EQ(curvesAt(curves, c.percent + (c.percent < 100 ? j : -j)), kNothing) << c.percent << "+" << j;
    }
}

// The thresholds of the other two curves are worked out heads-up; here the plotted seat is not the first caller.
TEST_F(EquityPlotTest, EachCurveIsTheWeakestProbedHandThatPassesItsTest) {
    EdgeCurves curves;
    ASSERT_TRUE(computeEdgeCurves(threeHanded(), 8, curves));
    for (int step = 0; step <= 100; step += 5) {
        const int position = static_cast<int>(std::lround(curves.edgeAbove0[static_cast<std::size_t>(step)] * 169));
        int p = 100;
        for (; p >= 0 && probe(p) > position; p -= 2)
            EXPECT_LE(edgeAt(8, step, probe(p)), 0.0f) << step << ": probe " << probe(p);
        EXPECT_TRUE(position == 0 || (probe(p) == position && edgeAt(8, step, position) > 0.0f)) << step;
    }
    // The pushing range moves with the caller's range.
    EXPECT_GT(curves.edgeAbove0[0], curves.edgeAbove0[100] + 0.1f);
}

TEST_F(EquityPlotTest, CancelKeepsTheStepsDoneAndRestoresTheSituation) {
    GameState& s = threeHanded();
    const int opponent = 8;
    const GameState before = s;
    GameState fresh = s;
    fresh.analyze(s.heroAction);

    EdgeCurves full;
    ASSERT_TRUE(computeEdgeCurves(s, opponent, full));

    std::vector<int> told;
    EdgeCurves cut;
    EXPECT_FALSE(computeEdgeCurves(s, opponent, cut, [&told](int step) {
        told.push_back(step);
        return step < 30;
    }));
    EXPECT_EQ(told, (std::vector<int>{0, 5, 10, 15, 20, 25, 30}));
    for (int j = 0; j <= 100; ++j)
        EXPECT_EQ(curvesAt(cut, j), j < 30 ? curvesAt(full, j) : kNothing) << j;
    EXPECT_GT(full.edgeAbove0[30], 0.0f);

    // After both runs the opponent's range, the hero's hand and the real results are back; no verdict was asked.
    const auto restored = [](const GameState& x) {
        return std::tuple(x.seats[8].rangeTo, x.seats[8].rangeFrom, x.seats[5].rangeTo, x.seats[2].handLow,
                          x.seats[2].handHigh, x.heroAction);
    };
    EXPECT_EQ(restored(s), restored(before));
    EXPECT_EQ(std::tuple(s.evPush, s.evFold, s.seats[8].callProbability, s.decision),
              std::tuple(fresh.evPush, fresh.evFold, fresh.seats[8].callProbability, int{kDecisionNotComputed}));
}

// An all-in opponent is judged by his second range: the plot varies it and keeps the hero's answer and verdict.
TEST_F(EquityPlotTest, AnAllInRaiserIsPlottedByTheRangeTheAnalysisReads) {
    GameState& s = headsUp(gradual);
    auto& raiser = s.seats[1];
    std::tie(raiser.stack, raiser.bet, raiser.action, raiser.rangeTo, raiser.range2To) =
        std::tuple(0, 1500, int{kActionRaise}, 0, 20);
    s.raiserSeat = 1;
    EdgeCurves curves;
    ASSERT_TRUE(computeEdgeCurves(s, 1, curves));
    EXPECT_LT(curves.edgeAbove0[5], curves.edgeAbove0[100]);
    EXPECT_EQ(std::tuple(raiser.rangeTo, raiser.range2To), std::tuple(0, 20));
    EXPECT_EQ(std::tuple(s.heroAction, s.decision), std::tuple(-1, int{kDecisionNotComputed}));

    s.analyze(3);
    const int verdict = s.decision;
    ASSERT_TRUE(computeEdgeCurves(s, 1, curves));
    EXPECT_EQ(std::tuple(s.heroAction, s.decision), std::tuple(3, verdict));
}

TEST_F(EquityPlotTest, UnusableSeatsComputeNothing) {
    GameState& s = threeHanded();
    s.evPush = 0.123f;
    const GameState before = s;
    const auto untouched = [&s, &before] {
        return s.evPush == 0.123f && s.seats[8].rangeTo == 25 && s.seats[2].handLow == before.seats[2].handLow;
    };
    for (int opponent : {-1, 10, 2 /* the hero */}) {
        EdgeCurves curves;
        curves.edgeAbove0[0] = 0.5f;  // stale values go
        EXPECT_FALSE(computeEdgeCurves(s, opponent, curves)) << opponent;
        EXPECT_EQ(curves.edgeAbove0[0], 0.0f) << opponent;
        EXPECT_TRUE(untouched()) << opponent;
    }
    s.heroSeat = -1;
    EdgeCurves curves;
    EXPECT_FALSE(computeEdgeCurves(s, 8, curves));
    EXPECT_TRUE(untouched());
}
