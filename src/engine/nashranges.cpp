#include "engine/nashranges.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/cards.h"
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

std::string nashTableOf(const GameState& g, NashSpot& spot) {
    spot = NashSpot{};
    if (g.owner == nullptr || !GameState::validSeat(g.buttonSeat))
        return "the nash profile needs the button set";
    // Action order: from the player after the big blind round to the big
    // blind, who is the second player after the button (heads-up the first).
    const int players = g.occupiedSeatCount();
    if (players < 2)
        return "the nash profile needs at least two players";
    int bigBlindSeat = g.nextOccupiedSeat(g.buttonSeat);
    if (players > 2)
        bigBlindSeat = g.nextOccupiedSeat(bigBlindSeat);
    // A history may put the big blind elsewhere (a dead small blind, a
    // missed blind): the game's order would then be wrong.
    for (int seat = 0; seat < kSeatCount; ++seat)
        if (g.seats[static_cast<std::size_t>(seat)].isBigBlind && seat != bigBlindSeat &&
            g.seats[static_cast<std::size_t>(seat)].status != kSeatEmpty)
            return "the nash profile needs the blinds next to the button";
    for (int seat = g.nextOccupiedSeat(bigBlindSeat); static_cast<int>(spot.seats.size()) < players;
         seat = g.nextOccupiedSeat(seat))
        spot.seats.push_back(seat);

    NashTable& table = spot.table;
    table.smallBlind = g.smallBlind;
    table.bigBlind = g.bigBlind;
    table.ante = g.ante;
    for (int q = 0; q < kPlaceCount; ++q)
        table.payouts[static_cast<std::size_t>(q)] = g.owner->payoutPercent(q) / 100.0;
    for (const int seat : spot.seats) {
        const SeatState& s = g.seats[static_cast<std::size_t>(seat)];
        table.stacks.push_back(static_cast<std::int64_t>(s.stack) + s.bet);
    }
    return NashGame::refusalFor(table);
}

std::string nashSpotOf(const GameState& g, NashSpot& spot) {
    if (!GameState::validSeat(g.heroSeat))
        return "the nash profile needs the button and the hero seated";
    if (std::string refusal = nashTableOf(g, spot); !refusal.empty())
        return refusal;
    const int players = static_cast<int>(spot.seats.size());
    for (int k = 0; k < players; ++k) {
        const int seat = spot.seats[static_cast<std::size_t>(k)];
        const SeatState& s = g.seats[static_cast<std::size_t>(seat)];
        if (seat == g.heroSeat)
            spot.heroAt = k;
        if (seat == g.raiserSeat)
            spot.pusherAt = k;
        if (spot.heroAt < 0 && seat != g.raiserSeat && s.action != kActionFold && s.action != kActionNone)
            return "the nash profile knows only folds and one all-in before you";
    }
    if (spot.heroAt < 0)
        return "the nash profile needs the button and the hero seated";
    if (spot.pusherAt < 0)
        spot.pusherAt = spot.heroAt;
    else if (spot.pusherAt > spot.heroAt || g.seats[static_cast<std::size_t>(g.raiserSeat)].stack > 0)
        return "the nash profile needs the raiser all-in before you";
    if (spot.pusherAt == players - 1)
        return "the big blind cannot push first";
    return {};
}

void applyNashRanges(GameState& g, const NashSpot& spot, const NashProfile& profile) {
    const HandRanking& ranking = g.owner->handRanking();
    const int players = static_cast<int>(spot.seats.size());
    for (int k = spot.pusherAt + 1; k < players; ++k) {
        SeatState& s = g.seats[static_cast<std::size_t>(spot.seats[static_cast<std::size_t>(k)])];
        if (k == spot.heroAt)
            continue;
        s.rangeFrom = 0;
        s.rangeTo = topBandForShare(
            ranking, comboShare(profile.call[static_cast<std::size_t>(callIndex(players, spot.pusherAt, k))]));
    }
    if (spot.pusherAt != spot.heroAt) {
        SeatState& raiser = g.seats[static_cast<std::size_t>(g.raiserSeat)];
        raiser.rangeFrom = raiser.range2From = 0;
        raiser.rangeTo = raiser.range2To =
            topBandForShare(ranking, comboShare(profile.push[static_cast<std::size_t>(spot.pusherAt)]));
    }
}

const ClassStrategy& heroNashRange(const NashSpot& spot, const NashProfile& profile) {
    if (spot.pusherAt == spot.heroAt)
        return profile.push[static_cast<std::size_t>(spot.heroAt)];
    const int players = static_cast<int>(spot.seats.size());
    return profile.call[static_cast<std::size_t>(callIndex(players, spot.pusherAt, spot.heroAt))];
}

std::string assignNashRanges(GameState& g, ComputeProgress& progress) {
    NashSpot spot;
    if (std::string refusal = nashSpotOf(g, spot); !refusal.empty())
        return refusal;
    const NashResult solved = solveNash(spot.table, g.owner->equityTable(), NashOptions{}, progress);
    if (!solved.error.empty())
        return solved.error;
    if (!solved.canceled)
        applyNashRanges(g, spot, solved.profile);
    return {};
}

ClassStrategy classesOfPushRangeText(const std::string& text) {
    ClassStrategy range{};
    if (text.rfind("Any two", 0) == 0) {
        range.fill(1.0);
        return range;
    }
    auto set = [&](const HandClass& c) {
        if (const int k = classIndex(c); k >= 0)
            range[static_cast<std::size_t>(k)] = 1.0;
    };
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t to = text.find(',', from);
        if (to == std::string::npos)
            to = text.size();
        std::string part = text.substr(from, to - from);
        from = to + 1;
        part.erase(std::remove(part.begin(), part.end(), ' '), part.end());
        if (part.size() < 3 || part.back() != '+')
            continue;
        const int high = rankFromLetter(part[0]);
        const int low = rankFromLetter(part[1]);
        if (high < 0 || low < 0 || low > high)
            continue;
        if (high == low) {
            if (part.size() == 3)
                for (int r = low; r < kRankCount; ++r)
                    set({r, r + kRankCount});
            continue;
        }
        if (part.size() != 4 || (part[2] != 's' && part[2] != 'o'))
            continue;
        const int offset = part[2] == 'o' ? kRankCount : 0;
        for (int kicker = low; kicker < high; ++kicker)
            set({kicker, high + offset});
    }
    return range;
}

}  // namespace torvel
