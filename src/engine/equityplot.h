#pragma once
// The data of the equity plot: for each calling range of one opponent (0,
// 5, .., 100 percent), the widest hero push range whose edge over folding
// exceeds 0, 0.5 and 1 percent of the prize pool.

#include <array>
#include <functional>

namespace torvel {

class GameState;

struct EdgeCurves {
    // Indexed by the opponent's range in percent; only 0, 5, .., 100 filled.
    // Each value is a fraction of the 169 classes.
    std::array<float, 101> edgeAbove0{};
    std::array<float, 101> edgeAbove05{};
    std::array<float, 101> edgeAbove1{};
};

// Runs 21 x 51 analyses with the opponent's range end and the hero's hand
// changed, then restores both and analyses the real situation again.
// progress(i) is told each opponent step i and returns false to stop; the
// steps not reached stay 0. Returns false when stopped or when the seats are
// not usable.
bool computeEdgeCurves(GameState& g, int opponentSeat, EdgeCurves& curves,
                       const std::function<bool(int)>& progress = {});

}  // namespace torvel
