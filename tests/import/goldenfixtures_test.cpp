// One fixture per client layout with its edge cases (short all-ins, uncalled bets, sitting-out
// and moved players, hands cut off), its situations worked out by hand, field by field.
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
    json want = json::parse(fixture(file.substr(0, file.rfind('.')) + ".expected.json"));
    json got = recordJson(importBytes(fixture(file)));
    for (const char* key : {"format", "handCount", "relevantCount", "decisionsLeft"})
        EXPECT_EQ(got.value(key, 0), want.value(key, 0)) << key;
    ASSERT_EQ(got["hands"].size(), want["hands"].size());
    for (std::size_t i = 0; i < want["hands"].size(); ++i) {
        // A reason ending in "(" goes on with the XML parser's own words.
        const std::string reason = want["hands"][i].value("reason", "");
        if (reason.ends_with('('))
            got["hands"][i]["reason"] = got["hands"][i].value("reason", "").substr(0, reason.size());
        EXPECT_EQ(got["hands"][i], want["hands"][i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, GoldenFixture,
                         ::testing::Values("pokerstars_game.txt", "pokerstars_hand.txt", "fulltilt.txt",
                                           "party_gameno_2005.txt", "party_gameno_2018.txt", "party_handhistory.txt",
                                           "party_email.txt", "ggpoker_today.txt", "winamax_today.txt",
                                           "wpn_today.txt", "bovada_today.txt", "pacific_today.txt",
                                           "ipoker_today.xml", "pokerstars_today.txt", "fulltilt_allin.txt",
                                           "pokerstars_allin.txt", "party_export.txt", "ipoker_broken.xml",
                                           "bovada_nocards.txt", "wpn_nocards.txt"),
                         [](const auto& i) { return std::string(i.param, std::string_view(i.param).find('.')); });

}  // namespace
