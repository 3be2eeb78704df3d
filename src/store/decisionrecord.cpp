#include "store/decisionrecord.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "cli/situationjson.h"
#include "engine/cards.h"
#include "engine/positions.h"
#include "import/handlistrules.h"

namespace torvel::store {

double DecisionRecord::equityLost() const { return correct ? 0.0 : 100.0 * std::fabs(evPush - evFold); }

std::string profileName(int profile) {
    switch (profile) {
    case 1:
        return "medium";
    case 2:
        return "loose";
    case cli::kNashProfile:
        return "nash";
    default:
        return "tight";
    }
}

DecisionRecord recordFromGraded(const GameState& g, int profile) {
    DecisionRecord r;
    r.site = g.site;
    r.tournamentId = g.tournamentId;
    r.handId = g.handId;
    r.playedAt = g.playedAt;
    if (GameState::validSeat(g.heroSeat))
        r.hero = g.seats[static_cast<std::size_t>(g.heroSeat)].name;
    cli::SituationRequest request;
    request.profile = profile;
    request.answer = g.heroAction;
    double paid = 0.0;
    for (int place = 0; place < kSeatCount; ++place)
        paid += g.icm.payouts[place];
    if (paid > 0.0)
        for (int place = 0; place < kSeatCount; ++place)
            request.payouts[static_cast<std::size_t>(place)] = g.icm.payouts[place] * 100.0;
    nlohmann::json situation = cli::situationJson(g, request);
    situation["profile"] = profileName(profile);
    r.situation = situation.dump();
    r.heroAction = g.heroAction;
    r.decision = g.decision;
    r.evPush = static_cast<double>(g.evPush);
    r.evFold = static_cast<double>(g.evFold);
    r.profile = profileName(profile);
    deriveFromSituation(r);
    return r;
}

bool deriveFromSituation(DecisionRecord& record) {
    const nlohmann::json input = nlohmann::json::parse(record.situation, nullptr, false);
    GameState g(nullptr);
    cli::SituationRequest request;
    if (input.is_discarded() || !cli::readSituation(input, g, request, cli::DeadButton::Accepted).empty() || !GameState::validSeat(g.heroSeat))
        return false;
    const SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
    record.hand = handClassName(hero.handLow, hero.handHigh);
    record.stackBigBlinds = g.bigBlind > 0 ? static_cast<double>(hero.totalChips()) / g.bigBlind : 0.0;
    record.position.clear();
    for (const SeatPosition& p : walkPositions(g))
        if (p.seat == g.heroSeat)
            record.position = positionName(p.k);
    g.heroAction = record.heroAction;
    g.decision = record.decision;
    record.correct = import::decisionIsRight(g);
    return true;
}

bool restoreSituation(const DecisionRecord& record, GameState& g) {
    const nlohmann::json input = nlohmann::json::parse(record.situation, nullptr, false);
    cli::SituationRequest request;
    if (input.is_discarded() || !cli::readSituation(input, g, request).empty())
        return false;
    g.site = record.site;
    g.tournamentId = record.tournamentId;
    g.handId = record.handId;
    g.playedAt = record.playedAt;
    g.heroAction = record.heroAction;
    g.decision = record.decision;
    g.evPush = static_cast<float>(record.evPush);
    g.evFold = static_cast<float>(record.evFold);
    return true;
}

}  // namespace torvel::store
