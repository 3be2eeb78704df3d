// The export text byte for byte, read back by the import, and written to
// disk whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "engine/cards.h"
#include "import/handexport.h"
#include "import/handlistrules.h"
#include "importtestsupport.h"
#include "testfiles.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

void seatPlayer(GameState& g, int seat, const char* name, int stack, int bet, int action) {
    SeatState& s = g.seats[static_cast<std::size_t>(seat)];
    s.status = kSeatOpponent;
    s.rangeTo = 100;
    s.stack = stack;
    s.bet = bet;
    s.action = action;
    g.setName(seat, name);
    ++g.playerCount;
}

void seatHero(GameState& g, int seat, int stack, int bet, const char* cards) {
    seatPlayer(g, seat, "Hero", stack, bet, kActionNone);
    SeatState& s = g.seats[static_cast<std::size_t>(seat)];
    s.status = kSeatHero;
    s.rangeTo = -1;
    ParsedHand hand;
    ASSERT_TRUE(parseHand(cards, hand));
    s.card1 = hand.card1;
    s.card2 = hand.card2;
    s.handLow = hand.handLow;
    s.handHigh = hand.handHigh;
    g.heroSeat = seat;
}

// Seven players, the button on seat 3, the hero folds his big blind to a
// push; a limper, folds before and after.
std::unique_ptr<GameState> heroInTheBigBlind() {
    auto g = std::make_unique<GameState>(nullptr);
    g->smallBlind = 100;
    g->bigBlind = 200;
    seatPlayer(*g, 0, "Ann", 0, 1500, kActionRaise);
    seatPlayer(*g, 1, "Ben", 2400, 0, kActionFold);
    seatPlayer(*g, 2, "Cid", 3100, 0, kActionFold);
    seatPlayer(*g, 4, "Dora", 2900, 100, kActionFold);
    seatHero(*g, 5, 1700, 200, "KsQs");
    seatPlayer(*g, 7, "Emil", 2650, 0, kActionFold);
    seatPlayer(*g, 8, "Finn", 1800, 200, kActionCall);
    g->buttonSeat = 2;
    g->seats[2].isButton = true;
    g->seats[4].isSmallBlind = true;
    g->seats[5].isBigBlind = true;
    g->raiserSeat = 0;
    g->heroAction = 0;
    return g;
}

// Three players: the hero pushes 800 behind after posting the small blind.
std::unique_ptr<GameState> heroAllIn() {
    auto g = std::make_unique<GameState>(nullptr);
    g->smallBlind = 100;
    g->bigBlind = 200;
    seatPlayer(*g, 0, "Gus", 4100, 0, kActionFold);
    seatHero(*g, 1, 800, 100, "7d7c");
    seatPlayer(*g, 2, "Ida", 2800, 200, kActionNone);
    g->buttonSeat = 0;
    g->seats[0].isButton = true;
    g->seats[1].isSmallBlind = true;
    g->seats[2].isBigBlind = true;
    g->heroAction = 3;
    return g;
}

const char* const kBigBlindBlock =
    "Game #1 starts.\r\n"
    "\r\n"
    "#Game No : 1 \r\n"
    "***** Hand History for Game 1 *****\r\n"
    "NL Texas Hold'em $100 Buy-in Trny: 1 Level: 1   Blinds(100/200) - Saturday, January 06, 07:18:02 ET 2007\r\n"
    "Table $200K Speed Qualifier #1 (Real Money)\r\n"
    "Seat 3 is the button\r\n"
    "Total number of players : 7 \r\n"
    "Seat 1: Ann ( $1500 )\r\n"
    "Seat 2: Ben ( $2400 )\r\n"
    "Seat 3: Cid ( $3100 )\r\n"
    "Seat 5: Dora ( $3000 )\r\n"
    "Seat 6: Hero ( $1900 )\r\n"
    "Seat 8: Emil ( $2650 )\r\n"
    "Seat 9: Finn ( $2000 )\r\n"
    "Trny: 1 Level: 1\r\n"
    "Blinds(100/200)\r\n"
    "** Dealing down cards **\r\n"
    "Dealt to Hero [  Qs Ks ]\r\n"
    "Emil folds\r\n"
    "Finn calls [200]\r\n"
    "Ann raises [1500]\r\n"
    "Ben folds\r\n"
    "Cid folds\r\n"
    "Dora folds\r\n"
    "Hero folds\r\n"
    "\r\n"
    "\r\n";

const char* const kAllInBlock =
    "Game #2 starts.\r\n"
    "\r\n"
    "#Game No : 2 \r\n"
    "***** Hand History for Game 2 *****\r\n"
    "NL Texas Hold'em $100 Buy-in Trny: 2 Level: 1   Blinds(100/200) - Saturday, January 06, 07:18:02 ET 2007\r\n"
    "Table $200K Speed Qualifier #1 (Real Money)\r\n"
    "Seat 1 is the button\r\n"
    "Total number of players : 3 \r\n"
    "Seat 1: Gus ( $4100 )\r\n"
    "Seat 2: Hero ( $900 )\r\n"
    "Seat 3: Ida ( $3000 )\r\n"
    "Trny: 1 Level: 1\r\n"
    "Blinds(100/200)\r\n"
    "** Dealing down cards **\r\n"
    "Dealt to Hero [  7d 7c ]\r\n"
    "Gus folds\r\n"
    "Hero is all-In  [900]\r\n"
    "\r\n"
    "\r\n";

TEST(ExportText, HeroInTheBigBlindAndHeroAllInByteForByte) {
    const auto bigBlind = heroInTheBigBlind();
    const auto allIn = heroAllIn();
    EXPECT_EQ(import::exportText({bigBlind.get()}), kBigBlindBlock);
    EXPECT_EQ(import::exportText({bigBlind.get(), allIn.get()}), std::string(kBigBlindBlock) + kAllInBlock);
    EXPECT_EQ(import::exportText({}), "");
}

TEST(ExportText, EveryHeroActionHasItsLine) {
    auto g = heroAllIn();
    const struct {
        int action;
        const char* line;
    } cases[] = {{0, "Gus folds\r\nHero folds\r\n\r\n\r\n"},
                 {1, "Gus folds\r\nHero calls [100]\r\n\r\n\r\n"},
                 {2, "Gus folds\r\nHero raises [100]\r\n\r\n\r\n"},
                 {5, "Gus folds\r\nHero checks\r\n\r\n\r\n"},
                 {-1, "Gus folds\r\n\r\n\r\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        g->heroAction = c.action;
        const std::string text = import::exportText({g.get()});
        EXPECT_EQ(text.substr(text.find("Gus folds")), c.line);
    }
}

TEST(ExportText, ASituationWithoutAHeroStopsAfterTheDeal) {
    auto g = heroAllIn();
    for (int heroSeat : {-1, 6}) {
        g->heroSeat = heroSeat;
        const std::string text = import::exportText({g.get()});
        EXPECT_EQ(text.substr(text.find("Blinds(100/200)\r\n** ")),
                  "Blinds(100/200)\r\n** Dealing down cards **\r\n\r\n\r\n");
    }
}

TEST(ExportText, ReadBackAsTheGameNoLayoutGivesTheSameSituations) {
    const auto bigBlind = heroInTheBigBlind();
    const auto allIn = heroAllIn();
    const ImportRecord back = importBytes(import::exportText({bigBlind.get(), allIn.get()}));
    EXPECT_EQ(back.summary.format, import::HistoryFormat::PartyGameNo);
    ASSERT_EQ(back.decisions.size(), 2u);
    EXPECT_EQ(back.decisions[0]->handId, "1");
    expectSameSituation(*back.decisions[0], *bigBlind);
    expectSameSituation(*back.decisions[1], *allIn);
}

// What the export carries: no ante (the layout has no line for it), a
// posted small blind, and no blind that also called or raised (the bet
// line holds the blind, which the import posts once more).
bool exportCarriesEverything(const GameState& g) {
    bool smallBlindPosted = false;
    for (const auto& s : g.seats) {
        smallBlindPosted = smallBlindPosted || s.isSmallBlind;
        if ((s.isSmallBlind || s.isBigBlind) && s.status == kSeatOpponent &&
            (s.action == kActionCall || s.action == kActionRaise) && s.stack > 0)
            return false;
    }
    return g.ante == 0 && g.bigBlind < 800 && smallBlindPosted;
}

TEST(ExportText, ImportedDecisionsSurviveTheRoundTrip) {
    int roundTrips = 0;
    for (const char* name : {"pokerstars_game.txt", "pokerstars_hand.txt", "fulltilt.txt", "party_gameno_2005.txt",
                             "party_gameno_2018.txt", "party_handhistory.txt", "party_email.txt"}) {
        ImportRecord record = importBytes(fixture(name));
        for (auto& g : record.decisions) {
            if (!exportCarriesEverything(*g))
                continue;
            SCOPED_TRACE(std::string(name) + " hand " + g->handId);
            // As listed: the all-in mark lives on in the hero's action.
            import::normaliseHeroAction(*g);
            g->seats[static_cast<std::size_t>(g->heroSeat)].isAllIn = false;
            ImportRecord back = importBytes(import::exportText({g.get()}));
            ASSERT_EQ(back.decisions.size(), 1u);
            import::normaliseHeroAction(*back.decisions[0]);
            expectSameSituation(*back.decisions[0], *g, false);
            ++roundTrips;
        }
    }
    EXPECT_GE(roundTrips, 8);
}

TEST(ExportFileName, AddsTxtUnlessThereAlready) {
    EXPECT_EQ(import::exportFileName("hands"), "hands.txt");
    EXPECT_EQ(import::exportFileName("hands.txt"), "hands.txt");
    EXPECT_EQ(import::exportFileName("hands.TXT"), "hands.TXT.txt");
    EXPECT_EQ(import::exportFileName("dir.txt/hands"), "dir.txt/hands.txt");
}

TEST(WriteFileAtomically, ReplacesTheWholeFile) {
    ScratchDir dir;
    const std::string path = dir.file("export.txt");
    ASSERT_TRUE(import::writeFileAtomically(path, std::string(5000, 'a')));
    ASSERT_TRUE(import::writeFileAtomically(path, "short"));
    EXPECT_EQ(readFile(path), "short");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()),
              1);
}

TEST(WriteFileAtomically, AFailureIsReportedAndLeavesNoFile) {
    ScratchDir dir;
    const auto missing = import::writeFileAtomically(dir.file("no/such/dir/export.txt"), "text");
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.reason.find("no/such/dir"), std::string::npos);

    // A directory in the way: nothing replaces it, no temporary is left.
    std::filesystem::create_directories(dir.file("taken"));
    std::filesystem::create_directories(dir.file("taken/inside"));
    const auto blocked = import::writeFileAtomically(dir.file("taken"), "text");
    EXPECT_FALSE(blocked);
    EXPECT_FALSE(blocked.reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken/inside")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()),
              1);
}

}  // namespace
