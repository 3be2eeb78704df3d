#include "engine/cards.h"

#include "engine/constants.h"

namespace torvel {

namespace {
constexpr std::string_view kRankLetters = "23456789TJQKA";
constexpr std::string_view kSuitLetters = "hdcs";
}  // namespace

char rankLetter(int rank) {
    return rank >= 0 && rank < kRankCount ? kRankLetters[static_cast<std::size_t>(rank)] : '?';
}

char suitLetter(int suit) {
    return suit >= 0 && suit < kSuitCount ? kSuitLetters[static_cast<std::size_t>(suit)] : '?';
}

int rankFromLetter(char letter) {
    const auto at = kRankLetters.find(letter);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int suitFromLetter(char letter) {
    const auto at = kSuitLetters.find(letter);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::string cardName(int card) {
    if (card < 0 || card >= kCardCount)
        return "??";
    return {rankLetter(cardRank(card)), suitLetter(cardSuit(card))};
}

bool isPair(const HandClass& c) { return c.low + kRankCount == c.high; }

bool isSuited(const HandClass& c) { return c.low < kRankCount && c.high < kRankCount; }

bool isCanonicalClass(const HandClass& c) {
    if (c.low < 0 || c.low >= kRankCount || c.high < 0 || c.high >= kClassHighCount)
        return false;
    if (c.high < kRankCount)
        return c.low < c.high;            // suited, low rank first
    return c.low <= c.high - kRankCount;  // offsuit (low < high rank) or pair
}

HandClass classOfCards(int cardA, int cardB) {
    int first = cardA;
    int second = cardB;
    if (cardRank(first) > cardRank(second))
        std::swap(first, second);
    HandClass c{cardRank(first), cardRank(second)};
    if (cardSuit(first) != cardSuit(second))
        c.high += kRankCount;
    return c;
}

int combosOfClass(const HandClass& c) {
    if (isPair(c))
        return kPairCombos;
    if (c.low >= kRankCount || c.high >= kRankCount)
        return kOffsuitCombos;
    return kSuitedCombos;
}

int matchupKeyChecked(const HandClass& h1, const HandClass& h2) {
    auto inRange = [](const HandClass& c) {
        return c.low >= 0 && c.low < kRankCount && c.high >= 0 && c.high < kClassHighCount;
    };
    return inRange(h1) && inRange(h2) ? matchupKey(h1, h2) : -1;
}

std::string handClassName(int low, int high) {
    const int highRank = ((high % kRankCount) + kRankCount) % kRankCount;
    const int lowRank = ((low % kRankCount) + kRankCount) % kRankCount;
    std::string name{rankLetter(highRank), rankLetter(lowRank)};
    if (low < kRankCount && high < kRankCount)
        name += 's';
    else if (lowRank != highRank)
        name += 'o';
    return name;
}

bool parseHand(std::string_view text, ParsedHand& out) {
    if (text.size() < 4)
        return false;
    const int rankA = rankFromLetter(text[0]);
    const int rankB = rankFromLetter(text[2]);
    if (rankA < 0 || rankB < 0)
        return false;
    const int suitA = std::max(0, suitFromLetter(text[1]));
    const int suitB = std::max(0, suitFromLetter(text[3]));
    int card1 = makeCard(rankA, suitA);
    int card2 = makeCard(rankB, suitB);
    if (cardRank(card1) > cardRank(card2))
        std::swap(card1, card2);
    out.card1 = card1;
    out.card2 = card2;
    out.handLow = cardRank(card1);
    out.handHigh = cardRank(card2) + (cardSuit(card1) != cardSuit(card2) ? kRankCount : 0);
    return true;
}

const std::array<HandClass, 169>& allHandClasses() {
    static const std::array<HandClass, 169> classes = [] {
        std::array<HandClass, 169> list{};
        std::size_t n = 0;
        for (int r = kRankCount - 1; r >= 0; --r)
            list[n++] = {r, r + kRankCount};
        for (int hi = kRankCount - 1; hi >= 0; --hi)
            for (int lo = hi - 1; lo >= 0; --lo)
                list[n++] = {lo, hi};
        for (int hi = kRankCount - 1; hi >= 0; --hi)
            for (int lo = hi - 1; lo >= 0; --lo)
                list[n++] = {lo, hi + kRankCount};
        return list;
    }();
    return classes;
}

}  // namespace torvel
