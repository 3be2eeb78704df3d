#pragma once
// Opponents' ranges of a situation taken from the push/fold equilibrium of
// its table.

#include <string>
#include <vector>

#include "engine/nashsolver.h"

namespace torvel {

class ComputeProgress;
class GameState;
class HandRanking;

// The table of a situation as the solver sees it, and where its players sit.
struct NashSpot {
    NashTable table;
    std::vector<int> seats;  // seat of each player, in action order
    int heroAt = -1;         // the hero's place in the action order
    int pusherAt = -1;       // the all-in raiser before the hero, else the hero
};

// Builds the table of a situation: stacks plus bets in preflop action order
// from the button, its blinds, ante and the owner's payouts. Returns the
// reason when there is no table (no owner, no button, fewer than two
// players, or one the solver refuses), else empty.
std::string nashTableOf(const GameState& g, NashSpot& spot);

// As nashTableOf, and the hero's spot must be one the game knows: only
// folds and at most one all-in raiser before him, who is not the big blind.
std::string nashSpotOf(const GameState& g, NashSpot& spot);

// The opponents' ranges of a spot from a solved profile of its table.
void applyNashRanges(GameState& g, const NashSpot& spot, const NashProfile& profile);

// The hero's own equilibrium range of a spot: his push range when first
// in, else his call range against the raiser.
const ClassStrategy& heroNashRange(const NashSpot& spot, const NashProfile& profile);

// The classes of a pushing-range text as the analysis writes it ("Any two",
// or parts such as "55+", "A2s+", "K9o+": each from that class up to the
// one below the pair); parts it cannot read are left out.
ClassStrategy classesOfPushRangeText(const std::string& text);

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
