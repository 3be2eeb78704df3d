#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "engine/callingprofile.h"
#include "engine/datafile.h"
#include "engine/gamestate.h"
#include "engine/plainowner.h"
#include "testfiles.h"

using namespace torvel;
using torvel::testing::ScratchDir;

namespace {

std::vector<std::uint8_t> floatBytes(const std::vector<float>& values) {
    std::vector<std::uint8_t> out;
    for (float v : values) {
        std::int32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        datafile::appendInt32(out, bits);
    }
    return out;
}

std::vector<std::uint8_t> potOddsBytes(std::int32_t count, const std::vector<float>& values) {
    std::vector<std::uint8_t> out;
    datafile::appendInt32(out, count);
    const auto body = floatBytes(values);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

float floatAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    const std::int32_t bits = datafile::readInt32(bytes.data() + offset);
    float v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    datafile::readPrefix(path, 4096, bytes);
    return bytes;
}

// Cell [row][column] holds row * 10 + column percent, bubble cells 40 points
// less, so reading the wrong cell gives a different class count.
CallingProfile numberedProfile() {
    CallingProfile p;
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) {
            p.callRanges[r][c] = static_cast<float>(r * 10 + c);
            p.bubbleRanges[r][c] = static_cast<float>(r * 10 + c - 40);
        }
    p.potOdds[0] = 33.5f;
    p.potOdds[1] = 66.25f;
    return p;
}

void expectDefaults(const CallingProfile& p) {
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) {
            EXPECT_FLOAT_EQ(p.callRanges[r][c], 7.0f) << r << "," << c;
            EXPECT_FLOAT_EQ(p.bubbleRanges[r][c], 7.0f) << r << "," << c;
        }
    EXPECT_FLOAT_EQ(p.potOdds[0], 50.0f);
    EXPECT_FLOAT_EQ(p.potOdds[1], 80.0f);
    EXPECT_EQ(p.potOddsCount, 2);
}

}  // namespace

// ---------------------------------------------------------------------------
// The profile files.

TEST(CallingProfileFiles, NamesOfTheThreeProfiles) {
    EXPECT_EQ(profileName(0), "Tight");
    EXPECT_EQ(profileName(1), "Medium");
    EXPECT_EQ(profileName(2), "Loose");
    EXPECT_EQ(profileName(3), "");
    EXPECT_EQ(profileName(-1), "");
}

TEST(CallingProfileFiles, MissingFilesGiveTheDefaults) {
    ScratchDir dir;
    expectDefaults(CallingProfile());
    expectDefaults(CallingProfile::load(dir.path(), 0));
    expectDefaults(CallingProfile::load(dir.file("no-such-directory"), 1));
}

TEST(CallingProfileFiles, SaveWritesTheDocumentedLayoutAndLoadReadsItBack) {
    ScratchDir dir;
    const std::string target = dir.file("fresh/data");
    CallingProfile tight = numberedProfile();
    CallingProfile loose = numberedProfile();
    loose.callRanges[3][7] = 99.75f;
    loose.potOdds[1] = 12.5f;

    const auto saved = tight.save(target, 0);
    ASSERT_TRUE(saved.ok) << saved.reason;
    ASSERT_TRUE(loose.save(target, 2).ok);

    // Row-major little-endian floats: cell [3][7] sits at 4 * 37 = 148.
    const auto calls = fileBytes(target + "/callrange0.conf");
    ASSERT_EQ(calls.size(), 400u);
    EXPECT_FLOAT_EQ(floatAt(calls, 148), 37.0f);
    EXPECT_FLOAT_EQ(floatAt(calls, 396), 99.0f);
    EXPECT_EQ(fileBytes(target + "/bubble0.conf").size(), 400u);
    const auto odds = fileBytes(target + "/potodds0.conf");
    ASSERT_EQ(odds.size(), 12u);
    EXPECT_EQ(datafile::readInt32(odds.data()), 2);
    EXPECT_FLOAT_EQ(floatAt(odds, 4), 33.5f);
    EXPECT_FLOAT_EQ(floatAt(odds, 8), 66.25f);

    for (const auto& [number, expected] : {std::pair{0, &tight}, std::pair{2, &loose}}) {
        const auto back = CallingProfile::load(target, number);
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 10; ++c) {
                EXPECT_EQ(back.callRanges[r][c], expected->callRanges[r][c]) << number << ": " << r << "," << c;
                EXPECT_EQ(back.bubbleRanges[r][c], expected->bubbleRanges[r][c]) << number << ": " << r << "," << c;
            }
        EXPECT_EQ(back.potOdds[0], expected->potOdds[0]);
        EXPECT_EQ(back.potOdds[1], expected->potOdds[1]);
        EXPECT_EQ(back.potOddsCount, 2);
    }
    // Profile 1 was never written.
    expectDefaults(CallingProfile::load(target, 1));

    // Saving again replaces the files and leaves no temporary behind.
    loose.bubbleRanges[5][0] = 3.5f;
    ASSERT_TRUE(loose.save(target, 2).ok);
    EXPECT_FLOAT_EQ(CallingProfile::load(target, 2).bubbleRanges[5][0], 3.5f);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(target)) {
        EXPECT_EQ(entry.path().extension(), ".conf") << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 6);
}

TEST(CallingProfileFiles, SaveReportsWhatCouldNotBeWritten) {
    ScratchDir dir;
    const CallingProfile p;

    // The directory is a plain file.
    dir.write("occupied", {1, 2, 3});
    const auto notADirectory = p.save(dir.file("occupied"), 0);
    EXPECT_FALSE(notADirectory.ok);
    EXPECT_NE(notADirectory.reason.find("occupied"), std::string::npos) << notADirectory.reason;

    // A directory stands where the pot-odds file belongs: the first file is
    // written, the second is refused and its temporary removed.
    std::filesystem::create_directories(dir.file("blocked/potodds0.conf/inside"));
    const auto blocked = p.save(dir.file("blocked"), 0);
    EXPECT_FALSE(blocked.ok);
    EXPECT_NE(blocked.reason.find("potodds0.conf"), std::string::npos) << blocked.reason;
    EXPECT_TRUE(std::filesystem::exists(dir.file("blocked/callrange0.conf")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("blocked/potodds0.conf.tmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("blocked/bubble0.conf")));
}

TEST(CallingProfileFiles, ShortOrLongTableFilesKeepDefaultsForWhatTheyDoNotHold) {
    // Cell k of the file holds 10 + k; bytes past the 100th value hold 999.
    std::vector<float> values;
    for (int k = 0; k < 100; ++k)
        values.push_back(10.0f + static_cast<float>(k));
    for (int k = 0; k < 20; ++k)
        values.push_back(999.0f);
    const auto full = floatBytes(values);

    struct Case {
        std::size_t bytes;
        int cellsRead;
    };
    const Case cases[] = {{0, 0}, {3, 0}, {4, 1}, {7, 1}, {203, 50}, {396, 99}, {399, 99}, {400, 100}, {480, 100}};
    for (const auto& c : cases) {
        ScratchDir dir;
        const std::vector<std::uint8_t> head(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(c.bytes));
        dir.write("callrange0.conf", head);
        dir.write("bubble0.conf", head);
        const auto p = CallingProfile::load(dir.path(), 0);
        for (int k = 0; k < 100; ++k) {
            const float expected = k < c.cellsRead ? 10.0f + static_cast<float>(k) : 7.0f;
            EXPECT_EQ(p.callRanges[k / 10][k % 10], expected) << c.bytes << " bytes, cell " << k;
            EXPECT_EQ(p.bubbleRanges[k / 10][k % 10], expected) << c.bytes << " bytes, cell " << k;
        }
        EXPECT_FLOAT_EQ(p.potOdds[0], 50.0f);
    }
}

TEST(CallingProfileFiles, PotOddsCountIsBoundedByTheRoomAndTheData) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::vector<float> expected;  // all ten values
        int count;
    };
    const std::vector<float> eleven = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const Case cases[] = {
        {"as written", potOddsBytes(2, {11, 22}), {11, 22, 0, 0, 0, 0, 0, 0, 0, 0}, 2},
        {"count 11 reads ten", potOddsBytes(11, eleven), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10},
        {"count 1000 with three values", potOddsBytes(1000, {1, 2, 3}), {1, 2, 3, 0, 0, 0, 0, 0, 0, 0}, 3},
        {"negative count reads none", potOddsBytes(-3, {1, 2}), {50, 80, 0, 0, 0, 0, 0, 0, 0, 0}, 2},
        {"count 0 reads none", potOddsBytes(0, {1, 2}), {50, 80, 0, 0, 0, 0, 0, 0, 0, 0}, 2},
        {"count 1 reads one", potOddsBytes(1, {1, 2}), {1, 80, 0, 0, 0, 0, 0, 0, 0, 0}, 2},
        {"count 2, one value and a half", {2, 0, 0, 0, 0, 0, 0x20, 0x41, 0, 0}, {10, 80, 0, 0, 0, 0, 0, 0, 0, 0}, 2},
        {"no whole count", {2, 0}, {50, 80, 0, 0, 0, 0, 0, 0, 0, 0}, 2},
        {"empty", {}, {50, 80, 0, 0, 0, 0, 0, 0, 0, 0}, 2},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        dir.write("potodds2.conf", c.bytes);
        const auto p = CallingProfile::load(dir.path(), 2);
        for (int k = 0; k < 10; ++k)
            EXPECT_EQ(p.potOdds[k], c.expected[static_cast<std::size_t>(k)]) << c.what << ", value " << k;
        EXPECT_EQ(p.potOddsCount, c.count) << c.what;
    }
}

TEST(CallingProfileFiles, ProfileValuesBecomeClassCounts) {
    struct Case {
        float percent;
        int classes;
    };
    const Case cases[] = {
        {7.0f, 11},     // 11.83
        {50.0f, 84},    // 84.5
        {33.3f, 56},    // 56.28
        {100.0f, 169},  // 169.0
        {0.0f, 0},
        // Hostile values are held to the 169 classes.
        {-5.0f, 0},
        {250.0f, 169},
        {std::numeric_limits<float>::infinity(), 169},
        {-std::numeric_limits<float>::infinity(), 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(profileClasses(c.percent), c.classes) << c.percent;
}

// ---------------------------------------------------------------------------
// Assigning the ranges of a situation.

class AssignCallingRanges : public ::testing::Test {
protected:
    AssignCallingRanges() { owner.setProfileDirectory(dir.path()); }

    // Seats 0..players-1, deep stacks, the blinds 25 / 50 posted after the
    // button; nobody has acted.
    GameState table(int players, int button) {
        GameState g(&owner);
        g.smallBlind = 25;
        g.bigBlind = 50;
        g.playerCount = players;
        for (int s = 0; s < players; ++s) {
            g.seats[static_cast<std::size_t>(s)].status = kSeatOpponent;
            g.seats[static_cast<std::size_t>(s)].stack = 10000;
        }
        g.buttonSeat = button;
        g.seats[static_cast<std::size_t>(button)].isButton = true;
        auto& small = g.seats[static_cast<std::size_t>((button + 1) % players)];
        small.isSmallBlind = true;
        small.bet = 25;
        auto& big = g.seats[static_cast<std::size_t>((button + 2) % players)];
        big.isBigBlind = true;
        big.bet = 50;
        return g;
    }

    void saveNumberedProfile(int profile) { ASSERT_TRUE(numberedProfile().save(dir.path(), profile).ok); }

    ScratchDir dir;
    PlainOwner owner;
};

TEST_F(AssignCallingRanges, WithoutFilesEveryCallerGetsSevenPercent) {
    GameState g = table(6, 3);
    g.heroSeat = 0;
    g.seats[2].rangeFrom = 3;
    g.assignCallingRanges(1);
    // truncate(7.0 * 1.69) = 11 for every caller; the hero pushes from UTG.
    for (int s = 1; s < 6; ++s)
        EXPECT_EQ(g.seats[static_cast<std::size_t>(s)].rangeTo, 11) << s;
    EXPECT_EQ(g.seats[0].rangeTo, 21);
    EXPECT_EQ(g.seats[2].rangeFrom, 3);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c) {
            EXPECT_FLOAT_EQ(g.callRanges[r][c], 7.0f);
            EXPECT_FLOAT_EQ(g.bubbleRanges[r][c], 7.0f);
        }
    EXPECT_FLOAT_EQ(g.potOddsRanges[0], 50.0f);
    EXPECT_FLOAT_EQ(g.potOddsRanges[1], 80.0f);
}

TEST_F(AssignCallingRanges, CopiesTheProfileAndReadsItAfreshEveryTime) {
    saveNumberedProfile(2);
    GameState g = table(6, 3);
    g.heroSeat = 0;
    g.assignCallingRanges(2);
    EXPECT_FLOAT_EQ(g.callRanges[3][7], 37.0f);
    EXPECT_FLOAT_EQ(g.bubbleRanges[8][9], 49.0f);
    EXPECT_FLOAT_EQ(g.potOddsRanges[0], 33.5f);
    EXPECT_FLOAT_EQ(g.potOddsRanges[1], 66.25f);
    // Seat 1 calls an early push as "other": 50 % -> 84 classes.
    EXPECT_EQ(g.seats[1].rangeTo, 84);

    CallingProfile changed = numberedProfile();
    changed.callRanges[5][0] = 20.0f;
    ASSERT_TRUE(changed.save(dir.path(), 2).ok);
    g.assignCallingRanges(2);
    EXPECT_FLOAT_EQ(g.callRanges[5][0], 20.0f);
    EXPECT_EQ(g.seats[1].rangeTo, 33);  // 33.8

    // Another profile number reads other files: none here.
    g.assignCallingRanges(0);
    EXPECT_EQ(g.seats[1].rangeTo, 11);
}

TEST_F(AssignCallingRanges, CellByPusherAndCallerPositionAndDefaultPushRanges) {
    saveNumberedProfile(0);
    // Eight seats: 0 UTG, 1, 2, 3 hijack, 4 cut-off, 5 button, 6 small blind,
    // 7 big blind. Cell [r][c] is r*10+c percent, so for instance [8][9]:
    // 89 * 1.69 = 150.4 -> 150. The pusher's own entry is his push range.
    struct Case {
        int pusher;
        int expected[8];
    };
    const Case cases[] = {
        // SB pushes: BB [8][9] 150, anyone else [8][0] 135.2.
        {6, {135, 135, 135, 135, 135, 135, 84, 150}},
        // Button: SB [7][8] 131.8, BB [7][9] 133.5, others [7][0] 118.3.
        {5, {118, 118, 118, 118, 118, 55, 131, 133}},
        // Cut-off: button [6][7] 113.2, SB [6][8] 114.9, BB [6][9] 116.6,
        // others [6][0] 101.4.
        {4, {101, 101, 101, 101, 30, 113, 114, 116}},
        // Earlier: cut-off [5][6] 94.6, button [5][7] 96.3, SB [5][8] 98.0,
        // BB [5][9] 99.7, others [5][0] 84.5.
        {3, {84, 84, 84, 27, 94, 96, 98, 99}},
        {1, {84, 21, 84, 84, 94, 96, 98, 99}},
        {0, {21, 84, 84, 84, 94, 96, 98, 99}},
    };
    for (const auto& c : cases) {
        GameState g = table(8, 5);
        g.heroSeat = c.pusher;
        g.assignCallingRanges(0);
        for (int s = 0; s < 8; ++s)
            EXPECT_EQ(g.seats[static_cast<std::size_t>(s)].rangeTo, c.expected[s]) << "pusher " << c.pusher << ", seat " << s;
    }

    // The raiser, not the hero, is the pusher when there is one.
    GameState g = table(8, 5);
    g.heroSeat = 7;
    g.raiserSeat = 5;
    g.assignCallingRanges(0);
    EXPECT_EQ(g.seats[7].rangeTo, 133);
    EXPECT_EQ(g.seats[5].rangeTo, 55);
    EXPECT_EQ(g.seats[5].range2To, 55);
}

TEST_F(AssignCallingRanges, ButtonPushPotOddsAndShortCallers) {
    // Button 0 pushes; small blind 1 has 25 in, big blind 2 has 50 in;
    // nobody else is in. Without files a caller's range is 11.
    struct Case {
        const char* what;
        int pushBehind;
        int bigBlind;
        int smallBlindStack;
        int bigBlindStack;
        int smallBlindRange;
        int bigBlindRange;
    };
    const Case cases[] = {
        // Pot 1075; calls 975 and 950: pot odds 1 both, the profile stands.
        {"pot odds 1", 1000, 50, 10000, 10000, 11, 11},
        // Pot 175; SB calls 75: 2 -> 89; BB calls 50: 3 -> 140.
        {"pot odds 2 and 3", 100, 50, 10000, 10000, 89, 140},
        // Pot 225; SB calls 125: 1; BB calls 100: 2.
        {"pot odds 1 and 2", 150, 50, 10000, 10000, 11, 89},
        // Pot 125; SB calls 25: 5 -> 140; the BB has nothing to call.
        {"nothing to call", 50, 50, 10000, 10000, 140, 11},
        {"no push at all", 0, 50, 10000, 10000, 11, 11},
        // (224 - 25) / 50 = 3.98 and (230 - 50) / 50 = 3.6: both short.
        {"short callers", 10000, 50, 224, 230, 38, 38},
        // (225 - 25) / 50 = 4.0 and (250 - 50) / 50 = 4.0: not short.
        {"exactly four", 10000, 50, 225, 250, 11, 11},
        {"pot odds beat short", 100, 50, 224, 230, 89, 140},
        // A big blind of 0 makes every stack deep.
        {"no big blind", 10000, 0, 30, 60, 11, 11},
    };
    for (const auto& c : cases) {
        GameState g = table(3, 0);
        g.heroSeat = 0;
        g.bigBlind = c.bigBlind;
        g.seats[0].stack = c.pushBehind;
        g.seats[1].stack = c.smallBlindStack;
        g.seats[2].stack = c.bigBlindStack;
        g.assignCallingRanges(0);
        EXPECT_EQ(g.seats[1].rangeTo, c.smallBlindRange) << c.what;
        EXPECT_EQ(g.seats[2].rangeTo, c.bigBlindRange) << c.what;
        EXPECT_EQ(g.seats[0].rangeTo, 55) << c.what;
    }
}

TEST_F(AssignCallingRanges, ShortPusherInAnUnopenedPot) {
    // Button 3, blinds 4 and 5 (25 / 50 posted); seat 1 pushes, two seats
    // before the button, so his own push range would be 27.
    struct Case {
        const char* what;
        int stack;
        int bet;
        int seatZeroBet;
        int buttonSeat;
        int bigBlind;
        int expected;
    };
    const Case cases[] = {
        {"5.0 big blinds", 250, 0, 0, 3, 50, 55},
        {"5.02 big blinds", 251, 0, 0, 3, 50, 27},
        {"his bet counts", 200, 50, 0, 3, 50, 55},
        {"seat 0 put chips in before him", 250, 0, 50, 3, 50, 27},
        {"no button to find the big blind", 250, 0, 0, -1, 50, 27},
        {"no big blind", 250, 0, 0, 3, 0, 27},
    };
    for (const auto& c : cases) {
        GameState g = table(6, 3);
        g.heroSeat = 4;
        g.raiserSeat = 1;
        g.buttonSeat = c.buttonSeat;
        g.bigBlind = c.bigBlind;
        g.seats[1].action = kActionRaise;
        g.seats[1].stack = c.stack;
        g.seats[1].bet = c.bet;
        g.seats[0].bet = c.seatZeroBet;
        g.assignCallingRanges(0);
        EXPECT_EQ(g.seats[1].rangeTo, c.expected) << c.what;
        EXPECT_EQ(g.seats[1].range2To, c.expected) << c.what;
    }

    // Right after the big blind nobody can have opened before him; his own
    // push range would be 21.
    GameState g = table(6, 3);
    g.heroSeat = 4;
    g.raiserSeat = 0;
    g.seats[0].stack = 240;
    g.assignCallingRanges(0);
    EXPECT_EQ(g.seats[0].rangeTo, 55);

    // The rule is about a raiser before the hero, not the hero's own push.
    GameState hero = table(6, 3);
    hero.heroSeat = 1;
    hero.seats[1].stack = 250;
    hero.assignCallingRanges(0);
    EXPECT_EQ(hero.seats[1].rangeTo, 27);
}

TEST_F(AssignCallingRanges, BubbleTableForCallersThePusherCovers) {
    saveNumberedProfile(0);
    // Button 0 pushes, SB 1 (25 in), BB 2 (50 in), seat 3. Button row:
    // normal SB [7][8] 78 % -> 131, BB [7][9] 79 % -> 133, others [7][0]
    // 70 % -> 118; bubble cells are 40 points less: 38 % -> 64, 39 % -> 65,
    // 30 % -> 50.
    struct Case {
        const char* what;
        int playerCount;
        std::array<double, 10> payouts;
        int pushBehind;
        int smallBlindStack;
        int seatThreeStack;
        int expected[3];  // seats 1, 2, 3
    };
    const std::array<double, 10> threePaid = {50, 30, 20, 0, 0, 0, 0, 0, 0, 0};
    const Case cases[] = {
        {"bubble", 4, threePaid, 1000, 600, 999, {64, 133, 50}},
        {"equal chips are covered", 4, threePaid, 1000, 600, 1000, {64, 133, 118}},
        // (150 - 25) / 50 = 2.5 would make the SB a short caller.
        {"bubble beats the short caller", 4, threePaid, 1000, 150, 999, {64, 133, 50}},
        // Pot 175: SB calls 75 (2 -> 89), BB 50 (3 -> 140, but he covers).
        {"bubble beats pot odds", 4, threePaid, 100, 50, 1000, {64, 140, 118}},
        {"two away from the money", 5, threePaid, 1000, 600, 999, {131, 133, 118}},
        {"four places paid", 4, {40, 30, 20, 10, 0, 0, 0, 0, 0, 0}, 1000, 600, 999, {131, 133, 118}},
        {"only fields above 0 are paid", 4, {50, 30, 20, 0, -5, 0, 0, 0, 0, 0}, 1000, 600, 999, {64, 133, 50}},
    };
    for (const auto& c : cases) {
        owner.setPayoutPercents(c.payouts);
        GameState g = table(4, 0);
        g.playerCount = c.playerCount;
        g.heroSeat = 0;
        g.seats[0].stack = c.pushBehind;
        g.seats[1].stack = c.smallBlindStack;
        g.seats[3].stack = c.seatThreeStack;
        g.assignCallingRanges(0);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(g.seats[static_cast<std::size_t>(k + 1)].rangeTo, c.expected[k]) << c.what << ", seat " << k + 1;
    }
}

TEST_F(AssignCallingRanges, LimpersWhateverTheProfile) {
    struct Case {
        const char* what;
        bool profileFiles;
        int pushBehind;
    };
    const Case cases[] = {
        {"no files", false, 10000},
        {"numbered profile", true, 10000},
        // Seat 0 would get pot odds 225 / 50 = 4 -> 140.
        {"good pot odds", true, 100},
    };
    for (const auto& c : cases) {
        if (c.profileFiles)
            saveNumberedProfile(0);
        // Seat 0 limped; the cut-off (2) pushes.
        GameState g = table(6, 3);
        g.heroSeat = 2;
        g.seats[0].action = kActionCall;
        g.seats[0].bet = 50;
        g.seats[1].action = kActionFold;
        g.seats[2].stack = c.pushBehind;
        g.assignCallingRanges(0);
        const auto& limper = g.seats[0];
        EXPECT_EQ(limper.rangeFrom, 16) << c.what;
        EXPECT_EQ(limper.rangeTo, 33) << c.what;
        EXPECT_EQ(limper.range2From, 16) << c.what;
        EXPECT_EQ(limper.range2To, 25) << c.what;
        EXPECT_EQ(g.seats[1].rangeFrom, 0) << c.what;
    }

    // The pusher himself limped earlier.
    GameState hero = table(6, 3);
    hero.heroSeat = 0;
    hero.seats[0].action = kActionCall;
    hero.assignCallingRanges(0);
    EXPECT_EQ(hero.seats[0].rangeFrom, 16);
    EXPECT_EQ(hero.seats[0].rangeTo, 33);
    EXPECT_EQ(hero.seats[0].range2From, 16);
    EXPECT_EQ(hero.seats[0].range2To, 25);

    // A raiser who limped: his calling range is then his whole range.
    GameState raiser = table(6, 3);
    raiser.heroSeat = 4;
    raiser.raiserSeat = 0;
    raiser.seats[0].action = kActionCall;
    raiser.assignCallingRanges(0);
    EXPECT_EQ(raiser.seats[0].rangeFrom, 16);
    EXPECT_EQ(raiser.seats[0].rangeTo, 33);
    EXPECT_EQ(raiser.seats[0].range2To, 33);
}

TEST_F(AssignCallingRanges, RaisersCallWithPartOfTheirRange) {
    saveNumberedProfile(0);
    // Button 3; seat 1 raised, putting 150 in; the cut-off (2) pushes 1000.
    // Seat 1 calls a cut-off push as "other": [6][0] 60 % -> 101 classes.
    struct Case {
        const char* what;
        int stack;
        int bigBlind;
        int range2To;
    };
    const Case cases[] = {
        {"deep: 850 / 1000", 850, 50, 85},        // 101 * 0.85 = 85.85
        {"six big blinds: 300 / 450", 300, 50, 67},  // 101 * 0.667 = 67.3
        {"299 / 50 = 5 big blinds", 299, 50, 101},
        // (250 - 150) / 50 = 2 would make a caller short; a raiser is not one.
        {"five big blinds", 250, 50, 101},
        {"no big blind: 250 / 400", 250, 0, 63},  // 101 * 0.625 = 63.1
        {"nothing behind", 0, 50, 7},
    };
    for (const auto& c : cases) {
        GameState g = table(6, 3);
        g.heroSeat = 2;
        g.bigBlind = c.bigBlind;
        g.seats[2].stack = 1000;
        g.seats[1].action = kActionRaise;
        g.seats[1].bet = 150;
        g.seats[1].stack = c.stack;
        g.seats[1].range2To = 7;
        g.assignCallingRanges(0);
        EXPECT_EQ(g.seats[1].rangeTo, 101) << c.what;
        EXPECT_EQ(g.seats[1].range2To, c.range2To) << c.what;
    }
}

TEST_F(AssignCallingRanges, JunkSeatIndicesAreHarmless) {
    saveNumberedProfile(0);
    // Six seats, button 3 by its flag. -1 in the expectation: the seat keeps
    // the 5 it had. The hero 2 is the cut-off; the SB 4 pushes with 84.
    struct Case {
        int heroSeat;
        int raiserSeat;
        int buttonSeat;
        int expected[6];
    };
    const Case cases[] = {
        {-1, -1, 3, {-1, -1, -1, -1, -1, -1}},
        {10, -1, 3, {-1, -1, -1, -1, -1, -1}},
        {-7, -1, 3, {-1, -1, -1, -1, -1, -1}},
        {INT_MAX, -1, 3, {-1, -1, -1, -1, -1, -1}},
        {INT_MIN, -1, 3, {-1, -1, -1, -1, -1, -1}},
        {2, 10, 3, {-1, -1, -1, -1, -1, -1}},
        {2, INT_MIN, 3, {-1, -1, -1, -1, -1, -1}},
        {2, -1, 99, {101, 101, 30, 113, 114, 116}},
        {2, -1, INT_MAX, {101, 101, 30, 113, 114, 116}},
        {2, -1, INT_MIN, {101, 101, 30, 113, 114, 116}},
        {2, 4, INT_MIN, {135, 135, 135, 135, 84, 150}},
        // An empty seat pushes: an early pusher, everybody else calls.
        {8, -1, 3, {84, 84, 94, 96, 98, 99}},
    };
    for (const auto& c : cases) {
        GameState g = table(6, 3);
        g.heroSeat = c.heroSeat;
        g.raiserSeat = c.raiserSeat;
        g.buttonSeat = c.buttonSeat;
        if (c.raiserSeat == 4)
            g.seats[4].stack = 200;  // short enough for the short-pusher rule
        for (auto& s : g.seats)
            s.rangeTo = s.range2To = 5;
        g.assignCallingRanges(0);
        EXPECT_FLOAT_EQ(g.callRanges[3][7], 37.0f);
        for (int s = 0; s < 6; ++s) {
            const int expected = c.expected[s] < 0 ? 5 : c.expected[s];
            EXPECT_EQ(g.seats[static_cast<std::size_t>(s)].rangeTo, expected)
                << c.heroSeat << "/" << c.raiserSeat << "/" << c.buttonSeat << ", seat " << s;
        }
    }

    // Nobody seated at all.
    GameState empty(&owner);
    empty.heroSeat = 0;
    empty.assignCallingRanges(0);
    EXPECT_EQ(empty.seats[0].rangeTo, 21);
}

// ---------------------------------------------------------------------------
// The default profiles shipped with the program.

TEST(ShippedProfiles, TightMediumLooseAndTheBubbleAreOrdered) {
    const std::string directory = TORVEL_RUNTIME_DATA_DIR;
    struct UsedCell {
        int row;
        int column;
    };
    const UsedCell used[] = {{8, 9}, {8, 0}, {7, 9}, {7, 8}, {7, 0}, {6, 9}, {6, 8},
                             {6, 7}, {6, 0}, {5, 9}, {5, 8}, {5, 7}, {5, 6}, {5, 0}};
    CallingProfile profiles[3];
    for (int n = 0; n < 3; ++n) {
        // Loading never fails, so make sure the files are really there.
        for (const auto& [path, size] : {std::pair{CallingProfile::callRangePath(directory, n), 400u},
                                         std::pair{CallingProfile::potOddsPath(directory, n), 12u},
                                         std::pair{CallingProfile::bubblePath(directory, n), 400u}}) {
            ASSERT_TRUE(std::filesystem::exists(path)) << path;
            EXPECT_EQ(std::filesystem::file_size(path), size) << path;
        }
        profiles[n] = CallingProfile::load(directory, n);
    }

    for (const auto& cell : used) {
        for (int n = 0; n < 3; ++n) {
            const float normal = profiles[n].callRanges[cell.row][cell.column];
            const float bubble = profiles[n].bubbleRanges[cell.row][cell.column];
            const std::string where =
                profileName(n) + " [" + std::to_string(cell.row) + "][" + std::to_string(cell.column) + "]";
            EXPECT_TRUE(normal >= 0.0f && normal <= 100.0f) << where << " " << normal;
            EXPECT_TRUE(bubble >= 0.0f && bubble <= 100.0f) << where << " " << bubble;
            EXPECT_LT(profileClasses(bubble), profileClasses(normal)) << where;
            if (n == 0)
                continue;
            const CallingProfile& tighter = profiles[n - 1];
            EXPECT_LT(profileClasses(tighter.callRanges[cell.row][cell.column]), profileClasses(normal)) << where;
            EXPECT_LT(profileClasses(tighter.bubbleRanges[cell.row][cell.column]), profileClasses(bubble)) << where;
        }
    }

    for (int n = 0; n < 3; ++n) {
        // The big blind calls wider the later the pusher sits.
        const auto& calls = profiles[n].callRanges;
        EXPECT_GT(calls[8][9], calls[7][9]) << profileName(n);
        EXPECT_GT(calls[7][9], calls[6][9]) << profileName(n);
        EXPECT_GT(calls[6][9], calls[5][9]) << profileName(n);
        for (int k = 0; k < 2; ++k)
            EXPECT_TRUE(profiles[n].potOdds[k] > 0.0f && profiles[n].potOdds[k] <= 100.0f) << profileName(n);
    }
}
