#include "engine/situationgenerator.h"

#include <algorithm>
#include <cstdlib>

#include "engine/cards.h"
#include "engine/gamestate.h"
#include "engine/handranking.h"
#include "engine/owner.h"

namespace torvel {

int StdRandSource::draw(int n) { return n > 0 ? std::rand() % n : 0; }

int SeededRandomSource::draw(int n) {
    return n > 0 ? static_cast<int>(engine_() % static_cast<unsigned>(n)) : 0;
}

const std::vector<BlindLevel>& roomLevels(TrainerRoom room) {
    static const std::vector<BlindLevel> pokerStars = {
        {10, 20, 0},  {15, 30, 0},   {25, 50, 0},   {50, 100, 0},  {75, 150, 0},
        {100, 200, 25}, {200, 400, 25}, {300, 600, 25}, {400, 800, 50}, {600, 1200, 50}};
    static const std::vector<BlindLevel> fullTilt = {
        {10, 20, 0},  {15, 30, 0},  {20, 40, 0},   {25, 50, 0},   {30, 60, 0},   {40, 80, 0},
        {50, 100, 0}, {60, 120, 0}, {75, 150, 0},  {80, 160, 0},  {100, 200, 0}, {120, 240, 0},
        {150, 300, 0}, {200, 400, 0}, {250, 500, 0}, {300, 600, 0}};
    static const std::vector<BlindLevel> partyPoker = {
        {20, 40, 0},       {30, 60, 0},        {50, 100, 0},       {100, 200, 0},      {200, 400, 0},
        {300, 600, 0},     {400, 800, 25},     {600, 1200, 50},    {1000, 2000, 75},   {1500, 3000, 75},
        {2000, 4000, 100}, {3000, 6000, 100},  {4000, 8000, 200},  {6000, 12000, 200}, {10000, 20000, 500}};
    switch (room) {
    case TrainerRoom::FullTilt:
        return fullTilt;
    case TrainerRoom::PartyPoker:
        return partyPoker;
    default:
        return pokerStars;
    }
}

std::string blindLevelText(const BlindLevel& level) {
    std::string text = std::to_string(level.smallBlind);
    text += '/';
    text += std::to_string(level.bigBlind);
    if (level.ante > 0) {
        text += '/';
        text += std::to_string(level.ante);
    }
    return text;
}

namespace {

// Bounds outside what the settings panel accepts (a hand-edited VAZ.ini)
// are held to it; inverted ones give the lower bound.
int stackInBigBlinds(RandomSource& random, int low, int high) {
    low = std::clamp(low, kTrainerStackMinBigBlinds, kTrainerStackMaxBigBlinds);
    high = std::clamp(high, low, kTrainerStackMaxBigBlinds);
    return low + random.draw(high - low + 1);
}

// Puts chips in front of a seat; a stack that cannot cover them posts what
// it has and is all-in for less.
int takeFromStack(SeatState& s, int amount) {
    const int paid = std::clamp(amount, 0, std::max(0, s.stack));
    s.stack -= paid;
    if (s.stack == 0 && paid > 0)
        s.isAllIn = true;
    return paid;
}

void goAllIn(GameState& g, int seat) {
    SeatState& s = g.seats[static_cast<std::size_t>(seat)];
    s.bet += s.stack;
    s.stack = 0;
    s.action = kActionRaise;
    s.isAllIn = true;
    g.raiserSeat = seat;
}

}  // namespace

void generateSituation(GameState& g, const TrainerSettings& settings, RandomSource& random) {
    g.playerCount = settings.players >= 2 && settings.players <= 10 ? settings.players : 2 + random.draw(9);

    const auto& levels = roomLevels(settings.room);
    int level = settings.level >= 0 ? settings.level : random.draw(static_cast<int>(levels.size()));
    if (level < 0 || level >= static_cast<int>(levels.size()))
        level = 0;
    g.smallBlind = levels[static_cast<std::size_t>(level)].smallBlind;
    g.bigBlind = levels[static_cast<std::size_t>(level)].bigBlind;
    g.ante = levels[static_cast<std::size_t>(level)].ante;

    g.heroSeat = random.draw(10);
    SeatState& hero = g.seats[static_cast<std::size_t>(g.heroSeat)];

    const HandRanking* ranking = g.owner ? &g.owner->handRanking() : nullptr;
    const int width = std::max(1, settings.bandUpper - settings.bandLower);
    const int position = std::clamp(settings.bandLower + random.draw(width), 0, kHandClassCount - 1);
    const HandClass dealt = ranking && ranking->size() > position ? ranking->classAt(position) : HandClass{12, 25};
    const int lowRank = dealt.low;
    const int highRank = dealt.high % kRankCount;
    const int suit1 = random.draw(4);
    int suit2 = random.draw(4);
    const bool suited = dealt.high < kRankCount;
    hero.card1 = lowRank + kRankCount * suit1;
    if (suited) {
        hero.card2 = highRank + kRankCount * suit1;
    } else {
        while (suit2 == suit1)
            suit2 = random.draw(4);
        hero.card2 = highRank + kRankCount * suit2;
    }
    hero.handLow = hero.card1 % kRankCount;
    hero.handHigh = hero.card2 % kRankCount + (hero.card1 / kRankCount != hero.card2 / kRankCount ? kRankCount : 0);
    hero.stack = stackInBigBlinds(random, settings.myStackMin, settings.myStackMax) * g.bigBlind;
    hero.status = kSeatHero;

    while (g.occupiedSeatCount() < g.playerCount) {
        const int seat = random.draw(10);
        SeatState& s = g.seats[static_cast<std::size_t>(seat)];
        if (s.occupied() || seat == g.heroSeat)
            continue;
        s.handLow = s.handHigh = s.card1 = s.card2 = -1;
        s.status = kSeatOpponent;
        s.rangeTo = s.range2To = 13;
        s.stack = stackInBigBlinds(random, settings.opponentStackMin, settings.opponentStackMax) * g.bigBlind;
    }

    if (g.ante >= 1)
        for (auto& s : g.seats)
            if (s.occupied())
                s.bet += takeFromStack(s, g.ante);

    const bool headsUp = g.playerCount == 2;
    switch (settings.position) {
    case TrainerPosition::SmallBlind:
        g.buttonSeat = headsUp ? g.heroSeat : g.previousOccupiedSeat(g.heroSeat);
        break;
    case TrainerPosition::BigBlind:
        g.buttonSeat = headsUp ? g.previousOccupiedSeat(g.heroSeat)
                               : g.previousOccupiedSeat(g.previousOccupiedSeat(g.heroSeat));
        break;
    case TrainerPosition::NonBlind:
        if (headsUp) {
            g.buttonSeat = g.heroSeat;
        } else {
            do {
                g.buttonSeat = g.nthOccupiedSeat(random.draw(g.playerCount));
            } while (g.nextOccupiedSeat(g.buttonSeat) == g.heroSeat ||
                     g.nextOccupiedSeat(g.nextOccupiedSeat(g.buttonSeat)) == g.heroSeat);
        }
        break;
    case TrainerPosition::Button:
        g.buttonSeat = g.heroSeat;
        break;
    default:
        g.buttonSeat = g.nthOccupiedSeat(random.draw(g.playerCount));
        break;
    }

    g.seats[static_cast<std::size_t>(g.buttonSeat)].isButton = true;
    const int smallBlindSeat = headsUp ? g.buttonSeat : g.nextOccupiedSeat(g.buttonSeat);
    const int bigBlindSeat = g.nextOccupiedSeat(smallBlindSeat);
    // The blind replaces the ante in front of the player; the ante stays
    // taken from the stack.
    SeatState& smallBlind = g.seats[static_cast<std::size_t>(smallBlindSeat)];
    smallBlind.isSmallBlind = true;
    smallBlind.bet = takeFromStack(smallBlind, g.smallBlind);
    SeatState& bigBlind = g.seats[static_cast<std::size_t>(bigBlindSeat)];
    bigBlind.isBigBlind = true;
    bigBlind.bet = takeFromStack(bigBlind, g.bigBlind);

    // Counter-clockwise from the hero back to the big blind: the first who
    // draws 0 pushes, everybody else folds; every such seat draws.
    int seat = g.heroSeat;
    bool bigBlindVisited = false;
    while (!bigBlindVisited) {
        seat = g.previousOccupiedSeat(seat);
        if (seat == bigBlindSeat || seat == g.heroSeat)
            bigBlindVisited = true;
        if (seat == g.heroSeat || seat == bigBlindSeat)
            continue;
        const bool pushes = random.draw(4) == 0;
        if (pushes && g.raiserSeat == -1)
            goAllIn(g, seat);
        else
            g.seats[static_cast<std::size_t>(seat)].action = kActionFold;
    }
    if (g.heroSeat == bigBlindSeat && g.raiserSeat == -1)
        goAllIn(g, g.nextOccupiedSeat(g.heroSeat));

    g.assignNicknames([&random](int n) { return random.draw(n); });
    g.assignCallingRanges(0);
}

}  // namespace torvel
