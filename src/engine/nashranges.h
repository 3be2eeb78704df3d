#pragma once
// Opponents' ranges of a situation taken from the push/fold equilibrium of
// its table.

#include <string>

namespace torvel {

class ComputeProgress;
class GameState;
class HandRanking;

// The band [0, to) of the ranking whose combinations come closest to the
// share (the smaller band on a tie).
int topBandForShare(const HandRanking& ranking, double share);

// Solves the table of the situation (stacks plus bets, blinds, ante, the
// owner's payouts, action order from the button) and gives each opponent
// after the pusher the top band with the share of his equilibrium call
// range against that pusher; an all-in raiser before the hero gets his
// equilibrium push range the same way. Returns the reason when the
// situation cannot be modelled (limpers, raises that are not all-in), else
// empty; a cancelled solve leaves the ranges unchanged.
std::string assignNashRanges(GameState& g, ComputeProgress& progress);

}  // namespace torvel
