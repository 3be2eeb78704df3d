#include "engine/positions.h"

#include <array>

#include "engine/gamestate.h"

namespace torvel {

std::string positionName(int k) {
    static const std::array<const char*, 10> names = {"Big Blind", "Small Blind", "Button", "Cut Off", "MP+2",
                                                      "MP+1",      "MP",          "UTG+2",  "UTG+1",   "UTG"};
    return k >= 1 && k <= 10 ? names[static_cast<std::size_t>(k - 1)] : std::string();
}

std::vector<SeatPosition> walkPositions(GameState& g) {
    std::vector<SeatPosition> order;
    if (!GameState::validSeat(g.buttonSeat))
        return order;
    int seat = g.nextOccupiedSeat(g.buttonSeat);
    if (g.playerCount != 2 && seat != -1)
        seat = g.nextOccupiedSeat(seat);
    int k = g.playerCount;
    for (int step = 0; seat != -1 && step < kSeatCount; ++step) {
        seat = g.nextOccupiedSeat(seat);
        SeatState& s = g.seats[static_cast<std::size_t>(seat)];
        if (seat != g.heroSeat && k >= 1 && k <= 10)
            copyToBuffer(s.position, positionName(k));
        order.push_back({seat, k});
        --k;
        if (s.isBigBlind)
            break;
    }
    return order;
}

}  // namespace torvel
