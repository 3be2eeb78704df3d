#include "import/handlistrules.h"

namespace torvel::import {

void normaliseHeroAction(GameState& g) {
    if (GameState::validSeat(g.heroSeat) && g.seats[static_cast<std::size_t>(g.heroSeat)].isAllIn)
        g.heroAction = kHeroAllIn;
    if (g.raiserSeat != -1 && g.heroAction == kHeroCalls)
        g.heroAction = kHeroAllIn;
}

bool decisionIsRight(const GameState& g) {
    return g.heroAction == g.decision || (g.decision == kDecisionFold && g.heroAction == kHeroChecks);
}

}  // namespace torvel::import
