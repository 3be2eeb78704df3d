// Today's sites beyond their golden fixtures: an overlong game, and real files, where every
// hand header comes back graded or skipped with a reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

// Other broken hands are golden fixtures; this one is too big to keep as a file.
TEST(TodaysSites, AnOverlongGameIsSkippedWithItsReason) {
    std::string tooLong = "<session><general><nickname>Hero</nickname></general>\n<game gamecode=\"7\">\n";
    for (int i = 0; i < 300; ++i)
        tooLong += std::string(15000, 'x') + "\n";
    const ImportRecord got = importBytes(tooLong + "</game>");
    ASSERT_EQ(got.hands.size(), 1u);
    EXPECT_EQ(got.hands[0].reason, "the game is too long to read");
    EXPECT_TRUE(got.decisions.empty());
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
    int files = 0, relevant = 0;
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
