#pragma once
// Running the import over bytes or a fixture file and keeping everything it
// reports, plus a field-by-field comparison of two situations.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/gamestate.h"
#include "import/historyimport.h"

namespace torvel::testing {

struct ImportRecord {
    import::ImportSummary summary;
    std::vector<import::HandOutcome> hands;
    std::vector<std::unique_ptr<GameState>> decisions;

    const GameState* decision(const std::string& handId) const {
        for (const auto& g : decisions)
            if (g->handId == handId)
                return g.get();
        return nullptr;
    }
};

inline ImportRecord importBytes(const std::string& bytes, GameStateOwner* owner = nullptr) {
    ImportRecord record;
    import::ImportCallbacks callbacks;
    callbacks.onDecision = [&record](std::unique_ptr<GameState> g) { record.decisions.push_back(std::move(g)); };
    callbacks.onHand = [&record](const import::HandOutcome& hand) { record.hands.push_back(hand); };
    std::istringstream in(bytes);
    record.summary = import::importHistory(in, owner, callbacks);
    return record;
}

inline std::string fixturePath(const std::string& name) { return std::string(TORVEL_IMPORT_FIXTURES) + "/" + name; }

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string fixture(const std::string& name) { return readFile(fixturePath(name)); }

// Every field the import fills, seat by seat.
inline void expectSameSituation(const GameState& actual, const GameState& expected, bool withNames = true) {
    EXPECT_EQ(actual.smallBlind, expected.smallBlind);
    EXPECT_EQ(actual.bigBlind, expected.bigBlind);
    EXPECT_EQ(actual.ante, expected.ante);
    EXPECT_EQ(actual.playerCount, expected.playerCount);
    EXPECT_EQ(actual.buttonSeat, expected.buttonSeat);
    EXPECT_EQ(actual.heroSeat, expected.heroSeat);
    EXPECT_EQ(actual.raiserSeat, expected.raiserSeat);
    EXPECT_EQ(actual.heroAction, expected.heroAction);
    for (std::size_t s = 0; s < actual.seats.size(); ++s) {
        SCOPED_TRACE("seat " + std::to_string(s));
        const SeatState& a = actual.seats[s];
        const SeatState& e = expected.seats[s];
        EXPECT_EQ(a.status, e.status);
        if (!e.occupied())
            continue;
        EXPECT_EQ(a.stack, e.stack);
        EXPECT_EQ(a.bet, e.bet);
        EXPECT_EQ(a.action, e.action);
        EXPECT_EQ(a.isButton, e.isButton);
        EXPECT_EQ(a.isSmallBlind, e.isSmallBlind);
        EXPECT_EQ(a.isBigBlind, e.isBigBlind);
        EXPECT_EQ(a.rangeTo, e.rangeTo);
        if (withNames) {
            EXPECT_STREQ(a.name, e.name);
        }
        if (e.status == kSeatHero) {
            EXPECT_EQ(a.isAllIn, e.isAllIn);
            EXPECT_EQ(a.card1, e.card1);
            EXPECT_EQ(a.card2, e.card2);
            EXPECT_EQ(a.handLow, e.handLow);
            EXPECT_EQ(a.handHigh, e.handHigh);
        }
    }
}

// The same hands with the same outcomes and the same situations.
inline void expectSameImport(const ImportRecord& actual, const ImportRecord& expected) {
    EXPECT_EQ(actual.summary.handCount, expected.summary.handCount);
    EXPECT_EQ(actual.summary.relevantCount, expected.summary.relevantCount);
    ASSERT_EQ(actual.hands.size(), expected.hands.size());
    for (std::size_t i = 0; i < actual.hands.size(); ++i) {
        EXPECT_EQ(actual.hands[i].handId, expected.hands[i].handId);
        EXPECT_EQ(actual.hands[i].status, expected.hands[i].status);
        EXPECT_EQ(actual.hands[i].reason, expected.hands[i].reason);
    }
    ASSERT_EQ(actual.decisions.size(), expected.decisions.size());
    for (std::size_t i = 0; i < actual.decisions.size(); ++i) {
        SCOPED_TRACE("hand " + expected.decisions[i]->handId);
        EXPECT_EQ(actual.decisions[i]->handId, expected.decisions[i]->handId);
        expectSameSituation(*actual.decisions[i], *expected.decisions[i]);
    }
}

}  // namespace torvel::testing
