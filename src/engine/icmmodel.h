#pragma once
// Chip stacks to shares of the prize pool under the Independent Chip Model
// (Malmuth-Harville): a player finishes first with probability stack / total
// chips, and each later place is filled by the same rule among the players
// not yet placed.

namespace torvel {

class IcmModel {
public:
    void setStack(int player, long long chips);
    void setPayout(int place, double share);
    long long stack(int player) const;
    double payout(int place) const;

    // Fills placeProbability and equity from the stacks and payouts. Later
    // places whose payout is 0 or less are not computed, except that a paid tenth
    // place needs all nine before it: it takes what they leave.
    void compute();

    double placeProbability[10][10] = {};
    // Ten stacks together overflow 32 bits.
    long long stacks[10] = {};
    double payouts[10] = {};
    double equity[10] = {};
};

}  // namespace torvel
