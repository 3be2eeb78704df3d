#pragma once
// Chip stacks to shares of the prize pool under the Independent Chip Model
// (Malmuth-Harville): a player finishes first with probability stack / total
// chips, and each later place is filled by the same rule among the players
// not yet placed.

namespace torvel {

class IcmModel {
public:
    void setStack(int player, int chips);
    void setPayout(int place, double share);
    int stack(int player) const;
    double payout(int place) const;

    // Fills placeProbability and equity from the stacks and payouts. Places
    // whose payout is 0 or less are not computed; when place 1 is unpaid no
    // place but the tenth is. Place 10 takes what places 1..9 leave.
    void compute();

    double placeProbability[10][10] = {};
    int stacks[10] = {};
    double payouts[10] = {};
    double equity[10] = {};
};

}  // namespace torvel
