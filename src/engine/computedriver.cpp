#include "engine/computedriver.h"

#include <algorithm>

#include "engine/cards.h"
#include "engine/gamestate.h"
#include "engine/icmevaluator.h"

namespace torvel {

namespace {

// An offsuit class may come written in reverse order (the analysis reads it).
bool namesHandClass(int low, int high) {
    return isCanonicalClass({low, high}) ||
           (high >= kRankCount && isCanonicalClass({high - kRankCount, low + kRankCount}));
}

}  // namespace

std::string refusalFor(const GameState& g) {
    auto seat = [&g](int index) -> const SeatState& { return g.seats[static_cast<std::size_t>(index)]; };
    if (!GameState::validSeat(g.buttonSeat))
        return "No Button set.\nPlease set the Button and retry.";
    if (!GameState::validSeat(g.heroSeat) || seat(g.heroSeat).status != kSeatHero)
        return "No player is seated as you.\nTake a seat and retry.";
    if (std::count_if(g.seats.begin(), g.seats.end(), [](const SeatState& s) { return s.status == kSeatHero; }) > 1)
        return "More than one player is seated as you.\nLeave the other seats and retry.";
    if (!namesHandClass(seat(g.heroSeat).handLow, seat(g.heroSeat).handHigh))
        return "No cards set for you.\nPress your cards, pick two and retry.";
    if (g.occupiedSeatCount() < 2)
        return "Please add more player";
    if (seat(g.heroSeat).totalChips() < 1)
        return "Your Stacksize is not valid.\nPress your Stack and enter a value above zero.";
    if (g.raiserSeat != -1) {
        if (!GameState::validSeat(g.raiserSeat) || g.raiserSeat == g.heroSeat || !seat(g.raiserSeat).occupied())
            return "The seat of the preflop pusher is not valid.\nSet the pusher's action again and retry.";
        if (g.seats[static_cast<std::size_t>(g.raiserSeat)].rangeTo <= 0)
            return "No All-in range specified for the preflop pusher.\n"
                   "Press the range of the pusher to set a range above zero.";
    }
    return {};
}

std::string scanPushRange(GameState& g, int answer, ComputeProgress& progress) {
    SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
    auto pushes = [&](int low, int high) {
        hero.handLow = low;
        hero.handHigh = high;
        return g.analyze(answer) == kDecisionPush;
    };

    // The text is kept with a trailing ", " after every part and cut at the
    // end, which leaves "Any two " of the blanks after "Any two".
    if (pushes(0, 1 + kRankCount))
        return "Any two ";

    std::string text;
    int weakestPair = -1;
    for (int rank = kRankCount - 1; rank >= 0 && pushes(rank, rank + kRankCount); --rank)
        weakestPair = rank;
    if (weakestPair >= 0)
        text += handClassName(weakestPair, weakestPair + kRankCount) + "+, ";

    // For each high card from the ace down, the weakest kicker that still
    // pushes; a high card whose best kicker folds ends the scan.
    auto scanUnpaired = [&](int offsuit) {
        for (int high = kRankCount - 1; high >= 1; --high) {
            int weakestKicker = -1;
            for (int kicker = high - 1; kicker >= 0 && pushes(kicker, high + offsuit); --kicker)
                weakestKicker = kicker;
            if (weakestKicker < 0)
                return;
            text += handClassName(weakestKicker, high + offsuit) + "+, ";
        }
    };
    progress.setValue(1);
    if (!progress.wasCanceled()) {
        scanUnpaired(0);
        progress.setValue(2);
        if (!progress.wasCanceled())
            scanUnpaired(kRankCount);
    }
    if (text.size() >= 2)
        text.resize(text.size() - 2);
    return text;
}

DriverResult runComputeDriver(GameState& g, int answer, ComputeProgress& progress) {
    DriverResult result;
    result.refusal = refusalFor(g);
    if (!result.refusal.empty()) {
        result.refused = true;
        return result;
    }
    progress.setValue(0);

    // The probes change only the hero's hand: the ICM inputs repeat.
    CachingIcmEvaluator cache;
    ScopedIcmEvaluator useCache(g.icmEvaluator, cache);
    SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];
    const int handLow = hero.handLow;
    const int handHigh = hero.handHigh;
    const std::string range = scanPushRange(g, answer, progress);
    progress.setValue(3);
    g.setPushRangeText(range);

    progress.setValue(4);
    hero.handLow = handLow;
    hero.handHigh = handHigh;
    g.analyze(answer);
    result.correct = g.decision == g.heroAction;
    progress.setValue(kComputeProgressSteps);
    return result;
}

}  // namespace torvel
