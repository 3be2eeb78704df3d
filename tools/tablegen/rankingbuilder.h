#pragma once
// Builds the ranking.res content from an equity table: the 169 classes from
// strongest to weakest by all-in equity against a random hand.

#include "engine/equitytable.h"
#include "engine/handranking.h"

namespace torvel::tablegen {

// Bumped whenever the meaning of the extra bytes and values changes.
inline constexpr std::uint8_t kRankingFormatVersion = 1;

// The equity of a class against a random hand is, over every class B,
// sum(wins + ties / 2) / sum(total) of its records: the records count every
// pair of disjoint combinations and every board alike, so this weights
// each opponent class by its combinations, with card removal. Classes are
// ordered by that equity, compared exactly; equal equities (none occur in
// our table) keep the order of allHandClasses(). Each entry holds:
//   extra1  the number of combinations of the class (6, 4 or 12)
//   extra2  kRankingFormatVersion
//   value1  the equity in millionths, rounded half up
//   value2  the combinations of this and all stronger classes (1326 last)
// Fails when a record of a real matchup is missing, names other classes or
// holds impossible counts.
LoadResult buildRanking(const EquityTable& table, HandRanking& ranking);

}  // namespace torvel::tablegen
