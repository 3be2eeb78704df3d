#pragma once
// Values of seven-card poker hands, fast enough to enumerate every board of
// a matchup: cards are added one by one to a Partial, so nested board loops
// pay one table step per card and two lookups for the last one.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace torvel {

enum class HandCategory : std::uint8_t {
    HighCard,
    OnePair,
    TwoPair,
    ThreeOfAKind,
    Straight,
    Flush,
    FullHouse,
    FourOfAKind,
    StraightFlush,
};
inline constexpr int kHandCategoryCount = 9;

const char* handCategoryName(HandCategory category);

// Strength of the best five cards: 1 (7-5-4-3-2 high) up to 7462 (royal
// flush); equal values split the pot. 0 means "no hand" (bad input).
using HandValue = std::uint16_t;
inline constexpr HandValue kNoHand = 0;
inline constexpr HandValue kHandValueCount = 7462;

class HandEvaluator {
public:
    // Cards added so far. Built only through the evaluator, so it never
    // holds a duplicate or an out-of-range card; a rejected add marks it
    // invalid instead.
    class Partial {
    public:
        int count() const { return count_; }
        bool valid() const { return count_ != kInvalid; }

    private:
        friend class HandEvaluator;
        static constexpr std::uint8_t kInvalid = 0xff;
        std::uint64_t used_ = 0;       // one bit per card
        std::uint64_t suitRanks_ = 0;  // 16 bits per suit, one per rank
        std::uint16_t node_ = 0;       // the multiset of ranks so far
        HandValue madeFlush_ = 0;      // best flush among the cards, if five share a suit
        std::uint8_t count_ = 0;
    };

    // Tables are built on first use (a few milliseconds), thread-safe.
    static const HandEvaluator& instance();

    // Value of exactly seven distinct cards 0..51; kNoHand otherwise.
    HandValue evaluate(std::span<const int> cards) const;

    Partial start() const { return {}; }
    // Adds a card to a partial of up to five cards; an invalid partial when
    // the card is out of range or already held, or the partial is invalid or
    // already holds six (the seventh goes through finish).
    Partial add(const Partial& partial, int card) const {
        Partial next = partial;
        if (!partial.valid() || partial.count_ >= 6 || card < 0 || card >= 52 || ((partial.used_ >> card) & 1u)) {
            next.count_ = Partial::kInvalid;
            return next;
        }
        const unsigned rank = kRankOf[card];
        const unsigned shift = 16u * kSuitOf[card];
        next.used_ |= std::uint64_t{1} << card;
        next.suitRanks_ |= std::uint64_t{1} << (shift + rank);
        next.node_ = steps_[partial.node_ * 13u + rank];
        if (const HandValue flush = flushValues_[(next.suitRanks_ >> shift) & 0x1fffu])
            next.madeFlush_ = flush;
        ++next.count_;
        return next;
    }

    // Value of the six cards of a partial plus one more; kNoHand unless the
    // partial holds six cards and the card is new and in range.
    HandValue finish(const Partial& six, int card) const {
        if (six.count_ != 6 || card < 0 || card >= 52 || ((six.used_ >> card) & 1u))
            return kNoHand;
        const unsigned rank = kRankOf[card];
        const unsigned suitMask = static_cast<unsigned>(six.suitRanks_ >> (16u * kSuitOf[card])) & 0x1fffu;
        // Five suited cards out of seven leave no room for a full house or
        // quads, so a flush, once there, is the hand.
        if (const HandValue flush = flushValues_[suitMask | (1u << rank)])
            return flush;
        if (six.madeFlush_)
            return six.madeFlush_;
        return steps_[six.node_ * 13u + rank];
    }

    // Category of a value; kNoHand and values above 7462 count as high card.
    HandCategory category(HandValue value) const {
        return static_cast<HandCategory>(categoryOf_[value <= kHandValueCount ? value : 0]);
    }

private:
    HandEvaluator();

    static constexpr std::array<std::uint8_t, 52> kRankOf = [] {
        std::array<std::uint8_t, 52> a{};
        for (int c = 0; c < 52; ++c)
            a[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c % 13);
        return a;
    }();
    static constexpr std::array<std::uint8_t, 52> kSuitOf = [] {
        std::array<std::uint8_t, 52> a{};
        for (int c = 0; c < 52; ++c)
            a[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c / 13);
        return a;
    }();

    // 13 entries per multiset of up to six ranks: the multiset with one
    // more card of that rank, or, from six ranks, the value of the seven.
    std::vector<std::uint16_t> steps_;
    // Best flush or straight flush of a suit's 13-bit rank mask; 0 below
    // five cards.
    std::vector<HandValue> flushValues_;
    std::array<std::uint8_t, kHandValueCount + 1> categoryOf_{};
};

}  // namespace torvel
