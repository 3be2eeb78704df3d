#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <tuple>

#include "engine/gamestate.h"
#include "engine/plainowner.h"
#include "engine/ranges.h"
#include "synthetictables.h"

using namespace torvel;

namespace {

GameState withSeats(PlainOwner& owner, const std::vector<int>& occupied) {
    GameState g(&owner);
    for (int s : occupied)
        g.seats[static_cast<std::size_t>(s)].status = kSeatOpponent;
    return g;
}

// The fields a reset clears.
auto resetFields(const SeatState& s) {
    return std::tuple(s.handLow, s.handHigh, s.card1, s.card2, s.rangeFrom, s.rangeTo, s.range2From, s.range2To,
                      s.stack, s.status, s.isButton, s.isAllIn, s.rangeShare, s.callProbability, s.action, s.bet);
}

}  // namespace

TEST(GameState, ResetSeatsClearsPlayersButKeepsNames) {
    PlainOwner owner;
    GameState g(&owner);
    auto& s = g.seats[3];
    s.handLow = s.handHigh = s.card1 = s.card2 = s.rangeFrom = s.rangeTo = s.range2From = s.range2To = s.stack = 7;
    std::tie(s.status, s.isButton, s.isAllIn, s.action, s.bet) = std::tuple(kSeatHero, true, true, kActionRaise, 400);
    s.rangeShare = s.callProbability = 0.5f;
    g.setName(3, "Nemo");
    copyToBuffer(s.position, "UTG+1");
    g.resetSeats();
    EXPECT_EQ(resetFields(s), resetFields(SeatState{}));
    EXPECT_STREQ(s.name, "Nemo");
    EXPECT_STREQ(s.position, "UTG+1");
}

TEST(GameState, SeatNavigationWrapsClockwise) {
    PlainOwner owner;
    const struct {
        std::vector<int> occupied;
        int from, next, previous;
    } cases[] = {
        {{4}, 4, 4, 4},       {{4}, 0, 4, 4},       {{4}, 9, 4, 4},       {{}, 3, -1, -1},
        {{0, 2, 7}, 9, 0, 7}, {{0, 2, 7}, 7, 0, 2}, {{0, 2, 7}, 0, 2, 7}, {{0, 2, 7}, 5, 7, 2},
    };
    for (const auto& c : cases) {
        const GameState g = withSeats(owner, c.occupied);
        EXPECT_EQ(g.nextOccupiedSeat(c.from), c.next) << c.occupied.size() << " seated, from " << c.from;
        EXPECT_EQ(g.previousOccupiedSeat(c.from), c.previous) << c.occupied.size() << " seated, from " << c.from;
    }
    GameState g = withSeats(owner, {0, 2, 7});
    EXPECT_EQ(g.occupiedSeatCount(), 3);
    // The n-th occupied seat; fewer seats than asked gives 0, not -1.
    for (const auto& [n, seat] : {std::pair{0, 0}, {1, 2}, {2, 7}, {5, 0}})
        EXPECT_EQ(g.nthOccupiedSeat(n), seat) << n;
    EXPECT_EQ(withSeats(owner, {}).nthOccupiedSeat(0), 0);
    // The hero counts as occupied too.
    g.seats[4].status = kSeatHero;
    EXPECT_EQ(g.nextOccupiedSeat(2), 4);
    EXPECT_EQ(g.previousOccupiedSeat(7), 4);
}

TEST(GameState, NicknamesAreDistinctAndFromTheList) {
    PlainOwner owner;
    const auto& names = owner.nicknames();
    const std::set<std::string> all(names.begin(), names.end());
    EXPECT_EQ(all.size(), names.size());
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        GameState g(&owner);
        g.assignNicknames();
        std::set<std::string> drawn;
        for (const auto& s : g.seats)
            drawn.insert(s.name);
        EXPECT_EQ(drawn.size(), 10u) << "seed " << seed;
        EXPECT_TRUE(std::includes(all.begin(), all.end(), drawn.begin(), drawn.end())) << "seed " << seed;
    }
    // A list shorter than the table still names every seat without hanging.
    owner.setNicknames({"Ann", "Bob"});
    GameState g(&owner);
    g.assignNicknames();
    for (const auto& s : g.seats)
        EXPECT_TRUE(std::strcmp(s.name, "Ann") == 0 || std::strcmp(s.name, "Bob") == 0);
}

TEST(GameState, ConstructionNumbersTheHandsAndTextBuffersAreCut) {
    PlainOwner owner;
    EXPECT_EQ(GameState(&owner).handId, "1");
    GameState g(&owner);
    EXPECT_EQ(std::pair(g.handId, owner.instanceCounter()), std::pair(std::string("2"), 2));
    g.setName(2, std::string(100, 'x'));
    EXPECT_EQ(std::strlen(g.seats[2].name), static_cast<std::size_t>(kNameLength - 1));
    g.setName(10, "nobody");  // outside the table: ignored
    g.setName(-1, "nobody");
    g.setPushRangeText(std::string(600, 'y'));
    EXPECT_EQ(std::strlen(g.pushRangeText), static_cast<std::size_t>(kPushRangeTextLength - 1));
}

TEST(Ranges, CombinationsOfBandsAndPercentages) {
    // The synthetic ranking: 13 pairs (6 combos), 78 suited (4), 78 offsuit (12).
    PlainOwner owner;
    torvel::testing::fillSyntheticTables(owner, torvel::testing::strongerWins);
    const struct {
        int to, from, combos;
    } cases[] = {{169, 0, 1326}, {0, 0, 0},  {1, 0, 6},       {14, 0, 82},      {15, 12, 14},
                 {14, 13, 4},    {10, 20, 0}, {500, 0, 1326}, {200, 160, 108}, {169, 160, 108}};
    for (const auto& c : cases)
        EXPECT_EQ(combosInRange(owner.handRanking(), c.to, c.from), c.combos) << c.from << ".." << c.to;
    EXPECT_DOUBLE_EQ(rangeComboShare(owner.handRanking(), 1, 0), 6.0 / 1326);

    // Percentages count classes, not combinations.
    EXPECT_NEAR(rangePercent(84), 49.7, 0.01);
}
