// The leak report: totals are the stored decisions' sums, breakdowns add up, costliest first.
#include <gtest/gtest.h>

#include <cmath>

#include <nlohmann/json.hpp>

#include "store/handstore.h"
#include "store/leakreport.h"
#include "storetestsupport.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

store::DecisionRecord made(const char* position, double bigBlinds, int heroAction, int decision, double evPush,
                           double evFold) {
    store::DecisionRecord r;
    r.position = position;
    r.stackBigBlinds = bigBlinds;
    r.heroAction = heroAction;
    r.decision = decision;
    r.evPush = evPush;
    r.evFold = evFold;
    r.correct = heroAction == decision || (decision == kDecisionFold && heroAction == 5);
    r.situation = "{}";
    return r;
}

TEST(LeakReport, GroupsMistakesByBandPositionAndKind) {
    const std::vector<store::DecisionRecord> decisions = {
        made("Button", 4.99, 0, 3, 0.30, 0.25),     // folded a push: 5 %
        made("Button", 5.0, 3, 3, 0.30, 0.25),      // right
        made("Small Blind", 12.0, 3, 0, 0.20, 0.22),  // pushed a fold: 2 %
        made("Small Blind", 15.0, 5, 0, 0.20, 0.21),  // checked where folding was right
        made("Big Blind", 40.0, 0, 3, 0.31, 0.30),   // folded a push: 1 %
    };
    const store::LeakReport report = store::leakReport(decisions);
    EXPECT_EQ(std::tuple(report.total.decisions, report.total.mistakes), std::tuple(5, 3));
    EXPECT_NEAR(report.total.equityLost, 8.0, 1e-9);

    auto find = [](const std::vector<store::LeakGroup>& groups, const std::string& name) {
        for (const auto& g : groups)
            if (g.name == name)
                return std::tuple(g.decisions, g.mistakes, std::round(g.equityLost * 1e6) / 1e6);
        return std::tuple(-1, -1, 0.0);
    };
    const std::vector<std::tuple<const std::vector<store::LeakGroup>*, std::string, std::tuple<int, int, double>>>
        expected = {
            {&report.byStack, "0-5", {1, 1, 5.0}},   {&report.byStack, "5-8", {1, 0, 0.0}},
            {&report.byStack, "8-12", {0, 0, 0.0}},  {&report.byStack, "12-15", {1, 1, 2.0}},
            {&report.byStack, "15+", {2, 1, 1.0}},   {&report.byPosition, "Button", {2, 1, 5.0}},
            {&report.byPosition, "Small Blind", {2, 1, 2.0}}, {&report.byPosition, "Big Blind", {1, 1, 1.0}},
            {&report.byMistake, "fold", {2, 2, 6.0}}, {&report.byMistake, "push", {1, 1, 2.0}},
        };
    for (const auto& [groups, name, counts] : expected)
        EXPECT_EQ(find(*groups, name), counts) << name;
    EXPECT_EQ(report.byPosition.size(), 3u);  // only positions met
    ASSERT_EQ(report.costliest.size(), 3u);
    EXPECT_EQ(std::pair(report.costliest[0].stackBigBlinds, report.costliest[2].stackBigBlinds), std::pair(4.99, 40.0));
}

TEST(LeakReport, TotalsAreTheSumsOfTheStoredDecisions) {
    StoreDir store;
    std::vector<std::string> args = {"import", "--db", store.database(), "--profile", "loose"};
    for (const char* name : {"pokerstars_game.txt", "pokerstars_hand.txt", "party_gameno_2005.txt",
                             "party_gameno_2018.txt", "party_handhistory.txt", "party_email.txt", "fulltilt.txt"})
        args.push_back(fixturePath(name));
    ASSERT_EQ(store.run(args).status, 0);

    const CliRun r = store.run({"report", "--db", store.database()});
    ASSERT_EQ(r.status, 0) << r.err;
    const json report = json::parse(r.out);

    // Recounted straight from the table, not through the store's reader.
    const std::string wrong = " FROM decisions WHERE NOT (hero_action = verdict OR (verdict = 0 AND hero_action = 5))";
    const long long decisions = store.sql("SELECT count(*) FROM decisions");
    const long long mistakes = store.sql("SELECT count(*)" + wrong);
    const long long lostMicro = store.sql("SELECT CAST(round(sum(abs(ev_push - ev_fold)) * 1e8) AS INTEGER)" + wrong);
    ASSERT_GT(mistakes, 0);
    EXPECT_EQ(report["decisions"].get<long long>(), decisions);
    EXPECT_EQ(report["mistakes"].get<long long>(), mistakes);
    EXPECT_NEAR(report["equityLost"].get<double>(), lostMicro / 1e6, 1e-5);

    // How the groups are formed is the test above; here that they arrive.
    long long groupMistakes = 0;
    for (const json& g : report["byPosition"])
        groupMistakes += g["mistakes"].get<long long>();
    EXPECT_EQ(groupMistakes, mistakes);
    EXPECT_FALSE(report["byStack"].empty() || report["byMistake"].empty());
    const json& costliest = report["costliest"];
    ASSERT_EQ(costliest.size(), std::min<std::size_t>(10, static_cast<std::size_t>(mistakes)));
    EXPECT_GE(costliest[0]["equityLost"].get<double>(), costliest.back()["equityLost"].get<double>());
    EXPECT_TRUE(costliest[0]["situation"].contains("seats"));
}

TEST(LeakReport, BadArgumentsExitTwoWithOneLine) {
    StoreDir store;
    const std::vector<std::vector<std::string>> cases = {
        {"report", "--since", "2016-13-01"}, {"report", "--since", "yesterday"}, {"report", "--until"},
        {"report", "--db", ""},              {"report", "--colour"},             {"report"},  // no hands.sqlite here
        {"import", "--db"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.back());
        const CliRun r = store.run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(!r.err.empty() && r.err.find('\n') == r.err.size() - 1) << r.err;
    }
}

}  // namespace
