#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "engine/cards.h"
#include "engine/handevaluator.h"

using namespace torvel;

namespace {

// "AhKd2c..." -> card numbers; a malformed text fails the test.
std::vector<int> cardsOf(const std::string& text) {
    std::vector<int> cards;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        const int rank = rankFromLetter(text[i]), suit = suitFromLetter(text[i + 1]);
        EXPECT_TRUE(rank >= 0 && suit >= 0 && text.size() % 2 == 0) << text;
        cards.push_back(makeCard(rank, suit));
    }
    return cards;
}

HandValue valueOf(const std::string& text) { return HandEvaluator::instance().evaluate(cardsOf(text)); }

// The plain rule, kept apart from the evaluator's tables: score every five
// of the seven cards and keep the best. A score is the category followed
// by the ranks that decide between hands of that category.
using Score = std::array<int, 6>;

Score scoreFive(const std::array<int, 5>& cards) {
    std::array<int, 13> counts{};
    bool flush = true;
    for (int c : cards) {
        ++counts[static_cast<std::size_t>(cardRank(c))];
        flush = flush && cardSuit(c) == cardSuit(cards[0]);
    }
    // Ranks ordered by how often they occur, then by rank.
    std::vector<std::pair<int, int>> groups;
    for (int r = 12; r >= 0; --r)
        if (counts[static_cast<std::size_t>(r)] > 0)
            groups.push_back({counts[static_cast<std::size_t>(r)], r});
    std::stable_sort(groups.begin(), groups.end(), [](auto x, auto y) { return x.first > y.first; });
    Score s{};
    for (std::size_t i = 0; i < groups.size(); ++i)
        s[i + 1] = groups[i].second;
    const bool fiveRanks = groups.size() == 5;
    const bool straight = fiveRanks && (s[1] - s[5] == 4 || (s[1] == 12 && s[2] == 3));
    if (straight)
        s = {0, s[1] == 12 && s[2] == 3 ? 3 : s[1], 0, 0, 0, 0};  // A-5-4-3-2 is five-high
    const int top = groups[0].first, second = groups[1].first;  // five cards hold two ranks at least
    // Categories from 0, high card, to 8, straight flush.
    s[0] = straight && flush ? 8 : top == 4 ? 7 : top == 3 && second == 2 ? 6 : flush ? 5 : straight ? 4
         : top == 3 ? 3 : top == 2 && second == 2 ? 2 : top == 2 ? 1 : 0;
    return s;
}

Score bestOfSeven(const std::vector<int>& seven) {
    Score best{-1};
    for (int skipA = 0; skipA < 7; ++skipA)
        for (int skipB = skipA + 1; skipB < 7; ++skipB) {
            std::array<int, 5> five{};
            std::size_t n = 0;
            for (int i = 0; i < 7; ++i)
                if (i != skipA && i != skipB)
                    five[n++] = seven[static_cast<std::size_t>(i)];
            best = std::max(best, scoreFive(five));
        }
    return best;
}

}  // namespace

TEST(HandEvaluator, CountsEveryCategoryOverAllSevenCardHands) {
    const auto& evaluator = HandEvaluator::instance();
    std::array<long long, kHandCategoryCount> counts{};
    std::vector<bool> seen(kHandValueCount + 1, false);
    auto walk = [&](auto&& self, const HandEvaluator::Partial& held, int from) -> void {
        for (int card = from; card < 52; ++card)
            if (held.count() < 6) {
                self(self, evaluator.add(held, card), card + 1);
            } else {
                const HandValue v = evaluator.finish(held, card);
                ++counts[static_cast<std::size_t>(evaluator.category(v))];
                seen[v] = true;
            }
    };
    walk(walk, evaluator.start(), 0);
    const long long expected[] = {23294460, 58627800, 31433400, 6461620, 6180020,
                                  4047644,  3473184,  224848,   41584};  // high card .. straight flush
    for (int k = 0; k < kHandCategoryCount; ++k)
        EXPECT_EQ(counts[static_cast<std::size_t>(k)], expected[k]) << handCategoryName(static_cast<HandCategory>(k));
    EXPECT_FALSE(seen[kNoHand]);
    // Seven cards always hold something better than 7-5-4-3-2, so of the
    // 7462 distinct five-card hands only 4824 ever show up.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 4824);
}

// Rare hands that random showdowns seldom deal.
TEST(HandEvaluator, ComparesRareShowdownsAsThePlainRuleDoes) {
    const struct {
        const char* what;
        const char* first;
        const char* second;
        int winner;  // 1, 2, or 0 for a split pot
    } cases[] = {
        {"wheel loses to six-high straight", "Ah2d3c4s5hKd9c", "2h3d4c5s6hKd9c", 2},
        {"ace never continues past the king", "QhKdAc2s3h8d9c", "QhKdAc2s4h8d9c", 0},
        {"two sets: full of the higher", "7h7d7c5s5h5dAc", "7h7d7c5s5h4dAc", 0},
        {"quads kicker", "9h9d9c9sAhKd2c", "9h9d9c9sKhQd2c", 1},
        {"quads, a pair and a lower card", "9h9d9c9s3h3dKc", "9h9d9c9sKh2d2c", 0},
        {"steel wheel beats quads", "Ah2h3h4h5hAdAc", "KhKdKcKs2d3c4s", 1},
        {"steel wheel loses to six-high", "Ah2h3h4h5hKd9c", "2h3h4h5h6hKd9c", 2},
        {"straight flush, not the straight", "9h8h7h6h5hTdJc", "9h8h7h6h4hTdJc", 1},
    };
    for (const auto& c : cases) {
        const HandValue first = valueOf(c.first), second = valueOf(c.second);
        EXPECT_EQ(first > second ? 1 : (second > first ? 2 : 0), c.winner) << c.what;
    }
}

TEST(HandEvaluator, AgreesWithBestOfTwentyOneOnRandomShowdowns) {
    // Two hole-card pairs on one board, as at a real showdown, so that most
    // comparisons are close ones.
    const auto& evaluator = HandEvaluator::instance();
    std::mt19937 random(20240611);
    std::array<int, 52> deck{};
    std::iota(deck.begin(), deck.end(), 0);
    int disagreements = 0;
    for (int round = 0; round < 20000 && disagreements <= 5; ++round) {
        std::shuffle(deck.begin(), deck.end(), random);
        const std::vector<int> first(deck.begin(), deck.begin() + 7);
        const std::vector<int> second = {deck[0], deck[1], deck[2], deck[3], deck[4], deck[7], deck[8]};
        const HandValue v1 = evaluator.evaluate(first), v2 = evaluator.evaluate(second);
        const Score s1 = bestOfSeven(first), s2 = bestOfSeven(second);
        const int byValue = (v1 > v2) - (v1 < v2), byRule = (s1 > s2) - (s1 < s2);
        if (byValue != byRule || static_cast<int>(evaluator.category(v1)) != s1[0]) {
            ++disagreements;
            ADD_FAILURE() << "round " << round << ": value says " << byValue << ", rule says " << byRule;
        }
    }
}

TEST(HandEvaluator, RejectsBadCardsAndBadStepsWithoutAValue) {
    const auto& evaluator = HandEvaluator::instance();
    const std::vector<int> badHands[] = {
        {0, 1, 2, 3, 4, 5},          {0, 1, 2, 3, 4, 5, 6, 7},   {},
        {-1, 1, 2, 3, 4, 5, 6},      {0, 1, 2, 3, 4, 5, 52},     {0, 1, 2, 3, 4, 5, 1 << 30},
        {7, 1, 2, 3, 4, 5, 7},       {12, 25, 38, 51, 12, 1, 2},  // a repeated card, five aces
    };
    for (const auto& cards : badHands)
        EXPECT_EQ(evaluator.evaluate(cards), kNoHand) << ::testing::PrintToString(cards);

    auto six = evaluator.start();
    for (int card : {0, 13, 26, 1, 14, 5})
        six = evaluator.add(six, card);
    ASSERT_TRUE(six.valid());
    ASSERT_EQ(six.count(), 6);
    EXPECT_EQ(evaluator.category(evaluator.finish(six, 27)), HandCategory::FullHouse);
    for (int card : {13, 52, -3})  // held already, out of range
        EXPECT_EQ(evaluator.finish(six, card), kNoHand) << card;
    EXPECT_FALSE(evaluator.add(six, 27).valid()) << "a seventh card goes through finish";

    auto four = evaluator.start();
    for (int card : {0, 1, 2, 3})
        four = evaluator.add(four, card);
    EXPECT_EQ(evaluator.finish(evaluator.add(four, 4), 5), kNoHand) << "finish needs six cards";
    const auto repeated = evaluator.add(four, 3);
    EXPECT_FALSE(repeated.valid());
    EXPECT_FALSE(evaluator.add(repeated, 9).valid()) << "an invalid partial stays invalid";
    EXPECT_EQ(evaluator.finish(evaluator.add(repeated, 9), 10), kNoHand);
    EXPECT_EQ(evaluator.category(60000), HandCategory::HighCard) << "values beyond the last hand";
}
