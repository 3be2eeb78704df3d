// Which decisions are worth grading, and which layout a file is read with.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

// A PokerStars hand at 150/300, no antes: the hero on the button (seat 4), blinds on seats
// 5 and 6; seats 1 to 3 act before the hero, each folding or moving all-in.
struct Table {
    int hero;                  // chips of the hero
    std::vector<int> early;    // seats 1..3
    int smallBlind;            // seat 5, before posting
    int bigBlind;              // seat 6, before posting
    int allIns = 0;            // how many of seats 1..3 move all-in
    std::string blinds = "150/300";
};

std::string starsHand(const Table& t) {
    std::string text = "PokerStars Hand #1: Tournament #2, $1+$0.10 USD Hold'em No Limit - Level V (" + t.blinds +
                       ") - 2015/01/01 20:00:00 ET\nTable '2 1' 9-max Seat #4 is the button\n";
    const std::string names[] = {"Ann", "Ben", "Cid", "Hero", "Sam", "Bea"};
    const int chips[] = {t.early[0], t.early[1], t.early[2], t.hero, t.smallBlind, t.bigBlind};
    for (int i = 0; i < 6; ++i)
        text += "Seat " + std::to_string(i + 1) + ": " + names[i] + " (" + std::to_string(chips[i]) + " in chips)\n";
    text += "Sam: posts small blind 150\nBea: posts big blind 300\n*** HOLE CARDS ***\nDealt to Hero [Ah Kh]\n";
    for (int i = 0; i < 3; ++i)
        text += names[i] + (i < t.allIns ? ": raises " + std::to_string(t.early[i] - 300) + " to " +
                                               std::to_string(t.early[i]) + " and is all-in\n"
                                         : ": folds\n");
    return text + "Hero: folds\n";
}

TEST(Relevance, ShortHeroOrShortTableWithAtMostOneAllIn) {
    struct Case {
        const char* name;
        Table table;
        import::HandStatus status;
        const char* reason;
    };
    using import::HandStatus;
    const Case cases[] = {
        {"hero 12 BB, every opponent at most 10 BB", {3600, {3000, 1500, 900}, 3150, 3300}, HandStatus::Relevant, ""},
        {"hero 11 BB and an opponent 11 BB", {3300, {3300, 1500, 900}, 3150, 3300}, HandStatus::NotRelevant,
         "hero 11 BB and the table deep (deepest opponent 11 BB)"},
        {"hero 10 BB, the table deep", {3000, {9000, 6000, 4000}, 5000, 7000}, HandStatus::Relevant, ""},
        {"hero 10.99 BB counts as 10", {3299, {9000, 6000, 4000}, 5000, 7000}, HandStatus::Relevant, ""},
        {"blinds are paid before measuring", {3600, {3000, 3000, 3000}, 3449, 3599}, HandStatus::Relevant, ""},
        {"one all-in before the hero", {3000, {5000, 6000, 4000}, 5000, 7000, 1}, HandStatus::Relevant, ""},
        {"two all-ins before the hero", {3000, {5000, 6000, 4000}, 5000, 7000, 2}, HandStatus::NotRelevant,
         "2 all-ins before the hero"},
        {"no big blind", {3000, {3000, 3000, 3000}, 3000, 3000, 0, "0/0"}, HandStatus::NotRelevant, "no big blind"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportRecord record = importBytes(starsHand(c.table));
        ASSERT_EQ(record.hands.size(), 1u);
        EXPECT_EQ(std::tie(record.hands[0].status, record.hands[0].reason), std::tie(c.status, c.reason));
        EXPECT_EQ(record.summary.relevantCount, c.status == HandStatus::Relevant ? 1 : 0);
        EXPECT_EQ(static_cast<int>(record.decisions.size()), record.summary.relevantCount);
    }
}

// Beyond the first lines of the fixtures, which the golden tests cover.
TEST(FormatChoice, FromTheFirstLineOrTheMailThatCarriesIt) {
    using import::HistoryFormat;
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        HistoryFormat format;
    };
    const std::vector<std::string> elevenPlain(11, "text");
    std::vector<std::string> greetingTooLate = elevenPlain;
    greetingTooLate.push_back("Hello Bob,");
    const Case cases[] = {
        {"PokerStars home game", {"PokerStars Home Game Hand #1: {Club}"}, HistoryFormat::PokerStars},
        {"Party ***** mailed", {"***** Hand History For Game 1 *****"}, HistoryFormat::PartyHandHistory},
        {"greeting", {"Dear player", "", "Hello Bob,"}, HistoryFormat::PartyHandHistory},
        {"requested", {"Subject: hands", "These hand histories were requested"}, HistoryFormat::PartyHandHistory},
        {"transcript", {"x", "You requested a transcript of tournament 5"}, HistoryFormat::PartyHandHistory},
        {"finished", {"x", "You finished in 3rd place"}, HistoryFormat::PartyHandHistory},
        {"nothing matches", elevenPlain, HistoryFormat::PartyGameNo},
        {"greeting after the tenth line", greetingTooLate, HistoryFormat::PartyGameNo},
        {"blank lines first", {"", "", "PokerStars Game #1"}, HistoryFormat::PokerStars},
        {"a title line first", {"My hands", "Full Tilt Poker Game #1: x"}, HistoryFormat::FullTilt},
        {"empty file", {}, HistoryFormat::PartyGameNo},
        {"888.ro", {"#Game No : 1", "***** 888.ro BLAST Hand History for Game 1 *****"}, HistoryFormat::Pacific},
        {"Ignition after a title", {"hands", "Ignition Hand #1: HOLDEM Tournament #2"}, HistoryFormat::Bovada},
    };
    for (const auto& c : cases)
        EXPECT_EQ(import::chooseFormat(c.lines), c.format) << c.name;
}

}  // namespace
