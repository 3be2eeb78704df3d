#pragma once
// The import run over bytes, keeping everything it reports, and that as JSON.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/cards.h"
#include "engine/gamestate.h"
#include "import/historyimport.h"
#include "testfiles.h"

namespace torvel::testing {

struct ImportRecord {
    import::ImportSummary summary;
    std::vector<import::HandOutcome> hands;
    std::vector<std::unique_ptr<GameState>> decisions;
};

inline ImportRecord importBytes(const std::string& bytes) {
    ImportRecord record;
    import::ImportCallbacks callbacks;
    callbacks.onDecision = [&record](std::unique_ptr<GameState> g) { record.decisions.push_back(std::move(g)); };
    callbacks.onHand = [&record](const import::HandOutcome& hand) { record.hands.push_back(hand); };
    std::istringstream in(bytes);
    record.summary = import::importHistory(in, nullptr, callbacks);
    return record;
}

inline std::string fixturePath(const std::string& name) { return std::string(TORVEL_IMPORT_FIXTURES) + "/" + name; }

inline std::string fixture(const std::string& name) { return readText(fixturePath(name)); }

// Each unit as two bytes in the given order.
inline std::string utf16(const std::u16string& text, bool littleEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += littleEndian ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

// Every field the import fills, as the golden fixtures write it: flags and the hero's
// action only where set, ranges and the verdict only where not the import's own.
inline nlohmann::json situationJson(const GameState& g) {
    nlohmann::json out = {{"smallBlind", g.smallBlind}, {"bigBlind", g.bigBlind},   {"ante", g.ante},
                          {"playerCount", g.playerCount}, {"buttonSeat", g.buttonSeat}, {"heroSeat", g.heroSeat},
                          {"raiserSeat", g.raiserSeat},   {"heroAction", g.heroAction}, {"buyInText", g.buyInText},
                          {"seats", nlohmann::json::array()}};
    if (g.decision != kDecisionNotComputed)
        out["decision"] = g.decision;
    for (int i = 0; i < kSeatCount; ++i) {
        const SeatState& s = g.seats[static_cast<std::size_t>(i)];
        const bool hero = s.status == kSeatHero;
        if (!s.occupied())
            continue;
        nlohmann::json seat = {{"seat", i}, {"name", std::string(s.name)}, {"stack", s.stack}, {"bet", s.bet}};
        if (!hero || s.action != -1)
            seat["action"] = s.action;
        for (const auto& [flag, set] : {std::pair("hero", hero), std::pair("isButton", s.isButton),
                                        std::pair("isSmallBlind", s.isSmallBlind),
                                        std::pair("isBigBlind", s.isBigBlind), std::pair("isAllIn", s.isAllIn)})
            if (set)
                seat[flag] = true;
        if (hero)
            seat.update({{"cards", cardName(s.card1) + " " + cardName(s.card2)},
                         {"hand", handClassName(s.handLow, s.handHigh)}});
        if (s.rangeTo != (hero ? -1 : 100))
            seat["rangeTo"] = s.rangeTo;
        out["seats"].push_back(seat);
    }
    return out;
}

// The whole import: each hand's outcome, for a graded one with its situation.
inline nlohmann::json recordJson(const ImportRecord& record) {
    nlohmann::json out = {{"format", static_cast<int>(record.summary.format)},
                          {"handCount", record.summary.handCount},
                          {"relevantCount", record.summary.relevantCount},
                          {"hands", nlohmann::json::array()}};
    std::size_t next = 0;
    for (const import::HandOutcome& hand : record.hands) {
        nlohmann::json outcome = {{"handId", hand.handId}, {"status", import::statusName(hand.status)}};
        if (!hand.reason.empty())
            outcome["reason"] = hand.reason;
        // Decisions come in file order, each before its hand's outcome.
        if (hand.status == import::HandStatus::Relevant && next < record.decisions.size()) {
            const GameState& g = *record.decisions[next++];
            outcome.update(situationJson(g));
            if (g.handId != hand.handId)
                outcome["decisionOf"] = g.handId;
        }
        out["hands"].push_back(outcome);
    }
    if (next != record.decisions.size())
        out["decisionsLeft"] = record.decisions.size() - next;
    return out;
}

}  // namespace torvel::testing
