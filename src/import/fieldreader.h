#pragma once
// Reading fields out of one hand-history line: chip amounts as the clients
// wrote them (1500, 1,500, 1.500, 1 500, 1.4K, $1902), seat numbers, names
// and hole cards. Every read stays inside the line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace torvel::import {

// Amounts are held below this, so that the chips of ten seats still add up
// within the 32-bit counts of a situation.
inline constexpr int kMaxAmount = 100'000'000;
// Names, card texts and hand numbers are cut here.
inline constexpr std::size_t kMaxFieldLength = 99;

struct AmountField {
    int value = 0;
    std::size_t end = 0;  // one past the last character read
};

// The amount whose first digit is at pos; nothing when text[pos] is not a
// digit. A ',', '.', blank or no-break space followed by exactly three
// digits groups thousands; otherwise '.' or ',' starts a fraction, which
// only counts before K (thousands) or M (millions).
std::optional<AmountField> amountAt(std::string_view text, std::size_t pos);

// The first amount found from pos on, passing over other characters, but
// not at or past stop (npos: the end of the line).
std::optional<AmountField> findAmount(std::string_view text, std::size_t pos,
                                      std::size_t stop = std::string_view::npos);

// The decimal digits right at pos as a number (no separators); nothing
// when there are none.
std::optional<int> digitsAt(std::string_view text, std::size_t pos);

// The first position of marker in text at or after from, or npos.
inline std::size_t find(std::string_view text, std::string_view marker, std::size_t from = 0) {
    return text.find(marker, from);
}
inline bool contains(std::string_view text, std::string_view marker) {
    return text.find(marker) != std::string_view::npos;
}
// The part of text in [from, to), held inside text and cut at the field
// length.
std::string_view slice(std::string_view text, std::size_t from, std::size_t to);

// "Seat 3: Name ( $1,500 )": the seat number (3), the name and the stack,
// where the stack is the last parenthesis that opens with an amount.
struct SeatLine {
    int seatNumber = 0;
    std::string_view name;
    int stack = 0;
};
std::optional<SeatLine> readSeatLine(std::string_view line);

// The two hole cards in the brackets of a "Dealt to" line ("[Ah Kd]",
// "[  Td 9c ]", "[ Jc, Js ]") as four letters ("AhKd"); nothing when two
// cards cannot be read.
std::optional<std::string> readHoleCards(std::string_view bracketed);


// Blinds written "10/20" (or "1,000/2,000", "1K/2K") starting at pos.
struct BlindsField {
    int smallBlind = 0;
    int bigBlind = 0;
    std::size_t end = 0;
};
std::optional<BlindsField> blindsAt(std::string_view text, std::size_t pos);

}  // namespace torvel::import
