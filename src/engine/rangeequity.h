#pragma once
// Lookups of class-against-class showdown counts, shared by the range
// equities of the situation record.

#include "engine/cards.h"

namespace torvel {

class EquityTable;

struct MatchupShare {
    bool found = false;
    double share = 0.0;   // outcomes won by the side of interest, ties half
    double weight = 0.0;  // outcomes counted
};

// The matchup of a against b, a being the side of interest: first the record
// stored as (b, a), then the one stored as (a, b). A record is used only when
// its class bytes match exactly, and no key outside the table is read. A
// share of exactly 1.0 counts with the weight of half the boards of one
// combination pair.
MatchupShare lookupMatchup(const EquityTable& table, const HandClass& a, const HandClass& b);

}  // namespace torvel
