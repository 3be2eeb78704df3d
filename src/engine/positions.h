#pragma once
// Position names of the players, counted back from the big blind.

#include <string>
#include <vector>

namespace torvel {

class GameState;

// "Big Blind", "Small Blind", "Button", "Cut Off", "MP+2", "MP+1", "MP",
// "UTG+2", "UTG+1", "UTG" for k = 1..10 players from the big blind back;
// empty outside 1..10.
std::string positionName(int k);

struct SeatPosition {
    int seat;
    int k;  // players from the big blind back, 1 = the big blind
};

// The seats in the order they act, from the first after the big blind to
// the big blind, each with its count k (playerCount down to 1). Writes the
// position name of every seat but the hero into its position field. Stops
// after the seat flagged as big blind, and after one round at most.
std::vector<SeatPosition> walkPositions(GameState& g);

}  // namespace torvel
