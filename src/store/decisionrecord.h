#pragma once
// One graded decision as the hand database keeps it: where it was played,
// the situation as it was graded (the situation JSON of torvel-cli), the
// hero's action, the verdict and the two equities.

#include <string>

#include "engine/gamestate.h"

namespace torvel::store {

struct DecisionRecord {
    std::string site;
    std::string tournamentId;
    std::string handId;
    std::string hero;      // the hero's name at the table
    std::string playedAt;  // "YYYY-MM-DD HH:MM:SS" or empty
    std::string situation;  // JSON text
    int heroAction = -1;
    int decision = kDecisionNotComputed;
    double evPush = 0.0;  // shares of the prize pool
    double evFold = 0.0;
    std::string profile;  // "tight", "medium", "loose", "nash"
    // Read from the situation, kept for the report.
    std::string position;  // "Button", "Big Blind", ...
    std::string hand;      // "AKs"
    double stackBigBlinds = 0.0;  // the hero's chips before the blinds, in big blinds
    bool correct = false;

    // What the mistake cost, in percent of the prize pool; 0 when right.
    double equityLost() const;
};

// The record of a graded situation (the analysis has run and the hero's
// action is normalised). profile is 0, 1, 2 or cli::kNashProfile.
DecisionRecord recordFromGraded(const GameState& g, int profile);

// Position, hand, stack and verdict of a record, from its situation JSON
// and its action and decision. False when the situation cannot be read.
bool deriveFromSituation(DecisionRecord& record);

// The situation of a record as it was graded, with the hero's action, the
// verdict, the equities and where it was played; false when the stored
// situation cannot be read (g is then unusable).
bool restoreSituation(const DecisionRecord& record, GameState& g);

std::string profileName(int profile);  // "tight", "medium", "loose", "nash"

}  // namespace torvel::store
