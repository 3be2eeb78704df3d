#pragma once
// Cards, starting-hand classes and their text forms.
//
// A card is rank + 13 * suit (ranks 2..A as 0..12, suits h, d, c, s as 0..3).
// A class is (low, high): a pair of rank r is (r, r + 13), a suited hand of
// ranks a < b is (a, b), an offsuit one (a, b + 13).

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace torvel {

struct HandClass {
    int low = 0;
    int high = 0;
    friend bool operator==(const HandClass&, const HandClass&) = default;
};

inline constexpr int cardRank(int card) { return card % 13; }
inline constexpr int cardSuit(int card) { return card / 13; }
inline constexpr int makeCard(int rank, int suit) { return rank + 13 * suit; }

char rankLetter(int rank);          // '2'..'A', '?' outside 0..12
char suitLetter(int suit);          // 'h','d','c','s', '?' outside 0..3
int rankFromLetter(char letter);    // -1 when not a rank letter
int suitFromLetter(char letter);    // -1 when not a suit letter

// Two letters, rank then suit: 51 -> "As", 0 -> "2h".
std::string cardName(int card);

bool isPair(const HandClass& c);
bool isSuited(const HandClass& c);
// True for the 169 classes in their canonical form.
bool isCanonicalClass(const HandClass& c);
HandClass classOfCards(int cardA, int cardB);

// Card combinations of a class: 6 for a pair, 12 when either index is 13 or
// more (offsuit), else 4.
int combosOfClass(const HandClass& c);

// Key of the matchup of class h1 against h2: ((l1*26+g1)*13+l2)*26+g2.
// Only meaningful for low 0..12 and high 0..25; see matchupKeyChecked.
constexpr int matchupKey(const HandClass& h1, const HandClass& h2) {
    return ((h1.low * 26 + h1.high) * 13 + h2.low) * 26 + h2.high;
}
// The key, or -1 when any index lies outside its range.
int matchupKeyChecked(const HandClass& h1, const HandClass& h2);

// "AA", "AKs", "AKo"; an offsuit class written in reverse order is named
// by the same rule.
std::string handClassName(int low, int high);
inline std::string handClassName(const HandClass& c) { return handClassName(c.low, c.high); }

// The hole cards and class read from a four-letter text such as "AhKd".
struct ParsedHand {
    int card1 = 0;
    int card2 = 0;
    int handLow = 0;
    int handHigh = 0;
};
// Texts shorter than four characters give false and change nothing; an
// unknown suit letter counts as hearts. Returns false also when a rank
// letter is not one of 2..9, T, J, Q, K, A (upper case).
bool parseHand(std::string_view text, ParsedHand& out);

// All 169 classes in a fixed order (pairs, then suited, then offsuit,
// each from the highest ranks down).
const std::array<HandClass, 169>& allHandClasses();

}  // namespace torvel
