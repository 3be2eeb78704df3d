#pragma once
// Made-up tables whose numbers can be checked by hand: the ranking is the order of allHandClasses() (13 pairs,
// the suited hands from AKs down, then the offsuit ones); a matchup's equity is a function of the two positions.

#include <functional>
#include <tuple>

#include "engine/cards.h"
#include "engine/constants.h"
#include "engine/equitytable.h"
#include "engine/handranking.h"
#include "engine/plainowner.h"

namespace torvel::testing {

// equity(a, b) of position a against position b; must give 0.5 for a == b.
using PositionEquity = std::function<double(int, int)>;

// The stronger ranking position wins 60 % of the time; equal positions split.
inline double strongerWins(int a, int b) { return a == b ? 0.5 : (a < b ? 0.6 : 0.4); }

inline void fillSyntheticTables(PlainOwner& owner, const PositionEquity& equity) {
    const auto& classes = allHandClasses();
    std::vector<RankingEntry> entries;
    for (const auto& c : classes)
        entries.push_back({static_cast<std::uint8_t>(c.low), static_cast<std::uint8_t>(c.high), 0, 0, 0, 0});
    owner.mutableHandRanking().setEntries(entries);

    std::vector<EquityRecord> records(kMatchupKeyCount, EquityRecord{255, 255, 255, 255, 0, 0, 0});
    for (int a = 0; a < kHandClassCount; ++a)
        for (int b = 0; b < kHandClassCount; ++b) {
            const HandClass& ca = classes[static_cast<std::size_t>(a)];
            const HandClass& cb = classes[static_cast<std::size_t>(b)];
            // One basis for all: every combination pair counts 1000 outcomes.
            const int total = combosOfClass(ca) * combosOfClass(cb) * 1000;
            auto& r = records[static_cast<std::size_t>(matchupKey(ca, cb))];
            r = {static_cast<std::uint8_t>(ca.low), static_cast<std::uint8_t>(ca.high),
                 static_cast<std::uint8_t>(cb.low), static_cast<std::uint8_t>(cb.high),
                 static_cast<std::int32_t>(equity(a, b) * total + 0.5), 0, total};
        }
    owner.mutableEquityTable().setRecords(std::move(records));
}

// The same equities on the basis of table.res (combination pairs times boards, both orders adding up), so
// the tables pass the loader's checks when written to disk.
inline void fillLoadableSyntheticTables(PlainOwner& owner, const PositionEquity& equity) {
    fillSyntheticTables(owner, equity);
    const auto& classes = allHandClasses();
    std::vector<EquityRecord> records = owner.equityTable().records();
    for (int a = 0; a < kHandClassCount; ++a)
        for (int b = a; b < kHandClassCount; ++b) {
            const HandClass& ca = classes[static_cast<std::size_t>(a)];
            const HandClass& cb = classes[static_cast<std::size_t>(b)];
            const auto total = static_cast<std::int32_t>(disjointComboPairs(ca, cb) * kBoardsPerComboPair);
            const auto wins = a == b ? total / 2 : static_cast<std::int32_t>(equity(a, b) * total + 0.5);
            auto& forward = records[static_cast<std::size_t>(matchupKey(ca, cb))];
            auto& backward = records[static_cast<std::size_t>(matchupKey(cb, ca))];
            std::tie(forward.wins, forward.ties, forward.total) = std::tuple(wins, 0, total);
            std::tie(backward.wins, backward.ties, backward.total) = std::tuple(total - wins, 0, total);
        }
    owner.mutableEquityTable().setRecords(std::move(records));
}

}  // namespace torvel::testing
