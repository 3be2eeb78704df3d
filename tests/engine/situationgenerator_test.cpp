#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include <cstring>
#include <map>
#include <set>

#include "engine/gamestate.h"
#include "engine/plainowner.h"
#include "engine/situationgenerator.h"

using namespace torvel;

namespace {

class GeneratorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(owner().handRanking().size(), kHandClassCount); }

    static PlainOwner& owner() {
        static PlainOwner loaded = [] {
            PlainOwner o;
            o.loadTables(TORVEL_DATA_DIR);
            o.setProfileDirectory("no-profiles-here");
            return o;
        }();
        return loaded;
    }
    static GameState deal(const TrainerSettings& settings, unsigned seed) {
        GameState g(&owner());
        SeededRandomSource random(seed);
        generateSituation(g, settings, random);
        return g;
    }
};

}  // namespace

TEST_F(GeneratorTest, EveryDealIsAPlayableSpot) {
    TrainerSettings anyHand;
    anyHand.bandUpper = 169;
    std::map<int, int> playerCounts;
    int pairs = 0, suited = 0, facedAllIn = 0, firstIn = 0;
    for (unsigned seed = 0; seed < 2000; ++seed) {
        const GameState g = deal(anyHand, seed);
        SCOPED_TRACE(seed);
        ++playerCounts[g.playerCount];
        EXPECT_EQ(g.occupiedSeatCount(), g.playerCount);

        const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
        ASSERT_TRUE(hero.status == kSeatHero && hero.card1 >= 0 && hero.card2 < 52 && hero.card1 != hero.card2);
        const HandClass c = classOfCards(hero.card1, hero.card2);
        EXPECT_EQ(handClassName(hero.handLow, hero.handHigh), handClassName(c));
        pairs += isPair(c);
        suited += isSuited(c);

        // Exactly one button and one of each blind; opponents have names but no cards.
        int buttons = 0, smalls = 0, bigs = 0, bigBlind = -1;
        for (int s = 0; s < 10; ++s) {
            const SeatState& seat = g.seats[static_cast<std::size_t>(s)];
            std::tie(buttons, smalls, bigs) =
                std::tuple(buttons + seat.isButton, smalls + seat.isSmallBlind, bigs + seat.isBigBlind);
            bigBlind = seat.isBigBlind ? s : bigBlind;
            EXPECT_TRUE(seat.status != kSeatOpponent || (seat.card1 == -1 && std::strlen(seat.name) > 0)) << s;
        }
        ASSERT_EQ(std::tuple(buttons, smalls, bigs), std::tuple(1, 1, 1));

        // Between the big blind and the hero: one all-in at most (the raiser), the others folded.
        for (int s = g.nextOccupiedSeat(bigBlind); s != g.heroSeat && s != bigBlind; s = g.nextOccupiedSeat(s))
            EXPECT_EQ(g.seats[static_cast<std::size_t>(s)].action, s == g.raiserSeat ? kActionRaise : kActionFold) << s;
        if (g.raiserSeat != -1) {
            ++facedAllIn;
            // The pusher is all-in; his range comes from the profile and starts at the top.
            const SeatState& raiser = g.seats[static_cast<std::size_t>(g.raiserSeat)];
            EXPECT_TRUE(raiser.stack == 0 && raiser.rangeFrom == 0 && raiser.rangeTo > 0);
        } else if (g.heroSeat != bigBlind && g.nextOccupiedSeat(bigBlind) == g.heroSeat) {
            ++firstIn;
        }
    }
    // Player counts 2..10 and the 169 classes are drawn evenly: 222 deals per count; 13, 78 and 78 classes of 169.
    ASSERT_EQ(playerCounts.size(), 9u);
    for (const auto& [players, n] : playerCounts)
        EXPECT_TRUE(players >= 2 && players <= 10 && n > 160 && n < 290) << players << ": " << n;
    EXPECT_GT(pairs, 80);
    EXPECT_GT(suited, 750);
    EXPECT_GT(2000 - pairs - suited, 750);
    EXPECT_GT(facedAllIn, 400);
    EXPECT_GT(firstIn, 40);
}

TEST_F(GeneratorTest, SettingsFixPlayersHandsAndLevels) {
    // A band of one class: only that class is dealt.
    TrainerSettings one;
    one.bandUpper = 1;
    for (unsigned seed = 0; seed < 20; ++seed) {
        const GameState g = deal(one, seed);
        const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
        EXPECT_EQ(classOfCards(hero.card1, hero.card2), owner().handRanking().classAt(0));
    }

    // Every level of the room comes up, and no other.
    for (const auto& [room, levels] : {std::pair{TrainerRoom::PokerStars, 10u},
                                       {TrainerRoom::FullTilt, 16u},
                                       {TrainerRoom::PartyPoker, 15u}}) {
        TrainerSettings settings;
        settings.room = room;
        std::set<std::string> seen, offered;
        for (const auto& level : roomLevels(room))
            offered.insert(blindLevelText(level));
        for (unsigned seed = 0; seed < 600; ++seed) {
            const GameState g = deal(settings, seed);
            seen.insert(blindLevelText({g.smallBlind, g.bigBlind, g.ante}));
        }
        EXPECT_EQ(seen, offered);
        EXPECT_EQ(offered.size(), levels);
    }
}

TEST_F(GeneratorTest, PositionsOfTheHero) {
    for (auto position : {TrainerPosition::SmallBlind, TrainerPosition::BigBlind, TrainerPosition::NonBlind,
                          TrainerPosition::Button}) {
        TrainerSettings settings;
        settings.position = position;
        for (unsigned seed = 0; seed < 400; ++seed) {
            const GameState g = deal(settings, seed);
            const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
            // A big-blind hero always faces an all-in; heads-up the button is a blind.
            const bool where = position == TrainerPosition::SmallBlind ? hero.isSmallBlind
                               : position == TrainerPosition::BigBlind ? hero.isBigBlind && g.raiserSeat != -1
                               : position == TrainerPosition::Button   ? hero.isButton && g.buttonSeat == g.heroSeat
                               : g.playerCount == 2 || !(hero.isSmallBlind || hero.isBigBlind);
            EXPECT_TRUE(where) << static_cast<int>(position) << ", seed " << seed;
        }
    }
}

TEST_F(GeneratorTest, AntesBlindsAndStacksNeverGoNegative) {
    TrainerSettings settings;  // PokerStars 600/1200/50, stacks of 1 or 2 big blinds
    std::tie(settings.level, settings.myStackMin, settings.myStackMax, settings.opponentStackMin,
             settings.opponentStackMax) = std::tuple(9, 1, 1, 1, 2);
    for (unsigned seed = 0; seed < 500; ++seed) {
        const GameState g = deal(settings, seed);
        for (int s = 0; s < 10; ++s) {
            const SeatState& seat = g.seats[static_cast<std::size_t>(s)];
            if (!seat.occupied())
                continue;
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", seat " << s);
            ASSERT_GE(seat.stack, 0);
            // A blind's bet replaces his ante, which stays taken from the stack.
            const bool blind = seat.isBigBlind || seat.isSmallBlind;
            const int total = seat.stack + seat.bet + (blind ? 50 : 0);
            EXPECT_TRUE(total == 1200 || (total == 2400 && s != g.heroSeat)) << total;
            // A short big blind posts what is left after the ante: all-in for less.
            if (seat.isBigBlind && s != g.raiserSeat) {
                EXPECT_EQ(seat.bet, std::min(1200, total - 50));
                EXPECT_EQ(seat.isAllIn && seat.stack == 0, total == 1200);
            }
            EXPECT_TRUE(blind || seat.action == kActionRaise || seat.bet == 50) << seat.bet;  // the ante
        }
    }
    // Bounds from a hand-edited settings file deal 1..20 big blinds.
    const std::pair<int, int> wild[] = {{-5, 2147483647}, {2147483647, 2147483647}, {30, 3}, {INT_MIN, -1}};
    for (const auto& [low, high] : wild) {
        TrainerSettings odd;
        odd.level = 0;
        std::tie(odd.myStackMin, odd.myStackMax, odd.opponentStackMin, odd.opponentStackMax) =
            std::tuple(low, high, low, high);
        for (unsigned seed = 0; seed < 50; ++seed)
            for (const auto& seat : deal(odd, seed).seats)
                EXPECT_TRUE(!seat.occupied() || (seat.totalChips() >= 20 && seat.totalChips() <= 20 * 20))
                    << low << ".." << high << ": " << seat.totalChips();
    }
}
