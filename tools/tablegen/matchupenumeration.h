#pragma once
// Exact showdown counts of one starting-hand class against another, by
// enumerating every pair of disjoint combinations and every board. Slow next
// to the table builder (tens of milliseconds a matchup) but independent of
// it, which is what the tests that recompute table records need.

#include <array>
#include <vector>

#include "engine/cards.h"
#include "engine/equitytable.h"

namespace torvel::tablegen {

using Combo = std::array<int, 2>;  // two cards, lower card number first

// The card combinations of a canonical class: 6, 4 or 12 of them.
std::vector<Combo> combinationsOf(const HandClass& handClass);

// Wins, ties and total of hand1 against hand2 over every disjoint pair of
// combinations and every board of five from the 48 cards left.
EquityRecord enumerateMatchup(const HandClass& hand1, const HandClass& hand2);

// Same for two given combinations (four distinct cards): every board.
struct BoardCounts {
    long long wins = 0;
    long long ties = 0;
    long long boards = 0;
};
BoardCounts enumerateBoards(const Combo& hand1, const Combo& hand2);

}  // namespace torvel::tablegen
