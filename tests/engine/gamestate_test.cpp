#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "engine/plainowner.h"
#include "engine/ranges.h"

using namespace torvel;

namespace {

GameState withSeats(PlainOwner& owner, std::initializer_list<int> occupied) {
    GameState g(&owner);
    for (int s : occupied)
        g.seats[static_cast<std::size_t>(s)].status = kSeatOpponent;
    return g;
}

}  // namespace

TEST(GameState, ConstructionValuesAndInstanceCounter) {
    PlainOwner owner;
    GameState first(&owner);
    EXPECT_EQ(first.owner, &owner);
    EXPECT_EQ(first.ante, 0);
    EXPECT_EQ(first.playerCount, 0);
    EXPECT_EQ(first.buttonSeat, -1);
    EXPECT_EQ(first.raiserSeat, -1);
    EXPECT_EQ(first.heroAction, -1);
    EXPECT_EQ(first.decision, kDecisionNotComputed);
    EXPECT_EQ(first.pushRangeText[0], '\0');
    EXPECT_TRUE(first.buyInText.empty());
    EXPECT_EQ(first.handId, "1");
    GameState second(&owner);
    EXPECT_EQ(second.handId, "2");
    EXPECT_EQ(owner.instanceCounter(), 2);
    for (const auto& s : first.seats) {
        EXPECT_EQ(s.status, kSeatEmpty);
        EXPECT_EQ(s.action, kActionNone);
        EXPECT_FLOAT_EQ(s.rangeShare, 1.0f);
        EXPECT_FLOAT_EQ(s.callProbability, 1.0f);
    }
}

TEST(GameState, ResetSeatsClearsPlayersButKeepsNames) {
    PlainOwner owner;
    GameState g(&owner);
    auto& s = g.seats[3];
    s = {};
    s.handLow = 4;
    s.handHigh = 17;
    s.card1 = 30;
    s.rangeTo = 50;
    s.range2From = 2;
    s.stack = 1500;
    s.status = kSeatHero;
    s.isButton = s.isAllIn = true;
    s.rangeShare = 0.25f;
    s.callProbability = 0.5f;
    s.winProbability = 0.75f;
    s.action = kActionRaise;
    s.bet = 400;
    g.setName(3, "Nemo");
    copyToBuffer(s.position, "UTG+1");
    g.resetSeats();
    EXPECT_EQ(s.handLow, 0);
    EXPECT_EQ(s.handHigh, 0);
    EXPECT_EQ(s.card1, 0);
    EXPECT_EQ(s.rangeTo, 0);
    EXPECT_EQ(s.range2From, 0);
    EXPECT_EQ(s.stack, 0);
    EXPECT_EQ(s.status, kSeatEmpty);
    EXPECT_FALSE(s.isButton);
    EXPECT_FALSE(s.isAllIn);
    EXPECT_FLOAT_EQ(s.rangeShare, 1.0f);
    EXPECT_FLOAT_EQ(s.callProbability, 1.0f);
    EXPECT_EQ(s.action, kActionNone);
    EXPECT_EQ(s.bet, 0);
    // Not among the fields a reset clears.
    EXPECT_STREQ(s.name, "Nemo");
    EXPECT_STREQ(s.position, "UTG+1");
    EXPECT_FLOAT_EQ(s.winProbability, 0.75f);
}

TEST(GameState, SeatNavigationWrapsClockwise) {
    PlainOwner owner;
    {
        GameState g = withSeats(owner, {4});
        EXPECT_EQ(g.nextOccupiedSeat(4), 4);
        EXPECT_EQ(g.previousOccupiedSeat(4), 4);
        EXPECT_EQ(g.nextOccupiedSeat(0), 4);
        EXPECT_EQ(g.previousOccupiedSeat(9), 4);
    }
    {
        GameState g = withSeats(owner, {});
        EXPECT_EQ(g.nextOccupiedSeat(3), -1);
        EXPECT_EQ(g.previousOccupiedSeat(3), -1);
        EXPECT_EQ(g.nthOccupiedSeat(0), 0);
    }
    {
        GameState g = withSeats(owner, {0, 2, 7});
        EXPECT_EQ(g.nextOccupiedSeat(9), 0);
        EXPECT_EQ(g.nextOccupiedSeat(7), 0);
        EXPECT_EQ(g.nextOccupiedSeat(0), 2);
        EXPECT_EQ(g.nextOccupiedSeat(2), 7);
        EXPECT_EQ(g.previousOccupiedSeat(0), 7);
        EXPECT_EQ(g.previousOccupiedSeat(2), 0);
        EXPECT_EQ(g.previousOccupiedSeat(5), 2);
        EXPECT_EQ(g.nthOccupiedSeat(0), 0);
        EXPECT_EQ(g.nthOccupiedSeat(1), 2);
        EXPECT_EQ(g.nthOccupiedSeat(2), 7);
        EXPECT_EQ(g.nthOccupiedSeat(5), 0);  // fewer seats than asked: 0, not -1
        EXPECT_EQ(g.occupiedSeatCount(), 3);
    }
    {
        // The hero and opponents both count as occupied; a walk from any seat
        // comes back to it after visiting each occupied seat once.
        GameState g = withSeats(owner, {1, 3, 5, 8});
        g.seats[3].status = kSeatHero;
        std::set<int> visited;
        int s = 3;
        do {
            s = g.nextOccupiedSeat(s);
            visited.insert(s);
        } while (s != 3);
        EXPECT_EQ(visited, (std::set<int>{1, 3, 5, 8}));
    }
}

TEST(GameState, NicknamesAreDistinctAndFromTheList) {
    PlainOwner owner;
    const auto& names = owner.nicknames();
    ASSERT_EQ(names.size(), 61u);
    std::set<std::string> all(names.begin(), names.end());
    EXPECT_EQ(all.size(), 61u);
    for (const auto& n : names) {
        EXPECT_GE(n.size(), 3u) << n;
        EXPECT_LE(n.size(), 17u) << n;
        EXPECT_EQ(n.find(' '), std::string::npos) << n;
    }
    for (unsigned seed = 1; seed <= 50; ++seed) {
        std::srand(seed);
        GameState g(&owner);
        g.assignNicknames();
        std::set<std::string> drawn;
        for (const auto& s : g.seats) {
            EXPECT_TRUE(all.count(s.name)) << s.name;
            drawn.insert(s.name);
        }
        EXPECT_EQ(drawn.size(), 10u) << "seed " << seed;
    }
    // A list shorter than the table still names every seat without hanging.
    owner.setNicknames({"Ann", "Bob"});
    GameState g(&owner);
    g.assignNicknames();
    for (const auto& s : g.seats)
        EXPECT_TRUE(std::strcmp(s.name, "Ann") == 0 || std::strcmp(s.name, "Bob") == 0);
}

TEST(GameState, FixedTextBuffersAreCutAndTerminated) {
    PlainOwner owner;
    GameState g(&owner);
    g.setName(2, std::string(100, 'x'));
    EXPECT_EQ(std::strlen(g.seats[2].name), static_cast<std::size_t>(kNameLength - 1));
    g.setName(10, "nobody");  // outside the table: ignored
    g.setName(-1, "nobody");
    g.setPushRangeText(std::string(600, 'y'));
    EXPECT_EQ(std::strlen(g.pushRangeText), static_cast<std::size_t>(kPushRangeTextLength - 1));
}

TEST(Ranges, CombinationsOfBands) {
    // Position 0 AA (6), 1 AKs (4), 2 AKo (12), then the rest of the canonical order.
    HandRanking ranking;
    std::vector<RankingEntry> entries;
    entries.push_back({12, 25, 0, 0, 0, 0});
    entries.push_back({11, 12, 0, 0, 0, 0});
    entries.push_back({11, 25, 0, 0, 0, 0});
    for (const auto& c : allHandClasses())
        if (!(c == HandClass{12, 25} || c == HandClass{11, 12} || c == HandClass{11, 25}))
            entries.push_back({static_cast<std::uint8_t>(c.low), static_cast<std::uint8_t>(c.high), 0, 0, 0, 0});
    ranking.setEntries(entries);
    EXPECT_EQ(combosInRange(ranking, 169, 0), 1326);
    EXPECT_EQ(combosInRange(ranking, 0, 0), 0);
    EXPECT_EQ(combosInRange(ranking, 1, 0), 6);
    EXPECT_EQ(combosInRange(ranking, 2, 0), 10);
    EXPECT_EQ(combosInRange(ranking, 3, 0), 22);
    EXPECT_EQ(combosInRange(ranking, 3, 1), 16);
    EXPECT_EQ(combosInRange(ranking, 10, 20), 0);  // from > to
    EXPECT_EQ(combosInRange(ranking, 500, 0), 1326);
    // Positions 160..168 only, whatever the end says beyond 169.
    EXPECT_EQ(combosInRange(ranking, 200, 160), combosInRange(ranking, 169, 160));
    int tail = 0;
    for (int p = 160; p < 169; ++p)
        tail += combosOfClass(ranking.classAt(p));
    EXPECT_EQ(combosInRange(ranking, 200, 160), tail);
    EXPECT_DOUBLE_EQ(rangeComboShare(ranking, 1, 0), 6.0 / 1326);
}

TEST(Ranges, PercentagesCountClassesNotCombinations) {
    EXPECT_NEAR(rangePercent(84), 49.7, 0.01);
    EXPECT_DOUBLE_EQ(rangePercent(169), 100.0);
    EXPECT_EQ(classesForPercent(100.0f), 169);
    EXPECT_EQ(classesForPercent(10.0f), 16);   // 16.9 truncated
    EXPECT_EQ(classesForPercent(20.0f), 33);   // 33.8 truncated
    EXPECT_EQ(classesForPercent(0.0f), 0);
}
