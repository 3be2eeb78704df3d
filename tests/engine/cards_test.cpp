#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "engine/cards.h"
#include "engine/constants.h"

using namespace torvel;

TEST(Cards, ParseHandGivesCardsAndClass) {
    const struct {
        const char* text;
        int card1, card2, low, high;
        const char* className;
    } cases[] = {
        {"AhKd", 24, 12, 11, 25, "AKo"},  // reordered so the lower rank comes first
        {"AxKh", 11, 12, 11, 12, "AKs"},  // an unknown suit letter counts as hearts
    };
    for (const auto& c : cases) {
        ParsedHand h;
        ASSERT_TRUE(parseHand(c.text, h)) << c.text;
        EXPECT_EQ(std::tuple(h.card1, h.card2, h.handLow, h.handHigh, handClassName(h.handLow, h.handHigh)),
                  std::tuple(c.card1, c.card2, c.low, c.high, std::string(c.className)));
    }
    // Rank letters are upper case only; a refused text changes nothing.
    ParsedHand h{1, 2, 3, 4};
    for (const char* bad : {"AhK", "", "ahkd", "1h2d"})
        EXPECT_FALSE(parseHand(bad, h)) << bad;
    EXPECT_EQ(std::pair(h.card1, h.handHigh), std::pair(1, 4));
}

TEST(Cards, ClassNamesAndMatchupKeys) {
    // An offsuit class in reverse order, (b, a + 13), names high rank a first.
    const struct {
        int low, high;
        const char* name;
    } names[] = {{12, 25, "AA"}, {0, 18, "72o"}, {0, 1, "32s"}, {12, 24, "KAo"}};
    for (const auto& c : names)
        EXPECT_EQ(handClassName(c.low, c.high), c.name);
    for (const auto& [card, name] : {std::pair{0, "2h"}, {12, "Ah"}, {24, "Kd"}, {38, "Ac"}, {47, "Ts"}, {51, "As"},
                                     {-1, "??"}, {52, "??"}})
        EXPECT_EQ(cardName(card), name) << card;

    EXPECT_EQ(matchupKey({12, 25}, {12, 25}), kMatchupKeyCount - 1);
    EXPECT_EQ(matchupKeyChecked({12, 25}, {0, 13}), 113919);
    for (const HandClass bad : {HandClass{12, 26}, HandClass{-1, 13}, HandClass{13, 13}})
        EXPECT_EQ(matchupKeyChecked(bad, {0, 13}), -1) << bad.low << "," << bad.high;

    for (const HandClass bad : {HandClass{12, 24}, HandClass{12, 11}, HandClass{5, 5}})
        EXPECT_FALSE(isCanonicalClass(bad)) << bad.low << "," << bad.high;
    // Any index of 13 or more counts as offsuit for the combination count.
    EXPECT_EQ(combosOfClass({12, 24}), 12);
}

TEST(Cards, EveryTwoCardsGiveTheClassParseHandGives) {
    std::set<std::pair<int, int>> seen;
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b) {
            const HandClass c = classOfCards(a, b);
            ASSERT_TRUE(isCanonicalClass(c));
            const std::string text = cardName(a) + cardName(b);
            ParsedHand h;
            ASSERT_TRUE(parseHand(text, h));
            EXPECT_EQ(HandClass(h.handLow, h.handHigh), c) << text;
            EXPECT_EQ(std::pair(std::min(h.card1, h.card2), std::max(h.card1, h.card2)), std::pair(a, b)) << text;
            const bool sameRank = cardRank(a) == cardRank(b), sameSuit = cardSuit(a) == cardSuit(b);
            EXPECT_EQ(std::pair(isPair(c), isSuited(c)), std::pair(sameRank, sameSuit)) << text;
            seen.insert({c.low, c.high});
        }
    EXPECT_EQ(seen.size(), 169u);
}
