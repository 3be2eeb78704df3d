#pragma once
// Ranges are bands [from, to) of ranking positions; position 0 is the
// strongest class.

namespace torvel {

class HandRanking;

// Card combinations in positions [from, min(to, 169)); 0 when the band is
// empty. Note the order: end first, start second.
int combosInRange(const HandRanking& ranking, int to, int from);

// Share of the 1326 combinations held by the band.
double rangeComboShare(const HandRanking& ranking, int to, int from);

// Size of a band of n classes in percent of the 169 classes.
double rangePercent(int classCount);

// Classes in a profile value of p percent: truncate(p * 1.69).
int classesForPercent(float percent);

}  // namespace torvel
