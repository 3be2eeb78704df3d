#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "synthetictables.h"
#include "testfiles.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    CliTest() {
        PlainOwner owner;
        // The stronger ranking position wins 60 %.
        fillSyntheticTables(owner, [](int a, int b) { return a == b ? 0.5 : (a < b ? 0.6 : 0.4); });
        dir.write("table.res", owner.equityTable().serialize());
        dir.write("ranking.res", owner.handRanking().serialize());
    }

    CliRun run(std::vector<std::string> args, const std::string& input = {}) {
        std::istringstream in(input);
        std::ostringstream out, err;
        const int status = cli::runCli(args, in, out, err, dir.path());
        return {status, out.str(), err.str()};
    }

    CliRun analyze(const json& situation) { return run({"analyze", "-"}, situation.dump()); }

    ScratchDir dir;
};

// Heads-up: hero in the small blind with 72o, the big blind calls with the
// 20 strongest classes (106 combos).
json headsUp() {
    return json::parse(R"({
      "smallBlind": 100, "bigBlind": 200, "ante": 0,
      "buttonSeat": 0, "heroSeat": 0, "playerCount": 2,
      "payouts": [65, 35],
      "seats": [
        {"seat": 0, "status": 1, "stack": 1400, "bet": 100, "cards": "7h2d", "isSmallBlind": true},
        {"seat": 1, "status": 2, "stack": 1300, "bet": 200, "rangeFrom": 0, "rangeTo": 20,
         "isBigBlind": true, "name": "Nemo"}
      ]})");
}

}  // namespace

TEST_F(CliTest, AnalyzePrintsTheResultsAsJson) {
    const CliRun r = analyze(headsUp());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const json out = json::parse(r.out);
    const double c = 106.0 / 1326.0;
    EXPECT_EQ(out["decision"], 3);
    EXPECT_NEAR(out["evFold"].get<double>(), 0.49, 1e-6);
    EXPECT_NEAR(out["evPush"].get<double>(), (1 - c) * 0.52 + c * 0.47, 1e-6);
    EXPECT_NEAR(out["equityAllFold"].get<double>(), 0.52, 1e-6);
    EXPECT_NEAR(out["foldProbability"].get<double>(), 1 - c, 1e-6);
    EXPECT_EQ(out["pot"], 300);
    EXPECT_EQ(out["heroAction"], -2);
    EXPECT_EQ(out["playerCount"], 2);
    EXPECT_EQ(out["raiserSeat"], -1);
    EXPECT_EQ(out["equityBefore"].size(), 10u);
    EXPECT_EQ(out["equityIfSeatWins"].size(), 10u);
    EXPECT_TRUE(out["errors"].empty());
    // 72o is weaker than all that the big blind calls with, yet pushes:
    // everything else does too.
    EXPECT_EQ(out["pushRangeText"], "Any two ");
    ASSERT_EQ(out["seats"].size(), 2u);
    const json& hero = out["seats"][0];
    EXPECT_EQ(hero["seat"], 0);
    EXPECT_EQ(hero["handLow"], 0);
    EXPECT_EQ(hero["handHigh"], 18);
    const json& bb = out["seats"][1];
    EXPECT_NEAR(bb["rangeShare"].get<double>(), c, 1e-6);
    EXPECT_NEAR(bb["winProbability"].get<double>(), 0.4, 1e-6);
    EXPECT_NEAR(bb["equityIfLose"].get<double>(), 0.35, 1e-6);
    for (const char* key : {"stack", "bet", "action", "rangeFrom", "rangeTo", "range2From", "range2To",
                            "callProbability", "loseProbability", "equityIfWin", "status"})
        EXPECT_TRUE(bb.contains(key)) << key;
    // Nine significant digits survive.
    EXPECT_GE(out["evPush"].dump().size(), 10u);
}

TEST_F(CliTest, AnalyzeFromAFileWithAnAnswerAndAProfile) {
    json s = headsUp();
    s["answer"] = 0;
    s["profile"] = "medium";
    dir.write("spot.json", [&] {
        const std::string text = s.dump();
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }());
    const CliRun r = run({"analyze", dir.file("spot.json")});
    ASSERT_EQ(r.status, 0) << r.err;
    const json out = json::parse(r.out);
    EXPECT_EQ(out["heroAction"], 0);
    // No profile files: the defaults (7 % = 11 classes) replace the range given.
    EXPECT_NE(out["seats"][1]["rangeTo"], 20);
}

TEST_F(CliTest, RefusedSituationsExitWithOne) {
    json s = headsUp();
    s["buttonSeat"] = -1;
    CliRun r = analyze(s);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "No Button set.\nPlease set the Button and retry.\n");

    s = headsUp();
    s["seats"][0]["stack"] = 0;
    s["seats"][0]["bet"] = 0;
    r = analyze(s);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Your Stacksize is not valid."), std::string::npos);

    s = headsUp();
    s["raiserSeat"] = 1;
    s["seats"][1]["action"] = 2;
    s["seats"][1]["rangeTo"] = 0;
    r = analyze(s);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No All-in range specified"), std::string::npos);
}

TEST_F(CliTest, UnreadableInputExitsWithTwoAndOneLine) {
    auto mutated = [](auto change) {
        json s = headsUp();
        change(s);
        return s.dump();
    };
    const struct {
        const char* what;
        std::string input;
        const char* reasonPart;
    } cases[] = {
        {"bad JSON", "{\"seats\": [", "not valid JSON"},
        {"not an object", "[1, 2]", "JSON object"},
        {"seat outside", mutated([](json& s) { s["seats"][1]["seat"] = 10; }), "outside 0..9"},
        {"negative seat", mutated([](json& s) { s["seats"][1]["seat"] = -1; }), "outside 0..9"},
        {"seat twice", mutated([](json& s) { s["seats"][1]["seat"] = 0; }), "twice"},
        {"no status", mutated([](json& s) { s["seats"][1].erase("status"); }), "seat and status"},
        {"bad status", mutated([](json& s) { s["seats"][1]["status"] = 3; }), "status"},
        {"unknown profile", mutated([](json& s) { s["profile"] = "maniac"; }), "unknown profile"},
        {"profile number", mutated([](json& s) { s["profile"] = 3; }), "unknown profile"},
        {"same card twice", mutated([](json& s) { s["seats"][0]["cards"] = "AhAh"; }), "cards"},
        {"bad suit", mutated([](json& s) { s["seats"][0]["cards"] = "AxKd"; }), "cards"},
        {"short cards", mutated([](json& s) { s["seats"][0]["cards"] = "AhK"; }), "cards"},
        {"lower-case rank", mutated([](json& s) { s["seats"][0]["cards"] = "ahkd"; }), "cards"},
        {"class out of range", mutated([](json& s) {
             s["seats"][0].erase("cards");
             s["seats"][0]["handLow"] = 13;
         }),
         "handLow"},
        {"text for a number", mutated([](json& s) { s["seats"][0]["stack"] = "lots"; }), "integer"},
        {"too many payouts", mutated([](json& s) { s["payouts"] = json::array({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}); }),
         "payouts"},
        {"bad action", mutated([](json& s) { s["seats"][1]["action"] = 5; }), "action"},
    };
    for (const auto& c : cases) {
        const CliRun r = run({"analyze", "-"}, c.input);
        EXPECT_EQ(r.status, 2) << c.what;
        EXPECT_TRUE(r.out.empty()) << c.what;
        EXPECT_NE(r.err.find(c.reasonPart), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << c.what << ": one line";
    }
    const CliRun missingFile = run({"analyze", dir.file("nothere.json")});
    EXPECT_EQ(missingFile.status, 2);
    EXPECT_EQ(run({"analyze"}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({}).status, 2);
}

TEST(CliTables, MissingTablesExitWithTwo) {
    ScratchDir empty;
    std::istringstream in(headsUp().dump());
    std::ostringstream out, err;
    EXPECT_EQ(cli::runCli({"analyze", "-"}, in, out, err, empty.path()), 2);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("table.res"), std::string::npos);
}

TEST_F(CliTest, IcmPrintsEquityAndValue) {
    CliRun r = run({"icm", "--stacks", "5000,3000,2000", "--payouts", "50,30,20"});
    ASSERT_EQ(r.status, 0) << r.err;
    // 0.5*0.5 + 0.3*(0.3*5/7 + 0.2*5/8) + 0.2*(rest) = 0.383929 of the pool.
    EXPECT_NE(r.out.find("     1        5000  0.383929  38.39"), std::string::npos) << r.out;
    std::istringstream lines(r.out);
    std::string line;
    int rows = 0;
    double sum = 0;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int player;
        long long stack;
        double equity, value;
        fields >> player >> stack >> equity >> value;
        sum += equity;
        ++rows;
    }
    EXPECT_EQ(rows, 3);
    EXPECT_NEAR(sum, 1.0, 1e-5);

    r = run({"icm", "--stacks", "5000,5000", "--payouts", "65,35", "--prizepool", "1000"});
    EXPECT_NE(r.out.find("0.500000  500.00"), std::string::npos) << r.out;

    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"icm", "--stacks", "5000,abc", "--payouts", "50"},
             {"icm", "--stacks", "5000", "--payouts"},
             {"icm", "--payouts", "50"},
             {"icm", "--stacks", "1,2,3,4,5,6,7,8,9,10,11", "--payouts", "50"},
             {"icm", "--stacks", "-5,10", "--payouts", "50"},
             {"icm", "--stacks", "1.5,10", "--payouts", "50"},
             {"icm", "--stacks", "10,,20", "--payouts", "50"},
             {"icm", "--stacks", "10", "--payouts", "50", "--colour", "red"}}) {
        const CliRun b = run(bad);
        EXPECT_EQ(b.status, 2) << bad[2];
        EXPECT_FALSE(b.err.empty());
    }
    EXPECT_EQ(run({"icm", "--help"}).status, 0);
    EXPECT_EQ(run({"analyze", "--help"}).status, 0);
    EXPECT_NE(run({"--help"}).out.find("analyze"), std::string::npos);
}
