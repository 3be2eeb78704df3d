#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine/cards.h"
#include "engine/handevaluator.h"

using namespace torvel;

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
    // Seven cards always beat 7-5-4-3-2: of the 7462 distinct five-card hands only 4824 show up.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 4824);
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
    EXPECT_EQ(evaluator.evaluate(std::vector<int>{0, 13, 26, 1, 14, 5, 27}), evaluator.finish(six, 27));
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
