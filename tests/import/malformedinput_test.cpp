// Real files are messy: other encodings, files cut short, garbage, endless lines, a hero
// without a seat. None of it may crash the import or cost the hands around the damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;

namespace {

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string replaceOnce(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Line by line these are the line reader's tests; here whole files, whose names must still match.
TEST(MalformedInput, OtherEncodingsLineEndsAndDamageBetweenHandsGiveTheSameHands) {
    const std::string original = fixture("pokerstars_game.txt");
    const ImportRecord reference = importBytes(original);
    ASSERT_EQ(reference.decisions.size(), 3u);
    // UTF-8 without a mark, LF line ends.
    const std::string plain = replaceAll(original.substr(3), "\r\n", "\n");
    const std::string windows1252 = replaceAll(plain, "\xC3\xB6", "\xF6");
    std::string garbage;
    unsigned seed = 7;
    for (std::size_t at = 0, next; at < original.size(); at = next) {
        next = original.find("\r\n\r\n\r\nPokerStars", at + 1);
        next = next == std::string::npos ? original.size() : next + 6;
        garbage += original.substr(at, next - at) + (next < original.size() ? randomBytes(5000, seed++) + "\r\n" : "");
    }
    // Hand 2 loses everything after the folds: the next header must still
    // start hand 3 instead of feeding it to hand 2.
    std::string walkCut = original;
    const std::size_t from = walkCut.find("Uncalled bet (100) returned to tight_tom");
    walkCut.erase(from, walkCut.find("PokerStars Game #41000000003") - from);
    const std::string dealt = "Dealt to tight_tom [Ah 9d]\r\n";
    const std::string chat = "tight_tom said, \"" + std::string(300000, 'z') + "\"\r\n";

    const struct {
        const char* name;
        std::string bytes;
    } variants[] = {
        {"UTF-8 without mark, LF", plain},
        {"Windows-1252", windows1252},
        {"garbage between hands", garbage},
        {"an endless chat line inside a hand", replaceOnce(original, dealt, dealt + chat)},
        {"a hand cut off before the next header", walkCut},
    };
    for (const auto& v : variants) {
        SCOPED_TRACE(v.name);
        EXPECT_EQ(recordJson(importBytes(v.bytes)), recordJson(reference));
    }
}

TEST(MalformedInput, TruncatedFilesKeepEveryHandBeforeTheCut) {
    const struct {
        const char* name;
        std::string marker;
    } files[] = {{"pokerstars_game.txt", "PokerStars Game #"}, {"party_gameno_2018.txt", "#Game No : "}};
    for (const auto& [name, marker] : files) {
        SCOPED_TRACE(name);
        const std::string whole = fixture(name);
        const ImportRecord reference = importBytes(whole);
        // From the end of a hand's header line on, the hand before it is settled.
        std::vector<std::size_t> headerEnds;
        for (std::size_t at = whole.find(marker); at != std::string::npos; at = whole.find(marker, at + 1))
            headerEnds.push_back(whole.find('\n', at) + 1);
        ASSERT_EQ(headerEnds.size(), reference.hands.size());

        for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
            const ImportRecord part = importBytes(whole.substr(0, cut));
            std::size_t settled = 0;
            while (settled + 1 < headerEnds.size() && headerEnds[settled + 1] <= cut)
                ++settled;
            ASSERT_TRUE(settled <= part.hands.size() && part.hands.size() <= reference.hands.size()) << "cut " << cut;
            for (std::size_t h = 0; h < settled; ++h)
                ASSERT_EQ(std::tie(part.hands[h].status, part.hands[h].reason),
                          std::tie(reference.hands[h].status, reference.hands[h].reason))
                    << "cut at " << cut;
        }
    }
    // Binary layouts too: nothing crashes at any cut.
    const std::string fullTilt = fixture("fulltilt.txt");
    for (std::size_t cut = 0; cut <= fullTilt.size(); ++cut)
        EXPECT_LE(importBytes(fullTilt.substr(0, cut)).summary.handCount, 4);
}

TEST(MalformedInput, BinaryGarbageReadsAsNoHands) {
    for (unsigned seed : {1u, 2u, 3u})
        EXPECT_EQ(importBytes(randomBytes(256 * 1024, seed)).summary.handCount, 0) << "seed " << seed;
}

TEST(MalformedInput, AnUnreadableHeroDropsOnlyHisHand) {
    const std::string original = fixture("pokerstars_game.txt");
    const ImportRecord reference = importBytes(original);
    const struct {
        const char* dealt;
        const char* reason;
    } cases[] = {{"Dealt to tight_tommy [Ah 9d]", "no seat for the hero"},
                 {"Dealt to tight_tom [Ah 9x]", "the hero's cards cannot be read"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dealt);
        nlohmann::json want = recordJson(reference);
        want["hands"][0] = {{"handId", reference.hands[0].handId}, {"status", "dropped"}, {"reason", c.reason}};
        want["relevantCount"] = 2;
        EXPECT_EQ(recordJson(importBytes(replaceOnce(original, "Dealt to tight_tom [Ah 9d]", c.dealt))), want);
    }
}

TEST(MalformedInput, AMissingSmallBlindInTheMailedLayoutIsHalfTheBigBlind) {
    std::string mail = fixture("party_email.txt");
    mail.erase(mail.rfind("40/80 Tourney"), 6);
    mail = replaceOnce(mail, "RiverRat posts big blind (80)", "RiverRat posts big blind (100)");
    const ImportRecord record = importBytes(mail);
    const auto g = std::find_if(record.decisions.begin(), record.decisions.end(),
                                [](const auto& d) { return d->handId == "9400000002"; });
    ASSERT_NE(g, record.decisions.end());
    EXPECT_EQ(std::tuple((*g)->smallBlind, (*g)->bigBlind, (*g)->seats[5].bet, (*g)->seats[5].isBigBlind),
              std::tuple(50, 100, 100, true));
}

}  // namespace
