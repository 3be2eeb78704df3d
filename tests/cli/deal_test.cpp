#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include <nlohmann/json.hpp>

#include "clitestsupport.h"

using nlohmann::json;

namespace {

struct DealRun {
    int status;
    std::vector<json> spots;
    std::string err;
};

DealRun deal(std::vector<std::string> args, const std::string& dir = TORVEL_DATA_DIR) {
    args.insert(args.begin(), "deal");
    const auto r = torvel::testing::runTorvelCli(args, {}, dir);
    return {r.status, torvel::testing::jsonLines(r.out), r.err};
}

}  // namespace

TEST(CliDeal, SeededDealsRepeatAndFeedTheAnalysis) {
    const DealRun a = deal({"--seed", "77", "--count", "5"});
    ASSERT_EQ(a.status, 0) << a.err;
    ASSERT_EQ(a.spots.size(), 5u);
    const DealRun b = deal({"--seed", "77", "--count", "5"});
    EXPECT_EQ(a.spots, b.spots);
    EXPECT_NE(a.spots[0], a.spots[1]);

    // Each spot is a situation the analysis accepts as it stands.
    for (const json& spot : a.spots) {
        const auto r = torvel::testing::runTorvelCli({"analyze", "-"}, spot.dump(), TORVEL_DATA_DIR);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(json::parse(r.out)["seats"].size(), spot["seats"].size());
    }
}

// What each option does to a deal is the generator's test; here that each arrives.
TEST(CliDeal, OptionsShapeTheSpots) {
    const DealRun r = deal({"--seed", "3", "--count", "4", "--players", "6", "--position", "big-blind", "--room",
                            "partypoker", "--level", "400/800/25"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.spots.size(), 4u);
    const json& spot = r.spots[3];
    EXPECT_EQ(std::tuple(spot["playerCount"], spot["seats"].size(), spot["smallBlind"], spot["bigBlind"], spot["ante"]),
              std::tuple(6, 6u, 400, 800, 25));
    const auto hero =
        std::find_if(spot["seats"].begin(), spot["seats"].end(), [](const json& s) { return s["status"] == 1; });
    ASSERT_NE(hero, spot["seats"].end());
    EXPECT_EQ((*hero)["isBigBlind"], true);
    EXPECT_EQ(deal({"--seed", "3", "--room", "fulltilt", "--level", "15"}).spots.at(0)["bigBlind"], 600);
}

TEST(CliDeal, BadOptionsExitWithTwo) {
    for (const auto& bad : std::vector<std::vector<std::string>>{{"--players", "11"}, {"--players", "two"},
                                                                 {"--position", "dealer"}, {"--room", "ipoker"},
                                                                 {"--level", "7/14"}, {"--count", "0"},
                                                                 {"--seed", "-1"}, {"--seed"}, {"--colour", "red"}}) {
        const DealRun r = deal(bad);
        EXPECT_EQ(r.status, 2) << bad[0];
        EXPECT_TRUE(r.spots.empty() && !r.err.empty()) << bad[0];
    }
    EXPECT_EQ(deal({"--seed", "1"}, torvel::testing::ScratchDir().path()).status, 2);
}
