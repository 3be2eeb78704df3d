#pragma once
// Numbers of the preflop domain that the engine and the data files share.

#include <cstdint>

namespace torvel {

inline constexpr int kRankCount = 13;
inline constexpr int kSuitCount = 4;
inline constexpr int kCardCount = 52;
inline constexpr int kSeatCount = 10;
inline constexpr int kPlaceCount = 10;

// Starting-hand classes: 13 pairs, 78 suited and 78 offsuit.
inline constexpr int kHandClassCount = 169;
// Two-card combinations: C(52, 2).
inline constexpr int kComboCount = 1326;
inline constexpr int kPairCombos = 6;
inline constexpr int kSuitedCombos = 4;
inline constexpr int kOffsuitCombos = 12;

// A class index "high" runs 0..25 (offsuit and pairs carry +13).
inline constexpr int kClassHighCount = 2 * kRankCount;
// Slots of the matchup key: 13 x 26 x 13 x 26.
inline constexpr int kMatchupKeyCount = kRankCount * kClassHighCount * kRankCount * kClassHighCount;
static_assert(kMatchupKeyCount == 114244);

// Room the loaders make for the records of the two data files.
inline constexpr int kEquityTableCapacity = 115000;
inline constexpr int kHandRankingCapacity = 171;

// A profile value of p percent is the top truncate(p * 1.69) classes.
inline constexpr float kPercentToClasses = 1.69f;

// Weight given to a matchup whose share is exactly 1.0; half the boards of
// one combination pair (C(48, 5) / 2).
inline constexpr double kCertainMatchupWeight = 856152.0;

// Five-card boards from the 48 cards left after two hole-card pairs.
inline constexpr std::int64_t kBoardsPerComboPair = 1712304;
static_assert(kBoardsPerComboPair == 2 * 856152);

// The largest stack a seat may be given: ten of them and the pot still
// fit a 32-bit chip count.
inline constexpr int kMaxStackChips = 100000000;

// Fixed text buffers of the situation record.
inline constexpr int kNameLength = 32;
inline constexpr int kPositionLength = 20;
inline constexpr int kPushRangeTextLength = 512;

}  // namespace torvel
