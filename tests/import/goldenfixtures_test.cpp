// One fixture per client layout, each with its expected situations worked
// out by hand, field by field.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "engine/cards.h"
#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

struct Golden {
    const char* history;
    const char* expected;
};

std::string cardPair(const SeatState& s) { return cardName(s.card1) + " " + cardName(s.card2); }

void expectSeat(const GameState& g, const json& want) {
    const int index = want.at("seat").get<int>();
    SCOPED_TRACE("seat " + std::to_string(index));
    const SeatState& s = g.seats[static_cast<std::size_t>(index)];
    const bool hero = want.value("hero", false);
    EXPECT_EQ(s.status, hero ? kSeatHero : kSeatOpponent);
    EXPECT_EQ(s.rangeTo, hero ? -1 : 100);
    EXPECT_EQ(std::string(s.name), want.at("name").get<std::string>());
    EXPECT_EQ(s.stack, want.at("stack").get<int>());
    EXPECT_EQ(s.bet, want.at("bet").get<int>());
    EXPECT_EQ(s.action, want.value("action", -1));
    EXPECT_EQ(s.isButton, want.value("isButton", false));
    EXPECT_EQ(s.isSmallBlind, want.value("isSmallBlind", false));
    EXPECT_EQ(s.isBigBlind, want.value("isBigBlind", false));
    EXPECT_EQ(s.isAllIn, want.value("isAllIn", false));
    if (hero) {
        EXPECT_EQ(cardPair(s), want.at("cards").get<std::string>());
        EXPECT_EQ(handClassName(s.handLow, s.handHigh), want.at("hand").get<std::string>());
    }
}

void expectSituation(const GameState& g, const json& want) {
    EXPECT_EQ(g.smallBlind, want.at("smallBlind").get<int>());
    EXPECT_EQ(g.bigBlind, want.at("bigBlind").get<int>());
    EXPECT_EQ(g.ante, want.at("ante").get<int>());
    EXPECT_EQ(g.playerCount, want.at("playerCount").get<int>());
    EXPECT_EQ(g.buttonSeat, want.at("buttonSeat").get<int>());
    EXPECT_EQ(g.heroSeat, want.at("heroSeat").get<int>());
    EXPECT_EQ(g.raiserSeat, want.at("raiserSeat").get<int>());
    EXPECT_EQ(g.heroAction, want.at("heroAction").get<int>());
    EXPECT_EQ(g.buyInText, want.at("buyInText").get<std::string>());
    EXPECT_EQ(g.decision, kDecisionNotComputed);
    int listed = 0;
    for (const json& seat : want.at("seats")) {
        expectSeat(g, seat);
        ++listed;
    }
    // No seat beyond the listed ones is taken.
    EXPECT_EQ(g.occupiedSeatCount(), listed);
}

class GoldenFixture : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFixture, ImportsTheExpectedSituations) {
    const json want = json::parse(fixture(GetParam().expected));
    const ImportRecord got = importBytes(fixture(GetParam().history));

    EXPECT_EQ(static_cast<int>(got.summary.format), want.at("format").get<int>());
    EXPECT_EQ(got.summary.handCount, want.at("handCount").get<int>());
    EXPECT_EQ(got.summary.relevantCount, want.at("relevantCount").get<int>());
    const json& hands = want.at("hands");
    ASSERT_EQ(got.hands.size(), hands.size());
    std::size_t decisionIndex = 0;
    for (std::size_t i = 0; i < hands.size(); ++i) {
        const json& hand = hands[i];
        SCOPED_TRACE("hand " + hand.at("handId").get<std::string>());
        EXPECT_EQ(got.hands[i].handId, hand.at("handId").get<std::string>());
        EXPECT_EQ(import::statusName(got.hands[i].status), hand.at("status").get<std::string>());
        EXPECT_EQ(got.hands[i].reason, hand.value("reason", std::string()));
        if (got.hands[i].status != import::HandStatus::Relevant)
            continue;
        // Decisions come in file order, each before its hand's outcome.
        ASSERT_LT(decisionIndex, got.decisions.size());
        const GameState& g = *got.decisions[decisionIndex++];
        EXPECT_EQ(g.handId, hand.at("handId").get<std::string>());
        expectSituation(g, hand);
    }
    EXPECT_EQ(decisionIndex, got.decisions.size());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, GoldenFixture,
    ::testing::Values(Golden{"pokerstars_game.txt", "pokerstars_game.expected.json"},
                      Golden{"pokerstars_hand.txt", "pokerstars_hand.expected.json"},
                      Golden{"fulltilt.txt", "fulltilt.expected.json"},
                      Golden{"party_gameno_2005.txt", "party_gameno_2005.expected.json"},
                      Golden{"party_gameno_2018.txt", "party_gameno_2018.expected.json"},
                      Golden{"party_handhistory.txt", "party_handhistory.expected.json"},
                      Golden{"party_email.txt", "party_email.expected.json"}),
    [](const ::testing::TestParamInfo<Golden>& info) {
        std::string name = info.param.history;
        name = name.substr(0, name.find('.'));
        return name;
    });

TEST(ImportFile, AFileThatCannotBeOpenedReadsAsEmpty) {
    int decisions = 0;
    import::ImportCallbacks callbacks;
    callbacks.onDecision = [&decisions](std::unique_ptr<GameState>) { ++decisions; };
    const auto summary = import::importHistoryFile(fixturePath("no-such-file.txt"), nullptr, callbacks);
    EXPECT_FALSE(summary.opened);
    EXPECT_EQ(summary.handCount, 0);
    EXPECT_EQ(summary.relevantCount, 0);
    EXPECT_EQ(decisions, 0);

    const auto real = import::importHistoryFile(fixturePath("fulltilt.txt"), nullptr, callbacks);
    EXPECT_TRUE(real.opened);
    EXPECT_EQ(real.relevantCount, 3);
    EXPECT_EQ(decisions, 3);
}

}  // namespace
