#include "engine/gamestate.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/icmevaluator.h"
#include "engine/owner.h"

namespace torvel {

GameState::GameState(GameStateOwner* owner_) : owner(owner_) {
    resetSeats();
    if (owner != nullptr)
        handId = std::to_string(owner->nextInstanceNumber());
}

void SeatState::keepCallingRangeWithinRange() {
    range2From = std::max(range2From, rangeFrom);
    range2To = std::max(range2From, std::min(range2To, rangeTo));
}

void GameState::resetSeats() {
    for (auto& s : seats) {
        s.handLow = s.handHigh = s.card1 = s.card2 = 0;
        s.rangeFrom = s.rangeTo = s.range2To = s.range2From = 0;
        s.stack = 0;
        s.status = kSeatEmpty;
        s.isButton = s.isBigBlind = s.isSmallBlind = s.isAllIn = false;
        s.rangeShare = 1.0f;
        s.callProbability = 1.0f;
        s.action = kActionNone;
        s.bet = 0;
    }
}

int GameState::nextOccupiedSeat(int seat) const {
    for (int step = 1; step <= kSeatCount; ++step) {
        const int s = (((seat + step) % kSeatCount) + kSeatCount) % kSeatCount;
        if (seats[static_cast<std::size_t>(s)].occupied())
            return s;
    }
    return -1;
}

int GameState::previousOccupiedSeat(int seat) const {
    for (int step = 1; step <= kSeatCount; ++step) {
        const int s = (((seat - step) % kSeatCount) + kSeatCount) % kSeatCount;
        if (seats[static_cast<std::size_t>(s)].occupied())
            return s;
    }
    return -1;
}

int GameState::nthOccupiedSeat(int n) const {
    int skipped = 0;
    for (int s = 0; s < kSeatCount; ++s) {
        if (!seats[static_cast<std::size_t>(s)].occupied())
            continue;
        if (skipped == n)
            return s;
        ++skipped;
    }
    return 0;
}

int GameState::occupiedSeatCount() const {
    int n = 0;
    for (const auto& s : seats)
        n += s.occupied() ? 1 : 0;
    return n;
}

void GameState::assignNicknames() {
    assignNicknames([](int n) { return std::rand() % n; });
}

void GameState::assignNicknames(const std::function<int(int)>& draw) {
    if (owner == nullptr)
        return;
    const auto& names = owner->nicknames();
    const int available = static_cast<int>(names.size());
    if (available == 0)
        return;
    std::vector<bool> drawn(names.size(), false);
    int drawnCount = 0;
    for (auto& seat : seats) {
        // With fewer names than seats the rest may repeat rather than loop forever.
        if (drawnCount == available) {
            std::fill(drawn.begin(), drawn.end(), false);
            drawnCount = 0;
        }
        int r = 0;
        do {
            r = draw(available);
        } while (drawn[static_cast<std::size_t>(r)]);
        drawn[static_cast<std::size_t>(r)] = true;
        ++drawnCount;
        copyToBuffer(seat.name, names[static_cast<std::size_t>(r)]);
    }
}

void GameState::setName(int seat, const std::string& name) {
    if (validSeat(seat))
        copyToBuffer(seats[static_cast<std::size_t>(seat)].name, name);
}

void GameState::computeIcm() {
    if (icmEvaluator != nullptr)
        icmEvaluator->evaluate(icm);
    else
        icm.compute();
}

void GameState::setPushRangeText(const std::string& text) { copyToBuffer(pushRangeText, text); }

}  // namespace torvel
