#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <tuple>
#include <vector>

#include "engine/callingprofile.h"
#include "engine/datafile.h"
#include "engine/gamestate.h"
#include "engine/plainowner.h"
#include "testfiles.h"

using namespace torvel;
using torvel::testing::ScratchDir;

namespace {

std::vector<std::uint8_t> floatBytes(const std::vector<float>& values, std::int32_t count = -1) {
    std::vector<std::uint8_t> out;
    if (count != -1)
        datafile::appendInt32(out, count);  // the pot-odds file starts with its count
    for (float v : values) {
        std::int32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        datafile::appendInt32(out, bits);
    }
    return out;
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    datafile::readPrefix(path, 4096, bytes);
    return bytes;
}

std::vector<float> cells(const float (&table)[10][10]) { return {&table[0][0], &table[0][0] + 100}; }

// Cell [r][c] holds r * 10 + c percent, bubble cells 40 less (0 at least): a wrong cell gives another count.
CallingProfile numberedProfile() {
    CallingProfile p;
    for (int k = 0; k < 100; ++k) {
        p.callRanges[k / 10][k % 10] = static_cast<float>(k);
        p.bubbleRanges[k / 10][k % 10] = static_cast<float>(std::max(0, k - 40));
    }
    p.potOdds[0] = 33.5f;
    p.potOdds[1] = 66.25f;
    return p;
}

void expectProfile(const CallingProfile& p, const CallingProfile& expected, const std::string& what) {
    EXPECT_EQ(cells(p.callRanges), cells(expected.callRanges)) << what;
    EXPECT_EQ(cells(p.bubbleRanges), cells(expected.bubbleRanges)) << what;
    EXPECT_EQ(std::tuple(p.potOdds[0], p.potOdds[1], p.potOddsCount),
              std::tuple(expected.potOdds[0], expected.potOdds[1], expected.potOddsCount))
        << what;
}

}  // namespace

TEST(CallingProfileFiles, Names) {
    for (const auto& [n, name] : {std::pair{0, "Tight"}, {1, "Medium"}, {2, "Loose"}, {3, ""}, {-1, ""}})
        EXPECT_EQ(profileName(n), name) << n;
}

TEST(CallingProfileFiles, SaveWritesTheDocumentedLayoutAndLoadReadsItBack) {
    ScratchDir dir;
    const std::string target = dir.file("fresh/data");
    CallingProfile p = numberedProfile();
    ASSERT_TRUE(p.save(target, 2).ok);
    // Row-major little-endian floats; the pot-odds file starts with the count.
    EXPECT_EQ(fileBytes(target + "/callrange2.conf"), floatBytes(cells(p.callRanges)));
    EXPECT_EQ(fileBytes(target + "/bubble2.conf"), floatBytes(cells(p.bubbleRanges)));
    EXPECT_EQ(fileBytes(target + "/potodds2.conf"), floatBytes({33.5f, 66.25f}, 2));
    expectProfile(CallingProfile::load(target, 2), p, "read back");
}

TEST(CallingProfileFiles, DamagedFilesAreRefusedWholeWithAReasonNamingThem) {
    const std::vector<float> hundred(100, 12.5f);
    const auto table = floatBytes(hundred);
    auto withValue = [&](float value) {
        auto values = hundred;
        values[57] = value;
        return floatBytes(values);
    };
    auto longer = table;
    longer.push_back(0);
    const struct {
        const char* what;
        const char* file;
        std::vector<std::uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"one byte short", "bubble0.conf", {table.begin(), table.end() - 1}, "holds 399 bytes instead of 400"},
        {"a byte too many", "callrange0.conf", longer, "holds 401 bytes"},
        {"not a number", "callrange0.conf", withValue(std::numeric_limits<float>::quiet_NaN()), "holds a value outside 0..100"},
        {"negative", "callrange0.conf", withValue(-1), "holds a value outside 0..100"},
        {"pot odds cut short", "potodds0.conf", floatBytes({1, 2, 3}, 1000), "announces 1000 values but holds 3"},
        {"pot odds count negative", "potodds0.conf", floatBytes({1, 2}, -3), "announces -3"},
        {"pot odds half a value", "potodds0.conf", {2, 0, 0, 0, 0, 0, 0x20, 0x41, 0, 0}, "announces 2 values but holds 1"},
        {"pot odds without a count", "potodds0.conf", {2, 0}, "holds no count"},
        {"pot odds above 100", "potodds0.conf", floatBytes({50, 180}, 2), "holds a value outside 0..100"},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        const std::string path = dir.write(c.file, c.bytes);
        std::vector<std::string> refusals;
        const CallingProfile p = CallingProfile::load(dir.path(), 0, &refusals);
        ASSERT_EQ(refusals.size(), 1u) << c.what;
        EXPECT_NE(refusals[0].find(path + " " + c.reason), std::string::npos) << c.what << ": " << refusals[0];
        expectProfile(p, CallingProfile(), c.what);
    }
}

TEST(CallingProfileFiles, ProfileValuesBecomeClassCounts) {
    // Truncated share of 169; hostile values are held to the 169 classes.
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float percent;
        int classes;
    } cases[] = {{7.0f, 11},   {50.0f, 84},  {33.3f, 56}, {100.0f, 169}, {0.0f, 0},
                 {-5.0f, 0}, {250.0f, 169}, {inf, 169},  {-inf, 0},     {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(profileClasses(c.percent), c.classes) << c.percent;
}

// Assigning the ranges of a situation. Without profile files a caller's range is truncate(7 % * 1.69) = 11 classes; the
// pusher's own range is the fixed one of his position: 21 early, 27 hijack, 30 cut-off, 55 button, 84 small blind.

class AssignCallingRanges : public ::testing::Test {
protected:
    AssignCallingRanges() { owner.setProfileDirectory(dir.path()); }

    // Deep stacks, blinds 25 / 50 posted after the button; nobody has acted.
    GameState table(int players, int button, int hero) {
        GameState g(&owner);
        std::tie(g.smallBlind, g.bigBlind, g.playerCount, g.buttonSeat, g.heroSeat) =
            std::tuple(25, 50, players, button, hero);
        for (int s = 0; s < players; ++s)
            std::tie(seat(g, s).status, seat(g, s).stack) = std::tuple(kSeatOpponent, 10000);
        seat(g, button).isButton = true;
        SeatState &small = seat(g, (button + 1) % players), &big = seat(g, (button + 2) % players);
        std::tie(small.isSmallBlind, small.bet, big.isBigBlind, big.bet) = std::tuple(true, 25, true, 50);
        return g;
    }
    static SeatState& seat(GameState& g, int s) { return g.seats[static_cast<std::size_t>(s)]; }
    static std::vector<int> rangeEnds(const GameState& g, int seats) {
        std::vector<int> ends;
        for (int s = 0; s < seats; ++s)
            ends.push_back(g.seats[static_cast<std::size_t>(s)].rangeTo);
        return ends;
    }

    void saveNumberedProfile(int profile) { ASSERT_TRUE(numberedProfile().save(dir.path(), profile).ok); }

    ScratchDir dir;
    PlainOwner owner;
};

TEST_F(AssignCallingRanges, CopiesTheProfileAndReadsItAfreshEveryTime) {
    GameState g = table(6, 3, 0);
    g.seats[2].rangeFrom = 3;
    g.assignCallingRanges(1);
    EXPECT_EQ(rangeEnds(g, 6), (std::vector<int>{21, 11, 11, 11, 11, 11}));
    EXPECT_EQ(g.seats[2].rangeFrom, 3);
    auto copied = [&] {
        return std::tuple(g.callRanges[3][7], g.bubbleRanges[8][9], g.potOddsRanges[0], g.potOddsRanges[1]);
    };
    EXPECT_EQ(copied(), std::tuple(7.0f, 7.0f, 50.0f, 80.0f));

    saveNumberedProfile(2);
    g.assignCallingRanges(2);
    EXPECT_EQ(copied(), std::tuple(37.0f, 49.0f, 33.5f, 66.25f));
    EXPECT_EQ(g.seats[1].rangeTo, 84);  // an early push called as "other": [5][0] 50 % -> 84.5

    CallingProfile changed = numberedProfile();
    changed.callRanges[5][0] = 20.0f;
    ASSERT_TRUE(changed.save(dir.path(), 2).ok);
    g.assignCallingRanges(2);
    EXPECT_EQ(g.seats[1].rangeTo, 33);  // 33.8
    g.assignCallingRanges(0);  // another profile number reads other files: none here
    EXPECT_EQ(g.seats[1].rangeTo, 11);
}

TEST_F(AssignCallingRanges, ADamagedFileIsToldOnceAndTheDefaultsAreUsed) {
    dir.write("callrange1.conf", floatBytes(std::vector<float>(100, 1e9f)));
    std::vector<std::string> warnings;
    owner.setWarningSink([&warnings](const std::string& text) { warnings.push_back(text); });
    for (int round = 0; round < 3; ++round) {
        GameState g = table(4, 0, 0);
        g.assignCallingRanges(1);
        EXPECT_EQ(g.seats[3].rangeTo, 11);  // 7 %, the default
    }
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(dir.file("callrange1.conf")), std::string::npos) << warnings[0];
}

TEST_F(AssignCallingRanges, CellByPusherAndCallerPosition) {
    saveNumberedProfile(0);
    // Seats: 0 UTG, 3 hijack, 4 cut-off, 5 button, 6 SB, 7 BB. Cell [r][c] is r*10+c %: [7][9] 79 * 1.69 -> 133.
    // The cut-off and small-blind rows are in JunkSeatIndicesAreHarmless.
    const struct {
        int pusher;
        std::vector<int> expected;
    } cases[] = {
        {5, {118, 118, 118, 118, 118, 55, 131, 133}},  // button: SB [7][8] 131.8, BB [7][9] 133.5, others 118.3
        // Earlier: cut-off [5][6] 94.6, button [5][7] 96.3, SB [5][8] 98.0, BB [5][9] 99.7, others [5][0] 84.5.
        {3, {84, 84, 84, 27, 94, 96, 98, 99}},
        {0, {21, 84, 84, 84, 94, 96, 98, 99}},
    };
    for (const auto& c : cases) {
        GameState g = table(8, 5, c.pusher);
        g.assignCallingRanges(0);
        EXPECT_EQ(rangeEnds(g, 8), c.expected) << "pusher " << c.pusher;
    }
}

TEST_F(AssignCallingRanges, ButtonPushPotOddsAndShortCallers) {
    // Button 0 pushes; small blind 1 has 25 in, big blind 2 has 50 in.
    const struct {
        const char* what;
        int pushBehind, bigBlind, smallBlindStack, bigBlindStack, smallBlindRange, bigBlindRange;
    } cases[] = {
        {"pot 1075, calls 975 and 950: odds 1, the profile", 1000, 50, 10000, 10000, 11, 11},
        {"pot 175, calls 75 and 50: odds 2 -> 89, 3 -> 140", 100, 50, 10000, 10000, 89, 140},
        {"pot 225, calls 125 and 100: odds 1 and 2", 150, 50, 10000, 10000, 11, 89},
        {"pot 125, SB calls 25: 5 -> 140; the BB has nothing to call", 50, 50, 10000, 10000, 140, 11},
        {"short: (224 - 25) / 50 = 3.98, (230 - 50) / 50 = 3.6", 10000, 50, 224, 230, 38, 38},
        {"(225 - 25) / 50 = (250 - 50) / 50 = 4 is not short", 10000, 50, 225, 250, 11, 11},
        {"pot odds beat short", 100, 50, 224, 230, 89, 140},
        {"no big blind: every stack is deep", 10000, 0, 30, 60, 11, 11},
    };
    for (const auto& c : cases) {
        GameState g = table(3, 0, 0);
        std::tie(g.bigBlind, g.seats[0].stack, g.seats[1].stack, g.seats[2].stack) =
            std::tuple(c.bigBlind, c.pushBehind, c.smallBlindStack, c.bigBlindStack);
        g.assignCallingRanges(0);
        EXPECT_EQ(rangeEnds(g, 3), (std::vector<int>{55, c.smallBlindRange, c.bigBlindRange})) << c.what;
    }
}

TEST_F(AssignCallingRanges, ShortPusherInAnUnopenedPot) {
    // Button 3, blinds 4 and 5, the hero 4; seat 1 pushes: own range 27, or 55 at 5 big blinds or less.
    const struct {
        const char* what;
        int raiser, stack, bet, seatZeroBet, buttonSeat, bigBlind, expected;
    } cases[] = {
        {"5.0 big blinds", 1, 250, 0, 0, 3, 50, 55},
        {"5.02 big blinds", 1, 251, 0, 0, 3, 50, 27},
        {"his bet counts", 1, 200, 50, 0, 3, 50, 55},
        {"seat 0 put chips in before him", 1, 250, 0, 50, 3, 50, 27},
        {"no button to find the big blind", 1, 250, 0, 0, -1, 50, 27},
        {"no big blind", 1, 250, 0, 0, 3, 0, 27},
        {"nobody can open before seat 0 (own range 21)", 0, 240, 0, 0, 3, 50, 55},
    };
    for (const auto& c : cases) {
        GameState g = table(6, 3, 4);
        std::tie(g.raiserSeat, g.buttonSeat, g.bigBlind, g.seats[0].bet) =
            std::tuple(c.raiser, c.buttonSeat, c.bigBlind, c.seatZeroBet);
        SeatState& raiser = seat(g, c.raiser);
        std::tie(raiser.action, raiser.stack, raiser.bet) = std::tuple(kActionRaise, c.stack, c.bet);
        g.assignCallingRanges(0);
        EXPECT_EQ(std::pair(raiser.rangeTo, raiser.range2To), std::pair(c.expected, c.expected)) << c.what;
    }
    // The rule is about a raiser before the hero, not the hero's own push.
    GameState hero = table(6, 3, 1);
    hero.seats[1].stack = 250;
    hero.assignCallingRanges(0);
    EXPECT_EQ(hero.seats[1].rangeTo, 27);
}

TEST_F(AssignCallingRanges, BubbleTableForCallersThePusherCovers) {
    saveNumberedProfile(0);
    // Button 0 pushes, SB 1 (25 in), BB 2 (50 in), seat 3. Button row: normal SB [7][8] 78 % -> 131,
    // BB [7][9] 79 % -> 133, others [7][0] 70 % -> 118; bubble cells are 40 points less: 64, 65 and 50.
    const std::array<double, 10> threePaid = {50, 30, 20, 0, 0, 0, 0, 0, 0, 0};
    const struct {
        const char* what;
        int playerCount;
        std::array<double, 10> payouts;
        int pushBehind, smallBlindStack, seatThreeStack;
        std::vector<int> expected;  // seats 1, 2, 3
    } cases[] = {
        {"bubble", 4, threePaid, 1000, 600, 999, {64, 133, 50}},
        {"equal chips are covered", 4, threePaid, 1000, 600, 1000, {64, 133, 118}},
        {"bubble beats the short caller, (150 - 25) / 50", 4, threePaid, 1000, 150, 999, {64, 133, 50}},
        // Pot 175: SB calls 75 (2 -> 89), BB 50 (3 -> 140, but he covers).
        {"bubble beats pot odds", 4, threePaid, 100, 50, 1000, {64, 140, 118}},
        {"two away from the money", 5, threePaid, 1000, 600, 999, {131, 133, 118}},
        {"four places paid", 4, {40, 30, 20, 10, 0, 0, 0, 0, 0, 0}, 1000, 600, 999, {131, 133, 118}},
        {"only fields above 0 are paid", 4, {50, 30, 20, 0, -5, 0, 0, 0, 0, 0}, 1000, 600, 999, {64, 133, 50}},
    };
    for (const auto& c : cases) {
        owner.setPayoutPercents(c.payouts);
        GameState g = table(4, 0, 0);
        std::tie(g.playerCount, g.seats[0].stack, g.seats[1].stack, g.seats[3].stack) =
            std::tuple(c.playerCount, c.pushBehind, c.smallBlindStack, c.seatThreeStack);
        g.assignCallingRanges(0);
        const auto ends = rangeEnds(g, 4);
        EXPECT_EQ(std::vector<int>(ends.begin() + 1, ends.end()), c.expected) << c.what;
    }
}

TEST_F(AssignCallingRanges, LimpersWhateverTheProfile) {
    // Seat 0 limped: range [16, 33), calling with [16, 25), or with all of it when he raises afterwards.
    const struct {
        const char* what;
        bool profileFiles;
        int hero, raiser, pushBehind, range2To;
    } cases[] = {
        {"the pusher himself limped", false, 0, -1, 10000, 25},
        {"a raiser who limped", false, 4, 0, 10000, 33},
        {"numbered profile", true, 2, -1, 10000, 25},
        {"good pot odds", true, 2, -1, 100, 25},  // 225 / 50 = 4 would give 140
    };
    for (const auto& c : cases) {
        if (c.profileFiles)
            saveNumberedProfile(0);
        GameState g = table(6, 3, c.hero);
        std::tie(g.raiserSeat, g.seats[0].action, g.seats[0].bet, g.seats[1].action) =
            std::tuple(c.raiser, kActionCall, 50, kActionFold);
        seat(g, c.hero).stack = c.pushBehind;
        g.assignCallingRanges(0);
        const auto& limper = g.seats[0];
        EXPECT_EQ(std::tuple(limper.rangeFrom, limper.rangeTo, limper.range2From, limper.range2To),
                  std::tuple(16, 33, 16, c.range2To))
            << c.what;
        EXPECT_EQ(g.seats[1].rangeFrom, 0) << c.what;
    }
}

TEST_F(AssignCallingRanges, RaisersCallWithPartOfTheirRange) {
    saveNumberedProfile(0);
    // Button 3; seat 1 raised, putting 150 in; the cut-off (2) pushes 1000. Seat 1 calls a cut-off push as "other":
    // [6][0] 60 % -> 101 classes, scaled by his chips behind over the push when he has more than 5 big blinds.
    const struct {
        const char* what;
        int stack, bigBlind, range2To;
    } cases[] = {
        {"deep: 850 / 1000", 850, 50, 85},           // 101 * 0.85 = 85.85
        {"six big blinds: 300 / 450", 300, 50, 67},  // 101 * 0.667 = 67.3
        {"299 / 50 = 5 big blinds", 299, 50, 101},
        {"five big blinds; a raiser is no short caller", 250, 50, 101},
        {"no big blind: 250 / 400", 250, 0, 63},  // 101 * 0.625 = 63.1
        {"nothing behind", 0, 50, 7},
    };
    for (const auto& c : cases) {
        GameState g = table(6, 3, 2);
        g.bigBlind = c.bigBlind;
        g.seats[2].stack = 1000;
        std::tie(g.seats[1].action, g.seats[1].bet, g.seats[1].stack, g.seats[1].range2To) =
            std::tuple(kActionRaise, 150, c.stack, 7);
        g.assignCallingRanges(0);
        EXPECT_EQ(std::pair(g.seats[1].rangeTo, g.seats[1].range2To), std::pair(101, c.range2To)) << c.what;
    }
}

TEST_F(AssignCallingRanges, JunkSeatIndicesAreHarmless) {
    saveNumberedProfile(0);
    // Button 3 by its flag, the hero 2 the cut-off; every seat starts at range 5, which a refusal keeps. Cut-off row:
    // [6][7] 113.2, [6][8] 114.9, [6][9] 116.6, others [6][0] 101.4; small blind: BB [8][9] 150, others [8][0] 135.2.
    const std::vector<int> kept(6, 5), cutOffPushes = {101, 101, 30, 113, 114, 116};
    const struct {
        int heroSeat, raiserSeat, buttonSeat;
        std::vector<int> expected;
    } cases[] = {
        {-1, -1, 3, kept},          {10, -1, 3, kept},         {INT_MIN, -1, 3, kept},         {2, 10, 3, kept},
        {2, INT_MIN, 3, kept},      {2, -1, 99, cutOffPushes}, {2, -1, INT_MIN, cutOffPushes},
        {2, 4, INT_MIN, {135, 135, 135, 135, 84, 150}},  // the short small blind pushes
        {8, -1, 3, {84, 84, 94, 96, 98, 99}},            // an empty seat pushes early
    };
    for (const auto& c : cases) {
        GameState g = table(6, 3, c.heroSeat);
        std::tie(g.raiserSeat, g.buttonSeat) = std::pair(c.raiserSeat, c.buttonSeat);
        if (c.raiserSeat == 4)
            g.seats[4].stack = 200;  // short enough for the short-pusher rule
        for (auto& s : g.seats)
            s.rangeTo = s.range2To = 5;
        g.assignCallingRanges(0);
        EXPECT_EQ(g.callRanges[3][7], 37.0f);
        EXPECT_EQ(rangeEnds(g, 6), c.expected) << c.heroSeat << "/" << c.raiserSeat << "/" << c.buttonSeat;
    }
    GameState empty(&owner);  // nobody seated at all
    empty.heroSeat = 0;
    empty.assignCallingRanges(0);
    EXPECT_EQ(empty.seats[0].rangeTo, 21);
}

TEST(ShippedProfiles, TightMediumLooseAndTheBubbleAreOrdered) {
    const std::string directory = TORVEL_RUNTIME_DATA_DIR;
    CallingProfile p[3];
    for (int n = 0; n < 3; ++n) {
        std::vector<std::string> refusals;  // loading never fails, so ask what was refused
        p[n] = CallingProfile::load(directory, n, &refusals);
        ASSERT_TRUE(refusals.empty()) << refusals[0];
        for (const auto& path : {CallingProfile::callRangePath(directory, n), CallingProfile::potOddsPath(directory, n),
                                 CallingProfile::bubblePath(directory, n)})
            ASSERT_TRUE(std::filesystem::exists(path)) << path;
    }
    // At the cells the ranges are read from each profile calls wider than the one before, and tighter on the bubble.
    const std::pair<int, int> used[] = {{8, 9}, {8, 0}, {7, 9}, {7, 8}, {7, 0}, {6, 9}, {6, 8},
                                        {6, 7}, {6, 0}, {5, 9}, {5, 8}, {5, 7}, {5, 6}, {5, 0}};
    for (const auto& [r, c] : used)
        for (int n = 0; n < 3; ++n) {
            const int call = profileClasses(p[n].callRanges[r][c]), bubble = profileClasses(p[n].bubbleRanges[r][c]);
            EXPECT_TRUE(bubble < call && (n == 0 || (profileClasses(p[n - 1].callRanges[r][c]) < call &&
                                                    profileClasses(p[n - 1].bubbleRanges[r][c]) < bubble)))
                << profileName(n) << " [" << r << "][" << c << "]: " << call << ", bubble " << bubble;
        }
    // The big blind calls wider the later the pusher sits.
    for (const CallingProfile& q : p)
        EXPECT_TRUE(q.callRanges[8][9] > q.callRanges[7][9] && q.callRanges[7][9] > q.callRanges[6][9] &&
                    q.callRanges[6][9] > q.callRanges[5][9]);
}
