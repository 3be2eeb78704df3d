#pragma once
// Builds the whole table.res content: the exact showdown counts of every
// class against every class, over all pairs of disjoint combinations and
// all boards.

#include <functional>

#include "engine/equitytable.h"

namespace torvel::tablegen {

// Called now and then from a worker thread with the share of work done.
using ProgressCallback = std::function<void(double fraction)>;

// Record k holds the matchup with key k; keys that name no pair of
// canonical classes hold classes 255 and zero counts.
EquityTable buildEquityTable(int threads, const ProgressCallback& progress = {});

}  // namespace torvel::tablegen
