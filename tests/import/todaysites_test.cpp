// The layouts of today's sites (their fixtures are among the golden ones):
// broken hands, and the real files of those sites, where every hand header
// must come back as graded or skipped with a reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

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
                for (std::size_t at = bytes.find(marker); at != std::string::npos; at = bytes.find(marker, at + 1))
                    ++headers;
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
