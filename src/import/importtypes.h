#pragma once
// What the hand-history grammars report to the importer and its callers:
// the layouts, the fate of each hand and the callbacks that receive them.

#include <functional>
#include <memory>
#include <string>

#include "engine/gamestate.h"

namespace torvel::import {

// The layout of a file, decided once per file from its first lines.
enum class HistoryFormat : int {
    PartyGameNo = 0,      // PartyPoker, "#Game No : " headers
    PokerStars = 1,       // "PokerStars Game #", "PokerStars Hand #"
    FullTilt = 2,         // "Full Tilt Poker Game #"
    PartyHandHistory = 3,  // PartyPoker "***** Hand History for Game", e-mailed transcripts
    GGPoker = 4,           // "Poker Hand #TM…"
    Winamax = 5,           // "Winamax Poker - Tournament …"
    IPoker = 6,            // XML session files
    WinningPoker = 7,      // "Game Hand #… - Tournament #…" (ACR)
    Bovada = 8,            // "Bovada Hand #", "Ignition Hand #"
    Pacific = 9            // 888poker, "***** 888poker Hand History for Game …"
};

inline constexpr HistoryFormat kAllHistoryFormats[] = {
    HistoryFormat::PartyGameNo, HistoryFormat::PokerStars,   HistoryFormat::FullTilt, HistoryFormat::PartyHandHistory,
    HistoryFormat::GGPoker,     HistoryFormat::Winamax,      HistoryFormat::IPoker,   HistoryFormat::WinningPoker,
    HistoryFormat::Bovada,      HistoryFormat::Pacific};

// What became of one recognised hand.
enum class HandStatus { Relevant, NotRelevant, Dropped };

struct HandOutcome {
    std::string handId;
    HandStatus status = HandStatus::Dropped;
    // Why a hand was not graded, in words for the user; empty when relevant.
    std::string reason;
};

struct ImportCallbacks {
    // A relevant decision: blinds, antes and bets are in place and the
    // hero's action is set; the receiver owns it from here on. Ranges and
    // the analysis are the receiver's business.
    std::function<void(std::unique_ptr<GameState>)> onDecision;
    // Every recognised hand, relevant or not, once it is over (for a
    // relevant one after onDecision). Optional.
    std::function<void(const HandOutcome&)> onHand;
};

std::string statusName(HandStatus status);  // "relevant", "not relevant", "dropped"
std::string siteName(HistoryFormat format);  // "PokerStars", "GGPoker", "888poker", ...

}  // namespace torvel::import
