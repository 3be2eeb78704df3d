#include <gtest/gtest.h>

#include <array>
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

// Every comparison over all boards of every matchup is checked where the
// equity table is rebuilt byte for byte; here the rare hands and the cards
// that must not play.
TEST(HandEvaluator, ComparesRareShowdownsAsThePlainRuleDoes) {
    const struct {
        const char* what;
        const char* first;
        const char* second;
        int winner;  // 1, 2, or 0 for a split pot
    } cases[] = {
        {"wheel loses to six-high straight", "Ah2d3c4s5hKd9c", "2h3d4c5s6hKd9c", 2},
        {"ace never continues past the king", "QhKdAc2s3h8d9c", "QhKdAc2s4h8d9c", 0},
        {"pair kicker beyond the fifth card", "AdAc9h7s5d4h2c", "AdAc9h7s5d3h2c", 0},
        {"third pair does not play", "9d9c8h8sKd2h2c", "9d9c8h8sKd3h3c", 0},
        {"sixth suited card does not play", "AhKhQhJh9h2h3c", "AhKhQhJh9h3h2c", 0},
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
    ASSERT_TRUE(six.valid() && six.count() == 6);
    EXPECT_EQ(evaluator.category(evaluator.finish(six, 27)), HandCategory::FullHouse);
    for (int card : {13, 52, -3})  // held already, out of range
        EXPECT_EQ(evaluator.finish(six, card), kNoHand) << card;
    EXPECT_FALSE(evaluator.add(six, 27).valid()) << "a seventh card goes through finish";

    auto four = evaluator.start();
    for (int card : {0, 1, 2, 3})
        four = evaluator.add(four, card);
    EXPECT_EQ(evaluator.finish(evaluator.add(four, 4), 5), kNoHand) << "finish needs six cards";
    const auto repeated = evaluator.add(four, 3);
    EXPECT_FALSE(repeated.valid() || evaluator.add(repeated, 9).valid()) << "an invalid partial stays invalid";
    EXPECT_EQ(evaluator.finish(evaluator.add(repeated, 9), 10), kNoHand);
    EXPECT_EQ(evaluator.category(60000), HandCategory::HighCard) << "values beyond the last hand";
}
