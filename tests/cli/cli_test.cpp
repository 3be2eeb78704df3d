#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include <nlohmann/json.hpp>

#include "clitestsupport.h"

using namespace torvel;
using namespace torvel::testing;
using nlohmann::json;

namespace {

class CliTest : public ::testing::Test, public CliDataDir {};

// Heads-up: hero in the small blind with 72o, the big blind calls with the
// 20 strongest classes (106 combos); the analysis test works the numbers out.
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

template <typename Change>
std::string changed(Change change) {
    json s = headsUp();
    change(s);
    return s.dump();
}

}  // namespace

// The numbers are the analysis test's; here that they arrive, and under which names.
TEST_F(CliTest, AnalyzePrintsTheResultsAsJson) {
    const CliRun r = run({"analyze", "-"}, headsUp().dump());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    const json out = json::parse(r.out);
    const double c = 106.0 / 1326.0;
    EXPECT_EQ(std::tuple(out["decision"], out["pot"], out["heroAction"], out["pushRangeText"]),
              std::tuple(3, 300, -2, "Any two "));
    EXPECT_NEAR(out["evFold"].get<double>(), 0.49, 1e-6);
    EXPECT_NEAR(out["evPush"].get<double>(), (1 - c) * 0.52 + c * 0.47, 1e-6);
    EXPECT_EQ(out["equityIfSeatWins"].size(), 10u);
    ASSERT_EQ(out["seats"].size(), 2u);
    EXPECT_EQ(std::tuple(out["seats"][0]["handLow"], out["seats"][0]["handHigh"]), std::tuple(0, 18));
    EXPECT_NEAR(out["seats"][1]["equityIfLose"].get<double>(), 0.35, 1e-6);
    for (const char* key : {"foldProbability", "foldEquityPart", "equityAllFold", "equityBefore", "errors"})
        EXPECT_TRUE(out.contains(key)) << key;
    for (const char* key : {"rangeShare", "winProbability", "callProbability", "loseProbability", "equityIfWin"})
        EXPECT_TRUE(out["seats"][1].contains(key)) << key;
    EXPECT_GE(out["evPush"].dump().size(), 10u);  // nine significant digits survive
}

// A damaged profile gives the defaults (7 % = 11 classes, not the range given) and a warning.
TEST_F(CliTest, AnalyzeFromAFileWithAnAnswerAndAProfile) {
    dir.write("spot.json", changed([](json& s) { s.update({{"answer", 0}, {"profile", "medium"}}); }));
    std::filesystem::create_directories(dir.file("data"));
    dir.write("data/callrange1.conf", std::vector<std::uint8_t>(399, 0x7F));
    const CliRun r = run({"analyze", dir.file("spot.json")});
    ASSERT_EQ(r.status, 0) << r.err;
    const json out = json::parse(r.out);
    EXPECT_EQ(std::tuple(out["heroAction"], out["seats"][1]["rangeTo"]), std::tuple(0, 11));
    EXPECT_EQ(r.err.rfind("torvel-cli: warning: The calling-range file " + dir.file("data/callrange1.conf"), 0), 0u)
        << r.err;
}

// The refusals themselves are the compute driver's.
TEST_F(CliTest, ARefusedSituationExitsWithOne) {
    const CliRun r = run({"analyze", "-"}, changed([](json& s) { s["buttonSeat"] = -1; }));
    EXPECT_EQ(std::tuple(r.status, r.out), std::tuple(1, ""));
    EXPECT_EQ(r.err.rfind("No Button set.\nPlease set the Button and retry.\n", 0), 0u) << r.err;
}

TEST_F(CliTest, UnreadableInputExitsWithTwoAndOneLine) {
    const struct {
        const char* what;
        std::string input;
        const char* reasonPart;
        std::string path = "-";
    } cases[] = {
        {"missing file", "", "cannot open", dir.file("nothere.json")}, {"directory", "", "is a directory", dir.path()},
        {"bad JSON", "{\"seats\": [", "not valid JSON"}, {"not an object", "[1, 2]", "JSON object"},
        {"seat outside", changed([](json& s) { s["seats"][1]["seat"] = 10; }), "outside 0..9"},
        {"negative seat", changed([](json& s) { s["seats"][1]["seat"] = -1; }), "outside 0..9"},
        {"seat twice", changed([](json& s) { s["seats"][1]["seat"] = 0; }), "twice"},
        {"no status", changed([](json& s) { s["seats"][1].erase("status"); }), "seat and status"},
        {"bad status", changed([](json& s) { s["seats"][1]["status"] = 3; }), "status"},
        {"unknown profile", changed([](json& s) { s["profile"] = "maniac"; }), "unknown profile"},
        {"profile number", changed([](json& s) { s["profile"] = 3; }), "unknown profile"},
        {"same card twice", changed([](json& s) { s["seats"][0]["cards"] = "AhAh"; }), "cards"},
        {"bad suit", changed([](json& s) { s["seats"][0]["cards"] = "AxKd"; }), "cards"},
        {"short cards", changed([](json& s) { s["seats"][0]["cards"] = "AhK"; }), "cards"},
        {"lower-case rank", changed([](json& s) { s["seats"][0]["cards"] = "ahkd"; }), "cards"},
        {"class out of range", changed([](json& s) { s["seats"][0].erase("cards"), s["seats"][0]["handLow"] = 13; }),
         "handLow"},
        {"text for a number", changed([](json& s) { s["seats"][0]["stack"] = "lots"; }), "integer"},
        {"too many payouts", changed([](json& s) { s["payouts"] = std::vector<int>(11, 1); }), "payouts"},
        {"bad action", changed([](json& s) { s["seats"][1]["action"] = 5; }), "action"},
        {"negative blind", changed([](json& s) { s["smallBlind"] = -100; }), "smallBlind must lie in 0.."},
        {"stack above the bound", changed([](json& s) { s["seats"][0]["stack"] = 2147483647; }),
         "stack must lie in 0..1000000000 chips"},
        {"button on no one", changed([](json& s) { s["buttonSeat"] = 5; }), "No Button set: the button is on seat 5"},
        {"huge payout", changed([](json& s) { s["payouts"] = {1e308, 0}; }), "within 0..100"},
        {"negative payout", changed([](json& s) { s["payouts"] = {110, -10}; }), "within 0..100"},
        {"payouts above 100 %", changed([](json& s) { s["payouts"] = {65, 45}; }), "more than 100"},
        {"input above the limit", std::string(1048577, ' '), "more than the 1 MB (1048576 bytes)"},
    };
    for (const auto& c : cases) {
        const CliRun r = run({"analyze", c.path}, c.input);
        EXPECT_EQ(r.status, 2) << c.what;
        EXPECT_TRUE(r.out.empty()) << c.what;
        EXPECT_NE(r.err.find(c.reasonPart), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << c.what << ": one line";
    }
    for (const auto& args : std::vector<std::vector<std::string>>{{"analyze"}, {"frobnicate"}, {}})
        EXPECT_EQ(run(args).status, 2) << args.size();
    // Without the equity tables nothing can be analysed.
    const CliRun noTables = run({"analyze", "-"}, headsUp().dump(), ScratchDir().path());
    EXPECT_EQ(std::tuple(noTables.status, noTables.out), std::tuple(2, ""));
    EXPECT_NE(noTables.err.find("table.res"), std::string::npos);
}

TEST_F(CliTest, IcmPrintsEquityAndValue) {
    CliRun r = run({"icm", "--stacks", "5000,3000,2000", "--payouts", "50,30,20"});
    ASSERT_EQ(r.status, 0) << r.err;
    // 0.5*0.5 + 0.3*(0.3*5/7 + 0.2*5/8) + 0.2*(rest) = 0.383929 of the pool.
    EXPECT_NE(r.out.find("     1        5000  0.383929  38.39"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("     3        2000  "), std::string::npos) << r.out;
    r = run({"icm", "--stacks", "5000,5000", "--payouts", "65,35", "--prizepool", "1000"});
    EXPECT_NE(r.out.find("0.500000  500.00"), std::string::npos) << r.out;

    for (const auto& stacks : {"5000,abc", "1,2,3,4,5,6,7,8,9,10,11", "-5,10", "1.5,10", "10,,20"})
        EXPECT_EQ(run({"icm", "--stacks", stacks, "--payouts", "50"}).status, 2) << stacks;
    for (const auto& payouts : {"50,30", "50,30,20,", "150,-50", "1e308,0"}) {
        const CliRun b = run({"icm", "--stacks", "5000,3000,2000", "--payouts", payouts});
        EXPECT_EQ(b.status, 2) << payouts;
        EXPECT_NE(b.err.find("payouts"), std::string::npos) << payouts << ": " << b.err;
    }
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"icm", "--stacks", "5000", "--payouts"},
             {"icm", "--payouts", "50"},
             {"icm", "--stacks", "10", "--payouts", "50", "--colour", "red"}})
        EXPECT_EQ(run(bad).status, 2) << bad.back();
}
