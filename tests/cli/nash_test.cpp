#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "clitestsupport.h"
#include "engine/cards.h"
#include "engine/computedriver.h"
#include "engine/nashranges.h"
#include "engine/nashsolver.h"
#include "engine/plainowner.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

CliRun runCli(const std::vector<std::string>& args, const std::string& input = {}) {
    return runTorvelCli(args, input, TORVEL_DATA_DIR);
}

}  // namespace

// The equilibrium itself is the solver's; here its ranges as JSON.
TEST(NashCommand, PrintsEveryRangeOfTheTable) {
    const CliRun r = runCli({"nash", "--stacks", "3000,2500,2000,1500", "--blinds", "150,300", "--ante", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json out = json::parse(r.out);
    EXPECT_EQ(std::tuple(out["players"], out["positions"]), std::tuple(4, json::parse(R"(["CO", "BU", "SB", "BB"])")));
    ASSERT_EQ(std::tuple(out["push"].size(), out["call"].size()), std::tuple(3u, 6u));
    EXPECT_EQ(std::tuple(out["call"][2]["pusher"], out["call"][2]["caller"], out["call"][5]["pusher"]),
              std::tuple(0, 3, 2));
    for (const json& entry : out["push"]) {
        ASSERT_EQ(entry["range"].size(), 169u);
        double combos = 0.0;
        for (const HandClass& c : allHandClasses())
            combos += entry["range"][handClassName(c)].get<double>() * combosOfClass(c);
        EXPECT_NEAR(entry["percent"].get<double>(), combos / 13.26, 0.05);
    }
    EXPECT_EQ(std::tuple(out["push"][0]["range"]["AA"], out["call"][0]["range"]["72o"]), std::tuple(1.0, 0.0));
    EXPECT_EQ(std::tuple(out["equity"].size(), out["exploitability"].size()), std::tuple(4u, 4u));
    EXPECT_GT(out["iterations"].get<int>(), 0);

    const CliRun headsUp =
        runCli({"nash", "--stacks", "700,500", "--blinds", "25,50", "--payouts", "100", "--accuracy", "1e-4"});
    ASSERT_EQ(headsUp.status, 0) << headsUp.err;
    EXPECT_EQ(json::parse(headsUp.out)["positions"], json::parse(R"(["SB", "BB"])"));
    EXPECT_LE(json::parse(headsUp.out)["exploitability"][1].get<double>(), 1e-4);
}

TEST(NashCommand, BadArgumentsExitTwoWithOneLine) {
    // Rows without a table of their own follow a good one.
    const std::vector<std::vector<std::string>> bad = {
        {"--stacks", "1000", "--blinds", "50,100"}, {"--stacks", "1,2,3,4,5,6,7,8,9,10,11", "--blinds", "50,100"},
        {"--stacks", "1000,0", "--blinds", "50,100"}, {"--stacks", "1000.5,2000", "--blinds", "50,100"},
        {"--stacks", "2000000000,2000000000", "--blinds", "50,100"}, {"--stacks", "1000,2000", "--blinds", "100"},
        {"--stacks", "1000,2000", "--blinds", "50,0"}, {"--stacks", "1000,2000"}, {"--stacks", "1000,2000", "--blinds"},
        {"--ante", "-1"}, {"--payouts", "120"}, {"--payouts", "0,100"}, {"--payouts", "inf"}, {"--accuracy", "1e-10"},
        {"--accuracy", "2"}, {"--foo", "1"},
    };
    for (auto args : bad) {
        if (args[0] != "--stacks")
            args.insert(args.begin(), {"--stacks", "1000,2000", "--blinds", "50,100"});
        args.insert(args.begin(), "nash");
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_TRUE(r.out.empty()) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// With the nash profile the big blind's calling band (hero pushes from the button) and an
// all-in small blind's band (hero in the big blind) have the equilibrium ranges' shares.
TEST(NashProfile, AnalyzeTakesTheEquilibriumBands) {
    PlainOwner owner;
    ASSERT_TRUE(owner.loadTables(TORVEL_DATA_DIR));
    // The closest band, which the cases expect: AA alone is 6 of the 1326 combos.
    const HandRanking& ranking = owner.handRanking();
    EXPECT_EQ(std::tuple(topBandForShare(ranking, 0.0), topBandForShare(ranking, 1.0)), std::tuple(0, 169));
    EXPECT_EQ(std::tuple(topBandForShare(ranking, 6.0 / 1326), topBandForShare(ranking, 2.0 / 1326)), std::tuple(1, 0));
    const NashTable table{.stacks = {2000, 1500, 1000}, .smallBlind = 50, .bigBlind = 100, .payouts = {0.5, 0.3, 0.2}};
    SilentProgress quiet;
    const NashResult solved = solveNash(table, owner.equityTable(), NashOptions{}, quiet);
    ASSERT_TRUE(solved.converged);
    const json seats = json::parse(R"([{"seat": 0, "status": 2, "stack": 2000, "action": 0, "isButton": true},
        {"seat": 1, "status": 2, "stack": 1450, "bet": 50, "isSmallBlind": true},
        {"seat": 2, "status": 2, "stack": 900, "bet": 100, "isBigBlind": true}])");
    const struct {
        std::size_t hero;
        int raiser, raiserStack;
        std::size_t checkedSeat;
        double share;  // below 0: refused
    } cases[] = {
        {0, -1, 0, 2, comboShare(solved.profile.call[static_cast<std::size_t>(callIndex(3, 0, 2))])},
        {2, 1, 0, 1, comboShare(solved.profile.push[1])},
        {2, 1, 500, 1, -1},  // a raise with chips behind is not a push
    };
    for (const auto& c : cases) {
        json situation = {{"smallBlind", 50}, {"bigBlind", 100}, {"buttonSeat", 0}, {"heroSeat", c.hero},
                          {"raiserSeat", c.raiser}, {"payouts", {50, 30, 20}}, {"profile", "nash"}, {"seats", seats}};
        situation["seats"][c.hero].update({{"status", 1}, {"cards", "AhKd"}, {"action", -1}});
        if (c.raiser >= 0)
            situation["seats"][static_cast<std::size_t>(c.raiser)].update(
                {{"stack", c.raiserStack}, {"bet", 1500 - c.raiserStack}, {"action", 2}});
        const CliRun r = runCli({"analyze", "-"}, situation.dump());
        if (c.share < 0) {
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.err.find("all-in"), std::string::npos) << r.err;
            continue;
        }
        ASSERT_EQ(r.status, 0) << r.err;
        const json out = json::parse(r.out);
        const json& seat = out["seats"][c.checkedSeat];
        EXPECT_EQ(std::tuple(seat["rangeFrom"], seat["rangeTo"]), std::tuple(0, topBandForShare(ranking, c.share)));
        EXPECT_GT(seat["rangeTo"].get<int>(), 0);
    }
}
