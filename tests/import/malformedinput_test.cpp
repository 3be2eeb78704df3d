// Real files are messy: other encodings and line ends, files cut short,
// garbage, endless lines, a hero without a seat. None of it may crash the
// import or cost the hands around the damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "importtestsupport.h"

using namespace torvel;
using namespace torvel::testing;
using namespace std::string_literals;

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

// The Stars fixture as UTF-8 without a mark, LF line ends.
std::string plainStars() {
    std::string text = fixture("pokerstars_game.txt");
    text.erase(0, 3);
    return replaceAll(text, "\r\n", "\n");
}

std::string utf8ToUtf16(const std::string& text, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    auto unit = [&](char16_t u) {
        const char low = static_cast<char>(u & 0xFF);
        const char high = static_cast<char>(u >> 8);
        out += littleEndian ? low : high;
        out += littleEndian ? high : low;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            unit(c);
        } else {
            // The fixture holds two-byte sequences only (ö).
            unit(static_cast<char16_t>(((c & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F)));
            ++i;
        }
    }
    return out;
}

std::string randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random() & 0xFF);
    return bytes;
}

TEST(MalformedInput, EveryEncodingAndLineEndGivesTheSameHands) {
    const ImportRecord reference = importBytes(fixture("pokerstars_game.txt"));
    ASSERT_EQ(reference.decisions.size(), 3u);
    const std::string plain = plainStars();
    std::string mixed;
    int lineNumber = 0;
    for (std::size_t at = 0; at < plain.size();) {
        const std::size_t end = std::min(plain.find('\n', at), plain.size());
        const int kind = lineNumber++ % 3;
        mixed += plain.substr(at, end - at) + (kind == 0 ? "\r\n" : kind == 1 ? "\n" : "\r");
        at = end + 1;
    }
    const struct {
        const char* name;
        std::string bytes;
    } variants[] = {
        {"UTF-8 without mark, LF", plain},
        {"lone CR", replaceAll(plain, "\n", "\r")},
        {"mixed line ends", mixed},
        {"trailing blanks", replaceAll(plain, "\n", " \t  \n")},
        {"NUL padding at the end", fixture("pokerstars_game.txt") + "\0\0\0\0"s},
        {"UTF-16LE with mark", utf8ToUtf16(replaceAll(plain, "\n", "\r\n"), true)},
        {"UTF-16BE with mark", utf8ToUtf16(plain, false)},
        {"Windows-1252", replaceAll(plain, "\xC3\xB6", "\xF6")},
    };
    for (const auto& v : variants) {
        SCOPED_TRACE(v.name);
        expectSameImport(importBytes(v.bytes), reference);
    }
}

TEST(MalformedInput, ThousandsSeparatorsOfEveryKindReadWhole) {
    const std::string original = fixture("party_gameno_2018.txt");
    const ImportRecord reference = importBytes(original);
    for (const char* written : {"1.230", "1 230", "1\xC2\xA0" "230", "1.23K"}) {
        SCOPED_TRACE(written);
        expectSameImport(importBytes(replaceOnce(original, "( 1,230 )", std::string("( ") + written + " )")),
                         reference);
    }
    expectSameImport(importBytes(replaceOnce(original, "( 610 )", "( $610 )")), reference);
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
        // Where each hand header line ends: from there on the hand before
        // it is settled.
        std::vector<std::size_t> headerEnds;
        for (std::size_t at = whole.find(marker); at != std::string::npos; at = whole.find(marker, at + 1))
            headerEnds.push_back(whole.find('\n', at) + 1);
        ASSERT_EQ(headerEnds.size(), reference.hands.size());

        for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
            const ImportRecord part = importBytes(whole.substr(0, cut));
            std::size_t settled = 0;
            while (settled + 1 < headerEnds.size() && headerEnds[settled + 1] <= cut)
                ++settled;
            ASSERT_LE(part.hands.size(), reference.hands.size()) << "cut at " << cut;
            ASSERT_GE(part.hands.size(), settled) << "cut at " << cut;
            for (std::size_t h = 0; h < settled; ++h) {
                ASSERT_EQ(part.hands[h].status, reference.hands[h].status) << "cut at " << cut;
                ASSERT_EQ(part.hands[h].reason, reference.hands[h].reason) << "cut at " << cut;
            }
        }
    }
    // Binary layouts too: nothing crashes at any cut.
    const std::string fullTilt = fixture("fulltilt.txt");
    for (std::size_t cut = 0; cut <= fullTilt.size(); ++cut)
        EXPECT_LE(importBytes(fullTilt.substr(0, cut)).summary.handCount, 4);
}

TEST(MalformedInput, GarbageBetweenHandsCostsNoHand) {
    const std::string original = fixture("pokerstars_game.txt");
    const ImportRecord reference = importBytes(original);
    std::string damaged;
    unsigned seed = 7;
    for (std::size_t at = 0, next; at < original.size(); at = next) {
        next = original.find("\r\n\r\n\r\nPokerStars", at + 1);
        next = next == std::string::npos ? original.size() : next + 6;
        damaged += original.substr(at, next - at);
        if (next < original.size())
            damaged += randomBytes(5000, seed++) + "\r\n";
    }
    expectSameImport(importBytes(damaged), reference);
}

TEST(MalformedInput, BinaryGarbageReadsAsNoHands) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const ImportRecord record = importBytes(randomBytes(256 * 1024, seed));
        EXPECT_EQ(record.summary.handCount, 0);
        EXPECT_TRUE(record.decisions.empty());
    }
}

TEST(MalformedInput, AnEndlessLineInsideAHandIsPassedOver) {
    const std::string original = fixture("pokerstars_game.txt");
    const std::string chat = "tight_tom said, \"" + std::string(300000, 'z') + "\"\r\n";
    expectSameImport(importBytes(replaceOnce(original, "Dealt to tight_tom [Ah 9d]\r\n",
                                             "Dealt to tight_tom [Ah 9d]\r\n" + chat)),
                     importBytes(original));
}

TEST(MalformedInput, AHeroWithoutASeatDropsOnlyHisHand) {
    const std::string original = fixture("pokerstars_game.txt");
    const ImportRecord reference = importBytes(original);
    const ImportRecord record = importBytes(replaceOnce(original, "Dealt to tight_tom [Ah 9d]", "Dealt to tight_tommy [Ah 9d]"));
    ASSERT_EQ(record.hands.size(), reference.hands.size());
    EXPECT_EQ(record.hands[0].status, import::HandStatus::Dropped);
    EXPECT_EQ(record.hands[0].reason, "no seat for the hero");
    for (std::size_t h = 1; h < record.hands.size(); ++h) {
        EXPECT_EQ(record.hands[h].status, reference.hands[h].status);
        EXPECT_EQ(record.hands[h].reason, reference.hands[h].reason);
    }
    ASSERT_EQ(record.decisions.size(), 2u);
    EXPECT_EQ(record.decisions[0]->handId, "41000000003");
}

TEST(MalformedInput, UnreadableHoleCardsDropTheHand) {
    const ImportRecord record = importBytes(replaceOnce(fixture("pokerstars_game.txt"), "[Ah 9d]", "[Ah 9x]"));
    EXPECT_EQ(record.hands[0].status, import::HandStatus::Dropped);
    EXPECT_EQ(record.hands[0].reason, "the hero's cards cannot be read");
    EXPECT_EQ(record.decisions.size(), 2u);
}

TEST(MalformedInput, ANewHeaderEndsAHandTheHeroNeverActedIn) {
    // The walk of hand 2 loses everything after the folds: the next header
    // must still start hand 3 instead of feeding it to hand 2.
    const std::string original = fixture("pokerstars_game.txt");
    const std::size_t from = original.find("Uncalled bet (100) returned to tight_tom");
    const std::size_t to = original.find("PokerStars Game #41000000003");
    ASSERT_LT(from, to);
    std::string cut = original;
    cut.erase(from, to - from);
    expectSameImport(importBytes(cut), importBytes(original));
}

TEST(MalformedInput, AMissingSmallBlindInTheMailedLayoutIsHalfTheBigBlind) {
    std::string mail = fixture("party_email.txt");
    mail = replaceOnce(mail, "40/80 Tourney Texas Hold'em Game Table (NL)  (STT Tournament #53000001)  -  Mon Jun 14 21:41:30",
                       "Tourney Texas Hold'em Game Table (NL)  (STT Tournament #53000001)  -  Mon Jun 14 21:41:30");
    mail = replaceOnce(mail, "RiverRat posts big blind (80)", "RiverRat posts big blind (100)");
    const ImportRecord record = importBytes(mail);
    const GameState* g = record.decision("9400000002");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->smallBlind, 50);
    EXPECT_EQ(g->bigBlind, 100);
    EXPECT_EQ(g->seats[5].bet, 100);
    EXPECT_TRUE(g->seats[5].isBigBlind);
}

}  // namespace
