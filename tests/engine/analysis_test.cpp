#include <gtest/gtest.h>

#include <map>

#include "engine/computedriver.h"
#include "engine/gamestate.h"
#include "engine/rangeequity.h"
#include "icmreference.h"
#include "synthetictables.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

// The stronger ranking position wins 60 % of the time; equal positions split.
double strongerWins(int a, int b) { return a == b ? 0.5 : (a < b ? 0.6 : 0.4); }

const HandClass k72o{0, 18};

struct SeatSetup {
    int seat;
    int status;
    int stack;
    int bet;
    int action = kActionNone;
    int rangeFrom = 0;
    int rangeTo = 0;
    int range2From = 0;
    int range2To = 0;
};

class AnalysisTest : public ::testing::Test {
protected:
    AnalysisTest() { fillSyntheticTables(owner, strongerWins); }

    GameState& table(std::initializer_list<SeatSetup> setups, int button, int hero, int raiser = -1) {
        g = std::make_unique<GameState>(&owner);
        for (const auto& s : setups) {
            auto& seat = g->seats[static_cast<std::size_t>(s.seat)];
            seat.status = s.status;
            seat.stack = s.stack;
            seat.bet = s.bet;
            seat.action = s.action;
            seat.rangeFrom = s.rangeFrom;
            seat.rangeTo = s.rangeTo;
            seat.range2From = s.range2From;
            seat.range2To = s.range2To;
        }
        g->buttonSeat = button;
        g->heroSeat = hero;
        g->raiserSeat = raiser;
        g->playerCount = static_cast<int>(setups.size());
        setHeroClass(k72o);
        return *g;
    }

    void setHeroClass(const HandClass& c) {
        g->seats[static_cast<std::size_t>(g->heroSeat)].handLow = c.low;
        g->seats[static_cast<std::size_t>(g->heroSeat)].handHigh = c.high;
    }

    // The hero's ICM equity for the given chips per seat, by the literal
    // enumeration over the owner's payouts.
    double heroEquity(const std::map<int, int>& chips) const {
        int stacks[10] = {};
        double payouts[10];
        for (int q = 0; q < 10; ++q)
            payouts[q] = owner.payoutPercent(q) / 100.0;
        for (const auto& [seat, c] : chips)
            stacks[seat] = c;
        return referenceIcm(stacks, payouts).equity[g->heroSeat];
    }

    static double share(int combos) { return combos / 1326.0; }

    PlainOwner owner;
    std::unique_ptr<GameState> g;
};

}  // namespace

TEST_F(AnalysisTest, HeadsUpPushAgainstTheBigBlind) {
    owner.setPayoutPercents({65, 35, 0, 0, 0, 0, 0, 0, 0, 0});
    // Hero in the small blind (1400 behind + 100), big blind 1300 + 200
    // calling with the 20 strongest classes: 13 pairs and AKs..A8s, 106 combos.
    GameState& s = table({{0, kSeatHero, 1400, 100}, {1, kSeatOpponent, 1300, 200, kActionNone, 0, 20}}, 0, 0);
    EXPECT_EQ(s.analyze(-2), kDecisionPush);

    const double c = 106.0 / 1326.0;
    const auto& bb = s.seats[1];
    EXPECT_EQ(s.pot, 300);
    EXPECT_NEAR(s.equityBefore[0], 0.5, 1e-7);
    EXPECT_NEAR(bb.rangeShare, c, 1e-7);
    EXPECT_NEAR(bb.callProbability, c, 1e-7);
    EXPECT_NEAR(bb.winProbability, 0.4, 1e-7);  // 72o against stronger classes only
    EXPECT_NEAR(bb.equityIfWin, 0.65, 1e-7);    // the hero takes all 3000 chips
    // Called and beaten the hero has nothing: he finishes second.
    EXPECT_NEAR(bb.equityIfLose, 0.35, 1e-7);
    // Folding gives the blinds to the big blind: 1400 against 1600.
    EXPECT_NEAR(s.equityIfSeatWins[1], (1400 * 0.65 + 1600 * 0.35) / 3000, 1e-7);
    EXPECT_NEAR(s.equityIfSeatWins[0], (1700 * 0.65 + 1300 * 0.35) / 3000, 1e-7);
    EXPECT_NEAR(s.evFold, 0.49, 1e-7);
    EXPECT_NEAR(s.equityAllFold, 0.52, 1e-7);
    EXPECT_NEAR(s.foldProbability, 1 - c, 1e-7);
    EXPECT_NEAR(s.foldEquityPart, (1 - c) * 0.52, 1e-7);
    EXPECT_NEAR(s.evPush, (1 - c) * 0.52 + c * (0.4 * 0.65 + 0.6 * 0.35), 1e-6);
    EXPECT_EQ(s.heroAction, -2);
    EXPECT_EQ(s.decision, kDecisionPush);
}

TEST_F(AnalysisTest, BustRuleNeedsAPlayerCountThatNamesAPlace) {
    owner.setPayoutPercents({65, 35, 0, 0, 0, 0, 0, 0, 0, 0});
    GameState& s = table({{0, kSeatHero, 1400, 100}, {1, kSeatOpponent, 1300, 200, kActionNone, 0, 20}}, 0, 0);
    for (int count : {0, 11, -4}) {
        s.playerCount = count;
        s.analyze(-2);
        EXPECT_EQ(s.seats[1].equityIfLose, 0.0f) << count;
    }
}

TEST_F(AnalysisTest, PushIntoThreeCallers) {
    owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    // Hero 2000 in early position; button 3000 covers him; blinds are short.
    GameState& s = table({{3, kSeatHero, 2000, 0},
                          {5, kSeatOpponent, 3000, 0, kActionNone, 0, 10},
                          {7, kSeatOpponent, 900, 100, kActionNone, 0, 20},
                          {9, kSeatOpponent, 1000, 200, kActionNone, 0, 40}},
                         5, 3);
    s.analyze(-2);

    const double r5 = share(60), r7 = share(106), r9 = share(78 + 27 * 4);
    EXPECT_NEAR(s.seats[5].callProbability, r5, 1e-7);
    EXPECT_NEAR(s.seats[7].callProbability, r7 * (1 - r5), 1e-7);
    EXPECT_NEAR(s.seats[9].callProbability, r9 * (1 - r5) * (1 - r7), 1e-7);
    EXPECT_NEAR(s.foldProbability, (1 - r5) * (1 - r7) * (1 - r9), 1e-6);

    // Stacks after each showdown, worked out by hand (pot 300).
    const double win5 = heroEquity({{3, 4300}, {5, 1000}, {7, 900}, {9, 1000}});
    const double lose5 = 0.0;  // busted, and fourth place pays nothing
    const double win7 = heroEquity({{3, 3200}, {5, 3000}, {9, 1000}});
    const double lose7 = heroEquity({{3, 1000}, {5, 3000}, {7, 2200}, {9, 1000}});
    const double win9 = heroEquity({{3, 3300}, {5, 3000}, {7, 900}});
    const double lose9 = heroEquity({{3, 800}, {5, 3000}, {7, 900}, {9, 2500}});
    EXPECT_NEAR(s.seats[5].equityIfWin, win5, 1e-6);
    EXPECT_NEAR(s.seats[5].equityIfLose, lose5, 1e-7);
    EXPECT_NEAR(s.seats[7].equityIfWin, win7, 1e-6);
    EXPECT_NEAR(s.seats[7].equityIfLose, lose7, 1e-6);
    EXPECT_NEAR(s.seats[9].equityIfWin, win9, 1e-6);
    EXPECT_NEAR(s.seats[9].equityIfLose, lose9, 1e-6);

    const double allFold = heroEquity({{3, 2300}, {5, 3000}, {7, 900}, {9, 1000}});
    const double fold = (heroEquity({{3, 2000}, {5, 3300}, {7, 900}, {9, 1000}}) +
                         heroEquity({{3, 2000}, {5, 3000}, {7, 1200}, {9, 1000}}) +
                         heroEquity({{3, 2000}, {5, 3000}, {7, 900}, {9, 1300}})) /
                        3;
    EXPECT_NEAR(s.equityAllFold, allFold, 1e-6);
    EXPECT_NEAR(s.evFold, fold, 1e-6);
    const double c5 = r5, c7 = r7 * (1 - r5), c9 = r9 * (1 - r5) * (1 - r7);
    const double push = (1 - c5 - c7 - c9) * allFold + c5 * (0.6 * lose5 + 0.4 * win5) +
                        c7 * (0.6 * lose7 + 0.4 * win7) + c9 * (0.6 * lose9 + 0.4 * win9);
    EXPECT_NEAR(s.evPush, push, 1e-6);
    EXPECT_EQ(s.decision, s.evFold < s.evPush ? kDecisionPush : kDecisionFold);
}

TEST_F(AnalysisTest, CallingAnAllInWithPlayersStillBehind) {
    owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    // Seat 2 is all-in for 1000 with the top 30 classes; the hero on the
    // button (1500) decides; both blinds still to act behind him.
    GameState& s = table({{2, kSeatOpponent, 0, 1000, kActionRaise, 0, 30, 0, 30},
                          {4, kSeatHero, 1500, 0},
                          {6, kSeatOpponent, 1400, 100, kActionNone, 0, 20},
                          {8, kSeatOpponent, 1300, 200, kActionNone, 0, 40}},
                         4, 4, 2);
    s.analyze(3);
    EXPECT_EQ(s.pot, 1300);
    EXPECT_EQ(s.heroAction, 3);

    // The raiser's range against each caller, summed by combinations:
    // positions below 13 are pairs (6 combos), the rest suited (4).
    auto rangeVsRange = [](int pushTo, int callTo) {
        double won = 0, all = 0;
        for (int k = 0; k < pushTo; ++k)
            for (int c = 0; c < callTo; ++c) {
                const double w = (k < 13 ? 6 : 4) * (c < 13 ? 6 : 4);
                won += w * strongerWins(k, c);
                all += w;
            }
        return won / all;
    };
    EXPECT_NEAR(s.seats[6].winProbability, rangeVsRange(30, 20), 1e-6);
    EXPECT_NEAR(s.seats[8].winProbability, rangeVsRange(30, 40), 1e-6);
    EXPECT_NEAR(s.seats[8].loseProbability, 1 - rangeVsRange(30, 40), 1e-6);
    EXPECT_NEAR(s.seats[2].winProbability, 0.4, 1e-7);  // 72o against the raiser's classes

    const double r6 = share(106), r8 = share(78 + 27 * 4);
    EXPECT_FLOAT_EQ(s.seats[2].callProbability, 1.0f);
    EXPECT_NEAR(s.seats[6].callProbability, r6, 1e-7);
    EXPECT_NEAR(s.seats[8].callProbability, r8 * (1 - r6), 1e-7);

    // The hero calls: he covers the raiser.
    const double callWin = heroEquity({{4, 2800}, {6, 1400}, {8, 1300}});
    const double callLose = heroEquity({{2, 2300}, {4, 500}, {6, 1400}, {8, 1300}});
    EXPECT_NEAR(s.evPush, 0.4 * callWin + 0.6 * callLose, 1e-6);

    // The hero folds: a blind may call the raiser, or he takes the pot.
    const double allFold = heroEquity({{2, 1300}, {4, 1500}, {6, 1400}, {8, 1300}});
    const double w6 = rangeVsRange(30, 20), w8 = rangeVsRange(30, 40);
    const double sb = w6 * heroEquity({{2, 2200}, {4, 1500}, {6, 500}, {8, 1300}}) +
                      (1 - w6) * heroEquity({{4, 1500}, {6, 2700}, {8, 1300}});
    const double bb = w8 * heroEquity({{2, 2100}, {4, 1500}, {6, 1400}, {8, 500}}) +
                      (1 - w8) * heroEquity({{4, 1500}, {6, 1400}, {8, 2600}});
    const double c6 = r6, c8 = r8 * (1 - r6);
    EXPECT_NEAR(s.equityAllFold, allFold, 1e-6);
    EXPECT_NEAR(s.foldProbability, 1 - c6 - c8, 1e-6);
    EXPECT_NEAR(s.evFold, (1 - c6 - c8) * allFold + c6 * sb + c8 * bb, 1e-6);
}

TEST_F(AnalysisTest, LimpersCallWithTheirSecondRange) {
    owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    // Seat 1 limped: range [16, 33) (A-suited 16..24 and K-suited 25..32, 68
    // combos), calling a push with [16, 25) (36 combos).
    GameState& s = table({{1, kSeatOpponent, 1800, 200, kActionCall, 16, 33, 16, 25},
                          {4, kSeatHero, 2000, 0},
                          {7, kSeatOpponent, 1900, 100, kActionNone, 0, 0},
                          {8, kSeatOpponent, 0, 200, kActionCall, 5, 5, 0, 10}},
                         6, 4);
    s.analyze(-2);
    EXPECT_NEAR(s.seats[1].rangeShare, 36.0 / 68.0, 1e-7);
    EXPECT_NEAR(s.seats[7].rangeShare, 0.0, 1e-7);
    // A limper without a main range gets no share rather than 0/0.
    EXPECT_EQ(s.seats[8].rangeShare, 0.0f);
    // Limpers act again after the hero in seat order: 7, 8, then 1.
    EXPECT_NEAR(s.seats[1].callProbability, 36.0 / 68.0, 1e-7);
    EXPECT_EQ(s.pot, 500);
    // A limper with no chips behind is judged by his calling range.
    EXPECT_NEAR(s.seats[8].winProbability, 0.4, 1e-7);
}

TEST_F(AnalysisTest, ATieFoldsAndMissingSeatsAnalyseNothing) {
    owner.setPayoutPercents({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    GameState& s = table({{0, kSeatHero, 1400, 100}, {1, kSeatOpponent, 1300, 200, kActionNone, 0, 20}}, 0, 0);
    setHeroClass({12, 25});
    EXPECT_EQ(s.analyze(-2), kDecisionFold);
    EXPECT_EQ(s.evPush, s.evFold);

    owner.clearErrors();
    s.heroSeat = -1;
    s.decision = kDecisionNotComputed;
    EXPECT_EQ(s.analyze(-2), kDecisionFold);
    EXPECT_EQ(s.decision, kDecisionNotComputed);
    s.heroSeat = 0;
    s.buttonSeat = 10;
    EXPECT_EQ(s.analyze(-2), kDecisionFold);
    ASSERT_EQ(owner.errors().size(), 1u);
    EXPECT_EQ(owner.errors()[0].text, "error");
    EXPECT_EQ(owner.errors()[0].caption, "9");
    s.buttonSeat = 0;
    s.raiserSeat = 42;
    EXPECT_EQ(s.analyze(-2), kDecisionFold);
    EXPECT_EQ(s.decision, kDecisionNotComputed);
}

TEST_F(AnalysisTest, RangeEquityLookupsAndTheReversedClass) {
    owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    GameState& s = table({{0, kSeatHero, 1400, 100},
                          {1, kSeatOpponent, 1300, 200, kActionNone, 20, 40},
                          {2, kSeatOpponent, 1300, 0, kActionNone, 7, 7}},
                         0, 0);
    EXPECT_DOUBLE_EQ(s.getEdgeVs(2), 1.0);  // empty range

    // AKo written in reverse, (12, 24): rewritten in the seat to (11, 25).
    setHeroClass({12, 24});
    const double reversed = s.getEdgeVs(1);
    EXPECT_EQ(s.seats[0].handLow, 11);
    EXPECT_EQ(s.seats[0].handHigh, 25);
    EXPECT_DOUBLE_EQ(s.getEdgeVs(1), reversed);
    EXPECT_TRUE(owner.errors().empty());
    // AKo (position 91) is weaker than the suited hands 20..39.
    EXPECT_NEAR(reversed, 0.4, 1e-12);

    // A suited class in reverse order cannot be rewritten into the table:
    // each failed matchup is reported and skipped, nothing is read outside.
    setHeroClass({12, 11});
    const double suitedReversed = s.getEdgeVs(1);
    ASSERT_FALSE(owner.errors().empty());
    EXPECT_EQ(owner.errors()[0].text, "Error not found!\nPlease contact support, so we can fix this.");
    EXPECT_EQ(owner.errors()[0].caption.rfind("OPP ", 0), 0u);
    EXPECT_NE(owner.errors()[0].caption.find("getEdgeVs"), std::string::npos);
    EXPECT_GE(suitedReversed, 0.0);
    EXPECT_LE(suitedReversed, 1.0);
}

TEST(RangeEquity, CertainMatchupsCountWithHalfABoardSetOfWeight) {
    PlainOwner owner;
    fillSyntheticTables(owner, strongerWins);
    auto records = owner.equityTable().records();
    const HandClass aa{12, 25}, kk{11, 24};
    // The record stored as (KK, AA) is looked at first for AA against KK.
    auto& r = records[static_cast<std::size_t>(matchupKey(kk, aa))];
    r.wins = 0;
    r.ties = 0;
    r.total = 1;
    owner.mutableEquityTable().setRecords(records);
    const auto m = lookupMatchup(owner.equityTable(), aa, kk);
    ASSERT_TRUE(m.found);
    EXPECT_DOUBLE_EQ(m.share, 856152.0);
    EXPECT_DOUBLE_EQ(m.weight, 856152.0);
    // KK against AA reads the record stored as (AA, KK).
    const auto back = lookupMatchup(owner.equityTable(), kk, aa);
    ASSERT_TRUE(back.found);
    EXPECT_DOUBLE_EQ(back.share / back.weight, 0.4);
    // Ties count half.
    r.wins = 10;
    r.ties = 5;
    r.total = 40;
    owner.mutableEquityTable().setRecords(records);
    const auto tied = lookupMatchup(owner.equityTable(), aa, kk);
    EXPECT_DOUBLE_EQ(tied.share, 40 - 12.5);
    EXPECT_DOUBLE_EQ(tied.weight, 40);
    // A record whose class bytes do not match is not used: the other side is.
    auto& stored = records[static_cast<std::size_t>(matchupKey(kk, aa))];
    stored.low1 = 255;
    owner.mutableEquityTable().setRecords(records);
    const auto other = lookupMatchup(owner.equityTable(), aa, kk);
    ASSERT_TRUE(other.found);
    EXPECT_DOUBLE_EQ(other.share / other.weight, 0.6);
    EXPECT_FALSE(lookupMatchup(owner.equityTable(), {12, 24}, kk).found);
    EXPECT_FALSE(lookupMatchup(owner.equityTable(), {-3, 40}, kk).found);
}

TEST_F(AnalysisTest, PusherAgainstCallersOrderedByRangeEnd) {
    GameState& s = table({{0, kSeatOpponent, 0, 1000, kActionRaise, 0, 10, 0, 10},
                          {2, kSeatHero, 1000, 0},
                          {3, kSeatOpponent, 1000, 0, kActionNone, 16, 33},
                          {4, kSeatOpponent, 1000, 0, kActionNone, 0, 33},
                          {5, kSeatOpponent, 1000, 0, kActionNone, 4, 4},
                          {6, kSeatOpponent, 1000, 0, kActionFold, 0, 50},
                          {7, kSeatOpponent, 1000, 0, kActionNone, 0, 5}},
                         7, 2, 0);
    s.EdgePusherVs();
    // Positions 0..9 against 16..32: the pusher's pairs beat suited hands.
    EXPECT_NEAR(s.seats[3].winProbability, 0.6, 1e-6);
    // Against [0, 33): both sides' pairs 0..9 meet each other too.
    double won = 0, all = 0;
    for (int k = 0; k < 10; ++k)
        for (int c = 0; c < 33; ++c) {
            const double w = 6.0 * (c < 13 ? 6 : 4);
            won += w * strongerWins(k, c);
            all += w;
        }
    EXPECT_NEAR(s.seats[4].winProbability, won / all, 1e-6);
    // A caller without a range: the pusher is taken to win.
    EXPECT_FLOAT_EQ(s.seats[5].winProbability, 1.0f);
    EXPECT_FLOAT_EQ(s.seats[5].loseProbability, 0.0f);
    // [0, 5) against [0, 10): the weaker half of the pusher's pairs loses.
    EXPECT_LT(s.seats[7].winProbability, 0.5f);
    // The folded player and the raiser himself are no callers.
    EXPECT_EQ(s.seats[6].winProbability, 0.0f);
    EXPECT_EQ(s.seats[0].winProbability, 0.0f);
}

// ---- the compute driver ----

namespace {

class CountingProgress : public ComputeProgress {
public:
    explicit CountingProgress(int cancelAt = -1) : cancelAt_(cancelAt) {}
    void setValue(int value) override { values.push_back(value); }
    bool wasCanceled() const override { return cancelAt_ >= 0 && !values.empty() && values.back() >= cancelAt_; }
    std::vector<int> values;

private:
    int cancelAt_;
};

// Step equities: the first 25 positions (pairs, AKs..A2s) win 90 % against
// the rest; equal groups split.
double strongGroup(int a, int b) {
    const bool sa = a < 25, sb = b < 25;
    if (a == b || sa == sb)
        return 0.5;
    return sa ? 0.95 : 0.05;
}

}  // namespace

TEST(ComputeDriver, PushRangeTexts) {
    PlainOwner owner;
    fillSyntheticTables(owner, strongGroup);
    owner.setPayoutPercents({65, 35, 0, 0, 0, 0, 0, 0, 0, 0});
    GameState g(&owner);
    g.seats[0].status = kSeatHero;
    g.seats[0].stack = 1400;
    g.seats[0].bet = 100;
    g.seats[0].handLow = 5;
    g.seats[0].handHigh = 18;  // 77
    g.seats[1].status = kSeatOpponent;
    g.seats[1].stack = 1300;
    g.seats[1].bet = 200;
    g.seats[1].rangeTo = 169;  // calls with everything
    g.heroSeat = 0;
    g.buttonSeat = 0;
    g.playerCount = 2;

    CountingProgress progress;
    const DriverResult r = runComputeDriver(g, kNoAnswer, progress);
    EXPECT_FALSE(r.refused);
    EXPECT_STREQ(g.pushRangeText, "22+, A2s+");
    EXPECT_EQ(g.seats[0].handLow, 5);  // the real hand is restored
    EXPECT_EQ(g.seats[0].handHigh, 18);
    EXPECT_EQ(g.decision, kDecisionPush);
    EXPECT_EQ(progress.values, (std::vector<int>{0, 1, 2, 3, 4, 5}));

    // Nobody calls: everything pushes.
    g.seats[1].rangeTo = 0;
    runComputeDriver(g, kNoAnswer, progress);
    EXPECT_STREQ(g.pushRangeText, "Any two ");

    // Nothing pushes when every payout is equal: evPush never beats evFold.
    owner.setPayoutPercents({50, 50, 0, 0, 0, 0, 0, 0, 0, 0});
    g.seats[1].rangeTo = 169;
    runComputeDriver(g, kNoAnswer, progress);
    EXPECT_STREQ(g.pushRangeText, "");
    EXPECT_EQ(g.decision, kDecisionFold);
}

TEST(ComputeDriver, CancelSkipsTheRemainingScanButNotTheFinalAnalysis) {
    PlainOwner owner;
    fillSyntheticTables(owner, strongGroup);
    owner.setPayoutPercents({65, 35, 0, 0, 0, 0, 0, 0, 0, 0});
    GameState g(&owner);
    g.seats[0] = {};
    g.seats[0].status = kSeatHero;
    g.seats[0].stack = 1400;
    g.seats[0].bet = 100;
    g.seats[0].handLow = 0;
    g.seats[0].handHigh = 18;  // 72o folds
    g.seats[1].status = kSeatOpponent;
    g.seats[1].stack = 1300;
    g.seats[1].bet = 200;
    g.seats[1].rangeTo = 169;
    g.heroSeat = 0;
    g.buttonSeat = 0;
    g.playerCount = 2;
    CountingProgress cancelled(1);
    runComputeDriver(g, 3, cancelled);
    EXPECT_STREQ(g.pushRangeText, "22+");
    EXPECT_EQ(g.decision, kDecisionFold);
    EXPECT_EQ(g.heroAction, 3);
    EXPECT_EQ(cancelled.values, (std::vector<int>{0, 1, 3, 4, 5}));
}

TEST(ComputeDriver, RefusalsLeaveTheSituationAlone) {
    PlainOwner owner;
    fillSyntheticTables(owner, strongerWins);
    GameState g(&owner);
    g.seats[3].status = kSeatHero;
    g.seats[3].stack = 1000;
    g.seats[5].status = kSeatOpponent;
    g.seats[5].stack = 0;
    g.seats[5].bet = 800;
    g.seats[5].action = kActionRaise;
    g.heroSeat = 3;
    g.raiserSeat = 5;
    g.decision = kDecisionNotComputed;
    SilentProgress progress;

    const struct {
        const char* what;
        std::function<void(GameState&)> change;
        const char* refusal;
    } cases[] = {
        {"no button", [](GameState& s) { s.buttonSeat = -1; }, "No Button set.\nPlease set the Button and retry."},
        {"button beyond the seats", [](GameState& s) { s.buttonSeat = 10; },
         "No Button set.\nPlease set the Button and retry."},
        {"no chips", [](GameState& s) { s.buttonSeat = 3; s.seats[3].stack = 0; },
         "Your Stacksize is not valid.\nPress your Stack and enter a value above zero."},
        {"pusher without range", [](GameState& s) { s.seats[3].stack = 1000; },
         "No All-in range specified for the preflop pusher.\n"
         "Press the range of the pusher to set a range above zero."},
        {"no hero", [](GameState& s) { s.heroSeat = -1; }, "No player is seated as you.\nTake a seat and retry."},
        {"raiser seat out of range", [](GameState& s) { s.heroSeat = 3; s.raiserSeat = 11; },
         "The seat of the preflop pusher is not valid.\nSet the pusher's action again and retry."},
    };
    for (const auto& c : cases) {
        c.change(g);
        const DriverResult r = runComputeDriver(g, kNoAnswer, progress);
        EXPECT_TRUE(r.refused) << c.what;
        EXPECT_EQ(r.refusal, c.refusal) << c.what;
        EXPECT_EQ(g.decision, kDecisionNotComputed) << c.what;
    }
    // With a range the pusher is accepted and the answer graded.
    g.raiserSeat = 5;
    g.seats[5].rangeTo = 20;
    g.seats[5].range2To = 20;
    const DriverResult r = runComputeDriver(g, 0, progress);
    EXPECT_FALSE(r.refused);
    EXPECT_EQ(r.correct, g.decision == 0);
}

TEST_F(AnalysisTest, AShortCallerBeatingACoveringRaiserWinsOnlyWhatHeMatched) {
    owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    // Seat 0 is all-in for 5000; the hero folds or calls from the button;
    // the big blind behind him has 500 in all (300 behind, 200 posted).
    GameState& s = table({{0, kSeatOpponent, 0, 5000, kActionRaise, 0, 30, 0, 30},
                          {2, kSeatHero, 3000, 0},
                          {3, kSeatOpponent, 2700, 100, kActionNone, 0, 20},
                          {4, kSeatOpponent, 300, 200, kActionNone, 0, 40}},
                         2, 2, 0);
    s.analyze(0);
    ASSERT_EQ(s.pot, 5300);
    // The big blind wins: he triples up to 1000 plus the small blind's 100;
    // the raiser keeps the 4500 that nobody matched. Chips in play stay 11300.
    const double bigBlindWins = heroEquity({{0, 4500}, {2, 3000}, {3, 2700}, {4, 1100}});
    EXPECT_NEAR(s.seats[4].equityIfLose, bigBlindWins, 1e-6);
    // The raiser wins: the big blind is out and the raiser holds the pot.
    const double raiserWins = heroEquity({{0, 5600}, {2, 3000}, {3, 2700}});
    EXPECT_NEAR(s.seats[4].equityIfWin, raiserWins, 1e-6);
}
