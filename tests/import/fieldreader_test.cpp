// Reading amounts, seats, cards and blinds as the clients wrote them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "import/fieldreader.h"

using namespace torvel::import;

namespace {

TEST(AmountAt, ReadsEveryWayOfWritingChips) {
    struct Case {
        const char* text;
        int value;
        std::size_t end;
    };
    const Case cases[] = {
        {"1500 in chips", 1500, 4},
        {"1,500)", 1500, 5},
        {"1.500 )", 1500, 5},
        {"1 500 )", 1500, 5},
        {"1\xC2\xA0" "500 )", 1500, 6},
        {"12,345,678", 12345678, 10},
        {"1.4K", 1400, 4},
        {"1K/2K", 1000, 2},
        {"2.25k ", 2250, 5},
        {"1,5K", 1500, 4},
        {"3M", 3000000, 2},
        {"12.50 USD", 12, 5},
        {"270, and is all in", 270, 3},
        {"300] ", 300, 3},
        // Three digits then a fourth are not a thousands group.
        {"1,5000", 1, 6},
        {"20 1000", 20, 2},
        {"15 Kings", 15, 2},
        {"99999999999999", kMaxAmount, 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto read = amountAt(c.text, 0);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->value, c.value);
        EXPECT_EQ(read->end, c.end);
    }
    EXPECT_FALSE(amountAt("$1500", 0));
    EXPECT_FALSE(amountAt("1500", 4));
    EXPECT_FALSE(amountAt("", 0));
}

TEST(FindAmount, PassesOverBracketsAndCurrencyUpToTheStop) {
    EXPECT_EQ(findAmount("calls [300].", 0)->value, 300);
    EXPECT_EQ(findAmount("( $1,902 )", 0)->value, 1902);
    EXPECT_EQ(findAmount("calls (210)", 5)->value, 210);
    EXPECT_FALSE(findAmount("Blinds-Antes(100/200 -)", 20, 22));
    EXPECT_FALSE(findAmount("no digits here", 0));
    EXPECT_FALSE(findAmount("short", 50));
}

TEST(ReadSeatLine, TakesTheLastParenthesisWithAnAmountAsTheStack) {
    struct Case {
        const char* line;
        int seat;
        const char* name;
        int stack;
    };
    const Case cases[] = {
        {"Seat 1: held (1500 in chips)", 1, "held", 1500},
        {"Seat 10: Mr. Martini7 (1,500 in chips) is sitting out", 10, "Mr. Martini7", 1500},
        {"Seat 2: J\xC3\xB6ran (NL) (1870 in chips)", 2, "J\xC3\xB6ran (NL)", 1870},
        {"Seat 3: Bob (2) (3,260)", 3, "Bob (2)", 3260},
        {"Seat 4: Hero ( $2870 )", 4, "Hero", 2870},
        {"Seat 5: Player0 ( 4,520 )", 5, "Player0", 4520},
        {"Seat 6: RiverRat (1160)", 6, "RiverRat", 1160},
        {"Seat 7: Lucky 7 ($1,250 in chips, $2 bounty)", 7, "Lucky 7", 1250},
        {"Seat 8: Kurz (1.4K)", 8, "Kurz", 1400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto seat = readSeatLine(c.line);
        ASSERT_TRUE(seat.has_value());
        EXPECT_EQ(seat->seatNumber, c.seat);
        EXPECT_EQ(seat->name, c.name);
        EXPECT_EQ(seat->stack, c.stack);
    }
    for (const char* notASeat : {"Seat 4 is the button", "Seat #1 is the button", "Seat 1: (1500 in chips)",
                                 "Seat 1: Player7 (button) folded before Flop", "Seat : x (10)", "Seat 3: x",
                                 "Table '1' Seat 1: x (10)"}) {
        SCOPED_TRACE(notASeat);
        EXPECT_FALSE(readSeatLine(notASeat).has_value());
    }
}

TEST(ReadSeatLine, CutsLongNamesAtTheFieldLength) {
    const std::string line = "Seat 1: " + std::string(300, 'n') + " (1500)";
    const auto seat = readSeatLine(line);
    ASSERT_TRUE(seat.has_value());
    EXPECT_EQ(seat->name.size(), kMaxFieldLength);
}

TEST(ReadHoleCards, ReadsEveryBracketStyle) {
    struct Case {
        const char* text;
        std::optional<std::string> cards;
    };
    const Case cases[] = {
        {"[Ah Kd]", "AhKd"},
        {"[  Td 9c ]", "Td9c"},
        {"[ Jc, Js ]", "JcJs"},
        {"[10h 9s]", "Th9s"},
        {"[as KD]", "AsKd"},
        {"[Ah]", std::nullopt},
        {"[Xx Xx]", std::nullopt},
        {"[Ah 1d]", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readHoleCards(c.text), c.cards);
    }
}

TEST(BlindsAt, ReadsPairsButNotDates) {
    const auto plain = blindsAt("10/20) - 2010", 0);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->smallBlind, 10);
    EXPECT_EQ(plain->bigBlind, 20);
    EXPECT_EQ(plain->end, 5u);
    const auto separated = blindsAt("1,000/2,000 Ante 200", 0);
    ASSERT_TRUE(separated.has_value());
    EXPECT_EQ(separated->bigBlind, 2000);
    const auto cash = blindsAt("$0.01/$0.02 USD", 0);
    ASSERT_TRUE(cash.has_value());
    EXPECT_EQ(cash->bigBlind, 0);
    EXPECT_FALSE(blindsAt("2011/03/28", 0));
    EXPECT_FALSE(blindsAt("NL Hold'em", 0));
    EXPECT_FALSE(blindsAt("18:30:27 ET", 0));
    EXPECT_FALSE(blindsAt("10/", 0));
}

TEST(NumberAfter, ReadsDigitsRightAfterTheMarker) {
    EXPECT_EQ(numberAfter("Table '1' 9-max Seat #3 is the button", "Seat #"), 3);
    EXPECT_FALSE(numberAfter("Seat # 3", "Seat #"));
    EXPECT_FALSE(numberAfter("nothing", "Seat #"));
}

}  // namespace
