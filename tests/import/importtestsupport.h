#pragma once
// Running the import over bytes or a fixture file and keeping everything it
// reports, plus a field-by-field comparison of two situations.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

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

// Every field the import fills, seat by seat.
inline void expectSameSituation(const GameState& actual, const GameState& expected, bool withNames = true) {
    const auto table = [](const GameState& g) {
        return std::tuple(g.smallBlind, g.bigBlind, g.ante, g.playerCount, g.buttonSeat, g.heroSeat, g.raiserSeat,
                          g.heroAction);
    };
    EXPECT_EQ(table(actual), table(expected)) << "blinds, ante, players, button, hero, raiser, hero action";
    for (std::size_t i = 0; i < actual.seats.size(); ++i) {
        const SeatState& a = actual.seats[i];
        const SeatState& e = expected.seats[i];
        const auto seat = [withNames](const SeatState& s) {
            return std::tuple(s.status, s.stack, s.bet, s.action, s.isButton, s.isSmallBlind, s.isBigBlind, s.rangeTo,
                              withNames ? std::string(s.name) : "");
        };
        const auto hero = [](const SeatState& s) {
            return std::tuple(s.isAllIn, s.card1, s.card2, s.handLow, s.handHigh);
        };
        if (!e.occupied()) {
            EXPECT_EQ(a.status, e.status) << "seat " << i;
        } else {
            EXPECT_EQ(seat(a), seat(e)) << "seat " << i << ": status, stack, bet, action, button, blinds, range, name";
        }
        if (e.status == kSeatHero) {
            EXPECT_EQ(hero(a), hero(e)) << "hero seat " << i << ": all-in, cards, hand class";
        }
    }
}

// The same hands with the same outcomes and the same situations.
inline void expectSameImport(const ImportRecord& actual, const ImportRecord& expected) {
    EXPECT_EQ(actual.summary.handCount, expected.summary.handCount);
    EXPECT_EQ(actual.summary.relevantCount, expected.summary.relevantCount);
    ASSERT_EQ(actual.hands.size(), expected.hands.size());
    for (std::size_t i = 0; i < actual.hands.size(); ++i) {
        const auto& [a, e] = std::tie(actual.hands[i], expected.hands[i]);
        EXPECT_EQ(std::tie(a.handId, a.status, a.reason), std::tie(e.handId, e.status, e.reason)) << "hand " << i;
    }
    ASSERT_EQ(actual.decisions.size(), expected.decisions.size());
    for (std::size_t i = 0; i < actual.decisions.size(); ++i) {
        SCOPED_TRACE("hand " + expected.decisions[i]->handId);
        EXPECT_EQ(actual.decisions[i]->handId, expected.decisions[i]->handId);
        expectSameSituation(*actual.decisions[i], *expected.decisions[i]);
    }
}

}  // namespace torvel::testing
