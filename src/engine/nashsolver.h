#pragma once
// The push/fold equilibrium of a Sit-and-Go table under ICM.
//
// The game: players in preflop action order (the big blind last) post the
// ante, then the blinds; the first player not to fold pushes all-in; each
// later player calls or folds, and the first caller alone goes to showdown
// with the pusher. Payoffs are ICM equities of the stacks after the hand.
// A player's class is drawn from the 169 classes; within a confrontation
// the two classes are weighted by the card combinations they can hold
// together, and nobody else's cards are conditioned on.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/constants.h"

namespace torvel {

class ComputeProgress;
class EquityTable;

struct NashTable {
    std::vector<std::int64_t> stacks;  // chips before posting, in action order
    std::int64_t smallBlind = 0;
    std::int64_t bigBlind = 0;
    std::int64_t ante = 0;
    std::array<double, kPlaceCount> payouts{};  // shares of the prize pool by place
};

struct HandClass;

// The place of a class in allHandClasses(), -1 when it is not one of them.
int classIndex(const HandClass& c);

// A probability per class, indexed like allHandClasses().
using ClassStrategy = std::array<double, kHandClassCount>;

struct NashProfile {
    std::vector<ClassStrategy> push;  // per player but the big blind
    std::vector<ClassStrategy> call;  // per (pusher, later player), see callIndex
};

// Position of the (pusher, caller) pair in NashProfile::call for n players.
int callIndex(int players, int pusher, int caller);

struct NashReport {
    std::vector<double> equity;          // each player's ICM equity under the profile
    std::vector<double> exploitability;  // what a best response would gain
    double worst() const;
};

// The game of one table with its showdown equities and outcome payoffs
// computed once; evaluating a profile is then matrix work only.
class NashGame {
public:
    // The reason a table cannot be played, or empty.
    static std::string refusalFor(const NashTable& table);
    // The table must be accepted by refusalFor; the equity table must hold
    // every class matchup (see ok()).
    NashGame(const NashTable& table, const EquityTable& equities);

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    int players() const { return players_; }

    // Equities of the outcomes, each a vector over the players: winner
    // takes the blinds and antes uncalled, and the two showdown results.
    const std::vector<double>& uncalledWin(int winner) const { return uncalled_[static_cast<std::size_t>(winner)]; }
    const std::vector<double>& showdown(int pusher, int caller, bool pusherWins) const;
    // Stacks after each outcome, for checks.
    std::vector<std::int64_t> stacksAfterUncalled(int winner) const;
    std::vector<std::int64_t> stacksAfterShowdown(int pusher, int caller, bool pusherWins) const;

    NashProfile uniformProfile(double probability) const;
    NashReport evaluate(const NashProfile& profile) const;

    // Pusher's all-in equity against the class of the caller, and the
    // combinations the two classes hold together.
    double pusherEquity(int pusherClass, int callerClass) const;
    int combosTogether(int classA, int classB) const;

    // The values to the acting player of playing on (push or call) and of
    // folding at every decision, the others' reach included: push decisions
    // of player i at [i * 169 + class], then the call decisions of each
    // pair at [(players - 1 + callIndex) * 169 + class]. Also each player's
    // equity under the profile.
    void actionValues(const NashProfile& profile, std::vector<double>& pushValue, std::vector<double>& foldValue,
                      std::vector<double>& equity) const;

private:
    int players_ = 0;
    std::string error_;
    std::vector<std::int64_t> totals_;
    std::vector<std::int64_t> posted_;
    std::array<double, kPlaceCount> payouts_{};
    std::vector<std::vector<double>> uncalled_;
    std::vector<std::vector<double>> pusherWins_, callerWins_;  // by callIndex
    std::vector<double> joint_;                                 // [a * 169 + b]: weight of the two classes together
    std::vector<double> winJoint_;                              // joint times the equity of row class a
    std::vector<double> winJointT_;                             // the transpose of winJoint_
    std::vector<double> weight_;                                // share of the 1326 combinations per class
    std::vector<double> equity_;

    std::vector<double> outcomeEquity(const std::vector<std::int64_t>& after) const;
};

struct NashOptions {
    double accuracy = 1e-5;  // stop when every player's exploitability is at most this
    int maxIterations = 200000;
    // Told the exploitability of the best profile so far at every check.
    std::function<void(double)> reached;
};

struct NashResult {
    std::string error;  // the table or data cannot be solved; nothing else is set
    bool canceled = false;
    bool converged = false;
    NashProfile profile;
    NashReport report;
    int iterations = 0;
};

// Solves by discounted regret minimisation and returns the averaged
// strategies with their exploitability. Progress runs 0..100; a cancel
// returns the best profile found so far, flagged canceled.
NashResult solveNash(const NashTable& table, const EquityTable& equities, const NashOptions& options,
                     ComputeProgress& progress);

// The classes of a range with probability at least one half in the
// program's range notation: the pairs, then the suited, then the offsuit
// hands per high card; a run from the top is "X+", others "X-Y" or "X".
std::string nashRangeText(const ClassStrategy& range);

// The share of the 1326 combinations of a range, its probabilities counted.
double comboShare(const ClassStrategy& range);

// Short position names by players counted back from the big blind: 1 is
// "BB", 2 "SB" (heads-up the button, who posts it), 3 "BU", 4 "CO", up to
// 10 "UTG"; empty outside 1..10.
std::string shortPositionName(int fromBigBlind);

}  // namespace torvel
