#include "import/historyparser.h"

#include <algorithm>

#include "engine/cards.h"
#include "import/fieldreader.h"
#include "import/handdetails.h"
#include "import/linereader.h"

namespace torvel::import {

namespace {

// A seat with more than this many big blinds is deep.
constexpr int kShortStackBigBlinds = 10;

int partyAnte(int bigBlind, bool withSixteenThousand) {
    switch (bigBlind) {
    case 800:
        return 25;
    case 1200:
        return 50;
    case 2000:
    case 3000:
        return 75;
    case 4000:
    case 6000:
        return 100;
    case 8000:
    case 12000:
        return 200;
    case 16000:
        return withSixteenThousand ? 400 : 0;
    case 20000:
        return 500;
    default:
        return 0;
    }
}

int pokerStarsAnte(int bigBlind) {
    if (bigBlind == 200 || bigBlind == 400 || bigBlind == 600)
        return 25;
    if (bigBlind == 800 || bigBlind == 1200)
        return 50;
    return 0;
}

int fullTiltAnte(int bigBlind) {
    if (bigBlind == 600)
        return 25;
    if (bigBlind == 1200)
        return 50;
    return 0;
}

void moveChips(SeatState& seat, int amount) {
    amount = std::clamp(amount, 0, seat.stack);
    seat.stack -= amount;
    seat.bet = std::min(seat.bet + amount, kMaxAmount);
}

}  // namespace

bool isStreetOrSummary(std::string_view line) {
    return line.substr(0, 4) == "*** " && (contains(line, "FLOP") || contains(line, "TURN") ||
                                           contains(line, "SHOW DOWN") || contains(line, "SUMMARY"));
}

HistoryParser::HistoryParser(HistoryFormat format, GameStateOwner* owner, const ImportCallbacks& callbacks)
    : format_(format), owner_(owner), callbacks_(callbacks) {}

HistoryParser::~HistoryParser() = default;

void HistoryParser::feed(std::string_view line) {
    switch (format_) {
    case HistoryFormat::PartyGameNo:
    case HistoryFormat::PartyHandHistory:
        feedParty(line);
        break;
    case HistoryFormat::PokerStars:
        feedStars(line);
        break;
    case HistoryFormat::FullTilt:
        feedFullTilt(line);
        break;
    case HistoryFormat::GGPoker:
    case HistoryFormat::Winamax:
    case HistoryFormat::WinningPoker:
        feedSeatListLayout(line);
        break;
    case HistoryFormat::Bovada:
        feedBovada(line);
        break;
    case HistoryFormat::Pacific:
        feedPacific(line);
        break;
    case HistoryFormat::IPoker:
        feedIPoker(line);
        break;
    }
    if (hand_ && state_ < kSeekingHoleCards)
        readHandDetails(line, *hand_);
    if (hand_ && state_ == kHeroActed)
        evaluate();
}

void HistoryParser::finish() { closeOpenHand(true); }

void HistoryParser::startHand(std::string_view handId) {
    closeOpenHand(false);
    hand_ = std::make_unique<GameState>(owner_);
    hand_->handId = std::string(slice(handId, 0, handId.size()));
    hand_->site = siteName(format_);
    for (auto& name : seatNames_)
        name.clear();
    heroName_.clear();
    noSmallBlind_ = false;
    blindsKnown_ = false;
    sawSmallBlindPost_ = false;
    sawBigBlindPost_ = false;
    sawNoSmallBlindLine_ = false;
    statedAnte_ = -1;
    allInCount_ = 0;
    heroRaisePending_ = false;
    forcedBetsPosted_ = false;
    antesListed_ = false;
    postedSmallBlindSeat_ = -1;
    postedBigBlindSeat_ = -1;
    postedAnte_.fill(0);
    ++handCount_;
    state_ = kSeekingBlinds;
}

std::size_t HistoryParser::startNumberedHand(std::string_view line, std::size_t number) {
    std::size_t end = number;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9')
        ++end;
    startHand(line.substr(number, end - number));
    noSmallBlind_ = true;
    return end;
}

void HistoryParser::closeOpenHand(bool atEndOfFile) {
    if (!hand_)
        return;
    if (heroRaisePending_ || state_ == kHeroActed) {
        evaluate();
        return;
    }
    switch (state_) {
    case kReadingActions:
        drop(atEndOfFile ? "the file ends before the hero acted" : "the hero never acted");
        break;
    case kSeekingHoleCards:
        drop(atEndOfFile ? "the file ends before the hero's cards" : "no hole cards for the hero");
        break;
    default:
        drop(atEndOfFile ? "the file ends in the middle of the hand" : "the hand ends before the cards are dealt");
        break;
    }
}

void HistoryParser::drop(const std::string& reason) {
    const HandOutcome outcome{hand_ ? hand_->handId : std::string(), HandStatus::Dropped, reason};
    hand_.reset();
    state_ = kSeekingHeader;
    heroRaisePending_ = false;
    if (callbacks_.onHand)
        callbacks_.onHand(outcome);
}

void HistoryParser::seatLine(int seatNumber, std::string_view name, int stack) {
    const int index = seatNumber - 1;
    if (!GameState::validSeat(index) || name.empty())
        return;
    SeatState& s = seat(index);
    if (!s.occupied())
        ++hand_->playerCount;
    s.status = kSeatOpponent;
    s.rangeTo = 100;
    s.action = kActionNone;
    s.stack = stack;
    seatNames_[static_cast<std::size_t>(index)] = std::string(name);
    hand_->setName(index, cutUtf8(std::string(name), kNameLength - 1));
}

void HistoryParser::setButton(int seatNumber) {
    const int index = seatNumber - 1;
    if (!GameState::validSeat(index))
        return;
    if (GameState::validSeat(hand_->buttonSeat))
        seat(hand_->buttonSeat).isButton = false;
    hand_->buttonSeat = index;
    seat(index).isButton = true;
}

int HistoryParser::seatByName(std::string_view name) const {
    if (name.empty())
        return -1;
    for (int s = 0; s < kSeatCount; ++s)
        if (hand_->seats[static_cast<std::size_t>(s)].occupied() && seatNames_[static_cast<std::size_t>(s)] == name)
            return s;
    return -1;
}

bool HistoryParser::heroLine(std::string_view name, std::string_view cardText) {
    if (cardText.empty())
        return false;
    const auto cards = readHoleCards(cardText);
    ParsedHand parsed;
    if (!cards || !parseHand(*cards, parsed)) {
        drop("the hero's cards cannot be read");
        return true;
    }
    const int heroSeat = seatByName(name);
    if (heroSeat < 0) {
        drop("no seat for the hero");
        return true;
    }
    heroName_ = std::string(name);
    hand_->heroSeat = heroSeat;
    SeatState& hero = seat(heroSeat);
    hero.status = kSeatHero;
    hero.rangeTo = -1;
    hero.card1 = parsed.card1;
    hero.card2 = parsed.card2;
    hero.handLow = parsed.handLow;
    hero.handHigh = parsed.handHigh;
    state_ = kReadingActions;
    return true;
}

void HistoryParser::heroActs(int action) {
    hand_->heroAction = action;
    state_ = kHeroActed;
}

void HistoryParser::opponentFolds(int s) { seat(s).action = kActionFold; }

void HistoryParser::opponentCalls(int s, int amount) {
    seat(s).action = kActionCall;
    moveChips(seat(s), amount);
}

void HistoryParser::opponentRaises(int s, int amount) {
    SeatState& raiser = seat(s);
    const int before = raiser.stack;
    raiser.action = kActionRaise;
    moveChips(raiser, amount);
    if (before > 0 && amount >= before) {
        hand_->raiserSeat = s;
        ++allInCount_;
        if (format_ == HistoryFormat::PartyHandHistory)
            raiser.isAllIn = true;
    }
}

void HistoryParser::opponentAllIn(int s, int amount, int action, bool becomesRaiser) {
    SeatState& player = seat(s);
    player.bet = std::clamp(amount, 0, kMaxAmount);
    player.stack = 0;
    player.action = action;
    player.isAllIn = true;
    if (becomesRaiser)
        hand_->raiserSeat = s;
    ++allInCount_;
}

void HistoryParser::namedActions(std::string_view line, const ActionWords& words) {
    // The hero was all-in with his blind: there is no decision to grade.
    if (isStreetOrSummary(line)) {
        drop("the hero never acted");
        return;
    }
    if (const std::size_t at = line.find(words.folds); at != std::string_view::npos) {
        const std::string_view name = slice(line, 0, at);
        if (isHero(name))
            heroActs(0);
        else if (const int s = seatByName(name); s >= 0)
            opponentFolds(s);
        return;
    }
    const bool allIn = contains(line, words.allIn);
    if (const std::size_t at = line.find(words.calls); at != std::string_view::npos) {
        const std::string_view name = slice(line, 0, at);
        // An all-in call for less is an all-in: the hero's is a push, and
        // whoever makes it puts every chip he has left in (the amount on
        // the line is what he adds, not his total).
        if (isHero(name)) {
            heroActs(allIn ? 3 : 1);
        } else if (const int s = seatByName(name); s >= 0) {
            if (const auto amount = amountAt(line, at + words.calls.size())) {
                if (allIn)
                    opponentAllIn(s, seat(s).totalChips(), kActionCall, words.allInCallRaises);
                else
                    opponentCalls(s, amount->value);
            }
        }
        return;
    }
    if (const std::size_t at = line.find(words.raises); at != std::string_view::npos) {
        const std::string_view name = slice(line, 0, at);
        if (isHero(name)) {
            heroActs(allIn ? 3 : 2);
        } else if (const int s = seatByName(name); s >= 0) {
            const std::size_t to = line.find(" to ", at);
            if (to == std::string_view::npos)
                return;
            if (const auto amount = amountAt(line, to + 4)) {
                // "to" counts this round only: the ante he posted stays in.
                if (allIn)
                    opponentAllIn(s, seat(s).totalChips(), kActionRaise, true);
                else
                    opponentRaises(s, amount->value);
            }
        }
        return;
    }
    if (const std::size_t at = line.find(words.checks); at != std::string_view::npos && isHero(slice(line, 0, at)))
        heroActs(5);
}

void HistoryParser::setBlinds(int smallBlind, int bigBlind) {
    hand_->smallBlind = smallBlind;
    hand_->bigBlind = bigBlind;
    blindsKnown_ = true;
}

void HistoryParser::applyAnteTable() {
    const int bigBlind = hand_->bigBlind;
    switch (format_) {
    case HistoryFormat::PartyGameNo:
        hand_->ante = partyAnte(bigBlind, true);
        break;
    case HistoryFormat::PartyHandHistory:
        hand_->ante = partyAnte(bigBlind, false);
        break;
    case HistoryFormat::PokerStars:
        hand_->ante = pokerStarsAnte(bigBlind);
        break;
    case HistoryFormat::FullTilt:
        hand_->ante = fullTiltAnte(bigBlind);
        break;
    default:
        // The other layouts post their antes in lines of their own.
        break;
    }
}

void HistoryParser::postForcedBet(int s, ForcedBet kind, int amount) {
    SeatState& poster = seat(s);
    const int before = poster.bet;
    moveChips(poster, amount);
    poster.isAllIn = poster.stack == 0;
    forcedBetsPosted_ = true;
    switch (kind) {
    case ForcedBet::Ante:
        postedAnte_[static_cast<std::size_t>(s)] += poster.bet - before;
        break;
    case ForcedBet::SmallBlind:
        postedSmallBlindSeat_ = s;
        noSmallBlind_ = false;
        if (hand_->smallBlind <= 0)
            hand_->smallBlind = amount;
        break;
    case ForcedBet::BigBlind:
        postedBigBlindSeat_ = s;
        if (hand_->bigBlind <= 0)
            hand_->bigBlind = amount;
        break;
    }
}

void HistoryParser::settlePostedForcedBets() {
    GameState& g = *hand_;
    if (GameState::validSeat(postedSmallBlindSeat_))
        seat(postedSmallBlindSeat_).isSmallBlind = true;
    if (GameState::validSeat(postedBigBlindSeat_))
        seat(postedBigBlindSeat_).isBigBlind = true;
    g.ante = commonAnte();
}

int HistoryParser::commonAnte() const {
    // An ante every player posts alike is the table's ante; one only the
    // big blind posts is dead money that stays in his bet. A player all-in
    // for less than the ante does not change it.
    int largest = 0;
    for (const int posted : postedAnte_)
        largest = std::max(largest, posted);
    for (int s = 0; s < kSeatCount; ++s) {
        const SeatState& player = hand_->seats[static_cast<std::size_t>(s)];
        const int posted = postedAnte_[static_cast<std::size_t>(s)];
        if (player.occupied() && posted != largest && !(posted > 0 && player.stack == 0))
            return 0;
    }
    return largest;
}

void HistoryParser::opponentPuts(int s, int chips, int action) {
    SeatState& player = seat(s);
    const bool hadChips = player.stack > 0;
    player.action = action;
    moveChips(player, chips);
    if (hadChips && player.stack == 0) {
        player.isAllIn = true;
        ++allInCount_;
        if (action == kActionRaise)
            hand_->raiserSeat = s;
    }
}

void HistoryParser::opponentRaisesTo(int s, int total) { opponentPuts(s, total - roundBet(s), kActionRaise); }

int HistoryParser::roundBet(int s) const {
    return hand_->seats[static_cast<std::size_t>(s)].bet - postedAnte_[static_cast<std::size_t>(s)];
}

int HistoryParser::highestRoundBet() const {
    int highest = 0;
    for (int s = 0; s < kSeatCount; ++s)
        highest = std::max(highest, roundBet(s));
    return highest;
}

void HistoryParser::postedAction(std::string_view name, Verb verb, int amount, bool saysAllIn) {
    if (isHero(name)) {
        const int hero = hand_->heroSeat;
        const int stack = seat(hero).stack;
        switch (verb) {
        case Verb::Fold:
            heroActs(0);
            break;
        case Verb::Call:
            heroActs(1);
            break;
        case Verb::RaiseTo:
            heroActs(saysAllIn || amount - roundBet(hero) >= stack ? 3 : 2);
            break;
        case Verb::RaiseBy:
            heroActs(saysAllIn || amount >= stack ? 3 : 2);
            break;
        case Verb::Check:
            heroActs(5);
            break;
        case Verb::AllInBy:
            // All-in for no more than the bet in front of him only calls.
            heroActs(roundBet(hero) + amount <= highestRoundBet() ? 1 : 3);
            break;
        }
        return;
    }
    const int s = seatByName(name);
    if (s < 0)
        return;
    switch (verb) {
    case Verb::Fold:
        opponentFolds(s);
        break;
    case Verb::Call:
        opponentPuts(s, amount, kActionCall);
        break;
    case Verb::RaiseTo:
        opponentRaisesTo(s, amount);
        break;
    case Verb::RaiseBy:
        opponentPuts(s, amount, kActionRaise);
        break;
    case Verb::Check:
        break;
    case Verb::AllInBy:
        opponentPuts(s, amount, roundBet(s) + amount > highestRoundBet() ? kActionRaise : kActionCall);
        break;
    }
}

void HistoryParser::evaluate() {
    heroRaisePending_ = false;
    GameState& g = *hand_;
    if (!GameState::validSeat(g.heroSeat) || g.seats[static_cast<std::size_t>(g.heroSeat)].status != kSeatHero) {
        drop("no seat for the hero");
        return;
    }
    if (!GameState::validSeat(g.buttonSeat)) {
        drop("no button");
        return;
    }
    if (g.playerCount < 2) {
        drop("fewer than two players");
        return;
    }

    const bool party = format_ == HistoryFormat::PartyGameNo || format_ == HistoryFormat::PartyHandHistory;
    if (party) {
        // Layouts that write blind posts tell a missing small blind by its
        // missing post; the old one says so in words.
        noSmallBlind_ = sawNoSmallBlindLine_ || (sawBigBlindPost_ && !sawSmallBlindPost_);
        if (noSmallBlind_ && !blindsKnown_)
            g.smallBlind = g.bigBlind / 2;
    }
    if (statedAnte_ >= 0)
        g.ante = statedAnte_;
    else
        applyAnteTable();

    const int smallBlindSeat = g.playerCount == 2 ? g.buttonSeat : g.nextOccupiedSeat(g.buttonSeat);
    int bigBlindSeat = smallBlindSeat;
    if (forcedBetsPosted_) {
        settlePostedForcedBets();
    } else if (!noSmallBlind_) {
        SeatState& small = seat(smallBlindSeat);
        if (small.stack > g.smallBlind)
            moveChips(small, g.smallBlind);
        small.isSmallBlind = true;
        bigBlindSeat = g.nextOccupiedSeat(smallBlindSeat);
    }
    if (!forcedBetsPosted_) {
        SeatState& big = seat(bigBlindSeat);
        if (big.stack > g.bigBlind)
            moveChips(big, g.bigBlind);
        big.isBigBlind = true;
        if (antesListed_) {
            for (int s = 0; s < kSeatCount; ++s)
                if (seat(s).occupied())
                    moveChips(seat(s), postedAnte_[static_cast<std::size_t>(s)]);
            g.ante = commonAnte();
        } else if (g.ante > 0)
            for (auto& s : g.seats)
                if (s.occupied())
                    moveChips(s, g.ante);
    }

    HandOutcome outcome{g.handId, HandStatus::Relevant, {}};
    if (g.bigBlind <= 0) {
        outcome = {g.handId, HandStatus::NotRelevant, "no big blind"};
    } else {
        const int heroBigBlinds = g.seats[static_cast<std::size_t>(g.heroSeat)].stack / g.bigBlind;
        int deepestOpponent = 0;
        for (const auto& s : g.seats)
            if (s.status == kSeatOpponent)
                deepestOpponent = std::max(deepestOpponent, s.stack / g.bigBlind);
        const bool heroShort = heroBigBlinds <= kShortStackBigBlinds;
        const bool tableShort = deepestOpponent <= kShortStackBigBlinds;
        if (allInCount_ > 1)
            outcome = {g.handId, HandStatus::NotRelevant,
                       std::to_string(allInCount_) + " all-ins before the hero"};
        else if (!heroShort && !tableShort)
            outcome = {g.handId, HandStatus::NotRelevant,
                       "hero " + std::to_string(heroBigBlinds) + " BB and the table deep (deepest opponent " +
                           std::to_string(deepestOpponent) + " BB)"};
    }

    state_ = kSeekingHeader;
    std::unique_ptr<GameState> decided = std::move(hand_);
    if (outcome.status == HandStatus::Relevant) {
        ++relevantCount_;
        if (callbacks_.onDecision)
            callbacks_.onDecision(std::move(decided));
    }
    decided.reset();
    if (callbacks_.onHand)
        callbacks_.onHand(outcome);
}

}  // namespace torvel::import
