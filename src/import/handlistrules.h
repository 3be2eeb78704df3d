#pragma once
// The rules the hand list applies to a graded decision: how the hero's
// action is read once the situation is listed, and when it counts as right.

#include "engine/gamestate.h"

namespace torvel::import {

// The hero's action codes of an imported hand.
enum HeroAction : int {
    kHeroFolds = 0,
    kHeroCalls = 1,
    kHeroRaises = 2,
    kHeroAllIn = 3,
    kHeroChecks = 5  // checked his big blind: saw the flop without acting
};

// A hero marked all-in, or who called a push, went all-in.
void normaliseHeroAction(GameState& g);

// Right when the hero did what the verdict says, or checked his big blind
// where the verdict is fold.
bool decisionIsRight(const GameState& g);

}  // namespace torvel::import
