#include "engine/ranges.h"

#include <algorithm>

#include "engine/cards.h"
#include "engine/constants.h"
#include "engine/handranking.h"

namespace torvel {

int combosInRange(const HandRanking& ranking, int to, int from) {
    const int end = std::min({to, kHandClassCount, ranking.size()});
    int combos = 0;
    for (int p = std::max(from, 0); p < end; ++p)
        combos += combosOfClass(ranking.classAt(p));
    return combos;
}

double rangeComboShare(const HandRanking& ranking, int to, int from) {
    return combosInRange(ranking, to, from) / static_cast<double>(kComboCount);
}

double rangePercent(int classCount) { return classCount * 100.0 / kHandClassCount; }

int classesForPercent(float percent) { return static_cast<int>(percent * kPercentToClasses); }

}  // namespace torvel
