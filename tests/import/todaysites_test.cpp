// The layouts of today's sites: one fixture per layout with its edge cases
// (all-in for less than a blind, uncalled bets, sitting-out and moved
// players, hands cut off), each situation worked out by hand; and the real
// files of those sites, where every hand header must come back as graded
// or skipped with a reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "engine/cards.h"
#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

// A situation in one line: blinds, ante, button, hero, raiser, the hero's
// action, then per seat "index name stack+bet" with its action and marks.
std::string describe(const GameState& g) {
    std::string text = std::to_string(g.smallBlind) + "/" + std::to_string(g.bigBlind) + " ante " +
                       std::to_string(g.ante) + " button " + std::to_string(g.buttonSeat) + " raiser " +
                       std::to_string(g.raiserSeat) + " hero " + std::to_string(g.heroSeat) + " acts " +
                       std::to_string(g.heroAction);
    for (int i = 0; i < kSeatCount; ++i) {
        const SeatState& s = g.seats[static_cast<std::size_t>(i)];
        if (!s.occupied())
            continue;
        text += " | " + std::to_string(i) + " " + s.name + " " + std::to_string(s.stack) + "+" + std::to_string(s.bet);
        const char* actions[] = {" fold", " call", " raise"};
        if (s.action >= 0 && s.action <= 2)
            text += actions[s.action];
        text += std::string(s.isAllIn ? " all-in" : "") + (s.isButton ? " D" : "") + (s.isSmallBlind ? " SB" : "") +
                (s.isBigBlind ? " BB" : "");
        if (s.status == kSeatHero)
            text += " [" + cardName(s.card1) + " " + cardName(s.card2) + "]";
    }
    if (!g.buyInText.empty())
        text += " | " + g.buyInText;
    return text;
}

struct Hand {
    const char* id;
    const char* outcome;  // the situation, or the reason it was skipped
};

struct Layout {
    const char* fixture;
    import::HistoryFormat format;
    std::vector<Hand> hands;
};

const Layout kLayouts[] = {
    {"ggpoker_today.txt",
     import::HistoryFormat::GGPoker,
     {{"SG1001", "50/100 ante 0 button 0 raiser 0 hero 1 acts 1 | 0 a1b2c3 0+1050 raise all-in D | "
                 "1 Hero 650+50 SB [9d Ah] | 2 d4e5f6 1050+200 BB | Spin & Gold #3"},
      {"SG1002", "50/100 ante 0 button 1 raiser -1 hero 1 acts 3 | 0 a1b2c3 2000+100 BB | 1 Hero 900+0 D [Qs Kc] | "
                 "2 d4e5f6 0+30 all-in SB | Spin & Gold #3"},
      {"SG1003", "the hero never acted"},
      {"SG1004", "50/100 ante 0 button 0 raiser -1 hero 1 acts 0 | 0 a1b2c3 2050+0 fold D | 1 Hero 950+50 SB [Jd Qd] | "
                 "2 d4e5f6 850+100 BB | Spin & Gold #3"}}},
    {"winamax_today.txt",
     import::HistoryFormat::Winamax,
     {{"100-1-1700000000", "100/200 ante 25 button 0 raiser -1 hero 2 acts 3 | 0 Zoé 1475+425 raise D | "
                           "1 Bert 0+175 call all-in SB | 2 Hero 1375+225 BB [Ts Tc] | 4.65€ + 0.35€"},
      {"100-2-1700000100", "the file ends before the hero acted"}}},
    {"wpn_today.txt",
     import::HistoryFormat::WinningPoker,
     {{"700001", "50/100 ante 10 button 2 raiser -1 hero 2 acts 3 | 0 Mojo 2340+60 SB | 1 Nell 890+110 BB | "
                 "2 Hero 640+10 D [8h 8d]"},
      {"700002", "50/100 ante 10 button 0 raiser 0 hero 1 acts 0 | 0 Mojo 0+2750 raise all-in D | "
                 "1 Hero 570+60 SB [5c Ad] | 2 Nell 770+110 BB"}}},
    {"bovada_today.txt",
     import::HistoryFormat::Bovada,
     {{"4400000001", "150/300 ante 30 button 0 raiser 3 hero 1 acts 3 | 0 Dealer 8970+30 fold D | "
                     "1 Small Blind 2220+180 SB [Kd Ac] | 2 Big Blind 4670+330 BB | 3 UTG 0+1800 raise all-in"},
      {"3300000002", "the hero never acted"},
      {"3300000003", "15/30 ante 0 button 0 raiser -1 hero 2 acts 5 | 0 Dealer 1270+30 call D SB | "
                     "2 Big Blind 170+30 BB [2h 7s]"}}},
    {"pacific_today.txt",
     import::HistoryFormat::Pacific,
     {{"900001", "100/200 ante 25 button 3 raiser -1 hero 3 acts 3 | 0 Ben 0+120 all-in BB | 1 Ann 2975+25 fold | "
                 "3 Hero 1700+25 D [Js Jd] | 4 Cid 5875+125 SB | $5 + $0.50"},
      {"900002", "the hero never acted"},
      {"900003", "hero 44 BB and the table deep (deepest opponent 29 BB)"}}},
    {"ipoker_today.xml",
     import::HistoryFormat::IPoker,
     {{"111", "50/100 ante 15 button 1 raiser -1 hero 8 acts 3 | 1 Alpha 2685+315 raise D | 4 Beta & Co 935+65 fold SB | "
              "8 Hero 685+115 BB [Ts Ah] | $0.67+$0.07+$0.26"},
      {"112", "the game's XML cannot be read ("},
      {"113", "the hero never acted"}}},
    {"pokerstars_today.txt",
     import::HistoryFormat::PokerStars,
     {{"250000000001", "200/400 ante 0 button 0 raiser 0 hero 2 acts 3 | 0 Anna 0+6000 raise all-in D | "
                       "1 Bodo 2000+200 fold SB | 2 Hero 2800+800 BB [Ks Kh] | $4.40+$0.60 USD Hold'em No "},
      {"250000000002", "200/400 ante 50 button 2 raiser -1 hero 2 acts 3 | 0 Anna 5750+250 SB | 1 Bodo 1550+450 BB | "
                       "2 Hero 2950+50 D [5s 5h]"}}},
};

TEST(TodaysSites, EachLayoutGradesOrSkipsEveryHandAsWorkedOutByHand) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.fixture);
        const ImportRecord got = importBytes(fixture(layout.fixture));
        EXPECT_EQ(got.summary.format, layout.format);
        EXPECT_EQ(got.summary.handCount, static_cast<int>(layout.hands.size()));
        ASSERT_EQ(got.hands.size(), layout.hands.size());
        std::size_t decision = 0;
        for (std::size_t i = 0; i < layout.hands.size(); ++i) {
            const std::string want = layout.hands[i].outcome;
            EXPECT_EQ(got.hands[i].handId, layout.hands[i].id);
            if (got.hands[i].status == import::HandStatus::Relevant) {
                ASSERT_LT(decision, got.decisions.size());
                EXPECT_EQ(describe(*got.decisions[decision++]), want) << layout.hands[i].id;
            } else {
                EXPECT_EQ(got.hands[i].reason.substr(0, want.size()), want) << layout.hands[i].id;
            }
        }
    }
}

// The GGPoker layout read as UTF-16 with a byte-order mark and
// CR LF line ends gives the same situations.
TEST(TodaysSites, EncodingAndLineEndsDoNotChangeTheResult) {
    const std::string text = fixture("ggpoker_today.txt");
    std::u16string wide = u"\xFEFF";
    for (const char c : text) {
        if (c == '\n')
            wide += u'\r';
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    expectSameImport(importBytes(utf16(wide, true)), importBytes(text));
}

TEST(TodaysSites, BrokenHandsAreSkippedWithTheirReason) {
    const std::string game = "<session><general><nickname>Hero</nickname></general>\n<game gamecode=\"7\">\n";
    std::string tooLong = game;
    for (int i = 0; i < 300; ++i)
        tooLong += std::string(15000, 'x') + "\n";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {game + "<general>", {"the file ends in the middle of the hand"}},
        {tooLong + "</game>", {"the game is too long to read"}},
        {game + "<general>\n<game gamecode=\"8\">", {"the game breaks off before its end",
                                                      "the file ends in the middle of the hand"}},
        {"Bovada Hand #5: HOLDEM Tournament #1 TBL#1, No Limit- Level 1 (10/20)\nSeat 1: Dealer (1,500 in chips)\n"
         "Seat 2: Big Blind (1,500 in chips)\n*** HOLE CARDS ***\n*** SUMMARY ***\n",
         {"no hole cards for the hero"}},
        {"Game Hand #6 - Tournament #1 - Holdem(No Limit) - Level 1 (10.00/20.00)- 2019/01/04\n"
         "Table '1' 3-max Seat #1 is the button\nSeat 1: Ann (500.00)\nSeat 2: Bob (500.00)\n*** SUMMARY ***\n",
         {"no hole cards for the hero"}}};
    for (const auto& [bytes, reasons] : cases) {
        const ImportRecord got = importBytes(bytes);
        std::vector<std::string> gotReasons;
        for (const auto& hand : got.hands)
            gotReasons.push_back(hand.reason);
        EXPECT_EQ(gotReasons, reasons);
        EXPECT_TRUE(got.decisions.empty());
    }
}

// Real files: ../shared/hh-samples-modern/<layout>/, next to the project.
const std::filesystem::path kSamples = std::filesystem::path(TORVEL_SOURCE_DIR) / ".." / "shared" / "hh-samples-modern";

int countOf(const std::string& text, const std::string& marker) {
    int count = 0;
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1))
        ++count;
    return count;
}

TEST(TodaysSites, EveryHandOfTheRealFilesIsGradedOrSkippedWithAReason) {
    if (!std::filesystem::is_directory(kSamples))
        GTEST_SKIP() << "no sample files at " << kSamples.string();
    const std::map<std::string, std::pair<import::HistoryFormat, std::vector<std::string>>> folders = {
        {"ggpoker", {import::HistoryFormat::GGPoker, {"Poker Hand #"}}},
        {"winamax", {import::HistoryFormat::Winamax, {"Winamax Poker - "}}},
        {"pacific", {import::HistoryFormat::Pacific, {" Hand History for Game "}}},
        {"ipoker", {import::HistoryFormat::IPoker, {"<game gamecode="}}},
        {"wpn", {import::HistoryFormat::WinningPoker, {"Game Hand #"}}},
        {"bovada", {import::HistoryFormat::Bovada, {"Bovada Hand #", "Ignition Hand #"}}},
        {"stars_modern", {import::HistoryFormat::PokerStars, {"PokerStars Hand #"}}}};
    int files = 0;
    int relevant = 0;
    for (const auto& [folder, layout] : folders) {
        for (const auto& entry : std::filesystem::directory_iterator(kSamples / folder)) {
            SCOPED_TRACE(entry.path().filename().string());
            const std::string bytes = readText(entry.path().string());
            const ImportRecord got = importBytes(bytes);
            int headers = 0;
            for (const std::string& marker : layout.second)
                headers += countOf(bytes, marker);
            EXPECT_EQ(got.summary.format, layout.first);
            EXPECT_EQ(got.summary.handCount, headers);
            EXPECT_EQ(static_cast<int>(got.hands.size()), headers);
            for (const auto& hand : got.hands)
                EXPECT_EQ(hand.status == import::HandStatus::Relevant, hand.reason.empty()) << hand.handId;
            relevant += got.summary.relevantCount;
            ++files;
        }
    }
    EXPECT_EQ(files, 21);
    // The two short-stacked 888poker hands; the other samples are deep.
    EXPECT_EQ(relevant, 2);
}

}  // namespace
