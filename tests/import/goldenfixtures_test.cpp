// One fixture per client layout with its edge cases (all-in for less than a
// blind, uncalled bets, sitting-out and moved players, hands cut off), each
// with its expected situations worked out by hand, field by field.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

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
        const import::HandOutcome& hand = got.hands[i];
        json outcome = {{"handId", hand.handId}, {"status", import::statusName(hand.status)}};
        // A reason ending in "(" goes on with the XML parser's own words.
        const std::string reason = hands[i].value("reason", std::string());
        if (!hand.reason.empty())
            outcome["reason"] = reason.ends_with('(') ? hand.reason.substr(0, reason.size()) : hand.reason;
        if (hand.status == import::HandStatus::Relevant) {
            // Decisions come in file order, each before its hand's outcome.
            ASSERT_LT(decisionIndex, got.decisions.size());
            const GameState& g = *got.decisions[decisionIndex++];
            EXPECT_EQ(g.handId, hand.handId);
            outcome.update(situationJson(g));
        }
        EXPECT_EQ(outcome, hands[i]);
    }
    EXPECT_EQ(decisionIndex, got.decisions.size());
}

INSTANTIATE_TEST_SUITE_P(Layouts, GoldenFixture,
                         ::testing::Values("pokerstars_game.txt", "pokerstars_hand.txt", "fulltilt.txt",
                                           "party_gameno_2005.txt", "party_gameno_2018.txt", "party_handhistory.txt",
                                           "party_email.txt", "ggpoker_today.txt", "winamax_today.txt",
                                           "wpn_today.txt", "bovada_today.txt", "pacific_today.txt",
                                           "ipoker_today.xml", "pokerstars_today.txt", "fulltilt_allin.txt",
                                           "pokerstars_allin.txt", "party_export.txt"),
                         [](const auto& info) { return std::string(info.param).substr(0, std::string(info.param).find('.')); });

}  // namespace
