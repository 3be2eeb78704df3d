// One fixture per client layout with its edge cases (all-in for less than a
// blind, uncalled bets, sitting-out and moved players, hands cut off), each
// with its expected situations worked out by hand, field by field.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "engine/cards.h"
#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

void expectSeat(const GameState& g, const json& want) {
    const int index = want.at("seat").get<int>();
    SCOPED_TRACE("seat " + std::to_string(index));
    const SeatState& s = g.seats[static_cast<std::size_t>(index)];
    const bool hero = want.value("hero", false);
    EXPECT_EQ(std::tuple(s.status, s.rangeTo, std::string(s.name), s.stack, s.bet, s.action),
              std::tuple(hero ? kSeatHero : kSeatOpponent, hero ? -1 : 100, want.at("name").get<std::string>(),
                         want.at("stack").get<int>(), want.at("bet").get<int>(), want.value("action", -1)))
        << "status, range, name, stack, bet, action";
    EXPECT_EQ(std::tuple(s.isButton, s.isSmallBlind, s.isBigBlind, s.isAllIn),
              std::tuple(want.value("isButton", false), want.value("isSmallBlind", false),
                         want.value("isBigBlind", false), want.value("isAllIn", false)))
        << "button, small blind, big blind, all-in";
    if (hero) {
        EXPECT_EQ(cardName(s.card1) + " " + cardName(s.card2), want.at("cards").get<std::string>());
        EXPECT_EQ(handClassName(s.handLow, s.handHigh), want.at("hand").get<std::string>());
    }
}

void expectSituation(const GameState& g, const json& want) {
    const std::pair<const char*, int GameState::*> fields[] = {
        {"smallBlind", &GameState::smallBlind}, {"bigBlind", &GameState::bigBlind},
        {"ante", &GameState::ante},             {"playerCount", &GameState::playerCount},
        {"buttonSeat", &GameState::buttonSeat}, {"heroSeat", &GameState::heroSeat},
        {"raiserSeat", &GameState::raiserSeat}, {"heroAction", &GameState::heroAction}};
    for (const auto& [key, field] : fields)
        EXPECT_EQ(g.*field, want.at(key).get<int>()) << key;
    EXPECT_EQ(g.buyInText, want.at("buyInText").get<std::string>());
    EXPECT_EQ(g.decision, kDecisionNotComputed);
    for (const json& seat : want.at("seats"))
        expectSeat(g, seat);
    // No seat beyond the listed ones is taken.
    EXPECT_EQ(g.occupiedSeatCount(), static_cast<int>(want.at("seats").size()));
}

class GoldenFixture : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenFixture, ImportsTheExpectedSituations) {
    const std::string file = GetParam();
    const json want = json::parse(fixture(file.substr(0, file.rfind('.')) + ".expected.json"));
    const ImportRecord got = importBytes(fixture(file));

    EXPECT_EQ(static_cast<int>(got.summary.format), want.at("format").get<int>());
    EXPECT_EQ(got.summary.handCount, want.at("handCount").get<int>());
    EXPECT_EQ(got.summary.relevantCount, want.at("relevantCount").get<int>());
    const json& hands = want.at("hands");
    ASSERT_EQ(got.hands.size(), hands.size());
    std::size_t decisionIndex = 0;
    for (std::size_t i = 0; i < hands.size(); ++i) {
        const std::string handId = hands[i].at("handId").get<std::string>();
        SCOPED_TRACE("hand " + handId);
        EXPECT_EQ(got.hands[i].handId, handId);
        EXPECT_EQ(import::statusName(got.hands[i].status), hands[i].at("status").get<std::string>());
        // A reason ending in "(" goes on with the XML parser's own words.
        const std::string reason = hands[i].value("reason", std::string());
        EXPECT_EQ(reason.ends_with('(') ? got.hands[i].reason.substr(0, reason.size()) : got.hands[i].reason, reason);
        if (got.hands[i].status != import::HandStatus::Relevant)
            continue;
        // Decisions come in file order, each before its hand's outcome.
        ASSERT_LT(decisionIndex, got.decisions.size());
        const GameState& g = *got.decisions[decisionIndex++];
        EXPECT_EQ(g.handId, handId);
        expectSituation(g, hands[i]);
    }
    EXPECT_EQ(decisionIndex, got.decisions.size());
}

INSTANTIATE_TEST_SUITE_P(Layouts, GoldenFixture,
                         ::testing::Values("pokerstars_game.txt", "pokerstars_hand.txt", "fulltilt.txt",
                                           "party_gameno_2005.txt", "party_gameno_2018.txt", "party_handhistory.txt",
                                           "party_email.txt", "ggpoker_today.txt", "winamax_today.txt",
                                           "wpn_today.txt", "bovada_today.txt", "pacific_today.txt",
                                           "ipoker_today.xml", "pokerstars_today.txt"),
                         [](const auto& info) { return std::string(info.param).substr(0, std::string(info.param).find('.')); });

TEST(ImportFile, AFileThatCannotBeOpenedReadsAsEmpty) {
    int decisions = 0;
    import::ImportCallbacks callbacks;
    callbacks.onDecision = [&decisions](std::unique_ptr<GameState>) { ++decisions; };
    const auto missing = import::importHistoryFile(fixturePath("no-such-file.txt"), nullptr, callbacks);
    EXPECT_FALSE(missing.opened);
    EXPECT_EQ(missing.handCount, 0);
    EXPECT_EQ(decisions, 0);

    const auto real = import::importHistoryFile(fixturePath("fulltilt.txt"), nullptr, callbacks);
    EXPECT_TRUE(real.opened);
    EXPECT_EQ(decisions, 3);
}

}  // namespace
