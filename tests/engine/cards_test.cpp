#include <gtest/gtest.h>

#include <set>

#include "engine/cards.h"
#include "engine/constants.h"

using namespace torvel;

TEST(Cards, NamesOfCards) {
    const struct {
        int card;
        const char* name;
    } cases[] = {{0, "2h"}, {12, "Ah"}, {13, "2d"}, {24, "Kd"}, {38, "Ac"}, {51, "As"}, {47, "Ts"}};
    for (const auto& c : cases)
        EXPECT_EQ(cardName(c.card), c.name) << c.card;
    EXPECT_EQ(cardName(-1), "??");
    EXPECT_EQ(cardName(52), "??");
}

TEST(Cards, ParseHandGivesCardsAndClass) {
    const struct {
        const char* text;
        int card1, card2, low, high;
        const char* className;
    } cases[] = {
        {"AhKd", 24, 12, 11, 25, "AKo"},  // reordered so the lower rank comes first
        {"7s7c", 44, 31, 5, 18, "77"},
        {"5h9h", 3, 7, 3, 7, "95s"},
        {"2c2d", 26, 13, 0, 13, "22"},
        {"KsAs", 50, 51, 11, 12, "AKs"},
        {"TdJc", 21, 35, 8, 22, "JTo"},
    };
    for (const auto& c : cases) {
        ParsedHand h;
        ASSERT_TRUE(parseHand(c.text, h)) << c.text;
        EXPECT_EQ(h.card1, c.card1) << c.text;
        EXPECT_EQ(h.card2, c.card2) << c.text;
        EXPECT_EQ(h.handLow, c.low) << c.text;
        EXPECT_EQ(h.handHigh, c.high) << c.text;
        EXPECT_EQ(handClassName(h.handLow, h.handHigh), c.className) << c.text;
    }
}

TEST(Cards, ParseHandRejectsWhatItCannotRead) {
    ParsedHand h{1, 2, 3, 4};
    EXPECT_FALSE(parseHand("AhK", h));     // too short: nothing changes
    EXPECT_FALSE(parseHand("", h));
    EXPECT_FALSE(parseHand("ahkd", h));    // rank letters are upper case only
    EXPECT_FALSE(parseHand("1h2d", h));
    EXPECT_EQ(h.card1, 1);
    EXPECT_EQ(h.handHigh, 4);
    // An unknown suit letter counts as hearts.
    ASSERT_TRUE(parseHand("AxKh", h));
    EXPECT_EQ(h.handLow, 11);
    EXPECT_EQ(h.handHigh, 12);
    EXPECT_EQ(h.card2, 12);
}

TEST(Cards, ClassNamesIncludingReversedOffsuit) {
    EXPECT_EQ(handClassName(12, 25), "AA");
    EXPECT_EQ(handClassName(11, 12), "AKs");
    EXPECT_EQ(handClassName(11, 25), "AKo");
    EXPECT_EQ(handClassName(0, 18), "72o");
    EXPECT_EQ(handClassName(0, 1), "32s");
    // An offsuit class in reverse order, (b, a + 13), names high rank a first.
    EXPECT_EQ(handClassName(12, 24), "KAo");
}

TEST(Cards, MatchupKeys) {
    EXPECT_EQ(matchupKey({12, 25}, {0, 13}), 113919);
    EXPECT_EQ(matchupKey({0, 0}, {0, 0}), 0);
    EXPECT_EQ(matchupKey({12, 25}, {12, 25}), kMatchupKeyCount - 1);
    EXPECT_EQ(matchupKeyChecked({12, 26}, {0, 13}), -1);
    EXPECT_EQ(matchupKeyChecked({-1, 13}, {0, 13}), -1);
    EXPECT_EQ(matchupKeyChecked({13, 13}, {0, 13}), -1);
    EXPECT_EQ(matchupKeyChecked({12, 25}, {0, 13}), 113919);
}

TEST(Cards, TheCanonicalClassesAndTheirCombinations) {
    std::set<int> keys;
    int combos = 0, pairs = 0, suited = 0, offsuit = 0;
    for (const auto& c : allHandClasses()) {
        EXPECT_TRUE(isCanonicalClass(c)) << c.low << "," << c.high;
        keys.insert(c.low * 26 + c.high);
        combos += combosOfClass(c);
        pairs += isPair(c);
        suited += isSuited(c);
        offsuit += !isPair(c) && !isSuited(c);
    }
    EXPECT_EQ(keys.size(), 169u);
    EXPECT_EQ(combos, kComboCount);
    EXPECT_EQ(pairs, 13);
    EXPECT_EQ(suited, 78);
    EXPECT_EQ(offsuit, 78);
    // Reversed offsuit and reversed suited forms are not canonical.
    EXPECT_FALSE(isCanonicalClass({12, 24}));
    EXPECT_FALSE(isCanonicalClass({12, 11}));
    EXPECT_FALSE(isCanonicalClass({5, 5}));
    // Any index of 13 or more counts as offsuit for the combination count.
    EXPECT_EQ(combosOfClass({12, 24}), 12);
}

TEST(Cards, EveryTwoCardsGiveTheClassParseHandGives) {
    std::set<std::pair<int, int>> seen;
    int combos = 0;
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b) {
            const HandClass c = classOfCards(a, b);
            ASSERT_TRUE(isCanonicalClass(c));
            const std::string text = cardName(a) + cardName(b);
            ParsedHand h;
            ASSERT_TRUE(parseHand(text, h));
            EXPECT_EQ(HandClass(h.handLow, h.handHigh), c) << text;
            seen.insert({c.low, c.high});
            ++combos;
        }
    EXPECT_EQ(seen.size(), 169u);
    EXPECT_EQ(combos, kComboCount);
}
