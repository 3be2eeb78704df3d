#pragma once
// The situation as JSON for torvel-cli: reading a situation with its
// payouts, profile and answer, and writing the analysis results.

#include <array>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/gamestate.h"
#include "engine/plainowner.h"

namespace torvel::cli {

// The profile value "nash": ranges from the equilibrium of the table.
inline constexpr int kNashProfile = 3;

// Payout percentages are summed in floating point.
inline constexpr double kPayoutSumTolerance = 1e-6;

struct SituationRequest {
    std::array<double, 10> payouts{50, 30, 20, 0, 0, 0, 0, 0, 0, 0};
    int profile = -1;  // -1: keep the ranges given; 0..2 or kNashProfile
    int answer = -2;
};

// Fills g (already constructed with its owner) and request from the JSON
// object. Returns an empty string on success, else a one-line reason.
// Situations read back from hand histories may keep a dead button (on a
// seat its player left); a situation typed by hand may not.
enum class DeadButton { Refused, Accepted };
std::string readSituation(const nlohmann::json& input, GameState& g, SituationRequest& request,
                          DeadButton deadButton = DeadButton::Refused);

// The results of an analysis, with the errors the engine reported.
nlohmann::json analysisJson(const GameState& g, const std::vector<ReportedError>& errors);

// A situation in the form readSituation reads (hero cards as text).
nlohmann::json situationJson(const GameState& g, const SituationRequest& request);

// The profile number of "tight"/"medium"/"loose" or 0/1/2; -1 if neither.
int profileFromJson(const nlohmann::json& value);

}  // namespace torvel::cli
