#include <gtest/gtest.h>

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
    static void SetUpTestSuite() {
        owner = new PlainOwner;
        const auto loaded = owner->loadTables(TORVEL_DATA_DIR);
        ASSERT_TRUE(loaded.ok) << loaded.reason;
        owner->setProfileDirectory("no-profiles-here");
    }
    static void TearDownTestSuite() { delete owner; }

    GameState deal(const TrainerSettings& settings, unsigned seed) {
        GameState g(owner);
        SeededRandomSource random(seed);
        generateSituation(g, settings, random);
        return g;
    }

    static PlainOwner* owner;
};

PlainOwner* GeneratorTest::owner = nullptr;

int bigBlindSeatOf(const GameState& g) {
    for (int s = 0; s < 10; ++s)
        if (g.seats[static_cast<std::size_t>(s)].isBigBlind)
            return s;
    return -1;
}

}  // namespace

TEST_F(GeneratorTest, RandomPlayerCountsAreEvenlySpread) {
    std::map<int, int> counts;
    for (unsigned seed = 0; seed < 1800; ++seed) {
        const GameState g = deal({}, seed);
        ++counts[g.playerCount];
        EXPECT_EQ(g.occupiedSeatCount(), g.playerCount);
    }
    ASSERT_EQ(counts.size(), 9u);
    for (const auto& [players, n] : counts) {
        EXPECT_GE(players, 2);
        EXPECT_LE(players, 10);
        EXPECT_GT(n, 140) << players;  // 200 expected each
        EXPECT_LT(n, 260) << players;
    }
    TrainerSettings six;
    six.players = 6;
    EXPECT_EQ(deal(six, 7).playerCount, 6);
}

TEST_F(GeneratorTest, EveryLevelOfTheRoomAndNoOther) {
    for (TrainerRoom room : {TrainerRoom::PokerStars, TrainerRoom::FullTilt, TrainerRoom::PartyPoker}) {
        TrainerSettings settings;
        settings.room = room;
        std::set<std::string> seen;
        std::set<std::string> offered;
        for (const auto& level : roomLevels(room))
            offered.insert(blindLevelText(level));
        for (unsigned seed = 0; seed < 600; ++seed) {
            const GameState g = deal(settings, seed);
            seen.insert(blindLevelText({g.smallBlind, g.bigBlind, g.ante}));
        }
        EXPECT_EQ(seen, offered);
    }
    EXPECT_EQ(roomLevels(TrainerRoom::PokerStars).size(), 10u);
    EXPECT_EQ(roomLevels(TrainerRoom::FullTilt).size(), 16u);
    EXPECT_EQ(roomLevels(TrainerRoom::PartyPoker).size(), 15u);
    TrainerSettings fixed;
    fixed.room = TrainerRoom::PartyPoker;
    fixed.level = 13;
    const GameState g = deal(fixed, 3);
    EXPECT_EQ(blindLevelText({g.smallBlind, g.bigBlind, g.ante}), "6000/12000/200");
}

TEST_F(GeneratorTest, HeroCardsMatchTheDealtClass) {
    int pairs = 0, suited = 0, offsuit = 0;
    for (unsigned seed = 0; seed < 2000; ++seed) {
        TrainerSettings settings;
        settings.bandLower = 0;
        settings.bandUpper = 169;
        const GameState g = deal(settings, seed);
        const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
        ASSERT_NE(hero.card1, hero.card2) << seed;
        ASSERT_GE(hero.card1, 0);
        ASSERT_LT(hero.card2, 52);
        const bool sameSuit = hero.card1 / 13 == hero.card2 / 13;
        const HandClass c = classOfCards(hero.card1, hero.card2);
        ASSERT_TRUE(isCanonicalClass(c));
        if (isPair(c)) {
            ++pairs;
            EXPECT_FALSE(sameSuit);
        } else if (isSuited(c)) {
            ++suited;
            EXPECT_TRUE(sameSuit);
        } else {
            ++offsuit;
            EXPECT_FALSE(sameSuit);
        }
        // The seat's class names the same hand as the cards.
        EXPECT_EQ(handClassName(hero.handLow, hero.handHigh), handClassName(c)) << seed;
        EXPECT_EQ(hero.status, kSeatHero);
    }
    // Classes are drawn evenly: 13, 78 and 78 of 169.
    EXPECT_GT(pairs, 80);
    EXPECT_GT(suited, 750);
    EXPECT_GT(offsuit, 750);

    // A band of one class deals only that class.
    TrainerSettings one;
    one.bandLower = 0;
    one.bandUpper = 1;
    for (unsigned seed = 0; seed < 20; ++seed) {
        const GameState g = deal(one, seed);
        const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
        EXPECT_EQ(classOfCards(hero.card1, hero.card2), owner->handRanking().classAt(0));
    }
}

TEST_F(GeneratorTest, PositionsOfTheHero) {
    for (unsigned seed = 0; seed < 400; ++seed) {
        for (auto position : {TrainerPosition::SmallBlind, TrainerPosition::BigBlind, TrainerPosition::NonBlind,
                              TrainerPosition::Button}) {
            TrainerSettings settings;
            settings.position = position;
            const GameState g = deal(settings, seed);
            const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
            const bool headsUp = g.playerCount == 2;
            switch (position) {
            case TrainerPosition::SmallBlind:
                EXPECT_TRUE(hero.isSmallBlind) << seed;
                break;
            case TrainerPosition::BigBlind:
                EXPECT_TRUE(hero.isBigBlind) << seed;
                // A big-blind hero always faces an all-in.
                EXPECT_NE(g.raiserSeat, -1) << seed;
                break;
            case TrainerPosition::NonBlind:
                if (!headsUp) {
                    EXPECT_FALSE(hero.isSmallBlind) << seed;
                    EXPECT_FALSE(hero.isBigBlind) << seed;
                }
                break;
            default:
                EXPECT_TRUE(hero.isButton) << seed;
                EXPECT_EQ(g.buttonSeat, g.heroSeat);
                break;
            }
            // Exactly one button, one small blind and one big blind.
            int buttons = 0, smalls = 0, bigs = 0;
            for (const auto& s : g.seats) {
                buttons += s.isButton;
                smalls += s.isSmallBlind;
                bigs += s.isBigBlind;
            }
            EXPECT_EQ(buttons, 1);
            EXPECT_EQ(smalls, 1);
            EXPECT_EQ(bigs, 1);
        }
    }
}

TEST_F(GeneratorTest, ActionsBeforeTheHero) {
    int facedAllIn = 0, firstIn = 0;
    for (unsigned seed = 0; seed < 1000; ++seed) {
        const GameState g = deal({}, seed);
        const int bigBlind = bigBlindSeatOf(g);
        ASSERT_GE(bigBlind, 0);
        // Everybody between the big blind and the hero has acted: one all-in
        // at most (the raiser), the others folded; behind the hero nobody has.
        int raisers = 0;
        for (int s = g.nextOccupiedSeat(bigBlind); s != g.heroSeat && s != bigBlind; s = g.nextOccupiedSeat(s)) {
            const SeatState& seat = g.seats[static_cast<std::size_t>(s)];
            if (s == g.raiserSeat) {
                ++raisers;
                EXPECT_EQ(seat.action, kActionRaise);
                EXPECT_EQ(seat.stack, 0);
            } else {
                EXPECT_EQ(seat.action, kActionFold) << seed;
            }
        }
        if (g.heroSeat != bigBlind) {
            EXPECT_LE(raisers, 1);
            if (g.raiserSeat == -1 && g.nextOccupiedSeat(bigBlind) == g.heroSeat)
                ++firstIn;
        }
        if (g.raiserSeat != -1) {
            ++facedAllIn;
            // The pusher's range comes from the profile and starts at the top.
            EXPECT_GT(g.seats[static_cast<std::size_t>(g.raiserSeat)].rangeTo, 0);
            EXPECT_EQ(g.seats[static_cast<std::size_t>(g.raiserSeat)].rangeFrom, 0);
        }
        for (int s = 0; s < 10; ++s) {
            const SeatState& seat = g.seats[static_cast<std::size_t>(s)];
            if (seat.status == kSeatOpponent) {
                EXPECT_EQ(seat.card1, -1);
                EXPECT_GT(std::strlen(seat.name), 0u);
            }
        }
    }
    EXPECT_GT(facedAllIn, 200);
    EXPECT_GT(firstIn, 20);
}

TEST_F(GeneratorTest, AntesBlindsAndStacksNeverGoNegative) {
    TrainerSettings settings;
    settings.room = TrainerRoom::PokerStars;
    settings.level = 9;  // 600/1200/50
    settings.myStackMin = settings.myStackMax = 1;
    settings.opponentStackMin = 1;
    settings.opponentStackMax = 2;
    for (unsigned seed = 0; seed < 500; ++seed) {
        const GameState g = deal(settings, seed);
        for (int s = 0; s < 10; ++s) {
            const SeatState& seat = g.seats[static_cast<std::size_t>(s)];
            if (!seat.occupied())
                continue;
            ASSERT_GE(seat.stack, 0) << seed;
            // A stack of 1 or 2 big blinds; a blind's bet replaces his ante,
            // which stays taken from the stack.
            const bool blind = seat.isBigBlind || seat.isSmallBlind;
            const int total = seat.stack + seat.bet + (blind ? 50 : 0);
            if (s == g.heroSeat) {
                EXPECT_EQ(total, 1200) << seed;
            } else {
                EXPECT_TRUE(total == 1200 || total == 2400) << total;
            }
            // A short big blind posts what is left after the ante: all-in for less.
            if (seat.isBigBlind && s != g.raiserSeat) {
                EXPECT_EQ(seat.bet, std::min(1200, total - 50)) << seed;
                if (total == 1200) {
                    EXPECT_TRUE(seat.isAllIn);
                    EXPECT_EQ(seat.stack, 0);
                }
            }
            if (!seat.isBigBlind && !seat.isSmallBlind && seat.action != kActionRaise) {
                EXPECT_EQ(seat.bet, 50);  // the ante
            }
        }
    }
    // Without an ante nobody but the blinds and the raiser has chips in.
    TrainerSettings noAnte;
    noAnte.level = 0;
    const GameState g = deal(noAnte, 11);
    for (const auto& seat : g.seats)
        if (seat.occupied() && !seat.isBigBlind && !seat.isSmallBlind && seat.action != kActionRaise) {
            EXPECT_EQ(seat.bet, 0);
        }
}

TEST_F(GeneratorTest, TheSameSeedDealsTheSameSpot) {
    const GameState a = deal({}, 42);
    const GameState b = deal({}, 42);
    EXPECT_EQ(a.heroSeat, b.heroSeat);
    EXPECT_EQ(a.buttonSeat, b.buttonSeat);
    EXPECT_EQ(a.playerCount, b.playerCount);
    for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(a.seats[static_cast<std::size_t>(s)].stack, b.seats[static_cast<std::size_t>(s)].stack);
        EXPECT_EQ(a.seats[static_cast<std::size_t>(s)].card1, b.seats[static_cast<std::size_t>(s)].card1);
    }
}
