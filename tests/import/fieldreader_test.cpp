// Reading amounts, seats, cards and blinds as the clients wrote them.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "import/fieldreader.h"

using namespace torvel::import;

namespace {

TEST(AmountAt, ReadsEveryWayOfWritingChips) {
    const struct {
        const char* text;
        int value;
        std::size_t end;
    } cases[] = {
        {"1500 in chips", 1500, 4}, {"1,500)", 1500, 5},     {"1.500 )", 1500, 5},  {"1 500 )", 1500, 5},
        {"1\xC2\xA0" "500 )", 1500, 6}, {"12,345,678", 12345678, 10}, {"1.4K", 1400, 4}, {"1K/2K", 1000, 2},
        {"2.25k ", 2250, 5},        {"1,5K", 1500, 4},       {"3M", 3000000, 2},    {"12.50 USD", 12, 5},
        {"270, and is all in", 270, 3}, {"300] ", 300, 3},  {"20 1000", 20, 2},    {"15 Kings", 15, 2},
        {"1,5000", 1, 6},  // three digits then a fourth are not a thousands group
        {"99999999999999", kMaxAmount, 14},
    };
    for (const auto& c : cases) {
        const auto read = amountAt(c.text, 0);
        ASSERT_TRUE(read.has_value()) << c.text;
        EXPECT_EQ(std::pair(read->value, read->end), std::pair(c.value, c.end)) << c.text;
    }
    EXPECT_FALSE(amountAt("$1500", 0));
    EXPECT_FALSE(amountAt("1500", 4));
    EXPECT_FALSE(amountAt("", 0));
}

TEST(FindAmount, PassesOverBracketsAndCurrencyUpToTheStop) {
    const struct {
        const char* text;
        std::size_t pos, stop;
        std::optional<int> value;
    } cases[] = {
        {"calls [300].", 0, std::string::npos, 300},     {"( $1,902 )", 0, std::string::npos, 1902},
        {"calls (210)", 5, std::string::npos, 210},      {"Blinds-Antes(100/200 -)", 20, 22, std::nullopt},
        {"no digits here", 0, std::string::npos, std::nullopt}, {"short", 50, std::string::npos, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto found = findAmount(c.text, c.pos, c.stop);
        EXPECT_EQ(found ? std::optional(found->value) : std::nullopt, c.value) << c.text;
    }
}

TEST(ReadSeatLine, TakesTheLastParenthesisWithAnAmountAsTheStack) {
    const std::string longName(300, 'n');
    const struct {
        std::string line;
        int seat;
        std::string name;
        int stack;
    } cases[] = {
        {"Seat 1: held (1500 in chips)", 1, "held", 1500},
        {"Seat 10: Mr. Martini7 (1,500 in chips) is sitting out", 10, "Mr. Martini7", 1500},
        {"Seat 2: J\xC3\xB6ran (NL) (1870 in chips)", 2, "J\xC3\xB6ran (NL)", 1870},
        {"Seat 3: Bob (2) (3,260)", 3, "Bob (2)", 3260},
        {"Seat 4: Hero ( $2870 )", 4, "Hero", 2870},
        {"Seat 7: Lucky 7 ($1,250 in chips, $2 bounty)", 7, "Lucky 7", 1250},
        {"Seat 8: Kurz (1.4K)", 8, "Kurz", 1400},
        {"Seat 1: " + longName + " (1500)", 1, longName.substr(0, kMaxFieldLength), 1500},
    };
    for (const auto& c : cases) {
        const auto seat = readSeatLine(c.line);
        ASSERT_TRUE(seat.has_value()) << c.line;
        EXPECT_EQ(std::tuple(seat->seatNumber, std::string(seat->name), seat->stack), std::tuple(c.seat, c.name, c.stack))
            << c.line;
    }
    for (const char* notASeat : {"Seat 4 is the button", "Seat #1 is the button", "Seat 1: (1500 in chips)",
                                 "Seat 1: Player7 (button) folded before Flop", "Seat : x (10)", "Seat 3: x",
                                 "Table '1' Seat 1: x (10)"})
        EXPECT_FALSE(readSeatLine(notASeat).has_value()) << notASeat;
}

TEST(ReadHoleCards, ReadsEveryBracketStyle) {
    const struct {
        const char* text;
        std::optional<std::string> cards;
    } cases[] = {
        {"[Ah Kd]", "AhKd"},      {"[  Td 9c ]", "Td9c"},   {"[ Jc, Js ]", "JcJs"}, {"[10h 9s]", "Th9s"},
        {"[as KD]", "AsKd"},      {"[Ah]", std::nullopt},   {"[Xx Xx]", std::nullopt},
        {"[Ah 1d]", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readHoleCards(c.text), c.cards) << c.text;
}

TEST(BlindsAt, ReadsPairsButNotDates) {
    const struct {
        const char* text;
        std::optional<std::pair<int, int>> blinds;
    } cases[] = {
        {"10/20) - 2010", std::pair(10, 20)}, {"1,000/2,000 Ante 200", std::pair(1000, 2000)},
        {"$0.01/$0.02 USD", std::pair(0, 0)}, {"2011/03/28", std::nullopt},
        {"NL Hold'em", std::nullopt},          {"18:30:27 ET", std::nullopt},
        {"10/", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto read = blindsAt(c.text, 0);
        EXPECT_EQ(read ? std::optional(std::pair(read->smallBlind, read->bigBlind)) : std::nullopt, c.blinds) << c.text;
    }
    EXPECT_EQ(blindsAt("10/20) - 2010", 0)->end, 5u);
}

}  // namespace
