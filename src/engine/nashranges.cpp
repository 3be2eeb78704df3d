#include "engine/nashranges.h"

#include <cmath>
#include <vector>

#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "engine/nashsolver.h"
#include "engine/owner.h"
#include "engine/ranges.h"

namespace torvel {

int topBandForShare(const HandRanking& ranking, double share) {
    const double target = share * kComboCount;
    int best = 0;
    double bestGap = target;
    for (int to = 1; to <= std::min(ranking.size(), kHandClassCount); ++to) {
        const double gap = std::abs(combosInRange(ranking, to, 0) - target);
        if (gap < bestGap) {
            best = to;
            bestGap = gap;
        }
    }
    return best;
}

std::string assignNashRanges(GameState& g, ComputeProgress& progress) {
    if (g.owner == nullptr || !GameState::validSeat(g.buttonSeat) || !GameState::validSeat(g.heroSeat))
        return "the nash profile needs the button and the hero seated";
    // Action order: from the player after the big blind round to the big
    // blind, who is the second player after the button (heads-up the first).
    const int players = g.occupiedSeatCount();
    if (players < 2)
        return "the nash profile needs at least two players";
    int bigBlindSeat = g.nextOccupiedSeat(g.buttonSeat);
    if (players > 2)
        bigBlindSeat = g.nextOccupiedSeat(bigBlindSeat);
    std::vector<int> order;
    for (int seat = g.nextOccupiedSeat(bigBlindSeat); static_cast<int>(order.size()) < players;
         seat = g.nextOccupiedSeat(seat))
        order.push_back(seat);

    NashTable table;
    table.smallBlind = g.smallBlind;
    table.bigBlind = g.bigBlind;
    table.ante = g.ante;
    for (int q = 0; q < kPlaceCount; ++q)
        table.payouts[static_cast<std::size_t>(q)] = g.owner->payoutPercent(q) / 100.0;
    int heroAt = -1, pusherAt = -1;
    for (int k = 0; k < players; ++k) {
        const int seat = order[static_cast<std::size_t>(k)];
        const SeatState& s = g.seats[static_cast<std::size_t>(seat)];
        table.stacks.push_back(static_cast<std::int64_t>(s.stack) + s.bet);
        if (seat == g.heroSeat)
            heroAt = k;
        if (seat == g.raiserSeat)
            pusherAt = k;
        if (heroAt < 0 && seat != g.raiserSeat && s.action != kActionFold && s.action != kActionNone)
            return "the nash profile knows only folds and one all-in before you";
    }
    if (pusherAt < 0)
        pusherAt = heroAt;
    else if (pusherAt > heroAt || g.seats[static_cast<std::size_t>(g.raiserSeat)].stack > 0)
        return "the nash profile needs the raiser all-in before you";
    if (pusherAt == players - 1)
        return "the big blind cannot push first";
    if (const std::string refusal = NashGame::refusalFor(table); !refusal.empty())
        return refusal;

    const NashResult solved = solveNash(table, g.owner->equityTable(), NashOptions{}, progress);
    if (!solved.error.empty())
        return solved.error;
    if (solved.canceled)
        return {};
    const HandRanking& ranking = g.owner->handRanking();
    for (int k = pusherAt + 1; k < players; ++k) {
        SeatState& s = g.seats[static_cast<std::size_t>(order[static_cast<std::size_t>(k)])];
        if (k == heroAt)
            continue;
        s.rangeFrom = 0;
        s.rangeTo = topBandForShare(
            ranking, comboShare(solved.profile.call[static_cast<std::size_t>(callIndex(players, pusherAt, k))]));
    }
    if (pusherAt != heroAt) {
        SeatState& raiser = g.seats[static_cast<std::size_t>(g.raiserSeat)];
        raiser.rangeFrom = raiser.range2From = 0;
        raiser.rangeTo = raiser.range2To =
            topBandForShare(ranking, comboShare(solved.profile.push[static_cast<std::size_t>(pusherAt)]));
    }
    return {};
}

}  // namespace torvel
