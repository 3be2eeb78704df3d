#pragma once
// What "Compute" does to a situation: check it, find the hero's whole
// correct push (or call) range by probing hands, then analyse the real hand.
// Progress and cancel go through an interface, so the program can show a
// progress dialog and the command-line tool nothing.

#include <string>

namespace torvel {

class GameState;

class ComputeProgress {
public:
    virtual ~ComputeProgress() = default;
    virtual void setValue(int value) = 0;
    virtual bool wasCanceled() const = 0;
};

// Reports nothing and is never cancelled.
class SilentProgress : public ComputeProgress {
public:
    void setValue(int) override {}
    bool wasCanceled() const override { return false; }
};

inline constexpr int kComputeProgressSteps = 5;
inline constexpr int kNoAnswer = -2;

struct DriverResult {
    bool refused = false;
    std::string refusal;  // the warning text when refused
    // The answer was checked against the verdict: count it, and count it
    // right when correct.
    bool correct = false;
};

// The refusal text for a situation that cannot be analysed, or empty.
std::string refusalFor(const GameState& g);

// Runs the checks, the push-range scan and the final analysis with the given
// answer (3 push, 0 fold, kNoAnswer, or an imported hero action).
DriverResult runComputeDriver(GameState& g, int answer, ComputeProgress& progress);

// The text of the pushing range found by probing: "Any two ", or the
// weakest pushing pair, suited and offsuit hand per high card ("22+, A2s+,
// K9o+"). Runs analyze with the hero's class changed and leaves it changed.
std::string scanPushRange(GameState& g, int answer, ComputeProgress& progress);

}  // namespace torvel
