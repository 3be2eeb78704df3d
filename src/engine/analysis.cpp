// The push/fold analysis of one situation: the hero's ICM equity when he
// pushes (or calls the raiser) against the equity when he folds.
#include <algorithm>

#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "engine/owner.h"
#include "engine/ranges.h"

namespace torvel {

namespace {

float payoutShare(const GameStateOwner& owner, int place) { return static_cast<float>(owner.payoutPercent(place) / 100.0); }

}  // namespace

int GameState::analyze(int heroActionGiven) {
    if (!validSeat(heroSeat) || owner == nullptr)
        return kDecisionFold;
    if (!validSeat(buttonSeat)) {
        owner->reportError("error", "9");
        return kDecisionFold;
    }
    if (raiserSeat != -1 && !validSeat(raiserSeat)) {
        owner->reportError("The seat of the preflop pusher is not valid.", "Error");
        return kDecisionFold;
    }

    heroAction = heroActionGiven;
    for (int q = 0; q < kPlaceCount; ++q)
        icm.setPayout(q, owner->payoutPercent(q) / 100.0);

    const HandRanking& ranking = owner->handRanking();
    pot = 0;
    for (auto& seat : seats) {
        if (!seat.occupied())
            continue;
        const float range = combosInRange(ranking, seat.rangeTo, seat.rangeFrom) / 1326.0f;
        if (seat.action == kActionCall || seat.action == kActionRaise) {
            // The share of his range with which a limper or raiser also calls.
            const float calling = combosInRange(ranking, seat.range2To, seat.range2From) / 1326.0f;
            // A calling range wider than the range would be no probability.
            seat.rangeShare = range > 0.0f ? std::clamp(calling / range, 0.0f, 1.0f) : 0.0f;
        } else {
            seat.rangeShare = range;
        }
        pot += seat.bet;
    }

    computeEquityBefore();

    if (raiserSeat == -1) {
        for (int i = 0; i < kSeatCount; ++i) {
            SeatState& seat = seats[static_cast<std::size_t>(i)];
            if (i == heroSeat || !seat.occupied())
                continue;
            seat.winProbability = static_cast<float>(getEdgeVs(i));
            seat.loseProbability = 1.0f - seat.winProbability;
            computeShowdownEquities(i, heroSeat);
        }
    } else {
        SeatState& raiser = seats[static_cast<std::size_t>(raiserSeat)];
        raiser.winProbability = static_cast<float>(getEdgeVs(raiserSeat));
        raiser.loseProbability = 1.0f - raiser.winProbability;
        computeShowdownEquities(raiserSeat, heroSeat);
    }

    computeFoldEquity();
    computeEquityAllFold(raiserSeat == -1 ? heroSeat : raiserSeat);
    computeCallProbabilities();

    auto term = [this](int j) {
        const SeatState& s = seats[static_cast<std::size_t>(j)];
        return s.callProbability * (s.loseProbability * s.equityIfLose + s.winProbability * s.equityIfWin);
    };
    if (raiserSeat == -1) {
        float calls = 0.0f;
        float called = 0.0f;
        for (int j = nextOccupiedSeat(heroSeat); j != heroSeat && j != -1; j = nextOccupiedSeat(j)) {
            const SeatState& s = seats[static_cast<std::size_t>(j)];
            if (s.status != kSeatOpponent || s.action == kActionFold)
                continue;
            calls += s.callProbability;
            called += term(j);
        }
        foldProbability = 1.0f - calls;
        foldEquityPart = foldProbability * equityAllFold;
        evPush = foldEquityPart + called;
    } else {
        evPush = term(raiserSeat);
        float calls = 0.0f;
        float called = 0.0f;
        for (int j = nextOccupiedSeat(heroSeat); j != raiserSeat && j != heroSeat && j != -1;
             j = nextOccupiedSeat(j)) {
            const SeatState& s = seats[static_cast<std::size_t>(j)];
            if (s.action == kActionFold)
                continue;
            if (s.status == kSeatOpponent)
                calls += s.callProbability;
            called += term(j);
        }
        foldProbability = 1.0f - calls;
        foldEquityPart = foldProbability * equityAllFold;
        evFold = foldEquityPart + called;
    }

    // A tie folds.
    decision = evFold < evPush ? kDecisionPush : kDecisionFold;
    return decision;
}

void GameState::computeEquityBefore() {
    for (int i = 0; i < kSeatCount; ++i)
        icm.setStack(i, seats[static_cast<std::size_t>(i)].totalChips());
    computeIcm();
    for (int i = 0; i < kSeatCount; ++i)
        equityBefore[static_cast<std::size_t>(i)] = static_cast<float>(icm.equity[i]);
}

std::array<long long, kSeatCount> GameState::showdownStacks(int caller, int pusher, bool pusherWins) const {
    std::array<long long, kSeatCount> chips{};
    long long betsInPot = 0;
    for (int i = 0; i < kSeatCount; ++i) {
        chips[static_cast<std::size_t>(i)] = seats[static_cast<std::size_t>(i)].stack;
        betsInPot += seats[static_cast<std::size_t>(i)].bet;
    }
    if (!validSeat(caller) || !validSeat(pusher) || caller == pusher)
        return chips;
    const SeatState& o = seats[static_cast<std::size_t>(caller)];
    const SeatState& h = seats[static_cast<std::size_t>(pusher)];
    const long long matched = std::min(o.totalChips(), h.totalChips());
    const long long othersInPot = betsInPot - h.bet - o.bet;
    const SeatState& winner = pusherWins ? h : o;
    const SeatState& loser = pusherWins ? o : h;
    chips[static_cast<std::size_t>(pusherWins ? pusher : caller)] = winner.totalChips() + matched + othersInPot;
    chips[static_cast<std::size_t>(pusherWins ? caller : pusher)] = loser.totalChips() - matched;
    return chips;
}

void GameState::computeShowdownEquities(int caller, int pusher) {
    if (!validSeat(caller) || !validSeat(pusher) || !validSeat(heroSeat) || owner == nullptr)
        return;
    SeatState& o = seats[static_cast<std::size_t>(caller)];
    auto heroEquityAfter = [&](bool pusherWins) {
        const auto chips = showdownStacks(caller, pusher, pusherWins);
        for (int i = 0; i < kSeatCount; ++i)
            icm.setStack(i, chips[static_cast<std::size_t>(i)]);
        computeIcm();
        return static_cast<float>(icm.equity[heroSeat]);
    };
    o.equityIfWin = heroEquityAfter(true);
    o.equityIfLose = heroEquityAfter(false);
    // A hero who busts now finishes in the last place still at the table.
    if (o.equityIfLose == 0.0f && playerCount >= 1 && playerCount <= kPlaceCount)
        o.equityIfLose = payoutShare(*owner, playerCount - 1);
}

void GameState::computeFoldEquity() {
    if (raiserSeat != -1) {
        EdgePusherVs();
        for (int i = 0; i < kSeatCount; ++i) {
            const SeatState& s = seats[static_cast<std::size_t>(i)];
            if (i == raiserSeat || i == heroSeat || s.status != kSeatOpponent || s.action == kActionFold)
                continue;
            computeShowdownEquities(i, raiserSeat);
        }
        return;
    }

    for (int v = 0; v < kSeatCount; ++v) {
        if (!seats[static_cast<std::size_t>(v)].occupied()) {
            equityIfSeatWins[static_cast<std::size_t>(v)] = 0.0f;
            continue;
        }
        for (int i = 0; i < kSeatCount; ++i)
            icm.setStack(i, seats[static_cast<std::size_t>(i)].stack);
        icm.setStack(v, seats[static_cast<std::size_t>(v)].stack + pot);
        computeIcm();
        equityIfSeatWins[static_cast<std::size_t>(v)] = static_cast<float>(icm.equity[heroSeat]);
    }
    // Each opponent still in the hand is taken to win the blinds and antes
    // with the same probability.
    int stillIn = 0;
    for (const auto& s : seats)
        stillIn += s.status == kSeatOpponent && s.action != kActionFold ? 1 : 0;
    // Nobody left to act: a walk, and the hero keeps the blinds and antes.
    evFold = 0.0f;
    if (stillIn == 0) {
        evFold = equityIfSeatWins[static_cast<std::size_t>(heroSeat)];
        return;
    }
    for (int v = 0; v < kSeatCount; ++v) {
        const SeatState& s = seats[static_cast<std::size_t>(v)];
        if (v != heroSeat && s.status == kSeatOpponent && s.action != kActionFold)
            evFold += equityIfSeatWins[static_cast<std::size_t>(v)] / static_cast<float>(stillIn);
    }
}

void GameState::computeEquityAllFold(int winner) {
    if (!validSeat(winner) || !validSeat(heroSeat))
        return;
    for (int i = 0; i < kSeatCount; ++i)
        icm.setStack(i, seats[static_cast<std::size_t>(i)].stack);
    icm.setStack(winner, seats[static_cast<std::size_t>(winner)].stack + pot);
    computeIcm();
    equityAllFold = static_cast<float>(icm.equity[heroSeat]);
}

void GameState::computeCallProbabilities() {
    if (!validSeat(heroSeat))
        return;
    // The first player whose range holds the hand calls; players who limped
    // or raised before the hero act again in seat order after him.
    const int stop = raiserSeat == -1 ? heroSeat : raiserSeat;
    float nobodyYet = 1.0f;
    for (int j = nextOccupiedSeat(heroSeat); j != stop && j != heroSeat && j != -1; j = nextOccupiedSeat(j)) {
        SeatState& s = seats[static_cast<std::size_t>(j)];
        if (s.status != kSeatOpponent || s.action == kActionFold)
            continue;
        s.callProbability = s.rangeShare * nobodyYet;
        nobodyYet *= 1.0f - s.rangeShare;
    }
    if (raiserSeat != -1)
        seats[static_cast<std::size_t>(raiserSeat)].callProbability = 1.0f;
}

}  // namespace torvel
