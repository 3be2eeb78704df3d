#pragma once
// The leak report: what the hero's mistakes cost and where they cluster,
// by position, by stack depth and by kind, with the costliest hands.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "store/decisionrecord.h"

namespace torvel::store {

struct LeakGroup {
    std::string name;
    int decisions = 0;
    int mistakes = 0;
    double equityLost = 0.0;  // percent of a prize pool
};

struct LeakReport {
    LeakGroup total;
    std::vector<LeakGroup> byPosition;  // acting order, UTG first; only positions met
    std::vector<LeakGroup> byStack;     // every band: "0-5", "5-8", "8-12", "12-15", "15+"
    // "push": went in where folding was right; "fold": folded where pushing was.
    std::vector<LeakGroup> byMistake;
    std::vector<DecisionRecord> costliest;  // at most ten, costliest first
};

// The stack band of a depth in big blinds; the lower bound belongs to it.
std::string stackBand(double bigBlinds);

LeakReport leakReport(const std::vector<DecisionRecord>& decisions);
nlohmann::json leakReportJson(const LeakReport& report);

}  // namespace torvel::store
