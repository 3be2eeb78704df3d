#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <memory>
#include <tuple>

#include "engine/computedriver.h"
#include "engine/gamestate.h"
#include "engine/rangeequity.h"
#include "icmreference.h"
#include "synthetictables.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

const HandClass k72o{0, 18};

struct SeatSetup {
    int seat, status, stack, bet;
    int action = kActionNone;
    int rangeFrom = 0, rangeTo = 0, range2From = 0, range2To = 0;
};

class AnalysisTest : public ::testing::Test {
protected:
    AnalysisTest() {
        fillSyntheticTables(owner, strongerWins);
        owner.setPayoutPercents({50, 30, 20, 0, 0, 0, 0, 0, 0, 0});
    }

    GameState& table(std::initializer_list<SeatSetup> setups, int button, int hero, int raiser = -1) {
        g = std::make_unique<GameState>(&owner);
        for (const auto& s : setups) {
            auto& seat = g->seats[static_cast<std::size_t>(s.seat)];
            std::tie(seat.status, seat.stack, seat.bet, seat.action) = std::tuple(s.status, s.stack, s.bet, s.action);
            std::tie(seat.rangeFrom, seat.rangeTo, seat.range2From, seat.range2To) =
                std::tuple(s.rangeFrom, s.rangeTo, s.range2From, s.range2To);
        }
        std::tie(g->buttonSeat, g->heroSeat, g->raiserSeat, g->playerCount) =
            std::tuple(button, hero, raiser, static_cast<int>(setups.size()));
        setHeroClass(k72o);
        return *g;
    }

    void setHeroClass(const HandClass& c) {
        auto& hero = g->seats[static_cast<std::size_t>(g->heroSeat)];
        std::tie(hero.handLow, hero.handHigh) = std::pair(c.low, c.high);
    }

    // The hero's ICM equity for the given chips per seat, by the literal enumeration.
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

    // Pusher [0, pushTo) against caller [0, callTo), weighted by combos: pairs below 13 (6), suited after (4).
    static double rangeVsRange(int pushTo, int callTo) {
        double won = 0, all = 0;
        for (int k = 0; k < pushTo; ++k)
            for (int c = 0; c < callTo; ++c) {
                const double w = (k < 13 ? 6 : 4) * (c < 13 ? 6 : 4);
                won += w * strongerWins(k, c);
                all += w;
            }
        return won / all;
    }

    PlainOwner owner;
    std::unique_ptr<GameState> g;
};

}  // namespace

TEST_F(AnalysisTest, HeadsUpPushAgainstTheBigBlind) {
    owner.setPayoutPercents({65, 35, 0, 0, 0, 0, 0, 0, 0, 0});
    // Hero SB 1400 + 100, BB 1300 + 200 calls with the top 20 classes: 13 pairs, AKs..A8s, 106 combos.
    GameState& s = table({{0, kSeatHero, 1400, 100}, {1, kSeatOpponent, 1300, 200, kActionNone, 0, 20}}, 0, 0);
    const int verdict = s.analyze(-2);
    EXPECT_EQ(std::tuple(verdict, s.decision, s.heroAction, s.pot),
              std::tuple(int{kDecisionPush}, int{kDecisionPush}, -2, 300LL));

    // Called, 72o wins 40 % against stronger classes: all 3000 chips (0.65) or second place (0.35). Folding gives the
    // blinds to the big blind: 1400 against 1600, 0.49; everybody folding leaves 1700 : 1300, 0.52.
    const double c = 106.0 / 1326.0;
    EXPECT_NEAR(s.equityBefore[0], 0.5, 1e-7);
    EXPECT_NEAR(s.seats[1].callProbability, c, 1e-7);
    EXPECT_NEAR(s.evFold, 0.49, 1e-7);
    EXPECT_NEAR(s.evPush, (1 - c) * 0.52 + c * (0.4 * 0.65 + 0.6 * 0.35), 1e-6);

    // The bust rule needs a player count that names a place.
    for (int count : {0, 11, -4}) {
        s.playerCount = count;
        s.analyze(-2);
        EXPECT_EQ(s.seats[1].equityIfLose, 0.0f) << count;
    }
}

TEST_F(AnalysisTest, PushIntoThreeCallers) {
    // Hero 2000 in early position; button 3000 covers him; blinds are short.
    GameState& s = table({{3, kSeatHero, 2000, 0},
                          {5, kSeatOpponent, 3000, 0, kActionNone, 0, 10},
                          {7, kSeatOpponent, 900, 100, kActionNone, 0, 20},
                          {9, kSeatOpponent, 1000, 200, kActionNone, 0, 40}},
                         5, 3);
    s.analyze(-2);
    // Each calls if nobody before him did; stacks by hand (pot 300). Beaten by the button the hero is out fourth.
    const double r5 = share(60), r7 = share(106), r9 = share(78 + 27 * 4);
    const struct {
        int seat;
        double call;
        std::map<int, int> heroWins, heroLoses;
    } callers[] = {
        {5, r5, {{3, 4300}, {5, 1000}, {7, 900}, {9, 1000}}, {{5, 5300}, {7, 900}, {9, 1000}}},
        {7, r7 * (1 - r5), {{3, 3200}, {5, 3000}, {9, 1000}}, {{3, 1000}, {5, 3000}, {7, 2200}, {9, 1000}}},
        {9, r9 * (1 - r5) * (1 - r7), {{3, 3300}, {5, 3000}, {7, 900}}, {{3, 800}, {5, 3000}, {7, 900}, {9, 2500}}},
    };
    const double allFold = heroEquity({{3, 2300}, {5, 3000}, {7, 900}, {9, 1000}});
    double noCall = 1, push = 0;
    for (const auto& c : callers) {
        EXPECT_NEAR(s.seats[c.seat].callProbability, c.call, 1e-7) << c.seat;
        noCall -= c.call;
        push += c.call * (0.4 * heroEquity(c.heroWins) + 0.6 * heroEquity(c.heroLoses));
    }
    EXPECT_NEAR(s.equityAllFold, allFold, 1e-6);
    EXPECT_NEAR(s.evPush, push + noCall * allFold, 1e-6);
    // Folding gives the blinds to one of the three others, each as likely.
    const double fold = (heroEquity({{3, 2000}, {5, 3300}, {7, 900}, {9, 1000}}) +
                         heroEquity({{3, 2000}, {5, 3000}, {7, 1200}, {9, 1000}}) +
                         heroEquity({{3, 2000}, {5, 3000}, {7, 900}, {9, 1300}})) / 3;
    EXPECT_NEAR(s.evFold, fold, 1e-6);
}

TEST_F(AnalysisTest, CallingAnAllInWithPlayersStillBehind) {
    // Seat 2 is all-in for 1000 with the top 30; the hero on the button (1500) decides, both blinds behind him.
    GameState& s = table({{2, kSeatOpponent, 0, 1000, kActionRaise, 0, 30, 0, 30},
                          {4, kSeatHero, 1500, 0},
                          {6, kSeatOpponent, 1400, 100, kActionNone, 0, 20},
                          {8, kSeatOpponent, 1300, 200, kActionNone, 0, 40}},
                         4, 4, 2);
    s.analyze(3);
    EXPECT_EQ(std::pair(s.pot, s.heroAction), std::pair(1300LL, 3));
    // The blinds' win shares against the raiser and their call chances enter evFold; 72o wins 40 % against him.
    const double w6 = rangeVsRange(30, 20), w8 = rangeVsRange(30, 40);
    const double r6 = share(106), r8 = share(78 + 27 * 4), c6 = r6, c8 = r8 * (1 - r6);

    const double callWin = heroEquity({{4, 2800}, {6, 1400}, {8, 1300}});
    const double callLose = heroEquity({{2, 2300}, {4, 500}, {6, 1400}, {8, 1300}});
    EXPECT_NEAR(s.evPush, 0.4 * callWin + 0.6 * callLose, 1e-6);

    // The hero folds: a blind may call the raiser, or he takes the pot.
    const double allFold = heroEquity({{2, 1300}, {4, 1500}, {6, 1400}, {8, 1300}});
    const double sb = w6 * heroEquity({{2, 2200}, {4, 1500}, {6, 500}, {8, 1300}}) +
                      (1 - w6) * heroEquity({{4, 1500}, {6, 2700}, {8, 1300}});
    const double bb = w8 * heroEquity({{2, 2100}, {4, 1500}, {6, 1400}, {8, 500}}) +
                      (1 - w8) * heroEquity({{4, 1500}, {6, 1400}, {8, 2600}});
    EXPECT_NEAR(s.equityAllFold, allFold, 1e-6);
    EXPECT_NEAR(s.evFold, (1 - c6 - c8) * allFold + c6 * sb + c8 * bb, 1e-6);
}

TEST_F(AnalysisTest, AShortCallerBeatingACoveringRaiserWinsOnlyWhatHeMatched) {
    // Seat 0 is all-in for 5000; the hero on the button; the big blind has 300 behind, 200 posted.
    GameState& s = table({{0, kSeatOpponent, 0, 5000, kActionRaise, 0, 30, 0, 30},
                          {2, kSeatHero, 3000, 0},
                          {3, kSeatOpponent, 2700, 100, kActionNone, 0, 20},
                          {4, kSeatOpponent, 300, 200, kActionNone, 0, 40}},
                         2, 2, 0);
    s.analyze(0);
    ASSERT_EQ(s.pot, 5300);
    // The big blind triples to 1000 plus the small blind's 100; the raiser keeps the unmatched 4500 (11300 in play).
    EXPECT_NEAR(s.seats[4].equityIfLose, heroEquity({{0, 4500}, {2, 3000}, {3, 2700}, {4, 1100}}), 1e-6);
    // The raiser wins: the big blind is out and the raiser holds the pot.
    EXPECT_NEAR(s.seats[4].equityIfWin, heroEquity({{0, 5600}, {2, 3000}, {3, 2700}}), 1e-6);
}

// Every all-in outcome keeps the chips on the table: random blinds, antes, raisers and stacks.
TEST_F(AnalysisTest, ShowdownsNeitherCreateNorDestroyChips) {
    std::mt19937 rng(20261208);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    GameState g(&owner);
    for (int trial = 0; trial < 2000; ++trial) {
        g.resetSeats();
        long long chips = 0;
        std::vector<int> seated;
        for (int i = 0; i < kSeatCount; ++i)
            if (pick(0, 3) > 0 || seated.size() < 2) {
                SeatState& seat = g.seats[static_cast<std::size_t>(i)];
                seat.status = kSeatOpponent;
                // Now and then a stack near the bound, so 32 bits would overflow.
                seat.stack = pick(0, 5) == 0 ? kMaxChips - pick(0, 1000) : pick(0, 6000);
                seat.bet = pick(0, 2) == 0 ? pick(0, 400) : pick(0, 1) * pick(1, 5000);
                chips += seat.totalChips();
                seated.push_back(i);
            }
        std::shuffle(seated.begin(), seated.end(), rng);
        const int caller = seated[0], pusher = seated[1];
        for (bool pusherWins : {true, false}) {
            const auto after = g.showdownStacks(caller, pusher, pusherWins);
            ASSERT_EQ(std::accumulate(after.begin(), after.end(), 0LL), chips) << trial << " " << pusherWins;
            ASSERT_GE(*std::min_element(after.begin(), after.end()), 0) << trial;
            const SeatState &winner = g.seats[static_cast<std::size_t>(pusherWins ? pusher : caller)],
                            &loser = g.seats[static_cast<std::size_t>(pusherWins ? caller : pusher)];
            EXPECT_EQ(after[static_cast<std::size_t>(pusherWins ? caller : pusher)],
                      std::max(0LL, loser.totalChips() - winner.totalChips()));
        }
    }
}

TEST_F(AnalysisTest, LimpersCallWithTheirSecondRange) {
    // Seat 1 limped: [16, 33) (A-suited 16..24, K-suited 25..32: 68 combos), calling with [16, 25) (36 combos).
    GameState& s = table({{1, kSeatOpponent, 1800, 200, kActionCall, 16, 33, 16, 25},
                          {4, kSeatHero, 2000, 0},
                          {7, kSeatOpponent, 1900, 100, kActionNone, 0, 0},
                          {8, kSeatOpponent, 0, 200, kActionCall, 5, 5, 0, 10}},
                         6, 4);
    s.analyze(-2);
    EXPECT_EQ(s.pot, 500);
    EXPECT_NEAR(s.seats[1].rangeShare, 36.0 / 68.0, 1e-7);
    EXPECT_EQ(s.seats[8].rangeShare, 0.0f);  // no main range: no share rather than 0/0
    // Limpers act again after the hero in seat order: 7, 8, then 1.
    EXPECT_NEAR(s.seats[1].callProbability, 36.0 / 68.0, 1e-7);
    EXPECT_NEAR(s.seats[8].winProbability, 0.4, 1e-7);  // no chips behind: judged by his calling range
    // A calling range wider than the range calls with all of it, no more.
    s.seats[1].range2To = 60;
    s.analyze(-2);
    EXPECT_EQ(s.seats[1].rangeShare, 1.0f);
    s.seats[1].keepCallingRangeWithinRange();
    EXPECT_EQ(std::pair(s.seats[1].range2From, s.seats[1].range2To), std::pair(16, 33));
}

TEST_F(AnalysisTest, PusherAgainstCallersOrderedByRangeEnd) {
    GameState& s = table({{0, kSeatOpponent, 0, 1000, kActionRaise, 0, 10, 0, 10},
                          {2, kSeatHero, 1000, 0},
                          {3, kSeatOpponent, 1000, 0, kActionNone, 16, 33},
                          {5, kSeatOpponent, 1000, 0, kActionNone, 4, 4},
                          {6, kSeatOpponent, 1000, 0, kActionFold, 0, 50}},
                         6, 2, 0);
    s.EdgePusherVs();
    EXPECT_NEAR(s.seats[3].winProbability, 0.6, 1e-6);  // pairs 0..9 against suited 16..32
    // A caller without a range: the pusher is taken to win.
    EXPECT_EQ(std::pair(s.seats[5].winProbability, s.seats[5].loseProbability), std::pair(1.0f, 0.0f));
    // The folded player and the raiser himself are no callers.
    EXPECT_EQ(std::pair(s.seats[6].winProbability, s.seats[0].winProbability), std::pair(0.0f, 0.0f));
}

TEST_F(AnalysisTest, MissingSeatsAnalyseNothing) {
    GameState& s = table({{0, kSeatHero, 1400, 100}, {1, kSeatOpponent, 1300, 200, kActionNone, 0, 20}}, 0, 0);
    s.heroSeat = -1;
    s.decision = kDecisionNotComputed;
    EXPECT_EQ(s.analyze(-2), kDecisionFold);
    EXPECT_EQ(s.decision, kDecisionNotComputed);
    std::tie(s.heroSeat, s.buttonSeat) = std::pair(0, 10);
    EXPECT_EQ(s.analyze(-2), kDecisionFold);
    ASSERT_EQ(owner.errors().size(), 1u);
    EXPECT_EQ(owner.errors()[0].text + "/" + owner.errors()[0].caption, "error/9");
    std::tie(s.buttonSeat, s.raiserSeat) = std::pair(0, 42);
    EXPECT_EQ(s.analyze(-2), kDecisionFold);
    EXPECT_EQ(s.decision, kDecisionNotComputed);
}

TEST_F(AnalysisTest, RangeEquityLookupsAndTheReversedClass) {
    GameState& s = table({{0, kSeatHero, 1400, 100},
                          {1, kSeatOpponent, 1300, 200, kActionNone, 20, 40},
                          {2, kSeatOpponent, 1300, 0, kActionNone, 7, 7}},
                         0, 0);
    EXPECT_DOUBLE_EQ(s.getEdgeVs(2), 1.0);  // empty range
    // AKo written in reverse, (12, 24), becomes (11, 25) in the seat; AKo (position 91) is below suited 20..39.
    setHeroClass({12, 24});
    EXPECT_NEAR(s.getEdgeVs(1), 0.4, 1e-12);
    EXPECT_EQ(std::pair(s.seats[0].handLow, s.seats[0].handHigh), std::pair(11, 25));
    EXPECT_TRUE(owner.errors().empty());

    // A reversed suited class has no record: each failed matchup is reported and skipped, nothing read outside.
    setHeroClass({12, 11});
    const double suitedReversed = s.getEdgeVs(1);
    ASSERT_FALSE(owner.errors().empty());
    EXPECT_EQ(owner.errors()[0].text, "Error not found!\nPlease contact support, so we can fix this.");
    EXPECT_EQ(owner.errors()[0].caption.rfind("OPP ", 0), 0u);
    EXPECT_TRUE(suitedReversed >= 0.0 && suitedReversed <= 1.0) << suitedReversed;
}

TEST(RangeEquity, CertainMatchupsCountWithHalfABoardSetOfWeight) {
    PlainOwner owner;
    fillSyntheticTables(owner, strongerWins);
    auto records = owner.equityTable().records();
    const HandClass aa{12, 25}, kk{11, 24};
    auto lookup = [&](const HandClass& a, const HandClass& b) {
        owner.mutableEquityTable().setRecords(records);
        return lookupMatchup(owner.equityTable(), a, b);
    };
    // The record stored as (KK, AA) is looked at first for AA against KK.
    auto& r = records[static_cast<std::size_t>(matchupKey(kk, aa))];
    r.wins = r.ties = 0;
    r.total = 1;
    auto result = [&](const HandClass& a, const HandClass& b) {
        const auto m = lookup(a, b);
        return std::tuple(m.found, m.share, m.weight);
    };
    EXPECT_EQ(result(aa, kk), std::tuple(true, 856152.0, 856152.0));
    // Ties count half.
    std::tie(r.wins, r.ties, r.total) = std::tuple(10, 5, 40);
    EXPECT_EQ(result(aa, kk), std::tuple(true, 40 - 12.5, 40.0));
    // A record whose class bytes do not match is not used: the other side is.
    r.low1 = 255;
    const auto other = lookup(aa, kk);
    EXPECT_TRUE(other.found && other.share / other.weight == 0.6) << other.share / other.weight;
    EXPECT_FALSE(lookup({12, 24}, kk).found);
    EXPECT_FALSE(lookup({-3, 40}, kk).found);
}

namespace {

struct CountingProgress : ComputeProgress {
    explicit CountingProgress(int cancelAt = -1) : cancelAt(cancelAt) {}
    void setValue(int value) override { values.push_back(value); }
    bool wasCanceled() const override { return cancelAt >= 0 && !values.empty() && values.back() >= cancelAt; }
    std::vector<int> values;
    int cancelAt;
};

// Heads-up, the big blind calling with everything; positions 0..24 (pairs, AKs..A2s) win 95 % against the rest.
class ComputeDriver : public AnalysisTest {
protected:
    GameState& headsUp(const HandClass& hero) {
        fillSyntheticTables(owner, [](int a, int b) {
            return (a < 25) == (b < 25) ? 0.5 : (a < 25 ? 0.95 : 0.05);
        });
        owner.setPayoutPercents({65, 35, 0, 0, 0, 0, 0, 0, 0, 0});
        GameState& s = table({{0, kSeatHero, 1400, 100}, {1, kSeatOpponent, 1300, 200, kActionNone, 0, 169}}, 0, 0);
        setHeroClass(hero);
        return s;
    }
};

}  // namespace

TEST_F(ComputeDriver, PushRangeTexts) {
    GameState& s = headsUp({5, 18});  // 77
    CountingProgress progress;
    EXPECT_FALSE(runComputeDriver(s, kNoAnswer, progress).refused);
    EXPECT_STREQ(s.pushRangeText, "22+, A2s+");
    EXPECT_EQ(std::pair(s.seats[0].handLow, s.seats[0].handHigh), std::pair(5, 18));  // the real hand is restored
    EXPECT_EQ(s.decision, kDecisionPush);
    EXPECT_EQ(progress.values, (std::vector<int>{0, 1, 2, 3, 4, 5}));

    s.seats[1].rangeTo = 0;  // nobody calls: everything pushes
    runComputeDriver(s, kNoAnswer, progress);
    EXPECT_STREQ(s.pushRangeText, "Any two ");

    // Nothing pushes when every payout is equal: evPush never beats evFold.
    owner.setPayoutPercents({50, 50, 0, 0, 0, 0, 0, 0, 0, 0});
    s.seats[1].rangeTo = 169;
    runComputeDriver(s, kNoAnswer, progress);
    EXPECT_STREQ(s.pushRangeText, "");
    EXPECT_EQ(s.decision, kDecisionFold);
}

TEST_F(ComputeDriver, CancelSkipsTheRemainingScanButNotTheFinalAnalysis) {
    CountingProgress cancelled(1);
    runComputeDriver(headsUp(k72o), 3, cancelled);
    EXPECT_STREQ(g->pushRangeText, "22+");
    EXPECT_EQ(std::tuple(g->decision, g->heroAction, cancelled.values),
              std::tuple(int{kDecisionFold}, 3, std::vector<int>{0, 1, 3, 4, 5}));
}

// The hero in the big blind, everybody else folded: folding takes the pot.
TEST_F(ComputeDriver, AWalkKeepsTheBlinds) {
    GameState& walk = table({{0, kSeatOpponent, 1400, 0, kActionFold, 0, 20},
                             {1, kSeatOpponent, 1300, 100, kActionFold, 0, 20},
                             {2, kSeatHero, 1200, 200}},
                            0, 2);
    walk.analyze(kNoAnswer);
    EXPECT_NEAR(walk.evFold, heroEquity({{0, 1400}, {1, 1300}, {2, 1500}}), 1e-5);
}

TEST_F(ComputeDriver, RefusalsLeaveTheSituationAlone) {
    GameState& s = table({{3, kSeatHero, 1000, 0}, {5, kSeatOpponent, 0, 800, kActionRaise}}, -1, 3, 5);
    SilentProgress progress;
    const char* noButton = "No Button set.\nPlease set the Button and retry.";
    const char* badPusher = "The seat of the preflop pusher is not valid.\nSet the pusher's action again and retry.";
    const struct {
        const char* what;
        std::function<void(GameState&)> change;
        const char* refusal;
    } cases[] = {
        {"no button", [](GameState&) {}, noButton},
        {"button beyond the seats", [](GameState& g) { g.buttonSeat = 10; }, noButton},
        {"no chips", [](GameState& g) { g.buttonSeat = 3; g.seats[3].stack = 0; },
         "Your Stacksize is not valid.\nPress your Stack and enter a value above zero."},
        {"pusher without range", [](GameState& g) { g.seats[3].stack = 1000; },
         "No All-in range specified for the preflop pusher.\nPress the range of the pusher to set a range above zero."},
        {"no hero", [](GameState& g) { g.heroSeat = -1; }, "No player is seated as you.\nTake a seat and retry."},
        {"raiser seat out of range", [](GameState& g) { g.heroSeat = 3; g.raiserSeat = 11; }, badPusher},
        {"raiser on an empty seat", [](GameState& g) { g.raiserSeat = 7; }, badPusher},
        {"two heroes", [](GameState& g) { g.raiserSeat = 5; g.seats[8].status = kSeatHero; },
         "More than one player is seated as you.\nLeave the other seats and retry."},
        {"a hero without cards",
         [](GameState& g) {
             g.seats[8].status = kSeatEmpty;
             g.seats[3].handLow = g.seats[3].handHigh = 0;
         },
         "No cards set for you.\nPress your cards, pick two and retry."},
        {"a lone player",
         [](GameState& g) {
             std::tie(g.seats[3].handLow, g.seats[3].handHigh) = std::pair(12, 25);
             g.seats[5].status = kSeatEmpty;
             g.raiserSeat = -1;
         },
         "Please add more player"},
    };
    for (const auto& c : cases) {
        c.change(s);
        const DriverResult r = runComputeDriver(s, kNoAnswer, progress);
        EXPECT_EQ(std::tuple(r.refused, r.refusal, s.decision),
                  std::tuple(true, std::string(c.refusal), int{kDecisionNotComputed}))
            << c.what;
    }
    // With cards and a range the pusher is accepted and graded; a reversed offsuit class is a hand.
    std::tie(s.seats[3].handLow, s.seats[3].handHigh) = std::pair(12, 18);
    s.seats[5].status = kSeatOpponent;
    s.raiserSeat = 5;
    s.seats[5].rangeTo = s.seats[5].range2To = 20;
    const DriverResult r = runComputeDriver(s, 0, progress);
    EXPECT_FALSE(r.refused);
    EXPECT_EQ(r.correct, s.decision == 0);
}
