#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
        const int rank = rankFromLetter(text[i]);
        const int suit = suitFromLetter(text[i + 1]);
        EXPECT_GE(rank, 0) << text;
        EXPECT_GE(suit, 0) << text;
        cards.push_back(makeCard(rank, suit));
    }
    EXPECT_EQ(text.size() % 2, 0u) << text;
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
    int straightHigh = -1;
    if (groups.size() == 5) {
        if (groups.front().second - groups.back().second == 4)
            straightHigh = groups.front().second;
        else if (groups[0].second == 12 && groups[1].second == 3)
            straightHigh = 3;  // A-5-4-3-2
    }
    Score s{};
    for (std::size_t i = 0; i < groups.size(); ++i)
        s[i + 1] = groups[i].second;
    if (straightHigh >= 0)
        s = {0, straightHigh, 0, 0, 0, 0};
    const int top = groups[0].first;
    const int second = groups.size() > 1 ? groups[1].first : 0;
    if (straightHigh >= 0 && flush)
        s[0] = 8;
    else if (top == 4)
        s[0] = 7;
    else if (top == 3 && second == 2)
        s[0] = 6;
    else if (flush)
        s[0] = 5;
    else if (straightHigh >= 0)
        s[0] = 4;
    else if (top == 3)
        s[0] = 3;
    else if (top == 2 && second == 2)
        s[0] = 2;
    else
        s[0] = top == 2 ? 1 : 0;
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
    const auto none = evaluator.start();
    for (int a = 0; a < 52; ++a) {
        const auto p1 = evaluator.add(none, a);
        for (int b = a + 1; b < 52; ++b) {
            const auto p2 = evaluator.add(p1, b);
            for (int c = b + 1; c < 52; ++c) {
                const auto p3 = evaluator.add(p2, c);
                for (int d = c + 1; d < 52; ++d) {
                    const auto p4 = evaluator.add(p3, d);
                    for (int e = d + 1; e < 52; ++e) {
                        const auto p5 = evaluator.add(p4, e);
                        for (int f = e + 1; f < 52; ++f) {
                            const auto p6 = evaluator.add(p5, f);
                            for (int g = f + 1; g < 52; ++g) {
                                const HandValue v = evaluator.finish(p6, g);
                                ++counts[static_cast<std::size_t>(evaluator.category(v))];
                                seen[v] = true;
                            }
                        }
                    }
                }
            }
        }
    }
    struct Expected {
        HandCategory category;
        long long hands;
    };
    const Expected expected[] = {
        {HandCategory::StraightFlush, 41584},   {HandCategory::FourOfAKind, 224848},
        {HandCategory::FullHouse, 3473184},     {HandCategory::Flush, 4047644},
        {HandCategory::Straight, 6180020},      {HandCategory::ThreeOfAKind, 6461620},
        {HandCategory::TwoPair, 31433400},      {HandCategory::OnePair, 58627800},
        {HandCategory::HighCard, 23294460},
    };
    long long all = 0;
    for (const auto& row : expected) {
        EXPECT_EQ(counts[static_cast<std::size_t>(row.category)], row.hands) << handCategoryName(row.category);
        all += counts[static_cast<std::size_t>(row.category)];
    }
    EXPECT_EQ(all, 133784560);
    EXPECT_FALSE(seen[kNoHand]);
    // Seven cards always hold something better than 7-5-4-3-2, so of the
    // 7462 distinct five-card hands only 4824 ever show up.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 4824);
}

TEST(HandEvaluator, ComparesShowdownsAsThePlainRuleDoes) {
    struct Case {
        const char* what;
        const char* first;
        const char* second;
        int winner;  // 1, 2, or 0 for a split pot
        HandCategory firstCategory;
        HandCategory secondCategory;
    };
    using C = HandCategory;
    const Case cases[] = {
        {"wheel loses to six-high straight", "Ah2d3c4s5hKd9c", "2h3d4c5s6hKd9c", 2, C::Straight, C::Straight},
        {"wheel beats trips", "Ah2d3c4s5hKd9c", "2h2d2c5s9hKdJc", 1, C::Straight, C::ThreeOfAKind},
        {"broadway beats king-high straight", "AhKdQcJsTh3d2c", "KdQcJsTh9h3d2c", 1, C::Straight, C::Straight},
        {"ace never continues past the king", "QhKdAc2s3h8d9c", "QhKdAc2s4h8d9c", 0, C::HighCard, C::HighCard},
        {"pair of aces, king kicker beats queen kicker", "Ad9c7h4s2dAhKc", "Ad9c7h4s2dAhQc", 1, C::OnePair,
         C::OnePair},
        {"pair kicker beyond the fifth card does not play", "AdAc9h7s5d4h2c", "AdAc9h7s5d3h2c", 0, C::OnePair,
         C::OnePair},
        {"two pair decided by the kicker", "9d9c8h8sKdAh2c", "9d9c8h8sKdQh2c", 1, C::TwoPair, C::TwoPair},
        {"third pair does not play", "9d9c8h8sKd2h2c", "9d9c8h8sKd3h3c", 0, C::TwoPair, C::TwoPair},
        {"third pair makes a higher two pair", "9d9c8h8s4dThTc", "9d9c8h8s4dAhKc", 1, C::TwoPair, C::TwoPair},
        {"board plays: broadway on the board", "AhKdQcJsTh2d3c", "AhKdQcJsTh4c5d", 0, C::Straight, C::Straight},
        {"trips kickers", "7h7d7cAsKh2d3c", "7h7d7cAsQh2d3c", 1, C::ThreeOfAKind, C::ThreeOfAKind},
        {"flush beats straight", "2h5h9hJhKh8dTc", "9dTcJsQhKh2d3c", 1, C::Flush, C::Straight},
        {"flush decided by its fifth card", "AhKh9h7h4h2d3c", "AhKh9h7h3h2d3c", 1, C::Flush, C::Flush},
        {"sixth suited card does not play", "AhKhQhJh9h2h3c", "AhKhQhJh9h3h2c", 0, C::Flush, C::Flush},
        {"full house ranked by its trips first", "KhKdKc2s2hAdQc", "QhQdQcAsAh2d3c", 1, C::FullHouse,
         C::FullHouse},
        {"two sets make a full house of the higher", "7h7d7c5s5h5dAc", "7h7d7c5s5h4dAc", 0, C::FullHouse,
         C::FullHouse},
        {"full house beats flush", "AhKhQh2h2dAsAc", "AhKhQh2h3hAs9c", 1, C::FullHouse, C::Flush},
        {"quads kicker", "9h9d9c9sAhKd2c", "9h9d9c9sKhQd2c", 1, C::FourOfAKind, C::FourOfAKind},
        {"quads with a pair and a lower card", "9h9d9c9s3h3dKc", "9h9d9c9sKh2d2c", 0, C::FourOfAKind,
         C::FourOfAKind},
        {"quads beat a full house", "2h2d2c2s3h4d5c", "AhAdAcKsKhQdJc", 1, C::FourOfAKind, C::FullHouse},
        {"steel wheel beats quads", "Ah2h3h4h5hAdAc", "KhKdKcKs2d3c4s", 1, C::StraightFlush, C::FourOfAKind},
        {"steel wheel loses to six-high straight flush", "Ah2h3h4h5hKd9c", "2h3h4h5h6hKd9c", 2, C::StraightFlush,
         C::StraightFlush},
        {"royal flush beats king-high straight flush", "AsKsQsJsTs2d3c", "KsQsJsTs9s2d3c", 1, C::StraightFlush,
         C::StraightFlush},
        {"straight flush in the suited cards, not the straight", "9h8h7h6h5hTdJc", "9h8h7h6h4hTdJc", 1,
         C::StraightFlush, C::Flush},
    };
    for (const auto& c : cases) {
        const HandValue first = valueOf(c.first);
        const HandValue second = valueOf(c.second);
        const int winner = first > second ? 1 : (second > first ? 2 : 0);
        EXPECT_EQ(winner, c.winner) << c.what;
        EXPECT_STREQ(handCategoryName(HandEvaluator::instance().category(first)), handCategoryName(c.firstCategory))
            << c.what;
        EXPECT_STREQ(handCategoryName(HandEvaluator::instance().category(second)),
                     handCategoryName(c.secondCategory))
            << c.what;
    }
}

TEST(HandEvaluator, AgreesWithBestOfTwentyOneOnRandomShowdowns) {
    // Two hole-card pairs on one board, as at a real showdown, so that most
    // comparisons are close ones.
    std::mt19937 random(20240611);
    std::array<int, 52> deck{};
    for (int c = 0; c < 52; ++c)
        deck[static_cast<std::size_t>(c)] = c;
    int disagreements = 0;
    for (int round = 0; round < 20000; ++round) {
        std::shuffle(deck.begin(), deck.end(), random);
        std::vector<int> first(deck.begin(), deck.begin() + 7);
        std::vector<int> second(deck.begin(), deck.begin() + 5);
        second.push_back(deck[7]);
        second.push_back(deck[8]);
        const HandValue v1 = HandEvaluator::instance().evaluate(first);
        const HandValue v2 = HandEvaluator::instance().evaluate(second);
        const Score s1 = bestOfSeven(first);
        const Score s2 = bestOfSeven(second);
        const int byValue = (v1 > v2) - (v1 < v2);
        const int byRule = (s1 > s2) - (s1 < s2);
        if (byValue != byRule || static_cast<int>(HandEvaluator::instance().category(v1)) != s1[0]) {
            ++disagreements;
            ADD_FAILURE() << "round " << round << ": value says " << byValue << ", rule says " << byRule;
        }
        if (disagreements > 5)
            break;
    }
}

TEST(HandEvaluator, RejectsBadCardsWithoutAValue) {
    struct Case {
        const char* what;
        std::vector<int> cards;
    };
    const Case cases[] = {
        {"six cards", {0, 1, 2, 3, 4, 5}},
        {"eight cards", {0, 1, 2, 3, 4, 5, 6, 7}},
        {"no cards", {}},
        {"negative card", {-1, 1, 2, 3, 4, 5, 6}},
        {"card 52", {0, 1, 2, 3, 4, 5, 52}},
        {"huge card", {0, 1, 2, 3, 4, 5, 1 << 30}},
        {"repeated first card", {7, 1, 2, 3, 4, 5, 7}},
        {"five aces", {12, 25, 38, 51, 12, 1, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HandEvaluator::instance().evaluate(c.cards), kNoHand) << c.what;
}

TEST(HandEvaluator, PartialRefusesBadSteps) {
    const auto& evaluator = HandEvaluator::instance();
    auto six = evaluator.start();
    for (int card : {0, 13, 26, 1, 14, 5})
        six = evaluator.add(six, card);
    ASSERT_TRUE(six.valid());
    ASSERT_EQ(six.count(), 6);
    EXPECT_STREQ(handCategoryName(evaluator.category(evaluator.finish(six, 27))), "full house");

    EXPECT_EQ(evaluator.finish(six, 13), kNoHand) << "card already held";
    EXPECT_EQ(evaluator.finish(six, 52), kNoHand) << "card out of range";
    EXPECT_EQ(evaluator.finish(six, -3), kNoHand) << "negative card";
    EXPECT_FALSE(evaluator.add(six, 27).valid()) << "a seventh card goes through finish";

    const auto four = evaluator.add(evaluator.add(evaluator.add(evaluator.add(evaluator.start(), 0), 1), 2), 3);
    EXPECT_EQ(evaluator.finish(evaluator.add(four, 4), 5), kNoHand) << "finish needs six cards";
    const auto repeated = evaluator.add(four, 3);
    EXPECT_FALSE(repeated.valid());
    EXPECT_FALSE(evaluator.add(repeated, 9).valid()) << "an invalid partial stays invalid";
    EXPECT_EQ(evaluator.finish(evaluator.add(repeated, 9), 10), kNoHand);
    EXPECT_STREQ(handCategoryName(evaluator.category(60000)), "high card") << "values beyond the last hand";
}
