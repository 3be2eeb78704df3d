#include "engine/equityplot.h"

#include <algorithm>

#include "engine/constants.h"
#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "engine/icmevaluator.h"
#include "engine/owner.h"

namespace torvel {

bool computeEdgeCurves(GameState& g, int opponentSeat, EdgeCurves& curves, const std::function<bool(int)>& progress) {
    curves = {};
    if (!GameState::validSeat(opponentSeat) || !GameState::validSeat(g.heroSeat) || opponentSeat == g.heroSeat ||
        g.owner == nullptr || g.owner->handRanking().size() < kHandClassCount)
        return false;
    const HandRanking& ranking = g.owner->handRanking();
    SeatState& opponent = g.seats[static_cast<std::size_t>(opponentSeat)];
    SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
    // An opponent with all his chips in is judged by his second range: that
    // is the one to vary.
    const bool committed =
        (opponent.action == kActionCall || opponent.action == kActionRaise) && opponent.stack <= 0;
    int& variedRange = committed ? opponent.range2To : opponent.rangeTo;
    const int savedRangeTo = variedRange;
    const int savedLow = hero.handLow;
    const int savedHigh = hero.handHigh;
    const int savedHeroAction = g.heroAction;
    const bool hadVerdict = g.decision != kDecisionNotComputed;

    // Only the hero's hand and one calling range change: the ICM inputs repeat.
    CachingIcmEvaluator cache;
    ScopedIcmEvaluator useCache(g.icmEvaluator, cache);
    bool completed = true;
    for (int i = 0; i <= 100; i += 5) {
        if (progress && !progress(i)) {
            completed = false;
            break;
        }
        variedRange = static_cast<int>(static_cast<float>(i) * kPercentToClasses);
        bool above0 = false;
        bool above05 = false;
        // Hero hands from the bottom of the ranking up: each curve keeps the
        // weakest hand that passes its test, the width of the push range.
        for (int p = 100; p >= 0; p -= 2) {
            const int h = std::clamp(static_cast<int>(static_cast<float>(p) * kPercentToClasses), 0,
                                     kHandClassCount - 1);
            const HandClass c = ranking.classAt(h);
            hero.handLow = c.low;
            hero.handHigh = c.high;
            g.analyze(0);
            const float width = static_cast<float>(h) / kHandClassCount;
            const float edge = g.evPush - g.evFold;
            if (g.evFold < g.evPush && !above0) {
                curves.edgeAbove0[static_cast<std::size_t>(i)] = width;
                above0 = true;
            }
            if (edge > 0.005f && !above05) {
                curves.edgeAbove05[static_cast<std::size_t>(i)] = width;
                above05 = true;
            }
            if (edge > 0.01f) {
                curves.edgeAbove1[static_cast<std::size_t>(i)] = width;
                break;
            }
        }
    }

    variedRange = savedRangeTo;
    hero.handLow = savedLow;
    hero.handHigh = savedHigh;
    // The situation is left as it was found: the hero's answer stays his,
    // and a verdict nobody asked for is not left behind.
    g.analyze(savedHeroAction);
    if (!hadVerdict)
        g.decision = kDecisionNotComputed;
    return completed;
}

}  // namespace torvel
