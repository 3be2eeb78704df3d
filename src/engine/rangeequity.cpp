#include "engine/rangeequity.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/constants.h"
#include "engine/equitytable.h"
#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "engine/owner.h"

namespace torvel {

MatchupShare lookupMatchup(const EquityTable& table, const HandClass& a, const HandClass& b) {
    MatchupShare m;
    if (const EquityRecord* r = table.at(matchupKeyChecked(b, a)); r && r->holds(b, a)) {
        m = {true, r->total - (r->wins + r->ties / 2.0), static_cast<double>(r->total)};
    } else if (const EquityRecord* s = table.at(matchupKeyChecked(a, b)); s && s->holds(a, b)) {
        m = {true, s->wins + s->ties / 2.0, static_cast<double>(s->total)};
    } else {
        return m;
    }
    if (m.share == 1.0) {
        m.share *= kCertainMatchupWeight;
        m.weight *= kCertainMatchupWeight;
    }
    return m;
}

namespace {

std::string formatted(const char* format, int a, int b, int c, int d) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// Positions of a band that exist in the ranking.
int bandEnd(const HandRanking& ranking, int to) { return std::min({to, kHandClassCount, ranking.size()}); }

}  // namespace

double GameState::getEdgeVs(int seat) {
    if (!validSeat(seat) || !validSeat(heroSeat) || owner == nullptr)
        return 1.0;
    const EquityTable& table = owner->equityTable();
    const HandRanking& ranking = owner->handRanking();
    const SeatState& opponent = seats[static_cast<std::size_t>(seat)];
    SeatState& hero = seats[static_cast<std::size_t>(heroSeat)];

    // A limper or raiser with no chips behind is judged by his calling range.
    const bool committed = (opponent.action == kActionCall || opponent.action == kActionRaise) && opponent.stack <= 0;
    const int from = std::max(0, committed ? opponent.range2From : opponent.rangeFrom);
    const int to = bandEnd(ranking, committed ? opponent.range2To : opponent.rangeTo);

    double shareSum = 0.0;
    double weightSum = 0.0;
    for (int p = from; p < to; ++p) {
        const HandClass other = ranking.classAt(p);
        MatchupShare m = lookupMatchup(table, {hero.handLow, hero.handHigh}, other);
        if (!m.found) {
            // Taken for an offsuit class written in reverse order; the
            // rewritten class stays in the seat.
            hero.handLow += kRankCount;
            hero.handHigh -= kRankCount;
            if (hero.handLow > hero.handHigh)
                std::swap(hero.handLow, hero.handHigh);
            m = lookupMatchup(table, {hero.handLow, hero.handHigh}, other);
        }
        if (!m.found) {
            owner->reportError("Error not found!\nPlease contact support, so we can fix this.",
                               formatted("OPP %i, %i  vs PL %i, %i getEdgeVs", other.low, other.high, hero.handLow,
                                         hero.handHigh));
            continue;
        }
        shareSum += m.share;
        weightSum += m.weight;
    }
    return weightSum > 0 ? shareSum / weightSum : 1.0;
}

void GameState::EdgePusherVs() {
    if (!validSeat(raiserSeat) || owner == nullptr)
        return;
    const EquityTable& table = owner->equityTable();
    const HandRanking& ranking = owner->handRanking();

    struct CallerRecord {
        double shareSum = 0.0;
        double weightSum = 0.0;
        int rangeTo = 0;
        int rangeFrom = 0;
        int seat = 0;
    };
    // Widest calling range first; equal ends keep seat order.
    std::vector<CallerRecord> callers;
    for (int s = 0; s < kSeatCount; ++s) {
        const SeatState& seat = seats[static_cast<std::size_t>(s)];
        if (seat.status != kSeatOpponent || seat.action == kActionFold || seat.action == kActionRaise)
            continue;
        const CallerRecord record{0.0, 0.0, seat.rangeTo, seat.rangeFrom, s};
        const auto at = std::find_if(callers.begin(), callers.end(),
                                     [&](const CallerRecord& r) { return r.rangeTo < record.rangeTo; });
        callers.insert(at, record);
    }

    const SeatState& pusher = seats[static_cast<std::size_t>(raiserSeat)];
    if (!callers.empty()) {
        const int pushEnd = bandEnd(ranking, pusher.rangeTo);
        const int callEnd = bandEnd(ranking, callers.front().rangeTo);
        for (int k = 0; k < pushEnd; ++k) {
            const HandClass pushed = ranking.classAt(k);
            for (int c = 0; c < callEnd; ++c) {
                const HandClass called = ranking.classAt(c);
                const MatchupShare m = lookupMatchup(table, pushed, called);
                if (!m.found) {
                    owner->reportError("Error not found! Please contact support!",
                                       formatted("%i, %i  vs %i, %i EdgePusherVs", called.low, called.high,
                                                 pusher.handLow, pusher.handHigh));
                    continue;
                }
                // The list is ordered by range end, so the callers still in
                // range at c are a prefix of it.
                for (auto& r : callers) {
                    if (c >= r.rangeTo)
                        break;
                    if (c >= r.rangeFrom) {
                        r.shareSum += m.share;
                        r.weightSum += m.weight;
                    }
                }
            }
        }
    }
    for (const auto& r : callers) {
        SeatState& seat = seats[static_cast<std::size_t>(r.seat)];
        if (r.weightSum > 0) {
            seat.winProbability = static_cast<float>(r.shareSum / r.weightSum);
            seat.loseProbability = 1.0f - seat.winProbability;
        } else {
            seat.winProbability = 1.0f;
            seat.loseProbability = 0.0f;
        }
    }
}

}  // namespace torvel
